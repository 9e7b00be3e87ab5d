// ASCII letter case and blanks. The words the menu compares with ("x",
// "yes") are ASCII, and no letter of an ANSI code page lowers to an ASCII
// letter, so ASCII lowering decides those comparisons exactly; Windows'
// file names fold the same way for the names a menu can hold.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace tavlin {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// Blanks as the number notation and the checker know them: space and tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace tavlin
