// Arbitrary bytes as a menu opened in the editor in a code page the input
// picks, one value typed into a line it picks, and the file saved: every
// other line must come back byte for byte, and the edited one must read
// back as typed, or be refused where it stands.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/line_reader.h"
#include "editor/menu_document.h"

namespace {

using tavlin::CodePage;
using tavlin::LineInfo;

struct Line {
  std::string bytes;
  LineInfo::End end;
};

std::vector<Line> Lines(const std::string& bytes) {
  std::vector<Line> out;
  auto reader = tavlin::LineReaderFromString(bytes);
  std::size_t at = 0;
  std::string cut;
  for (LineInfo info; reader->ReadLine(cut, &info);) {
    out.push_back({bytes.substr(at, info.length), info.end});
    at += info.length + (info.end == LineInfo::End::CrLf ? 2 : info.end == LineInfo::End::None ? 0 : 1);
  }
  return out;
}

// A letter followed by a combining mark may be written precomposed where the
// page has only that (and the other way round): it then reads back as the
// same letter in its other, canonically equal form.
bool HasCombiningMark(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
    if ((a == 0xCC && b >= 0x80) || (a == 0xCD && b < 0xB0)) return true;  // U+0300..U+036F
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const auto& offered = CodePage::Offered();
  const CodePage& page = *CodePage::Get(offered[data[0] % offered.size()]);
  // The text typed is mostly what this page reads some bytes as, else what
  // another page reads them as, which this one may not hold.
  const CodePage& typedIn = data[1] % 4 ? page : *CodePage::Get(offered[data[1] % offered.size()]);
  const long long line = 1 + data[2] % 48;
  const std::size_t typedBytes = data[3] % 32;
  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::string file = rest.substr(0, rest.size() - std::min(rest.size(), typedBytes));
  const std::string typed = typedIn.ToText(rest.substr(file.size()));

  tavlin::MenuDocument doc(file, page.Number());
  if (doc.Encode().bytes != file) std::abort();  // opened and saved unedited: the same bytes
  const std::vector<Line> before = Lines(file);
  doc.SetLine(line, typed);
  const auto saved = doc.Encode();
  std::string clean = typed;
  std::erase_if(clean, [](char c) { return c == '\r' || c == '\n'; });
  if (!saved.bytes) {
    if (saved.line != line || page.ToBytes(clean).bytes) std::abort();  // refused, and only what the page lacks
    return 0;
  }
  const std::vector<Line> after = Lines(*saved.bytes);
  const std::size_t edited = static_cast<std::size_t>(line - 1);
  if (after.size() != std::max(before.size(), edited + 1)) std::abort();
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i == edited) {
      const std::string read = page.ToText(after[i].bytes);
      if (read != clean && !HasCombiningMark(clean) && !HasCombiningMark(read)) std::abort();
    } else if (i < before.size()) {
      // A last line without an end gets one when lines are added after it.
      const bool ended = i + 1 == before.size() && before[i].end == LineInfo::End::None && after.size() > before.size();
      if (after[i].bytes != before[i].bytes || (after[i].end != before[i].end && !ended)) std::abort();
    } else if (!after[i].bytes.empty()) {
      std::abort();  // the lines padded in are empty
    }
  }
  return 0;
}
