// winwait [OPTIONS] TITLE [TIMEOUT_MS]: waits until a top-level window of that
// title is visible and painted; exits 0, or 1 when the time is up. Used by the
// scripts, since a Wine virtual desktop hides its windows from X tools.
//   --class NAME    the window must be of this class; an empty TITLE then
//                   matches any title (the splash and About have none)
//   --unless TITLE  exit 3 if a window of this title shows up first
//   --rect          print the window's screen rectangle: "x y width height"
//   --child FORM.CONTROL   with --rect, the rectangle of that control
//                   instead (Form1.Label7), found by the id the program gives it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/form_designs.h"

namespace {

int ControlId(std::string_view name) {
  const auto dot = name.find('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view form = name.substr(0, dot), control = name.substr(dot + 1);
  const tavlin::FormDesign* design = tavlin::FormDesignNamed(form);
  return design ? design->ControlId(control).value_or(0) : 0;
}

HWND Visible(const char* cls, const char* title) {
  HWND w = FindWindowExA(nullptr, nullptr, cls, title);
  while (w && !IsWindowVisible(w)) w = FindWindowExA(nullptr, w, cls, title);
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  const char* cls = nullptr;
  const char* unless = nullptr;
  const char* positional[2] = {};
  int positionals = 0, child = 0;
  bool rect = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--class") && i + 1 < argc) cls = argv[++i];
    else if (!std::strcmp(argv[i], "--unless") && i + 1 < argc)
      unless = argv[++i];
    else if (!std::strcmp(argv[i], "--child") && i + 1 < argc) {
      if (!(child = ControlId(argv[++i]))) return 2;
    } else if (!std::strcmp(argv[i], "--rect"))
      rect = true;
    else if (positionals < 2)
      positional[positionals++] = argv[i];
    else
      return 2;
  }
  if (!positionals) return 2;
  const char* title = cls && !*positional[0] ? nullptr : positional[0];
  const DWORD timeout = positionals > 1 ? static_cast<DWORD>(std::strtoul(positional[1], nullptr, 10)) : 20000;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    if (HWND w = Visible(cls, title)) {
      // Let the first paint finish before anyone looks.
      RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      Sleep(500);
      if (rect) {
        HWND of = child ? GetDlgItem(w, child) : w;
        RECT r;
        if (!of || !GetWindowRect(of, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      }
      return 0;
    }
    if (unless && Visible(nullptr, unless)) return 3;
    Sleep(50);
  }
  return 1;
}
