// The About window, opened from the main window's Path label or its web line.
#include <cstdlib>

#include "fixture.h"
#include "maker.h"

namespace wt {
namespace {

constexpr RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

class About : public DiscTest {
 protected:
  void SetUp() override { ASSERT_NE(Start(MenuFile::Example()), nullptr); }

  // Clicks a label of the main window and waits for the About window.
  HWND OpenBy(int label) {
    ClickCentre(Ctl(label));
    HWND about = app->WaitFor("TavlinForm3", 3000);
    if (about) Settle(about);
    return about;
  }
  bool Closed(HWND about, int timeoutMs = 2000) {
    return WaitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); }, timeoutMs);
  }
  static bool Centred(HWND w) {
    const RECT r = OnScreen(w);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    return std::abs(r.left - (sw - Width(r)) / 2) <= 1 && std::abs(r.top - (sh - Height(r)) / 2) <= 1;
  }
};

TEST_F(About, PathLabelOpensOneSmallWindowWithoutTitleOrTaskbarButton) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(app->Windows("TavlinForm3").size(), 1u);
  const SIZE client = ClientSize(about);
  EXPECT_EQ(client.cx, 166);
  EXPECT_EQ(client.cy, 126);
  const LONG style = GetWindowLongA(about, GWL_STYLE), ex = GetWindowLongA(about, GWL_EXSTYLE);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION) << "has a title bar";
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "can be resized";
  EXPECT_NE(style & WS_DLGFRAME, 0) << "has no dialog frame";
  EXPECT_NE(ex & WS_EX_TOOLWINDOW, 0) << "would get a taskbar button";
  EXPECT_EQ(ex & WS_EX_APPWINDOW, 0) << "would get a taskbar button";
  EXPECT_TRUE(Centred(about)) << ToString(OnScreen(about));
}

TEST_F(About, WebLineOpensItToo) {
  HWND about = OpenBy(kLabel7);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(app->Windows("TavlinForm3").size(), 1u);
}

TEST_F(About, ShowsTheMakerAndItsPicturesWhereDesigned) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(Control(about, kAboutLabel1)), TAVLIN_COMPANY);
  EXPECT_EQ(TextOf(Control(about, kAboutLabel2)), TAVLIN_COPYRIGHT);
  struct Part {
    int id;
    RECT designed;
  };
  for (const Part& p : {Part{kFrame1, Box(2, -4, 163, 129)}, Part{kPicture1, Box(49, 34, 73, 30)},
                        Part{kImage1, Box(43, 72, 85, 24)}}) {
    const RECT r = InParent(Control(about, p.id));
    EXPECT_TRUE(EqualRect(&r, &p.designed)) << p.id << " is at " << ToString(r);
  }
  for (const auto& [id, at] : {std::pair{kAboutLabel1, POINT{20, 10}}, std::pair{kAboutLabel2, POINT{30, 104}}}) {
    const RECT r = InParent(Control(about, id));
    EXPECT_EQ(r.left, at.x) << id;
    EXPECT_EQ(r.top, at.y) << id;
    const SIZE text = TextExtent(TextOf(Control(about, id)), "MS Sans Serif", 825, false);
    EXPECT_EQ(Width(r), text.cx) << id;
    // Like the pictures, each label stands centred on the line 85 pixels in.
    EXPECT_NEAR(r.left + Width(r) / 2.0, 85.0, 2.5) << id << " is at " << ToString(r);
  }
  // The pictures are drawn: neither is a plain patch of the window's colour.
  for (int id : {kPicture1, kImage1}) {
    const Capture c = Capture::Client(about, InParent(Control(about, id)));
    EXPECT_LT(c.Count(ButtonFace()), c.width() * c.height() * 9 / 10) << id << " " << c.Summary();
  }
}

TEST_F(About, FrameShowsItsTopEdgeJustInsideTheWindow) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  // The etched edge: a shadow line with a highlight line below it, across
  // the frame's width (2 to 164), a few pixels below the client area's top.
  const Capture top = Capture::Client(about, RECT{0, 0, 166, 8});
  const auto colour = [](int index) {
    const COLORREF c = GetSysColor(index);
    return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
  };
  int edge = -1;
  for (int y = 0; y + 1 < top.height() && edge < 0; ++y) {
    int shadow = 0, light = 0;
    for (int x = 4; x < 160; ++x) {
      shadow += top.At(x, y) == colour(COLOR_BTNSHADOW);
      light += top.At(x, y + 1) == colour(COLOR_BTNHIGHLIGHT);
    }
    if (shadow == 156 && light == 156) edge = y;
  }
  EXPECT_GE(edge, 1) << top.Summary();
  EXPECT_LE(edge, 3) << top.Summary();
}

// A click is a press and a release on the same control: what slides off
// before the release does nothing.
TEST_F(About, LinkAndPictureClickOnReleaseOverThemOnly) {
  BringToFront(main);
  POINT away = CentreOnScreen(Ctl(kList1));
  DragScreen(CentreOnScreen(Ctl(kLabel7)), away);
  EXPECT_EQ(app->WaitFor("TavlinForm3", 1000), nullptr) << "pressing the web line and sliding off opened About";
  HWND about = OpenBy(kLabel7);
  ASSERT_NE(about, nullptr);

  HWND picture = Control(about, kPicture1);
  BringToFront(about);
  DragScreen(CentreOnScreen(picture), CentreOnScreen(Control(about, kAboutLabel2)));
  EXPECT_FALSE(Closed(about, 800)) << "pressing the picture and sliding off closed About";
  BringToFront(about);
  DragScreen(CentreOnScreen(picture), CentreOnScreen(picture));
  EXPECT_TRUE(Closed(about));
  EXPECT_TRUE(app->Running());
}

struct ClickPoint {
  const char* name;
  int control;  // 0: a point of the window itself
  POINT at;     // in the window's client area, when control is 0
};

class AboutClick : public About, public ::testing::WithParamInterface<ClickPoint> {};

TEST_P(AboutClick, ClickOnAnyPartClosesIt) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  const ClickPoint& p = GetParam();
  if (p.control) ClickCentre(Control(about, p.control));
  else
    ClickAt(about, p.at.x, p.at.y);
  EXPECT_TRUE(Closed(about)) << p.name;
  EXPECT_TRUE(app->Running());
  EXPECT_TRUE(Visible(main));
}

INSTANTIATE_TEST_SUITE_P(Parts, AboutClick,
                         ::testing::Values(ClickPoint{"LeftMargin", 0, {0, 60}},
                                           ClickPoint{"RightMargin", 0, {165, 60}}, ClickPoint{"Frame", 0, {8, 60}},
                                           ClickPoint{"CompanyLabel", kAboutLabel1, {}},
                                           ClickPoint{"Picture", kPicture1, {}}, ClickPoint{"Wordmark", kImage1, {}},
                                           ClickPoint{"CopyrightLabel", kAboutLabel2, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(About, ClosesByItselfAfterFiveSeconds) {
  const auto opened = Clock::now();
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(Closed(about, 4000));
  ASSERT_TRUE(Closed(about, 4000));
  const long long ms = MsSince(opened);
  EXPECT_GE(ms, 4700);
  EXPECT_LE(ms, 6500);
}

TEST_F(About, SecondClickWhileOpenKeepsItsTime) {
  const auto opened = Clock::now();
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  ::Sleep(static_cast<DWORD>(std::max<long long>(0, 2500 - MsSince(opened))));
  ClickCentre(Ctl(kLabel7));
  ::Sleep(200);
  EXPECT_EQ(app->Windows("TavlinForm3"), std::vector<HWND>{about}) << "not the one window already open";
  ASSERT_TRUE(Closed(about, 6000));
  // Five seconds after it opened, not after the second click.
  const long long ms = MsSince(opened);
  EXPECT_LE(ms, 6500);
  EXPECT_GE(ms, 4700);
}

TEST_F(About, ReopensCentredAfterBeingMoved) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  SetWindowPos(about, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return OnScreen(about).left == 20; }, 1000));
  ClickCentre(Control(about, kPicture1));
  ASSERT_TRUE(Closed(about));
  HWND again = OpenBy(kLabel7);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(Centred(again)) << ToString(OnScreen(again));
}

TEST_F(About, MainWindowStaysUsableWhileItIsOpen) {
  HWND about = OpenBy(kLabel2);
  ASSERT_NE(about, nullptr);
  HWND list = Ctl(kList1);
  const int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ClickAt(list, 10, h + h / 2);
  EXPECT_TRUE(WaitUntil([&] { return Text(kCommand1) == "Open"; }, 2000)) << Text(kCommand1);
  EXPECT_EQ(Text(kText1), "docs");
  EXPECT_TRUE(IsWindowVisible(about)) << "a click on the main window closed the About window";
}

TEST_F(About, AltF4OnTheMainWindowEndsTheProgram) {
  ASSERT_NE(OpenBy(kLabel2), nullptr);
  BringToFront(main);
  ASSERT_EQ(GetForegroundWindow(), main);
  PressKeys({VK_MENU, VK_F4});
  EXPECT_TRUE(app->WaitExit(5000));
}

TEST_F(About, CloseBoxOfTheMainWindowEndsTheProgram) {
  ASSERT_NE(OpenBy(kLabel2), nullptr);
  POINT box;
  ASSERT_TRUE(FindCloseBox(main, box));
  BringToFront(main);
  ClickScreen(box);
  EXPECT_TRUE(app->WaitExit(5000));
}

TEST(AboutHidden, HiddenPathLabelCannotOpenIt) {
  TempFolder disc;
  MenuFile f = MenuFile::Example();
  f.Line(15) = "x";
  disc.Write("tavlin.ini", f.Text());
  Tavlin app(TavlinExe(), disc.path());
  HWND main = app.MainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_FALSE(Visible(Control(main, kLabel2)));
  // Where the label would be, the click meets the window.
  ClickAt(main, 25, 225);
  EXPECT_EQ(app.WaitFor("TavlinForm3", 1500), nullptr);
  // The web line still opens it.
  ClickCentre(Control(main, kLabel7));
  EXPECT_NE(app.WaitFor("TavlinForm3", 3000), nullptr);
}

}  // namespace
}  // namespace wt
