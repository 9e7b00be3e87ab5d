// The checker's report as authors read it: the line map, the findings and
// one line for the whole disc.
#include <algorithm>

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

std::string EscapedValue(std::string_view v, std::size_t width) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (shown >= width) {
      out += "...";
      break;
    }
    const unsigned char c = static_cast<unsigned char>(v[i]);
    if (c == '\t') out += "<tab>";
    else if (c < 0x20 || c >= 0x7F)
      out += std::string("<") + kHex[c >> 4] + kHex[c & 15] + ">";
    else
      out += static_cast<char>(c);
    ++shown;
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
