// What the lines of tavlin.ini do to the window, including the files a disc
// author gets wrong.
#include <cctype>

#include "fixture.h"

namespace wt {
namespace {

using MenuFileWindow = DiscTest;

MenuFile Numbered(int count, int blocks) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = std::to_string(count);
  f.items.clear();
  for (int k = 1; k <= blocks; ++k) {
    const std::string n = std::to_string(k);
    f.items.push_back({"Item " + n, "folder" + n, "file" + n, "Go " + n, "Info " + n, "About " + n});
  }
  return f;
}

TEST_F(MenuFileWindow, WithoutTavlinIniTheWindowOpensEmpty) {
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  for (int id : {kLabel1, kLabel6, kLabel2, kLabel3, kLabel4, kLabel5}) {
    EXPECT_EQ(Text(id), "") << id;
    EXPECT_TRUE(Visible(Ctl(id))) << id;
    EXPECT_EQ(Width(InParent(Ctl(id))), 0) << id;
  }
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(Text(kCommand1), "Click");
  EXPECT_EQ(Text(kText4), "");
  // Nothing of the design title "Title" in dark red is left at the top.
  const Capture top = Capture::Client(main, RECT{0, 0, 400, 60});
  EXPECT_EQ(top.Count(kTitleRed), 0) << top.Summary();
}

// A file shorter than five lines has no title, so the black title colour it
// implies cannot be seen; what can be seen is that line 2 alone sets the count.
TEST_F(MenuFileWindow, FileOfFourLinesGivesCountedEmptyEntriesAndNoTitle) {
  disc.Write("tavlin.ini", "menu\r\n3\r\nnote\r\nnote\r\n");
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Text(kLabel6), "");
  EXPECT_EQ(Text(kLabel1), "");
  const Capture top = Capture::Client(main, RECT{0, 0, 400, 60});
  EXPECT_EQ(top.Count(kTitleRed), 0) << top.Summary();
}

TEST_F(MenuFileWindow, CountBeyondTheBlocksGivesEmptyEntries) {
  ASSERT_NE(Start(Numbered(5, 3)), nullptr);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Item 1", "Item 2", "Item 3", "", ""}));
}

TEST_F(MenuFileWindow, CountBelowTheBlocksIgnoresTheRest) {
  ASSERT_NE(Start(Numbered(2, 4)), nullptr);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Item 1", "Item 2"}));
}

TEST_F(MenuFileWindow, NoMoreThanAThousandEntries) {
  ASSERT_NE(Start(Numbered(1500, 1500)), nullptr);
  const auto entries = Entries();
  ASSERT_EQ(entries.size(), 1000u);
  EXPECT_EQ(entries.front(), "Item 1");
  EXPECT_EQ(entries[499], "Item 500");
  EXPECT_EQ(entries.back(), "Item 1000");
}

TEST_F(MenuFileWindow, UpperCaseXHidesAField) {
  MenuFile f = MenuFile::Example();
  f.Line(16) = "X";
  ASSERT_NE(Start(f), nullptr);
  EXPECT_FALSE(Visible(Ctl(kLabel3)));
  EXPECT_FALSE(Visible(Ctl(kText2)));
}

TEST_F(MenuFileWindow, XWithABlankIsACaption) {
  MenuFile f = MenuFile::Example();
  f.Line(16) = " x";
  ASSERT_NE(Start(f), nullptr);
  EXPECT_TRUE(Visible(Ctl(kLabel3)));
  EXPECT_TRUE(Visible(Ctl(kText2)));
  EXPECT_EQ(Text(kLabel3), " x");
}

TEST_F(MenuFileWindow, XHidesEachFieldWithItsLabel) {
  MenuFile f = MenuFile::Example();
  for (int line : {15, 16, 17, 18}) f.Line(line) = "x";
  ASSERT_NE(Start(f), nullptr);
  for (int id : {kLabel2, kText1, kLabel3, kText2, kLabel4, kText3, kLabel5, kText4})
    EXPECT_FALSE(Visible(Ctl(id))) << id;
  // The heading and the list are no field.
  EXPECT_TRUE(Visible(Ctl(kLabel1)));
  EXPECT_TRUE(Visible(Ctl(kList1)));
  // A hidden description box still gets its text.
  EXPECT_EQ(Text(kText4), "Choose an item from the list.");
}

struct FlagCase {
  const char* line8;
  bool coloured;
};
void PrintTo(const FlagCase& c, std::ostream* os) {
  *os << "line 8 \"" << c.line8 << "\" " << (c.coloured ? "colours" : "does not colour");
}

class LabelColourFlag : public DiscTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(LabelColourFlag, ColoursTheFieldLabelsOnlyForYes) {
  MenuFile f = MenuFile::Example();
  f.Line(8) = GetParam().line8;
  f.Line(16) = "File";  // every field label shown
  ASSERT_NE(Start(f), nullptr);
  const bool coloured = GetParam().coloured;
  for (int id : {kLabel1, kLabel2, kLabel3, kLabel4, kLabel5}) {
    const Capture label = Pixels(id);
    if (coloured) {
      EXPECT_GT(label.Count(kLightYellow), 5) << id << " " << label.Summary();
    } else {
      EXPECT_EQ(label.Count(kLightYellow), 0) << id << " " << label.Summary();
      EXPECT_GT(label.Count(kFieldLabelGrey), 5) << id << " " << label.Summary();
    }
  }
  // The title takes the colour either way.
  EXPECT_GT(Pixels(kLabel6).Count(kLightYellow), 100);
}

INSTANTIATE_TEST_SUITE_P(Flags, LabelColourFlag,
                         ::testing::Values(FlagCase{"yes", true}, FlagCase{"Yes", true}, FlagCase{"YES", true},
                                           FlagCase{"y", false}, FlagCase{"yes.", false}, FlagCase{" yes", false},
                                           FlagCase{"", false}),
                         [](const auto& info) {
                           std::string name;
                           for (char c : std::string(info.param.line8))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return "Flag_" + name + "_" + std::to_string(info.index);
                         });

struct TitleColourCase {
  const char* name;
  const char* line5;
  Rgb shown;
};

void PrintTo(const TitleColourCase& c, std::ostream* os) {
  *os << "line 5 \"" << c.line5 << "\" shows " << ToString(c.shown);
}

class TitleColour : public DiscTest, public ::testing::WithParamInterface<TitleColourCase> {};

TEST_P(TitleColour, TitleIsDrawnInTheColourOfLineFive) {
  MenuFile f = MenuFile::Example();
  f.Line(5) = GetParam().line5;
  f.Line(8) = "no";
  f.Line(11) = "Colour";
  ASSERT_NE(Start(f), nullptr);
  const Capture title = Pixels(kLabel6);
  EXPECT_GT(title.Count(GetParam().shown), 100) << title.Summary();
  // And in no other of the colours tried here.
  for (Rgb other : {kLightYellow, kTitleRed, Rgb{255, 0, 0}, Rgb{0, 0, 128}})
    if (!(other == GetParam().shown)) {
      EXPECT_EQ(title.Count(other), 0) << ToString(other) << " " << title.Summary();
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, TitleColour,
                         ::testing::Values(TitleColourCase{"Fourteen_LightYellow", "14", kLightYellow},
                                           TitleColourCase{"Twelve_LightRed", "12", {255, 0, 0}},
                                           TitleColourCase{"One_Blue", "1", {0, 0, 128}},
                                           TitleColourCase{"ThirteenAndAHalf_RoundsToEven14", "13.5", kLightYellow},
                                           TitleColourCase{"Sixteen_KeepsDesignRed", "16", kTitleRed},
                                           TitleColourCase{"MinusOne_KeepsDesignRed", "-1", kTitleRed},
                                           TitleColourCase{"FifteenAndAHalf_RoundsTo16_KeepsDesignRed", "15.5",
                                                           kTitleRed},
                                           TitleColourCase{"Blank_KeepsDesignRed", "", kTitleRed},
                                           TitleColourCase{"Word_KeepsDesignRed", "yellow", kTitleRed}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wt
