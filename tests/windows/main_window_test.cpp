// The main window as a disc's user first sees it.
#include "fixture.h"

namespace wt {
namespace {

struct Designed {
  int id;
  const char* name;
  RECT rect;  // left, top, right, bottom in the client area
};

constexpr RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// Controls whose size is designed, not taken from their text.
const Designed kFixedControls[] = {
    {kList1, "List1", Box(20, 84, 193, 121)},   {kCommand1, "Command1", Box(264, 124, 73, 41)},
    {kText1, "Text1", Box(20, 236, 150, 19)},   {kText2, "Text2", Box(223, 236, 150, 19)},
    {kText3, "Text3", Box(20, 276, 353, 19)},   {kText4, "Text4", Box(20, 316, 353, 19)},
    {kLabel7, "Label7", Box(20, 352, 111, 15)},
};

struct SelfSizing {
  int id;
  const char* name;
  POINT at;
  const char* face;
  int hundredthsOfPoint;
  bool bold;
};

const SelfSizing kLabels[] = {
    {kLabel1, "Label1", {20, 68}, "MS Sans Serif", 825, false},
    {kLabel6, "Label6", {167, 16}, "Arial", 2025, true},
    {kLabel2, "Label2", {20, 220}, "MS Sans Serif", 825, false},
    {kLabel3, "Label3", {223, 220}, "MS Sans Serif", 825, false},
    {kLabel4, "Label4", {20, 260}, "MS Sans Serif", 825, false},
    {kLabel5, "Label5", {20, 300}, "Arial", 825, false},
};

class ExampleDiscWindow : public DiscTest {
 protected:
  void SetUp() override {
    disc.CopyFrom(ExampleDisc());
    ASSERT_NE(StartIn(disc.path(), disc / "tavlin.exe"), nullptr);
  }
};

TEST_F(ExampleDiscWindow, ShowsTheMenuOfTheDisc) {
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  EXPECT_EQ(Text(kLabel6), "Welcome to the disc");
  EXPECT_EQ(Text(kLabel1), "Application");
  EXPECT_EQ(Text(kLabel2), "Folder");
  EXPECT_EQ(Text(kLabel4), "Information");
  EXPECT_EQ(Text(kLabel5), "Description");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Install", "Read me"}));
  EXPECT_EQ(Text(kText4), "Choose an item from the list.");
  EXPECT_EQ(Text(kCommand1), "Click");
  for (int id : {kText1, kText3}) EXPECT_EQ(Text(id), "") << id;
}

TEST_F(ExampleDiscWindow, HidesTheFileFieldMarkedX) {
  EXPECT_FALSE(Visible(Ctl(kLabel3)));
  EXPECT_FALSE(Visible(Ctl(kText2)));
  for (int id : {kList1, kCommand1, kText1, kText3, kText4, kLabel1, kLabel6, kLabel2, kLabel4, kLabel5, kLabel7})
    EXPECT_TRUE(Visible(Ctl(id))) << id;
}

TEST_F(ExampleDiscWindow, TitleAndFieldLabelsAreLightYellow) {
  const Capture title = Pixels(kLabel6);
  EXPECT_GT(title.Count(kLightYellow), 100) << title.Summary();
  for (int id : {kLabel1, kLabel2, kLabel4, kLabel5}) {
    const Capture label = Pixels(id);
    EXPECT_GT(label.Count(kLightYellow), 5) << id << " " << label.Summary();
  }
  // The web address is no field label: it keeps its grey.
  const Capture link = Pixels(kLabel7);
  EXPECT_EQ(link.Count(kLightYellow), 0) << link.Summary();
  EXPECT_GT(link.Count(kFieldLabelGrey), 5) << link.Summary();
}

TEST_F(ExampleDiscWindow, ControlsLieWhereTheyWereDesigned) {
  for (const auto& c : kFixedControls) {
    const RECT r = InParent(Ctl(c.id));
    EXPECT_TRUE(EqualRect(&r, &c.rect)) << c.name << " is at " << ToString(r) << ", designed " << ToString(c.rect);
  }
  for (const auto& l : kLabels) {
    const RECT r = InParent(Ctl(l.id));
    EXPECT_EQ(r.left, l.at.x) << l.name;
    EXPECT_EQ(r.top, l.at.y) << l.name;
    // A hidden label keeps its design caption, and its size follows that.
    const SIZE text = TextExtent(Text(l.id), l.face, l.hundredthsOfPoint, l.bold);
    EXPECT_EQ(Width(r), text.cx) << l.name << " \"" << Text(l.id) << "\"";
    EXPECT_EQ(Height(r), text.cy) << l.name;
  }
}

TEST_F(ExampleDiscWindow, WindowIsCentredWithItsDesignedClientArea) {
  const SIZE client = ClientSize(main);
  EXPECT_EQ(client.cx, 400);
  EXPECT_EQ(client.cy, 375);
  const RECT r = OnScreen(main);
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(screenW, 1024);
  EXPECT_EQ(screenH, 768);
  EXPECT_NEAR(r.left, (screenW - Width(r)) / 2, 1) << ToString(r);
  EXPECT_NEAR(r.top, (screenH - Height(r)) / 2, 1) << ToString(r);
}

TEST_F(ExampleDiscWindow, HasMinimizeAndCloseButNoMaximize) {
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_NE(style & WS_THICKFRAME, 0);
}

TEST_F(ExampleDiscWindow, ListHasTheFocus) { EXPECT_EQ(FocusOf(main), Ctl(kList1)); }

TEST_F(ExampleDiscWindow, ShowsTheBuiltInBackground) {
  // Blue sky at the top, pale grass near the bottom, beside the controls.
  const Capture sky = Capture::Client(main, Box(250, 60, 100, 30));
  int blue = 0;
  for (int y = 0; y < sky.height(); ++y)
    for (int x = 0; x < sky.width(); ++x) {
      const Rgb p = sky.At(x, y);
      if (p.b > p.r + 20 && p.b > 100) ++blue;
    }
  EXPECT_GT(blue, sky.width() * sky.height() / 2) << sky.Summary();
  const Capture grass = Capture::Client(main, Box(200, 340, 150, 20));
  int pale = 0;
  for (int y = 0; y < grass.height(); ++y)
    for (int x = 0; x < grass.width(); ++x) {
      const Rgb p = grass.At(x, y);
      if (p.r > p.b + 20 && p.g > p.b) ++pale;
    }
  EXPECT_GT(pale, grass.width() * grass.height() / 2) << grass.Summary();
}

}  // namespace
}  // namespace wt
