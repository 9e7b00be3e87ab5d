// probe.exe: stands in for what a disc item opens. Started through the shell
// by the menu, it appends "pid TAB folder TAB command line" to the file named
// by TAVLIN_PROBE_LOG, then stays until the event named by TAVLIN_PROBE_EXIT
// is set (or 20 s pass), so that a test can use the menu while it runs.
#include <windows.h>

#include <string>

int main() {
  char log[MAX_PATH], cwd[MAX_PATH], name[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TAVLIN_PROBE_LOG", log, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 2;
  const DWORD c = GetCurrentDirectoryA(MAX_PATH, cwd);
  const std::string record = std::to_string(GetCurrentProcessId()) + "\t" + std::string(cwd, c < MAX_PATH ? c : 0) +
                             "\t" + GetCommandLineA() + "\r\n";
  // One write in append mode, so that two probes never mix their records.
  HANDLE f = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 3;
  DWORD put = 0;
  WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &put, nullptr);
  CloseHandle(f);
  const DWORD e = GetEnvironmentVariableA("TAVLIN_PROBE_EXIT", name, MAX_PATH);
  HANDLE done = e > 0 && e < MAX_PATH ? OpenEventA(SYNCHRONIZE, FALSE, name) : nullptr;
  WaitForSingleObject(done ? done : GetCurrentProcess(), done ? 20000 : 5000);
  return 0;
}
