// The size the program gives a self-sizing label: its caption's width and
// its font's line height, as GDI measures them under Wine (each character's
// advance in whole pixels), so that the preview's labels reach as far as
// the window's whatever fonts the browser has.
#pragma once

#include <optional>
#include <string_view>

#include "platform/design.h"

namespace tavlin {

struct PixelSize {
  int width = 0;
  int height = 0;
};

// Null for a font whose metrics were not taken at build time.
std::optional<PixelSize> LabelSizeOf(const FontDesign& font, std::string_view windows1252Caption);

}  // namespace tavlin
