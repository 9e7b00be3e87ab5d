// UTF-8 read strictly: no overlong forms, no surrogates, nothing past U+10FFFF.
#pragma once

#include <optional>
#include <string_view>

namespace tavlin {

// The character that starts at s[i], with i moved past it; nullopt, and i
// unmoved, when the bytes there are not well-formed UTF-8.
inline std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return s[i++];
  std::size_t n;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) n = 1, min = 0x80;
  else if (c >= 0xE0 && c <= 0xEF)
    n = 2, min = 0x800;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 3, min = 0x10000;
  else
    return std::nullopt;
  if (i + n >= s.size()) return std::nullopt;
  char32_t cp = c & (0x3F >> n);
  for (std::size_t j = 1; j <= n; ++j) {
    const unsigned char t = static_cast<unsigned char>(s[i + j]);
    if ((t & 0xC0) != 0x80) return std::nullopt;
    cp = cp << 6 | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  i += n + 1;
  return cp;
}

}  // namespace tavlin
