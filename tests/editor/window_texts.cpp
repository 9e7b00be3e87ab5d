// window_texts TITLE STEP...: finds the visible top-level window of that
// title (waiting up to 30 s) and runs the steps in order, as a user would,
// printing what the window shows as wide text: the characters Windows made
// of the menu's bytes in its ANSI code page, whatever that page is.
//   texts     "text NAME HEX" for the window (Form1) and each control of
//             Form1, "text List1.N HEX" for each list entry from 1, HEX the
//             UTF-16LE bytes; "text NAME missing" for a control not found
//   rects     "rect client|NAME x y width height", in screen pixels
//   select:N  a click on list entry N
//   press     a click on Command1
// Exits 0, 1 when the window does not show up, 2 on a bad step.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/form_designs.h"

namespace {

HWND window;

// A message that gives up on a stuck program rather than hang the test.
LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result) ? LRESULT(result) : -1;
}

void PrintText(const char* name, const std::wstring& text) {
  std::printf("text %s ", name);
  for (wchar_t c : text) std::printf("%02x%02x", unsigned(c) & 0xff, unsigned(c) >> 8);
  std::printf("\n");
}

std::wstring TextOf(HWND w) {
  std::wstring s(std::size_t(std::max<LRESULT>(0, Send(w, WM_GETTEXTLENGTH))) + 1, L'\0');
  s.resize(std::size_t(std::max<LRESULT>(0, Send(w, WM_GETTEXT, s.size(), LPARAM(s.data())))));
  return s;
}

HWND Control(const char* name) { return GetDlgItem(window, tavlin::Form1Design().ControlId(name).value_or(0)); }

void Texts() {
  PrintText("Form1", TextOf(window));
  for (const tavlin::ControlDesign& c : tavlin::Form1Design().controls) {
    const std::string name(c.name);
    HWND w = Control(name.c_str());
    if (!w) {
      std::printf("text %s missing\n", name.c_str());
    } else if (c.kind == tavlin::ControlKind::ListBox) {
      for (LRESULT i = 0, n = Send(w, LB_GETCOUNT); i < n; ++i) {
        std::wstring entry(std::size_t(std::max<LRESULT>(0, Send(w, LB_GETTEXTLEN, i))) + 1, L'\0');
        entry.resize(std::size_t(std::max<LRESULT>(0, Send(w, LB_GETTEXT, i, LPARAM(entry.data())))));
        PrintText((name + "." + std::to_string(i + 1)).c_str(), entry);
      }
    } else {
      PrintText(name.c_str(), TextOf(w));
    }
  }
}

void Rect(const char* name, HWND w, bool client) {
  RECT r{};
  client ? GetClientRect(w, &r) : GetWindowRect(w, &r);
  if (client) MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  std::printf("rect %s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A real click at a point of a control's client area: the window in front,
// then the pointer moved there, pressed and let go, every event with its point.
void Click(HWND w, POINT p) {
  SetForegroundWindow(window);
  for (int i = 0; i < 50 && GetForegroundWindow() != window; ++i) Sleep(20);
  ClientToScreen(w, &p);
  for (DWORD flags : {DWORD(0), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    Sleep(50);
  }
}

// Until the program has handled what came before: a message it answers
// only between two of its handlers, after the input has arrived.
void Settle() {
  Sleep(150);
  Send(window, WM_NULL);
}

bool SelectEntry(int n) {
  HWND list = Control("List1");
  const LRESULT height = Send(list, LB_GETITEMHEIGHT), top = Send(list, LB_GETTOPINDEX);
  if (!list || height <= 0 || n <= top) return false;
  Click(list, POINT{8, int((n - 1 - top) * height + height / 2)});
  for (int i = 0; i < 100 && Send(list, LB_GETCURSEL) != n - 1; ++i) Sleep(20);
  Settle();
  return Send(list, LB_GETCURSEL) == n - 1;
}

bool Press() {
  HWND button = Control("Command1");
  RECT r{};
  if (!button || !GetClientRect(button, &r)) return false;
  Click(button, POINT{r.right / 2, r.bottom / 2});
  return Settle(), true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  for (DWORD start = GetTickCount(); !window; Sleep(50)) {
    HWND w = FindWindowExA(nullptr, nullptr, nullptr, argv[1]);
    while (w && !IsWindowVisible(w)) w = FindWindowExA(nullptr, w, nullptr, argv[1]);
    window = w;
    if (!window && GetTickCount() - start > 30000) return 1;
  }
  // Let the first paint finish before anyone looks.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  for (int i = 2; i < argc; ++i) {
    const char* step = argv[i];
    if (!std::strcmp(step, "texts")) {
      Texts();
    } else if (!std::strcmp(step, "rects")) {
      Rect("client", window, true);
      for (const tavlin::ControlDesign& c : tavlin::Form1Design().controls) {
        const std::string name(c.name);
        if (HWND w = Control(name.c_str())) Rect(name.c_str(), w, false);
      }
    } else if (!std::strncmp(step, "select:", 7)) {
      if (!SelectEntry(std::atoi(step + 7))) return std::printf("no entry %s selected\n", step + 7), 2;
    } else if (!std::strcmp(step, "press")) {
      if (!Press()) return 2;
    } else {
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
