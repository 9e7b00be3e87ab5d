// What the parts of the checker share: where findings go, and the words
// they say more than once.
#pragma once

#include <string>
#include <string_view>

#include "base/code_page.h"
#include "check/disc_index.h"
#include "check/menu_check.h"

namespace tavlin {

inline constexpr std::size_t kShownWidth = 60;

inline constexpr char kOtherCase[] = " (other letter case), which a case-sensitive disc or stick will not find";
inline constexpr char kSingleAmpersand[] =
    " has a single &: it underlines the next letter and is not shown; write && for &";
inline constexpr char kNoMenu[] = ": the menu opens with no title and no items";

inline std::string Plural(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

class Findings {
 public:
  explicit Findings(CheckReport& report) : report_(report), page_(*CodePage::Get(report.codePage)) {}
  void Say(Severity s, const std::string& file, long long line, std::string message) {
    report_.findings.push_back({file, line, s, std::move(message)});
  }
  void Warn(const std::string& file, long long line, std::string message) {
    Say(Severity::Warning, file, line, std::move(message));
  }
  CheckReport& report() { return report_; }
  const CodePage& page() const { return page_; }

  // A value of the menu, and a name as the disc spells it, as the map and
  // the messages show them.
  std::string Quoted(std::string_view v) const { return EscapedValue(v, kShownWidth, page_.Number()); }
  std::string QuotedName(std::string_view name) const { return EscapedName(name, kShownWidth, page_.Number()); }
  // A value of the menu as text, to look its name up on the disc.
  std::string Text(std::string_view v) const { return page_.ToText(v); }

 private:
  CheckReport& report_;
  const CodePage& page_;
};

// The checks of tavlin.ini itself, and of the other files at the root.
void CheckMenuFile(DiscIndex& disc, Findings& out);
void CheckRootFiles(DiscIndex& disc, Findings& out);

}  // namespace tavlin
