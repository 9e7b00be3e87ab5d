// disc_check EXE DISC [launch] [splash]: starts the menu on one disc of the
// corpus and checks what a user would see: the main window within 5 s (after
// a splash if there is one), no crash, no hang, and the close box ending the
// process. With `launch`, every entry is chosen and its button pressed, and
// whatever that opens is answered. Prints one line; exits 0 when all held.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD pid;
  const char* cls;
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindOne(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64];
  if (pid == f->pid && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) && std::strcmp(cls, f->cls) == 0) {
    f->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

HWND Window(DWORD pid, const char* cls) {
  Found f{pid, cls};
  EnumWindows(FindOne, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

// Wine's crash dialog comes from its debugger, a process of its own.
BOOL CALLBACK FindCrash(HWND w, LPARAM lp) {
  char title[256];
  if (IsWindowVisible(w) && GetWindowTextA(w, title, sizeof title) &&
      (std::strstr(title, "Program Error") || std::strstr(title, "has encountered a serious problem"))) {
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
  }
  return TRUE;
}

bool CrashDialog() {
  bool seen = false;
  EnumWindows(FindCrash, reinterpret_cast<LPARAM>(&seen));
  return seen;
}

HWND WaitFor(DWORD pid, const char* cls, DWORD ms, HANDLE process) {
  for (DWORD t = 0; t < ms; t += 20) {
    if (HWND w = Window(pid, cls)) return w;
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    Sleep(20);
  }
  return nullptr;
}

// Message boxes that a launch brings up (ours or the shell's): answered.
void AnswerBoxes(DWORD pid) {
  for (int round = 0; round < 20; ++round) {
    HWND box = Window(pid, "#32770");
    if (!box) return;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(box, WM_CLOSE, 0, 0);
    Sleep(100);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  bool launch = false, splash = false;
  for (int i = 3; i < argc; ++i) {
    launch |= std::strcmp(argv[i], "launch") == 0;
    splash |= std::strcmp(argv[i], "splash") == 0;
  }
  std::string command = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2], &si, &pi)) {
    std::printf("FAIL cannot start (error %lu)\n", GetLastError());
    return 1;
  }
  const DWORD start = GetTickCount();
  std::string failure;
  // A splash, if one comes, stays about 3 s; the main window must follow.
  HWND main = WaitFor(pi.dwProcessId, "TavlinForm1", splash ? 9000 : 5000, pi.hProcess);
  const DWORD opened = GetTickCount() - start;
  if (!main)
    failure =
        WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0 ? "ended without a main window" : "no main window in time";
  if (main && !splash && opened > 5000) failure = "main window after more than 5 s";

  if (failure.empty() && launch) {
    HWND list = GetDlgItem(main, 100), button = GetDlgItem(main, 101);
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) failure = "list does not answer";
    for (DWORD_PTR i = 0; failure.empty() && i < count && i < 50; ++i) {
      SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessageA(main, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
      PostMessageA(button, BM_CLICK, 0, 0);
      Sleep(300);
      AnswerBoxes(pi.dwProcessId);
      DWORD_PTR r;
      if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r)) failure = "hangs after a launch";
    }
  }
  if (failure.empty() && CrashDialog()) failure = "crash dialog";
  if (failure.empty()) {
    // The close box, as the user would press it.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) failure = "close box did not end the process";
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  if (failure.empty() && code != 0) failure = "exit code " + std::to_string(code);
  if (failure.empty() && CrashDialog()) failure = "crash dialog";
  if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9);
  std::printf("%s main window after %lu ms%s%s\n", failure.empty() ? "PASS" : "FAIL", opened,
              failure.empty() ? "" : ": ", failure.c_str());
  return failure.empty() ? 0 : 1;
}
