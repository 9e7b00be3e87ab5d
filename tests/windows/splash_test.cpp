// splash.jpg: a picture shown for three seconds before the menu.
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

// What a user would have seen from the start, sampled every few milliseconds (-1: never).
struct Timeline {
  long long splashShown = -1, splashGone = -1, mainShown = -1;
  bool gap = false;  // a moment with the splash gone and no main window yet
};

class Splash : public DiscTest {
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
  HWND SplashWindow() {
    HWND s = WaitFor("TavlinForm6", 3000);
    if (s) Settle(s);
    return s;
  }
};

struct SplashCase {
  const char* name;
  std::function<void(const TempFolder&)> make;
  Rgb colour{};  // black: no splash, the menu at once
  int width = 0, height = 0, tolerance = 0;
  const char* exe = nullptr;  // in the disc folder; null: the exe under test, elsewhere
};

class SplashFile : public Splash, public ::testing::WithParamInterface<SplashCase> {};

TEST_P(SplashFile, IsShownCentredBeforeTheMenuOrCountsAsAbsent) {
  const SplashCase& c = GetParam();
  disc.Write("tavlin.ini", MenuFile::Example().Text());
  c.make(disc);
  ASSERT_NO_FATAL_FAILURE(Run(c.exe ? disc / c.exe : TavlinExe()));
  if (c.colour == Rgb{}) {
    const Timeline t = Follow();
    EXPECT_EQ(t.splashShown, -1) << "a splash was shown";
    ASSERT_GE(t.mainShown, 0) << "no main window";
    EXPECT_LT(t.mainShown, 2000) << "the menu took as long as a splash";
    return;
  }
  // Title-less, centred, 200 x 100: the picture at the top left, cut there, the window's colour beside it.
  HWND s = SplashWindow();
  ASSERT_NE(s, nullptr) << "no splash";
  const long long shownAt = MsSince(startedAt);
  EXPECT_EQ(GetWindowLongA(s, GWL_STYLE) & WS_CAPTION, 0) << "the splash has a title bar";
  EXPECT_EQ(ClientSize(s).cx, 200);
  EXPECT_EQ(ClientSize(s).cy, 100);
  EXPECT_TRUE(Centred(s)) << ToString(OnScreen(s));
  const Capture picture = Capture::Client(s, RECT{0, 0, std::min(c.width, 200), std::min(c.height, 100)});
  EXPECT_TRUE(picture.All(c.colour, c.tolerance)) << picture.Summary();
  if (c.width < 200) {
    const Capture right = Capture::Client(s, RECT{c.width, 0, 200, 100});
    EXPECT_TRUE(right.All(SysColour(COLOR_BTNFACE))) << right.Summary();
  }
  EXPECT_EQ(Find("TavlinForm1"), nullptr) << "the menu is up " << MsSince(startedAt) << " ms after start";
  // About three seconds after start the menu comes up, and only then does the splash go.
  const Timeline t = Follow();
  ASSERT_GE(t.mainShown, 0) << "no main window";
  EXPECT_FALSE(t.gap) << "no window at all between the splash and the menu";
  EXPECT_GE(t.mainShown, 2700);
  EXPECT_LE(t.mainShown - shownAt, 4000);
  EXPECT_TRUE(WaitUntil([&] { return Find("TavlinForm6") == nullptr; }, 2000)) << "the splash stays";
}

void Hidden(const TempFolder& d) {
  d.Write("splash.jpg", Bmp(150, 70, kOrange));
  SetFileAttributesA((d / "splash.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SplashFile,
    ::testing::Values(
        SplashCase{"Jpeg", [](const TempFolder& d) { d.Write("splash.jpg", SolidJpeg()); }, kSolidJpegColor, 120, 60,
                   6},
        SplashCase{"BmpByContent", [](const TempFolder& d) { d.Write("splash.jpg", Bmp(150, 70, kOrange)); }, kOrange,
                   150, 70, 0},
        SplashCase{"GifByContent", [](const TempFolder& d) { d.Write("splash.jpg", Gif(160, 80, kTeal)); }, kTeal, 160,
                   80, 0},
        SplashCase{"LargerThanTheWindow",
                   [](const TempFolder& d) {
                     d.Write("splash.jpg",
                             Bmp(320, 160, [](int x, int y) { return x < 200 && y < 100 ? kOrange : kTeal; }));
                   },
                   kOrange, 320, 160, 0},
        SplashCase{"None", [](const TempFolder&) {}},
        SplashCase{"Folder", [](const TempFolder& d) { d.MakeFolder("splash.jpg"); }}, SplashCase{"HiddenFile", Hidden},
        SplashCase{"JpegCutShort",
                   [](const TempFolder& d) { d.Write("splash.jpg", SolidJpeg().substr(0, SolidJpeg().size() / 3)); }},
        SplashCase{"TextFile", [](const TempFolder& d) { d.Write("splash.jpg", "not a picture\r\n"); }},
        SplashCase{"BesideTheProgramNotInTheCurrentFolder",
                   [](const TempFolder& d) {
                     d.CopyIn(TavlinExe(), "prog\\tavlin.exe");
                     d.Write("prog\\splash.jpg", Bmp(150, 70, kOrange));
                   },
                   {},
                   0,
                   0,
                   0,
                   "prog\\tavlin.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

// Closing the splash, by Alt+F4 or any close request, ends the program without a menu.
class SplashClosed : public Splash, public ::testing::WithParamInterface<bool> {};

TEST_P(SplashClosed, EndsTheProgramWithoutMenu) {
  disc.Write("splash.jpg", Bmp(150, 70, kOrange));
  ASSERT_NO_FATAL_FAILURE(Run());
  HWND s = SplashWindow();
  ASSERT_NE(s, nullptr);
  if (GetParam()) {
    BringToFront(s);
    ASSERT_EQ(GetForegroundWindow(), s);
    PressKeys({VK_MENU, VK_F4});
  } else {
    PostMessageA(s, WM_CLOSE, 0, 0);
  }
  const Timeline t = Follow(6000);
  EXPECT_TRUE(WaitExit(1000)) << "still running";
  EXPECT_EQ(t.mainShown, -1) << "the menu opened after all";
}

INSTANTIATE_TEST_SUITE_P(By, SplashClosed, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "AltF4" : "CloseRequest"; });

}  // namespace
}  // namespace wt
