// The pictures a disc brings: menupic.jpg behind the menu, splash.jpg for
// three seconds before it. Both are read by content, drawn unscaled from the
// top left and cut at the window's edges; what is no picture is no picture.
#include "harness.h"

namespace wt {
namespace {

constexpr Rgb kOrange{255, 128, 0}, kTeal{0, 128, 128};

std::string Gif(int width, int height, Rgb fill) {
  // A two-colour table; LZW with 8-bit codes (0-127 colours, 128 clear, 129
  // end) and a clear code often enough that the code size never grows: every
  // decoder reads it and no compressor is needed.
  const char w[] = {char(width), char(width >> 8)}, h[] = {char(height), char(height >> 8)};
  std::string s = "GIF89a" + std::string(w, 2) + std::string(h, 2) + "\xf0" + std::string(2, '\0') +
                  std::string{char(fill.r), char(fill.g), char(fill.b)} + std::string(3, '\0') + "," +
                  std::string(4, '\0') + std::string(w, 2) + std::string(h, 2) + std::string{'\0', '\7'};
  std::string codes;
  for (int i = 0; i < width * height; ++i) codes += i % 100 ? std::string(1, '\0') : std::string{'\x80', '\0'};
  codes += '\x81';
  for (std::size_t i = 0; i < codes.size(); i += 255)
    s += char(std::min<std::size_t>(255, codes.size() - i)) + codes.substr(i, 255);
  return s + '\0' + ';';
}

// Larger than either window, and than the 1024 x 768 screen, which bounds what
// is drawn: magenta where the main window reaches, green beyond.
std::string Large() {
  return Bmp(1100, 800, [](int x, int y) { return x < 400 && y < 375 ? kMagenta : kGreen; });
}

enum class As { File, HiddenFile, BesideTheProgram, FileClosedByAltF4 };

struct Picture {
  const char* name;
  As as;
  std::string bytes;
  Rgb colour{};  // black: not shown
  int width = 0, height = 0, tolerance = 0;
};

class Pictures : public DiscTest, public ::testing::WithParamInterface<Picture> {
 protected:
  // Puts the case's file on the disc under `name` and starts the menu's exe, in the disc or beside the file.
  void RunWith(const std::string& name) {
    const Picture& p = GetParam();
    Write("tavlin.ini", MenuFile::Example().Text());
    if (p.as == As::BesideTheProgram) {
      Write("prog\\" + name, p.bytes);
      Write("prog\\tavlin.exe", ReadFile(TavlinExe()));
      return Run(Path("prog\\tavlin.exe"));
    }
    Write(name, p.bytes);
    if (p.as == As::HiddenFile) SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_HIDDEN);
    Run();
  }
  // The picture at the top left of a window up to the given size, the window's own colour beside and below it.
  void ExpectPictureIn(HWND w, int windowWidth, int windowHeight) {
    const Picture& p = GetParam();
    const int width = std::min(p.width, windowWidth), height = std::min(p.height, windowHeight);
    // A strip along the top and one down the left, clear of the main window's controls.
    const Capture top = Capture::Client(w, Box(0, 0, width, 14)), left = Capture::Client(w, Box(0, 0, 18, height));
    const Capture right = Capture::Client(w, Box(width, 0, windowWidth - width, 14));
    const Capture below = Capture::Client(w, Box(0, height, 18, windowHeight - height));
    EXPECT_TRUE(top.All(p.colour, p.tolerance)) << top.Summary();
    EXPECT_TRUE(left.All(p.colour, p.tolerance)) << left.Summary();
    EXPECT_TRUE(right.All(SysColour(COLOR_BTNFACE))) << right.Summary();
    EXPECT_TRUE(below.All(SysColour(COLOR_BTNFACE))) << below.Summary();
    EXPECT_EQ(Capture::Client(w, Box(0, 0, windowWidth, windowHeight)).Count(kGreen), 0) << "beyond the window shows";
  }
};

using Background = Pictures;

TEST_P(Background, IsDrawnFromTheTopLeftOrTheBuiltInOneStays) {
  ASSERT_NO_FATAL_FAILURE(RunWith("menupic.jpg"));
  ASSERT_NE(main = WaitFor("TavlinForm1"), nullptr);
  Settle(main);
  if (!(GetParam().colour == Rgb{})) return ExpectPictureIn(main, 400, 375);
  // Blue sky at the top beside the controls, with the title's letters on it
  // in line 5's yellow, pale grass near the bottom.
  const Capture sky = Capture::Client(main, Box(250, 55, 140, 30)), title = Pixels(kLabel6);
  const Capture grass = Capture::Client(main, Box(200, 340, 150, 20));
  const auto blue = [](Rgb p) { return p.b > p.r + 20 && p.b > 100; };
  EXPECT_GT(sky.Share(blue), 0.5) << sky.Summary();
  EXPECT_EQ(sky.Count(SysColour(COLOR_BTNFACE)), 0) << sky.Summary();
  EXPECT_GT(title.Share(blue), 0.3) << title.Summary();
  EXPECT_GT(title.Count(kLightYellow), 100) << title.Summary();
  EXPECT_GT(grass.Share([](Rgb p) { return p.r > p.b + 20 && p.g > p.b; }), 0.5) << grass.Summary();
}

INSTANTIATE_TEST_SUITE_P(Files, Background,
                         ::testing::Values(Picture{"Jpeg", As::File, SolidJpeg(), kSolidJpegColor, 120, 60, 6},
                                           Picture{"LargerBmpByContent", As::File, Large(), kMagenta, 1100, 800},
                                           Picture{"TextFile", As::File, "This is not a picture.\r\n"}),
                         ByName);

// What a user would have seen from the start, sampled every few milliseconds (-1: never).
struct Timeline {
  long long splashShown = -1, splashGone = -1, mainShown = -1;
  bool gap = false;  // a moment with the splash gone and no main window yet
};

class Splash : public Pictures {
 protected:
  // Follows the windows until the main window is up and the splash gone, or `untilMs` passes.
  Timeline Follow(int untilMs = 8000) {
    Timeline t;
    for (long long now; (now = MsSince(startedAt)) < untilMs && Running(); Sleep(5)) {
      const bool splash = Find("TavlinForm6") != nullptr, menu = Find("TavlinForm1") != nullptr;
      if (splash && t.splashShown < 0) t.splashShown = now;
      if (menu && t.mainShown < 0) t.mainShown = now;
      if (!splash && t.splashShown >= 0 && t.splashGone < 0) t.splashGone = now;
      if (t.splashGone >= 0 && t.mainShown < 0) t.gap = true;
      if (t.mainShown >= 0 && (t.splashShown < 0 || t.splashGone >= 0)) break;
    }
    return t;
  }
};

TEST_P(Splash, IsShownCentredBeforeTheMenuOrCountsAsAbsent) {
  const Picture& p = GetParam();
  ASSERT_NO_FATAL_FAILURE(RunWith("splash.jpg"));
  if (p.colour == Rgb{}) {
    const Timeline t = Follow();
    EXPECT_EQ(t.splashShown, -1) << "a splash was shown";
    ASSERT_GE(t.mainShown, 0) << "no main window";
    EXPECT_LT(t.mainShown, 2000) << "the menu took as long as a splash";
    return;
  }
  HWND s = WaitFor("TavlinForm6", 3000);
  ASSERT_NE(s, nullptr) << "no splash";
  Settle(s);
  const long long shownAt = MsSince(startedAt);
  EXPECT_EQ(GetWindowLongA(s, GWL_STYLE) & WS_CAPTION, 0) << "the splash has a title bar";
  EXPECT_EQ(ClientSize(s).cx, 200);
  EXPECT_EQ(ClientSize(s).cy, 100);
  EXPECT_TRUE(Centred(s)) << ToString(OnScreen(s));
  ExpectPictureIn(s, 200, 100);
  EXPECT_EQ(Find("TavlinForm1"), nullptr) << "the menu is up " << MsSince(startedAt) << " ms after start";
  if (p.as == As::FileClosedByAltF4) {  // closed before its time, it ends the program without a menu
    BringToFront(s);
    ASSERT_EQ(GetForegroundWindow(), s);
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(Follow(6000).mainShown, -1) << "the menu opened after all";
    EXPECT_TRUE(WaitExit(1000)) << "still running";
    return;
  }
  // About three seconds after start the menu comes up, and only then does the splash go.
  const Timeline t = Follow();
  ASSERT_GE(t.mainShown, 0) << "no main window";
  EXPECT_FALSE(t.gap) << "no window at all between the splash and the menu";
  EXPECT_GE(t.mainShown, 2700);
  EXPECT_LE(t.mainShown - shownAt, 4000);
  EXPECT_TRUE(WaitUntil([&] { return Find("TavlinForm6") == nullptr; }, 2000)) << "the splash stays";
}

// Each format the guide names, clipped to the window; what counts as absent
// is the core's rule, so one case each for what the backend decides: a hidden
// file, a picture its loader refuses, and the program's folder not searched.
INSTANTIATE_TEST_SUITE_P(
    Files, Splash,
    ::testing::Values(Picture{"Jpeg", As::File, SolidJpeg(), kSolidJpegColor, 120, 60, 6},
                      Picture{"GifByContent", As::File, Gif(160, 80, kTeal), kTeal, 160, 80},
                      Picture{"LargerBmpByContent", As::File, Large(), kMagenta, 1100, 800},
                      Picture{"ClosedByAltF4", As::FileClosedByAltF4, Bmp(150, 70, kOrange), kOrange, 150, 70},
                      Picture{"HiddenFile", As::HiddenFile, Bmp(150, 70, kOrange)},
                      Picture{"JpegCutShort", As::File, SolidJpeg().substr(0, SolidJpeg().size() / 3)},
                      Picture{"BesideTheProgramNotInTheCurrentFolder", As::BesideTheProgram, Bmp(150, 70, kOrange)}),
    ByName);

// Labels paint as if they had no window of their own: the picture shows
// around their letters, and a caption grown wide enough to reach over its
// neighbour lets the neighbour show through; a label hidden leaves nothing.
TEST_F(DiscTest, LabelsLetThePictureAndEachOtherShowThrough) {
  Write("menupic.jpg", Bmp(400, 375, kMagenta));
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
  EXPECT_GT(Pixels(kLabel3).Count(kLightYellow), 20) << Pixels(kLabel3).Summary();  // coloured by line 8

  f.Line(16) = "x";
  End();
  ASSERT_NE(Start(f), nullptr);
  const Capture gone = Capture::Client(main, file);
  EXPECT_TRUE(gone.All(kMagenta)) << gone.Summary();
}

}  // namespace
}  // namespace wt
