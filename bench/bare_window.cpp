// The floor for start-up: one window, one message loop, nothing else. Ends
// after its first complete paint, like the benchmark build of the menu.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    FillRect(ps.hdc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(hwnd, &ps);
    GdiFlush();
    ExitProcess(0);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

int main() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BareWindow";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "BareWindow", "Bare", WS_OVERLAPPEDWINDOW, 100, 100, 408, 402, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
