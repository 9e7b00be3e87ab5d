// Arbitrary bytes as a disc's tavlin.ini, tavlin.wav and menupic.jpg, through
// the menu checker: it may warn about anything, but must not crash or hang,
// and its report must hold together.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check/menu_check.h"
#include "memory_disc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavlin;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  test::MemoryDisc disc;
  disc.File("tavlin.ini", bytes).File("tavlin.wav", bytes).File("MENUPIC.JPG", bytes);
  disc.File("setup/setup.exe", "").Folder("Docs");
  const CheckReport r = CheckDisc(disc);
  if (!r.menuRead || r.ExitStatus() < 0 || r.ExitStatus() > 2) std::abort();
  if (r.items < 0 || r.items > 1000) std::abort();
  for (std::size_t i = 0; i < r.map.size(); ++i)
    if (r.map[i].number != static_cast<long long>(i) + 1) std::abort();
  if (static_cast<long long>(r.map.size()) + r.unlistedLines != r.lineCount) std::abort();
  const std::string text = FormatReport(r);
  if (text.empty() || text.back() != '\n') std::abort();
  return 0;
}
