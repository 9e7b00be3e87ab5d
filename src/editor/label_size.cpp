#include "editor/label_size.h"

#include <array>

namespace tavlin {

namespace {

struct FontMetrics {
  std::string_view face;
  int hundredthsOfPoint;
  bool bold;
  int height;        // tmHeight
  int controlWidth;  // a byte below 0x20 draws the missing glyph
  std::array<unsigned char, 0x100 - 0x20> widths;
};

constexpr FontMetrics kFonts[] = {
#include "label_fonts.inc"
};

}  // namespace

std::optional<PixelSize> LabelSizeOf(const FontDesign& font, std::string_view caption) {
  for (const FontMetrics& m : kFonts) {
    if (m.face != font.face || m.hundredthsOfPoint != font.hundredthsOfPoint || m.bold != font.bold) continue;
    int width = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
      // An ampersand underlines the next character instead of being drawn
      // ("&&" draws one); a last one is drawn.
      if (caption[i] == '&' && i + 1 < caption.size()) ++i;
      const auto b = static_cast<unsigned char>(caption[i]);
      width += b < 0x20 ? m.controlWidth : m.widths[b - 0x20];
    }
    return PixelSize{width, m.height};
  }
  return std::nullopt;
}

}  // namespace tavlin
