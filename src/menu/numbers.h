// The number rules of the menu file: the item count of line 2 and the colour
// number of line 5. Both take the same notation:
//   [blanks] [-] digits [. digits] [blanks]     (blanks: spaces and tabs)
// Anything else is not a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/rgb.h"

namespace tavlin {

// What the notation above makes of a text: nullopt when it is not a number.
struct NumberShape {
  bool fraction = false;  // digits after the point that are not all 0
};
std::optional<NumberShape> ShapeOfNumber(std::string_view text);

// The number of item passes and list entries for a count text. Unset, blank
// or not a number counts as 0; a fraction counts as its whole part; a
// number beyond the range of the count saturates (it is more than 1000).
long long ItemCountValue(const std::optional<std::string>& text);

// The colour number of a text, rounded half to even; nullopt when the text
// is not a number or lies outside a signed 16-bit integer.
std::optional<int> ColorNumber(std::string_view text);

// The sixteen colours 0 to 15 of the title colour, and their names.
std::optional<Rgb> ColorOfNumber(int number);
std::string_view ColorName(int number);  // "" outside 0 to 15

// The colour rule of the title: unset counts as 0 (black); nullopt means
// the colour step fails and the label keeps its colour.
std::optional<Rgb> TitleColor(const std::optional<std::string>& titleColorIndex);

}  // namespace tavlin
