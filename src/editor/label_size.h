// The size the program gives a self-sizing label: its caption's width and
// its font's line height, as GDI measures them under Wine in a locale of the
// menu's code page (each character's advance in whole pixels, in the font
// Wine draws that face with there), so that the preview's labels reach as
// far as the window's whatever fonts the browser has.
#pragma once

#include <optional>
#include <string_view>

#include "platform/design.h"

namespace tavlin {

struct LabelSize {
  int width = 0;
  int height = 0;
  // Not what Windows will show: a caption with characters whose advances
  // are estimates (two-byte characters, UTF-8 beyond Windows-1252, a code
  // page without metrics, measured as Windows-1252), or whose letters the
  // font file Wine draws with lacks, so that it measures the box or other
  // letter Wine draws (Hebrew, Arabic and Thai in its MS Sans Serif).
  bool approximate = false;
};

// `caption` holds the menu's bytes in `codePage` (874, 1250 to 1258, 932,
// 936, 949, 950, or 65001 for UTF-8). Null only for a font whose metrics
// were not taken at build time.
std::optional<LabelSize> LabelSizeOf(const FontDesign& font, std::string_view caption, int codePage);

}  // namespace tavlin
