// What the Wine check of label sizes cannot show: how a caption's bytes are
// cut into characters where a character takes more than one byte, and the
// estimates flagged as such.
#include <gtest/gtest.h>

#include "editor/label_size.h"

namespace tavlin {
namespace {

int Width(std::string_view caption, int codePage, const FontDesign& font = kArial) {
  return LabelSizeOf(font, caption, codePage).value().width;
}

bool Approximate(std::string_view caption, int codePage) {
  return LabelSizeOf(kArial, caption, codePage).value().approximate;
}

// Faults: a two-byte character measured as two, its second byte taken for an
// ampersand or a letter of its own, or an ampersand before it that eats
// only its first byte.
TEST(LabelSize, ATwoByteCharacterIsOneWhateverItsSecondByte) {
  for (const FontDesign& font : {kMsSansSerif, kArial}) {
    const int one = Width("\x90\xe0", 932, font);  // one ideograph
    EXPECT_EQ(Width("\x90\xe0\x96\xbe", 932, font), 2 * one);
    EXPECT_EQ(Width("\x83\x41", 932, font), one);  // its second byte is an 'A'
    EXPECT_NE(one, Width("\x90", 932, font) + Width("\xe0", 932, font));
    EXPECT_EQ(Width("&\x90\xe0", 932, font), one);
    EXPECT_EQ(Width("\x90&A", 932, font), one + Width("A", 932, font));  // '&' as a second byte is no prefix
    EXPECT_EQ(Width("\xa4\xa4&&", 950, font), one + Width("&", 950, font));
  }
  EXPECT_FALSE(Approximate("Setup 2.0 & more", 936));
  EXPECT_TRUE(Approximate("Setup \xb0\xb2\xd7\xb0", 936));
}

// Faults: UTF-8 measured byte by byte, a page without metrics giving no
// size, or guesses not flagged.
TEST(LabelSize, Utf8AndPagesWithoutMetricsAreMeasuredAsWindows1252AndGuessesFlagged) {
  EXPECT_EQ(Width("Caf\xc3\xa9 \xe2\x80\x94 \xe2\x82\xac", 65001), Width("Caf\xe9 \x97 \x80", 1252));
  EXPECT_FALSE(Approximate("Caf\xc3\xa9 \xe2\x82\xac", 65001));
  const int ideograph = Width("\xe8\xaa\xac", 65001);
  EXPECT_EQ(Width("\xe8\xaa\xac\xe6\x98\x8e", 65001), 2 * ideograph);
  EXPECT_GT(ideograph, Width("n", 65001));
  EXPECT_TRUE(Approximate("\xe8\xaa\xac", 65001));
  EXPECT_TRUE(Approximate("A\xff", 65001));  // not UTF-8
  EXPECT_EQ(Width("Caf\xe9", 437), Width("Caf\xe9", 1252));
  EXPECT_TRUE(Approximate("Cafe", 437));
  EXPECT_EQ(LabelSizeOf(FontDesign{"Tahoma", 825, false}, "Cafe", 1252), std::nullopt);
}

}  // namespace
}  // namespace tavlin
