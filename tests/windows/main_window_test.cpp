// The main window as a disc's user first sees it, and its background.
#include "harness.h"

namespace wt {
namespace {

constexpr RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }
bool SkyBlue(Rgb p) { return p.b > p.r + 20 && p.b > 100; }

using ExampleDisc = DiscTest;

TEST_F(ExampleDisc, ShowsItsMenuInTheFileColours) {
  ASSERT_NE(StartExampleDisc(), nullptr);
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Install", "Read me"}));
  const std::pair<int, const char*> texts[] = {{kLabel6, "Welcome to the disc"},
                                               {kLabel1, "Application"},
                                               {kLabel2, "Folder"},
                                               {kLabel4, "Information"},
                                               {kLabel5, "Description"},
                                               {kText4, "Choose an item from the list."},
                                               {kCommand1, "Click"},
                                               {kText1, ""},
                                               {kText3, ""}};
  for (auto [id, text] : texts) EXPECT_EQ(Text(id), text) << id;
  EXPECT_EQ(FocusOf(main), Ctl(kList1));
  // The file field is marked x: its label and box are gone, nothing else.
  for (int id : {kList1, kCommand1, kText1, kText3, kText4, kLabel1, kLabel6, kLabel2, kLabel4, kLabel5, kLabel7})
    EXPECT_TRUE(Shown(id)) << id;
  EXPECT_FALSE(Shown(kLabel3) || Shown(kText2));

  // Line 8 says yes: the field labels take the title's colour; the web line is no field label.
  for (int id : {kLabel1, kLabel2, kLabel4, kLabel5}) EXPECT_GT(Pixels(id).Count(kLightYellow), 5) << id;
  const Capture link = Pixels(kLabel7);
  EXPECT_EQ(link.Count(kLightYellow), 0) << link.Summary();
  EXPECT_GT(link.Count(kFieldLabelGrey), 5) << link.Summary();
  // The title's letters stand on the built-in sky.
  const Capture title = Pixels(kLabel6);
  EXPECT_GT(title.Count(kLightYellow), 100) << title.Summary();
  EXPECT_GT(title.Share(SkyBlue), 0.3) << title.Summary();
}

TEST_F(ExampleDisc, ControlsLieWhereTheyWereDesigned) {
  ASSERT_NE(StartExampleDisc(), nullptr);
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
  struct Label {
    int id;
    POINT at;
    const char* face;
    int size;
    bool bold;
  };
  const Label labels[] = {
      {kLabel1, {20, 68}, "MS Sans Serif", 825, false},  {kLabel6, {167, 16}, "Arial", 2025, true},
      {kLabel2, {20, 220}, "MS Sans Serif", 825, false}, {kLabel3, {223, 220}, "MS Sans Serif", 825, false},
      {kLabel4, {20, 260}, "MS Sans Serif", 825, false}, {kLabel5, {20, 300}, "Arial", 825, false}};
  for (const Label& l : labels) {
    const RECT r = InParent(Ctl(l.id));
    const SIZE text = TextExtent(Text(l.id), l.face, l.size, l.bold);
    EXPECT_EQ(r.left, l.at.x) << l.id;
    EXPECT_EQ(r.top, l.at.y) << l.id;
    EXPECT_EQ(Width(r), text.cx) << l.id << " \"" << Text(l.id) << "\"";
    EXPECT_EQ(Height(r), text.cy) << l.id;
  }
}

TEST_F(ExampleDisc, CentredWithItsDesignedFrame) {
  ASSERT_NE(StartExampleDisc(), nullptr);
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(ClientSize(main).cx, 400);
  EXPECT_EQ(ClientSize(main).cy, 375);
  EXPECT_TRUE(Centred(main)) << ToString(OnScreen(main));
  // A resizable frame and a title bar with minimize and close but no maximize.
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX);
}

// menupic.jpg: a picture replaces the built-in background, unscaled from the
// top left (cut at the window's edges); one that is no picture keeps it.
struct BackgroundCase {
  const char* name;
  std::function<void(const TempFolder&)> make;
  Rgb colour{};  // black: the built-in background stays
  int width = 0, height = 0, tolerance = 0;
};

class Background : public DiscTest, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(Background, IsDrawnFromTheTopLeftOrKeepsTheBuiltInOne) {
  const BackgroundCase& c = GetParam();
  c.make(disc);
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  Settle(main);
  const int w = std::min(c.width, 400), h = std::min(c.height, 375);
  if (c.colour == Rgb{}) {
    // Blue sky at the top beside the controls, pale grass near the bottom, no plain window colour.
    const Capture sky = Capture::Client(main, Box(250, 55, 140, 30)),
                  grass = Capture::Client(main, Box(200, 340, 150, 20));
    EXPECT_GT(sky.Share(SkyBlue), 0.5) << sky.Summary();
    EXPECT_EQ(sky.Count(SysColour(COLOR_BTNFACE)), 0) << sky.Summary();
    EXPECT_GT(grass.Share([](Rgb p) { return p.r > p.b + 20 && p.g > p.b; }), 0.5) << grass.Summary();
    return;
  }
  // Along the top and down the left, clear of the controls, the picture to its last pixel ...
  const Capture top = Capture::Client(main, Box(0, 0, w, 14)), left = Capture::Client(main, Box(0, 0, 18, h));
  EXPECT_TRUE(top.All(c.colour, c.tolerance)) << top.Summary();
  EXPECT_TRUE(left.All(c.colour, c.tolerance)) << left.Summary();
  // ... and beyond it the window's own colour.
  const Capture right = Capture::Client(main, Box(w, 0, 400 - w, 14)),
                below = Capture::Client(main, Box(0, h, 18, 375 - h));
  EXPECT_TRUE(right.All(SysColour(COLOR_BTNFACE))) << right.Summary();
  EXPECT_TRUE(below.All(SysColour(COLOR_BTNFACE))) << below.Summary();
  const Capture all = Capture::Client(main);
  EXPECT_EQ(all.Count(kGreen), 0) << "what lies beyond the window shows: " << all.Summary();
}

INSTANTIATE_TEST_SUITE_P(
    Files, Background,
    ::testing::Values(
        BackgroundCase{"None", [](const TempFolder&) {}},
        BackgroundCase{"Jpeg", [](const TempFolder& d) { d.Write("menupic.jpg", SolidJpeg()); }, kSolidJpegColor, 120,
                       60, 6},
        BackgroundCase{"BmpByContent", [](const TempFolder& d) { d.Write("menupic.jpg", Bmp(120, 80, kMagenta)); },
                       kMagenta, 120, 80, 0},
        BackgroundCase{"LargerThanTheWindow",
                       [](const TempFolder& d) {
                         d.Write("menupic.jpg",
                                 Bmp(600, 500, [](int x, int y) { return x < 400 && y < 375 ? kMagenta : kGreen; }));
                       },
                       kMagenta, 600, 500, 0},
        BackgroundCase{"TextFile", [](const TempFolder& d) { d.Write("menupic.jpg", "This is not a picture.\r\n"); }},
        BackgroundCase{"Folder", [](const TempFolder& d) { d.MakeFolder("menupic.jpg"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Labels paint as if they had no window of their own: the picture shows
// around their letters, and a caption grown wide enough to reach over its
// neighbour lets the neighbour show through; a label hidden leaves nothing.
TEST_F(DiscTest, LabelsLetThePictureAndEachOtherShowThrough) {
  disc.Write("menupic.jpg", Bmp(400, 375, kMagenta));
  MenuFile f = MenuFile::Example();
  f.Line(15) = "Path" + std::string(100, ' ');
  f.Line(16) = "Filename";
  ASSERT_NE(Start(f), nullptr);
  for (int id : {kLabel1, kLabel6, kLabel2, kLabel3, kLabel4, kLabel5, kLabel7}) {
    const Capture label = Pixels(id);
    EXPECT_GT(label.Share([](Rgb p) { return p == kMagenta; }), 0.4) << id << " " << label.Summary();
    EXPECT_EQ(label.Count(SysColour(COLOR_BTNFACE)), 0) << id << " " << label.Summary();
  }
  const RECT path = InParent(Ctl(kLabel2)), file = InParent(Ctl(kLabel3));
  ASSERT_GE(path.right, file.right) << ToString(path) << " " << ToString(file);
  EXPECT_GT(Pixels(kLabel3).Count(kLightYellow), 20) << Pixels(kLabel3).Summary();

  f.Line(16) = "x";
  End();
  ASSERT_NE(Start(f), nullptr);
  const Capture gone = Capture::Client(main, file);
  EXPECT_TRUE(gone.All(kMagenta)) << gone.Summary();
}

}  // namespace
}  // namespace wt
