// disc_check EXE DISC [launch|splash]: starts the menu on one disc of the
// corpus and checks what a user would see: the main window within 5 s (after
// a splash if one may come), no hang, and the close box ending the process
// with exit code 0 (a crash fails one of these, whether Wine's debugger holds
// the program or ends it). With `launch`, every entry is chosen and its
// button pressed, and whatever that opens is answered. Prints one line;
// exits 0 when all held.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND Window(DWORD pid, const char* cls) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string flag = argc > 3 ? argv[3] : "";
  std::string command = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2], &si, &pi)) {
    std::printf("FAIL cannot start (error %lu)\n", GetLastError());
    return 1;
  }
  const auto ended = [&](DWORD ms) { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; };
  // A splash, if one comes, stays about 3 s; the main window must follow.
  const DWORD start = GetTickCount(), limit = flag == "splash" ? 9000 : 5000;
  HWND main = nullptr;
  while (!(main = Window(pi.dwProcessId, "TavlinForm1")) && !ended(20) && GetTickCount() - start < limit) {}
  const DWORD opened = GetTickCount() - start;
  std::string failure = main ? "" : ended(0) ? "ended without a main window" : "no main window in time";

  // A list that does not answer counts no entries, and the close box then finds the hang.
  DWORD_PTR count = 0, answer = 0;
  HWND list = GetDlgItem(main, 100), button = GetDlgItem(main, 101);
  SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
  for (DWORD_PTR i = 0, round = 0; failure.empty() && flag == "launch" && i < count && i < 50; ++i, round = 0) {
    SendMessageA(list, LB_SETCURSEL, i, 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(100, LBN_SELCHANGE), LPARAM(list));
    PostMessageA(button, BM_CLICK, 0, 0);
    Sleep(300);
    // Message boxes that a launch brings up (ours or the shell's) are answered.
    for (HWND box; round < 20 && (box = Window(pi.dwProcessId, "#32770")); ++round, Sleep(100))
      PostMessageA(box, WM_COMMAND, IDOK, 0), PostMessageA(box, WM_CLOSE, 0, 0);
    if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) failure = "hangs after a launch";
  }
  if (failure.empty()) PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box, as the user would press it
  if (failure.empty() && !ended(5000)) failure = "close box did not end the process";
  DWORD code = 0;
  if (failure.empty() && GetExitCodeProcess(pi.hProcess, &code) && code != 0)
    failure = "exit code " + std::to_string(code);
  if (!ended(0)) TerminateProcess(pi.hProcess, 9);
  std::printf("%s main window after %lu ms%s%s\n", failure.empty() ? "PASS" : "FAIL", opened,
              failure.empty() ? "" : ": ", failure.c_str());
  return failure.empty() ? 0 : 1;
}
