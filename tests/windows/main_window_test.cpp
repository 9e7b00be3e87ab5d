// The main window as a disc's user first sees it, and what each line of
// tavlin.ini does to it, including the files a disc author gets wrong.
#include "harness.h"

namespace wt {
namespace {

TEST_F(DiscTest, ExampleDiscShowsItsMenuAsDesigned) {
  ASSERT_NE(StartExampleDisc(), nullptr);
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Install", "Read me"}));
  std::vector<std::string> texts;
  for (int id : {kLabel6, kLabel1, kLabel2, kLabel4, kLabel5, kText4, kCommand1, kText1, kText3})
    texts.push_back(Text(id));
  EXPECT_EQ(texts, (std::vector<std::string>{"Welcome to the disc", "Application", "Folder", "Information",
                                             "Description", "Choose an item from the list.", "Click", "", ""}));
  EXPECT_EQ(FocusOf(main), Ctl(kList1));
  // The file field is marked x: its label and box are gone, nothing else.
  for (int id : {kList1, kCommand1, kText1, kText3, kText4, kLabel1, kLabel6, kLabel2, kLabel4, kLabel5, kLabel7})
    EXPECT_TRUE(Shown(id)) << id;
  EXPECT_FALSE(Shown(kLabel3) || Shown(kText2));

  // Centred on the screen, with its client area, a resizable frame, and a
  // title bar with minimize and close but no maximize.
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_TRUE(Centred(main)) << ToString(OnScreen(main));
  EXPECT_EQ(ClientSize(main).cx, 400);
  EXPECT_EQ(ClientSize(main).cy, 375);
  EXPECT_EQ(
      GetWindowLongA(main, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
      WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX);

  // Controls whose size is designed, not taken from their text.
  const std::pair<int, RECT> fixed[] = {{kList1, Box(20, 84, 193, 121)}, {kCommand1, Box(264, 124, 73, 41)},
                                        {kText1, Box(20, 236, 150, 19)}, {kText2, Box(223, 236, 150, 19)},
                                        {kText3, Box(20, 276, 353, 19)}, {kText4, Box(20, 316, 353, 19)},
                                        {kLabel7, Box(20, 352, 111, 15)}};
  for (const auto& [id, designed] : fixed) {
    const RECT r = InParent(Ctl(id));
    EXPECT_TRUE(EqualRect(&r, &designed)) << id << " is at " << ToString(r) << ", designed " << ToString(designed);
  }
  // Labels take the size of their caption in their font (a hidden one keeps its design caption).
  const tavlin::FontDesign sans{"MS Sans Serif", 825, false}, arial{"Arial", 825, false}, title{"Arial", 2025, true};
  const std::tuple<int, POINT, tavlin::FontDesign> labels[] = {{kLabel1, {20, 68}, sans},  {kLabel6, {167, 16}, title},
                                                               {kLabel2, {20, 220}, sans}, {kLabel3, {223, 220}, sans},
                                                               {kLabel4, {20, 260}, sans}, {kLabel5, {20, 300}, arial}};
  for (const auto& [id, at, font] : labels) {
    const RECT r = InParent(Ctl(id));
    const SIZE text = TextExtent(Text(id), font);
    EXPECT_EQ(r.left, at.x) << id;
    EXPECT_EQ(r.top, at.y) << id;
    EXPECT_EQ(Width(r), text.cx) << id << " \"" << Text(id) << "\"";
    EXPECT_EQ(Height(r), text.cy) << id;
  }
}

TEST_F(DiscTest, WithoutTavlinIniTheWindowOpensEmpty) {
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  for (int id : {kLabel1, kLabel6, kLabel2, kLabel3, kLabel4, kLabel5}) {
    EXPECT_EQ(Text(id), "") << id;
    EXPECT_TRUE(Shown(id)) << id;
    EXPECT_EQ(Width(InParent(Ctl(id))), 0) << id;
  }
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(Text(kCommand1), "Click");
  EXPECT_EQ(Text(kText4), "");
  // Nothing of the design title "Title" in dark red is left at the top.
  const Capture top = Capture::Client(main, RECT{0, 0, 400, 60});
  EXPECT_EQ(top.Count(kTitleRed), 0) << top.Summary();
}

// Line 2 alone sets the number of entries, up to a thousand; an entry
// without a block is empty.
struct CountCase {
  const char* name;
  int count, blocks;
  std::size_t lines;  // the file cut after so many lines; 0: whole
};

class EntryCount : public DiscTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(EntryCount, GivesTheEntries) {
  const CountCase& c = GetParam();
  MenuFile f = MenuFile::Example();
  f.Line(2) = std::to_string(c.count);
  f.items.clear();
  for (int k = 1; k <= c.blocks; ++k) {
    const std::string n = std::to_string(k);
    f.items.push_back({"Item " + n, "folder" + n, "file" + n, "Go " + n, "Info " + n, "About " + n});
  }
  Write("tavlin.ini", c.lines ? f.FirstLines(c.lines) : f.Text());
  ASSERT_NE(Start(), nullptr);
  std::vector<std::string> expected;
  for (int k = 1; k <= std::min(c.count, 1000); ++k)
    expected.push_back(k <= c.blocks ? "Item " + std::to_string(k) : "");
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(Text(kLabel6), c.lines ? "" : "Welcome to the disc");
}

INSTANTIATE_TEST_SUITE_P(Lines, EntryCount,
                         ::testing::Values(CountCase{"FileOfFourLines", 3, 0, 4}, CountCase{"BeyondTheBlocks", 5, 3, 0},
                                           CountCase{"AThousandAtMost", 1500, 1500, 0}),
                         ByName);

// "x" in any case on lines 15 to 18 hides a field with its label; with a
// blank it is a caption. A hidden field still gets its value.
class HideMarker : public DiscTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HideMarker, HidesEachFieldWithItsLabelOnlyWhenExact) {
  const std::string value = GetParam();
  const bool hides = value == "x" || value == "X";
  MenuFile f = MenuFile::Example();
  for (int line : {15, 16, 17, 18}) f.Line(line) = value;
  ASSERT_NE(Start(f), nullptr);
  const std::pair<int, int> fields[] = {{kLabel2, kText1}, {kLabel3, kText2}, {kLabel4, kText3}, {kLabel5, kText4}};
  for (auto [label, field] : fields) {
    EXPECT_EQ(Shown(label), !hides) << label;
    EXPECT_EQ(Shown(field), !hides) << field;
    if (!hides) {
      EXPECT_EQ(Text(label), value) << label;
    }
  }
  EXPECT_TRUE(Shown(kLabel1) && Shown(kList1));  // the heading and the list are no field
  EXPECT_EQ(Text(kText4), "Choose an item from the list.");
}

INSTANTIATE_TEST_SUITE_P(Lines, HideMarker, ::testing::Values("X", " x"));

// Line 5 colours the title (a number 0 to 15, rounded half to even; anything
// else keeps the design's dark red), and "yes" in any case on line 8 the
// field labels too; otherwise they keep their grey.
struct ColourCase {
  const char* name;
  const char *line5, *line8;
  Rgb title;
  bool labels;
};

class Colour : public DiscTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(Colour, OfTheTitleAndTheFieldLabels) {
  const ColourCase& c = GetParam();
  MenuFile f = MenuFile::Example();
  f.Line(5) = c.line5;
  f.Line(8) = c.line8;
  f.Line(11) = "Colour";
  f.Line(16) = "File";  // every field label shown
  ASSERT_NE(Start(f), nullptr);
  const Capture title = Pixels(kLabel6);
  EXPECT_GT(title.Count(c.title), 100) << title.Summary();
  for (Rgb other : {kLightYellow, kTitleRed, Rgb{255, 0, 0}, Rgb{0, 0, 128}})
    if (!(other == c.title)) {
      EXPECT_EQ(title.Count(other), 0) << ToString(other) << " " << title.Summary();
    }
  for (int id : {kLabel1, kLabel2, kLabel3, kLabel4, kLabel5}) {
    const Capture label = Pixels(id);
    if (c.labels) {
      EXPECT_GT(label.Count(c.title), 5) << id << " " << label.Summary();
    } else {
      EXPECT_EQ(label.Count(c.title), 0) << id << " " << label.Summary();
      EXPECT_GT(label.Count(kFieldLabelGrey), 5) << id << " " << label.Summary();
    }
  }
  // The web line is no field label: it keeps its grey.
  const Capture link = Pixels(kLabel7);
  EXPECT_EQ(link.Count(c.title), 0) << link.Summary();
  EXPECT_GT(link.Count(kFieldLabelGrey), 5) << link.Summary();
}

// The rules for the number and the flag are the core's, tested against the
// fake; here, that each way of colouring reaches the screen.
INSTANTIATE_TEST_SUITE_P(Lines, Colour,
                         ::testing::Values(ColourCase{"Yes", "14", "Yes", kLightYellow, true},
                                           ColourCase{"NoFlag", "14", "yes.", kLightYellow, false},
                                           ColourCase{"Twelve_LightRed", "12", "no", {255, 0, 0}, false},
                                           ColourCase{"One_Blue", "1", "no", {0, 0, 128}, false},
                                           ColourCase{"Sixteen_KeepsDesignRed", "16", "no", kTitleRed, false}),
                         ByName);

}  // namespace
}  // namespace wt
