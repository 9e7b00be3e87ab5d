// Keeps Wine's virtual desktop alive between timed runs: without a client it
// ends about a second after the last window closes. Runs until killed.
#include <windows.h>

int main() {
  CreateWindowExA(0, "STATIC", "keep", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
