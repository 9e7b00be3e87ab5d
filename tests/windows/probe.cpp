// probe.exe: stands in for what a disc item opens. Started through the shell
// by the menu, it writes the parameters it got to probe.log in the folder it
// was started in.
#include <cstdio>

int main(int argc, char** argv) {
  FILE* log = std::fopen("probe.log", "wb");
  if (!log) return 2;
  for (int i = 1; i < argc; ++i) std::fprintf(log, "[%s]", argv[i]);
  std::fprintf(log, "\n");  // last, so that a reader knows the line is whole
  return std::fclose(log) == 0 ? 0 : 3;
}
