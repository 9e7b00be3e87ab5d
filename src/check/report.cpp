// The checker's report as authors read it: the line map, the findings and
// one line for the whole disc.
#include <algorithm>

#include "base/code_page.h"
#include "base/utf8.h"
#include "check/findings.h"

namespace tavlin {

int CheckReport::Count(Severity s) const {
  return static_cast<int>(
      std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

int CheckReport::ExitStatus() const {
  if (Count(Severity::Error)) return 2;
  return findings.empty() ? 0 : 1;
}

namespace {
constexpr char kHex[] = "0123456789abcdef";
}

std::string EscapedValue(std::string_view v, std::size_t width, int codePage) {
  const CodePage* page = CodePage::Get(codePage);
  std::string out = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < v.size();) {
    if (shown >= width) {
      out += "...";
      break;
    }
    const std::size_t n = std::max<std::size_t>(page ? page->CharLength(v, i) : 1, 1);
    for (std::size_t j = i; j < i + n && j < v.size(); ++j) {
      const unsigned char c = static_cast<unsigned char>(v[j]);
      if (c == '\t') out += "<tab>";
      else if (c < 0x20 || c >= 0x7F)
        out += std::string("<") + kHex[c >> 4] + kHex[c & 15] + ">";
      else
        out += static_cast<char>(c);
    }
    i += n;
    ++shown;
  }
  return out + "\"";
}

std::string EscapedName(std::string_view name, std::size_t width, int codePage) {
  const CodePage* page = CodePage::Get(codePage);
  if (page) {
    if (const auto bytes = page->ToBytes(name).bytes) return EscapedValue(*bytes, width, codePage);
  }
  std::string out = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < name.size(); ++shown) {
    if (shown >= width) {
      out += "...";
      break;
    }
    const std::size_t start = i;
    const auto c = NextUtf8(name, i);
    if (!c) {
      out += EscapedValue(name.substr(i++, 1), 1).substr(1, 4);
      continue;
    }
    if (*c >= 0x20 && *c < 0x7F) {
      out += name.substr(start, i - start);
      continue;
    }
    std::string hex;
    for (char32_t v = *c; v || hex.size() < 4; v >>= 4) hex.insert(hex.begin(), "0123456789ABCDEF"[v & 15]);
    out += "<U+" + hex + ">";
  }
  return out + "\"";
}

std::string FormatReport(const CheckReport& r) {
  std::string out;
  if (r.menuRead) {
    out += "tavlin.ini, line by line:\n";
    for (const auto& m : r.map) {
      std::string n = std::to_string(m.number);
      out += std::string(n.size() < 6 ? 6 - n.size() : 0, ' ') + n + "  " + m.field;
      out += std::string(m.field.size() < 30 ? 30 - m.field.size() : 1, ' ') + m.shown + "\n";
    }
    if (r.unlistedLines)
      out += "        (" + Plural(r.unlistedLines, "more line", "more lines") + " after the last item, ignored)\n";
    out += "\n";
  }
  for (const auto& f : r.findings) {
    out += f.file + (f.line ? ":" + std::to_string(f.line) : "") +
           (f.severity == Severity::Error ? ": error: " : ": warning: ") + f.message + "\n";
  }
  if (!r.findings.empty()) out += "\n";
  const int errors = r.Count(Severity::Error), warnings = r.Count(Severity::Warning);
  // One line for the whole disc: the menu's size, then every finding's count.
  out += "tavlin.ini: ";
  if (r.menuRead) out += Plural(r.lineCount, "line", "lines") + ", " + Plural(r.items, "item", "items");
  else
    out += "not read";
  out += "; the disc: ";
  if (!errors && !warnings) out += "clean";
  if (errors) out += Plural(errors, "error", "errors") + (warnings ? ", " : "");
  if (warnings) out += Plural(warnings, "warning", "warnings");
  return out + "\n";
}

}  // namespace tavlin
