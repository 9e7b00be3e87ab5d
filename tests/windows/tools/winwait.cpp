// winwait TITLE [TIMEOUT_MS]: waits until a top-level window of that title
// is visible and painted; exits 0, or 1 when the time is up. Used by the
// scripts, since a Wine virtual desktop hides its windows from X tools.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 20000;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    HWND w = FindWindowA(nullptr, argv[1]);
    if (w && IsWindowVisible(w)) {
      // Let the first paint finish before anyone looks.
      RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      Sleep(500);
      return 0;
    }
    Sleep(50);
  }
  return 1;
}
