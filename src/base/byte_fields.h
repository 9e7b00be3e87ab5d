// Fields of binary file headers, read from bytes that the caller has
// checked are there.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavlin {

inline unsigned U8(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }
inline unsigned Be16(std::string_view b, std::size_t i) { return U8(b, i) << 8 | U8(b, i + 1); }
inline unsigned Le16(std::string_view b, std::size_t i) { return U8(b, i) | U8(b, i + 1) << 8; }
inline std::uint32_t Le32(std::string_view b, std::size_t i) {
  return Le16(b, i) | static_cast<std::uint32_t>(Le16(b, i + 2)) << 16;
}

}  // namespace tavlin
