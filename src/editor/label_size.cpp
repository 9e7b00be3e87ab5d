#include "editor/label_size.h"

#include <cstdint>

#include "base/utf8.h"
#include "base/code_page.h"

namespace tavlin {

namespace {

struct LabelFont {
  std::string_view face;
  int hundredthsOfPoint;
  bool bold;
};

struct PageMetrics {
  std::uint16_t codePage;
  std::uint8_t font;  // into kFonts
  std::uint8_t height;
  std::uint8_t control;  // a byte below 0x20 draws the missing glyph
  std::uint8_t wide;     // a two-byte character, estimated as an ideograph's advance (an em)
  std::uint8_t low;      // into kLow, the advances of 0x20-0x7f
  std::uint8_t high;     // into kHigh, those of 0x80-0xff
  // Into kMasks, where bit b of word w stands for byte 0x80 + 32 w + b; -1
  // for none: the bytes that begin a two-byte character, and those whose
  // letter the font file lacks (the advance is the glyph drawn instead).
  std::int8_t leads;
  std::int8_t guessed;
};

#include "label_fonts.inc"

constexpr int kUtf8 = 65001;

const PageMetrics* MetricsOf(int codePage, int font) {
  for (const PageMetrics& m : kMetrics)
    if (m.codePage == codePage && m.font == font) return &m;
  return nullptr;
}

bool InMask(int mask, unsigned char b) {
  return mask >= 0 && b >= 0x80 && (kMasks[mask][(b - 0x80) / 32] >> (b % 32) & 1);
}

int AdvanceOf(const PageMetrics& m, unsigned char b) {
  return b < 0x20 ? m.control : b < 0x80 ? kLow[m.low][b - 0x20] : kHigh[m.high][b - 0x80];
}

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsCombining(char32_t c) {
  return (c >= 0x300 && c <= 0x36F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

// UTF-8 is measured in Windows-1252's fonts; a character beyond that code
// page is guessed: an em if East Asian and wide, nothing if a combining mark,
// else as wide as an 'n'.
int Utf8Advance(const PageMetrics& m, std::string_view utf8, char32_t c, bool& approximate) {
  if (const auto b = CodePage::Get(1252)->ToBytes(utf8).bytes; b && b->size() == 1)
    return AdvanceOf(m, static_cast<unsigned char>((*b)[0]));
  approximate = true;
  return IsWide(c) ? m.wide : IsCombining(c) ? 0 : AdvanceOf(m, 'n');
}

}  // namespace

std::optional<LabelSize> LabelSizeOf(const FontDesign& font, std::string_view caption, int codePage) {
  int index = 0;
  while (index < static_cast<int>(std::size(kFonts)) &&
         (kFonts[index].face != font.face || kFonts[index].hundredthsOfPoint != font.hundredthsOfPoint ||
          kFonts[index].bold != font.bold))
    ++index;
  if (index == static_cast<int>(std::size(kFonts))) return std::nullopt;
  const bool utf8 = codePage == kUtf8;
  const PageMetrics* m = MetricsOf(codePage, index);
  LabelSize size{0, 0, !m && !utf8};  // a page without metrics is measured as Windows-1252
  if (!m) m = MetricsOf(1252, index);
  size.height = m->height;
  for (std::size_t i = 0; i < caption.size();) {
    // An ampersand underlines the next character instead of being drawn
    // ("&&" draws one); a last one is drawn.
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    const auto b = static_cast<unsigned char>(caption[i]);
    if (utf8 && b >= 0x80) {
      const std::size_t start = i;
      if (const auto c = NextUtf8(caption, i)) {
        size.width += Utf8Advance(*m, caption.substr(start, i - start), *c, size.approximate);
        continue;
      }
      size.approximate = true;  // not UTF-8: Windows draws the replacement character
      size.width += m->control;
    } else if (InMask(m->leads, b)) {
      size.approximate = true;
      if (i + 1 < caption.size()) {  // the next byte is its second, whatever it is
        size.width += m->wide;
        i += 2;
        continue;
      }
      size.width += AdvanceOf(*m, b);
    } else {
      size.approximate |= InMask(m->guessed, b);
      size.width += AdvanceOf(*m, b);
    }
    ++i;
  }
  return size;
}

}  // namespace tavlin
