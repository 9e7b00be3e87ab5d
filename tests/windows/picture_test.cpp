// The pictures a disc brings: menupic.jpg behind the menu, splash.jpg for
// three seconds before it. Both are read by content (bitmaps here, with every
// colour known; a JPEG is decoded by the same code as the built-in background,
// which the main window test sees), drawn unscaled from the top left and cut
// at the window's edges. (A file that is no picture leaves the built-in
// background: the main window test.)
#include "harness.h"

namespace wt {
namespace {

// A picture of one colour at the top left of a window's
// client area, cut at its edges, and the window's own colour beside and below it.
void ExpectPictureIn(HWND w, Rgb colour, SIZE picture) {
  const SIZE window = ClientSize(w);
  const int width = std::min(picture.cx, window.cx), height = std::min(picture.cy, window.cy);
  // A strip along the top and one down the left, clear of the main window's controls.
  const std::pair<RECT, Rgb> strips[] = {{Box(0, 0, width, 14), colour},
                                         {Box(0, 0, 18, height), colour},
                                         {Box(width, 0, window.cx - width, 14), SysColour(COLOR_BTNFACE)},
                                         {Box(0, height, 18, window.cy - height), SysColour(COLOR_BTNFACE)}};
  for (const auto& [strip, expected] : strips) {
    const Capture c = Capture::Client(w, strip);
    EXPECT_TRUE(c.All(expected)) << ToString(strip) << " " << c.Summary();
  }
}

// A bitmap named .jpg, larger than the window and than the 1024 x 768 screen,
// which bounds what is drawn: magenta where the window reaches, green beyond.
// Labels paint as if they had no window of their own: the picture shows
// around their letters, and a caption grown wide enough to reach over its
// neighbour lets the neighbour show through; a label hidden leaves nothing.
TEST_F(DiscTest, BackgroundIsCutAtTheWindowAndShowsThroughTheLabels) {
  Write("menupic.jpg", Bmp(1100, 800, [](int x, int y) { return x < 400 && y < 375 ? kMagenta : kGreen; }));
  MenuFile f = MenuFile::Example();
  f.Line(15) = "Path" + std::string(100, ' ');
  f.Line(16) = "Filename";
  ASSERT_NE(Start(f), nullptr);
  ExpectPictureIn(main, kMagenta, {1100, 800});  // scaled, it would show green
  for (auto id : {"Label1", "Label6", "Label2", "Label3", "Label4", "Label5", "Label7"}) {
    const Capture label = Pixels(id);
    EXPECT_GT(label.Share([](Rgb p) { return p == kMagenta; }), 0.4) << id << " " << label.Summary();
    EXPECT_EQ(label.Count(SysColour(COLOR_BTNFACE)), 0) << id << " " << label.Summary();
  }
  const RECT path = InParent(Ctl("Label2")), file = InParent(Ctl("Label3"));
  ASSERT_GE(path.right, file.right) << ToString(path) << " " << ToString(file);
  EXPECT_GT(Pixels("Label3").Count(kLightYellow), 20) << Pixels("Label3").Summary();  // coloured by line 8

  f.Line(16) = "x";
  End();
  ASSERT_NE(Start(f), nullptr);
  const Capture gone = Capture::Client(main, file);
  EXPECT_TRUE(gone.All(kMagenta)) << gone.Summary();
}

// The splash: without a title bar, centred, the picture cut at its edges;
// about three seconds after start the menu comes up, and only then does the
// splash go, so that there is never a moment without a window. Closed by
// Alt+F4 before its time, it ends the program without a menu. What counts as
// absent is the core's rule; what the backend decides is whether a file is hidden.
TEST_F(DiscTest, SplashIsShownCentredForThreeSecondsThenTheMenuUnlessClosedOrHidden) {
  Write("tavlin.ini", MenuFile::Example().Text());
  Write("splash.jpg", Bmp(120, 60, [](int, int) { return kMagenta; }));
  const auto startedAt = Clock::now();
  Run();
  HWND s = WaitFor("TavlinForm6", 3000);
  ASSERT_NE(s, nullptr) << "no splash";
  const long long shownAt = MsSince(startedAt);
  EXPECT_EQ(GetWindowLongA(s, GWL_STYLE) & WS_CAPTION, 0) << "the splash has a title bar";
  EXPECT_EQ(Placement(s), "centred, client 200x100");
  ExpectPictureIn(s, kMagenta, {120, 60});
  bool gap = false;
  const auto menuUp = [&] {
    const bool splash = Find("TavlinForm6") != nullptr;
    main = Find("TavlinForm1");
    gap |= !splash && !main;
    return main != nullptr;
  };
  ASSERT_TRUE(WaitUntil(menuUp, 6000, 5)) << "no menu";
  EXPECT_GE(MsSince(startedAt), 2700);
  EXPECT_LE(MsSince(startedAt) - shownAt, 4000);
  EXPECT_FALSE(gap) << "no window at all between the splash and the menu";
  EXPECT_TRUE(WaitUntil([&] { return Find("TavlinForm6") == nullptr; }, 2000)) << "the splash stays";

  End();
  Run();
  ASSERT_NE(s = WaitFor("TavlinForm6", 3000), nullptr) << "no splash";
  BringToFront(s);
  ASSERT_EQ(GetForegroundWindow(), s);
  PressKeys({VK_MENU, VK_F4});
  EXPECT_TRUE(WaitExit(5000)) << "still running";

  End();
  SetFileAttributesA(Path("splash.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Run();
  EXPECT_NE(WaitFor("TavlinForm1", 2000), nullptr) << "no menu within 2 s, as after a splash";
}

}  // namespace
}  // namespace wt
