// A colour as red, green and blue, 0 to 255 each: the menu's colour numbers
// stand for these, and the design tables give them to the controls.
#pragma once

#include <cstdint>

namespace tavlin {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
};

}  // namespace tavlin
