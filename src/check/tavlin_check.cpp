// tavlin-check [--code-page N] [DISC] | --template N: the menu checker for
// disc authors. Exit status: 0 clean, 1 warnings only, 2 errors or a wrong
// command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/code_page.h"
#include "check/menu_check.h"
#include "check/menu_template.h"
#include "menu/menu_layout.h"
#include "platform/disc_files.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

std::string CodePages() {
  std::string s;
  for (int n : tavlin::CodePage::Offered()) s += (s.empty() ? "" : ", ") + std::to_string(n);
  return s;
}

const std::string kUsage =
    "usage: tavlin-check [--code-page N] [--] [DISC]\n"
    "                         check the disc folder DISC (default: the current folder) as readers see it\n"
    "                         whose Windows has the ANSI code page N (default 1252; one of " +
    CodePages() +
    ")\n"
    "       tavlin-check --template N\n"
    "                         print a starter tavlin.ini for N items (0 to " +
    std::to_string(tavlin::kMaxMenuItems) + ")\n";

#ifdef _WIN32
// Windows hands main its arguments in its own code page; the disc's names
// are looked up in UTF-8.
std::string AsUtf8(const char* arg) {
  const int n = MultiByteToWideChar(CP_ACP, 0, arg, -1, nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, arg, -1, w.data(), n);
  const int m = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(m > 0 ? m : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), m, nullptr, nullptr);
  s.pop_back();
  return s;
}
#else
std::string AsUtf8(const char* arg) { return arg; }
#endif

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
  int at = 1, codePage = 1252;
  if (first == "--code-page") {
    if (argc < 3) return Usage();
    char* end = nullptr;
    const long n = std::strtol(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0' || !tavlin::CodePage::Get(static_cast<int>(n))) return Usage();
    codePage = static_cast<int>(n);
    at = 3;
  }
  const std::string next = argc > at ? argv[at] : "";
  if (next == "--") ++at;  // a folder whose name starts with -
  else if (!next.empty() && next[0] == '-')
    return Usage();
  if (argc > at + 1) return Usage();

  const std::string disc = argc > at ? argv[at] : ".";
  const auto files = tavlin::OpenDiscFolder(AsUtf8(disc.c_str()));
  if (!files) {
    std::fprintf(stderr, "tavlin-check: %s does not exist or is not a folder\n", disc.c_str());
    return 2;
  }
  const tavlin::CheckReport report = tavlin::CheckDisc(*files, codePage);
  Print("Checking the disc in " + disc + "\n\n" + tavlin::FormatReport(report));
  return report.ExitStatus();
}
