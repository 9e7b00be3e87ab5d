// probe.exe: stands in for what a disc item opens. Started through the shell
// by the menu, it appends "pid TAB folder TAB command line" to the file named
// by TAVLIN_PROBE_LOG and stays, so that a test can use the menu while it
// runs, until the test ends it (or 20 s pass).
#include <windows.h>

#include <string>

int main() {
  char log[MAX_PATH], cwd[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TAVLIN_PROBE_LOG", log, MAX_PATH), c = GetCurrentDirectoryA(MAX_PATH, cwd);
  if (n == 0 || n >= MAX_PATH || c >= MAX_PATH) return 2;
  const std::string record =
      std::to_string(GetCurrentProcessId()) + "\t" + std::string(cwd, c) + "\t" + GetCommandLineA() + "\r\n";
  // One write in append mode, so that two probes never mix their records.
  HANDLE f = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  DWORD put = 0;
  if (f == INVALID_HANDLE_VALUE || !WriteFile(f, record.data(), DWORD(record.size()), &put, nullptr)) return 3;
  CloseHandle(f);
  Sleep(20000);
  return 0;
}
