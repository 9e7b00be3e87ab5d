// tavlin-check [DISC] | --template N: the menu checker for disc authors.
// Exit status: 0 clean, 1 warnings only, 2 errors or a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "check/menu_check.h"
#include "check/menu_template.h"
#include "menu/menu_layout.h"
#include "platform/disc_files.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const std::string kUsage =
    "usage: tavlin-check [--] [DISC]     check the disc folder DISC (default: the current folder)\n"
    "       tavlin-check --template N    print a starter tavlin.ini for N items (0 to " +
    std::to_string(tavlin::kMaxMenuItems) + ")\n";

int Usage() {
  std::fputs(kUsage.c_str(), stderr);
  return 2;
}

void Print(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--help" || first == "-h") {
    std::fputs(kUsage.c_str(), stdout);
    return 0;
  }
  if (first == "--template") {
    if (argc != 3) return Usage();
    char* end = nullptr;
    const long n = std::strtol(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0' || n < 0 || n > tavlin::kMaxMenuItems) return Usage();
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the template has its own CR LF
#endif
    Print(tavlin::MenuTemplate(static_cast<int>(n)));
    return 0;
  }
  int at = 1;
  if (first == "--") ++at;  // a folder whose name starts with -
  else if (!first.empty() && first[0] == '-')
    return Usage();
  if (argc > at + 1) return Usage();

  const std::string disc = argc > at ? argv[at] : ".";
  const auto files = tavlin::OpenDiscFolder(disc);
  if (!files) {
    std::fprintf(stderr, "tavlin-check: %s does not exist or is not a folder\n", disc.c_str());
    return 2;
  }
  const tavlin::CheckReport report = tavlin::CheckDisc(*files);
  Print("Checking the disc in " + disc + "\n\n" + tavlin::FormatReport(report));
  return report.ExitStatus();
}
