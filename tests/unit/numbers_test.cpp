// The number rules of lines 2 and 5.
#include <gtest/gtest.h>

#include "menu/numbers.h"

namespace tavlin {
namespace {

// Whole numbers, fractions cut toward zero, blanks around; anything else
// counts as zero, and what is too large for the loop saturates.
TEST(ItemCount, WholeNumbersFractionsAndBlanksAndAnythingElseIsZero) {
  const std::pair<const char*, long long> cases[] = {
      {"0", 0},     {"2", 2},   {"1000", 1000}, {"1500", 1500}, {"-3", -3},
      {"-0", 0},    {"2.9", 2}, {"-2.9", -2},   {" 7 ", 7},     {"2147483648", 2147483648LL},
      {"\t7\t", 7}, {"007", 7}, {"5.", 5},      {".5", 0},
  };
  for (auto [text, want] : cases) EXPECT_EQ(ItemCountValue(std::string(text)), want) << '"' << text << '"';
  EXPECT_EQ(ItemCountValue(std::nullopt), 0);
  for (const char* text : {"", " ", "abc", "1e3", "0x10", "  12abc", "+5", "1 2", "--1", "-", ".", "1.2.3", "١"})
    EXPECT_EQ(ItemCountValue(std::string(text)), 0) << '"' << text << '"';
  EXPECT_GT(ItemCountValue(std::string("99999999999999999999999999")), 1000);
  EXPECT_LT(ItemCountValue(std::string("-99999999999999999999999999")), 0);
}

// Rounded half to even; outside sixteen bits or not a number, it fails.
TEST(ColorNumber, RoundsHalfToEvenWithinSixteenBits) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0},         {"15", 15},         {"14.5", 14},       {"13.5", 14},         {"14.4", 14}, {"14.51", 15},
      {"14.50", 14},    {"0.5", 0},         {"1.5", 2},         {"-0.5", 0},          {"-1.5", -2}, {" 7 ", 7},
      {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767}, {"-32768.5", -32768},
  };
  for (auto [text, want] : cases) EXPECT_EQ(ColorNumber(text), want) << '"' << text << '"';
  for (const char* text : {"32768", "40000", "-32769", "32767.5", "99999999999999999999", "18446744073709551615.5", "",
                           "abc", "1e1", "0x0F", "7 7"})
    EXPECT_EQ(ColorNumber(text), std::nullopt) << '"' << text << '"';
}

TEST(TitleColor, TheSixteenColoursAndTheFailures) {
  EXPECT_EQ(TitleColor(std::nullopt), (Rgb{0, 0, 0}));  // unset counts as black
  const std::pair<const char*, Rgb> colours[] = {{"0", {0, 0, 0}},        {"7", {192, 192, 192}},
                                                 {"9", {0, 0, 255}},      {"14", {255, 255, 0}},
                                                 {"14.5", {255, 255, 0}}, {"15", {255, 255, 255}}};
  for (auto [text, want] : colours) EXPECT_EQ(TitleColor(std::string(text)), want) << text;
  for (const char* text : {"-1", "16", "15.5", "40000", "abc", ""})
    EXPECT_EQ(TitleColor(std::string(text)), std::nullopt) << '"' << text << '"';
}

}  // namespace
}  // namespace tavlin
