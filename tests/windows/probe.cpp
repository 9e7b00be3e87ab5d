// probe.exe: stands in for what a disc item opens. Started through the shell
// by the menu, it writes the command line it got to probe.log in the folder
// it was started in.
#include <windows.h>

#include <cstdio>

int main() {
  FILE* log = std::fopen("probe.log", "wb");
  if (!log) return 2;
  // The line end last, so that a reader knows the line is whole.
  std::fprintf(log, "%s\n", GetCommandLineA());
  return std::fclose(log) == 0 ? 0 : 3;
}
