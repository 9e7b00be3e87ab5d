// memory_probe TITLE: prints the working set and its peak, in KiB, of the
// process that owns the top-level window of that title, then closes it.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HWND w = nullptr;
  for (int i = 0; i < 400 && !(w = FindWindowA(nullptr, argv[1])); ++i) Sleep(25);
  if (!w) return 1;
  Sleep(1000);  // let start-up settle
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  if (!p || !GetProcessMemoryInfo(p, &c, sizeof c)) return 1;
  std::printf("%lu %lu\n", static_cast<unsigned long>(c.WorkingSetSize / 1024),
              static_cast<unsigned long>(c.PeakWorkingSetSize / 1024));
  PostMessageA(w, WM_CLOSE, 0, 0);
  return 0;
}
