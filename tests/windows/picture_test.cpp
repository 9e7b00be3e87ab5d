// The pictures a disc brings: menupic.jpg behind the menu, splash.jpg for
// three seconds before it. Both are read by content, drawn unscaled from the
// top left and cut at the window's edges. (A file that is no picture leaves
// the built-in background: the main window test.)
#include "harness.h"

namespace wt {
namespace {

constexpr Rgb kOrange{255, 128, 0}, kTeal{0, 128, 128};
std::string Orange() {
  return Bmp(150, 70, [](int, int) { return kOrange; });
}

// One colour, as LZW with 8-bit codes (0-127 colours, 128 clear, 129 end) and
// a clear code often enough that the code size never grows: every decoder
// reads it and no compressor is needed.
std::string Gif(int width, int height, Rgb fill) {
  const std::string size{char(width), char(width >> 8), char(height), char(height >> 8)};
  std::string codes, s = "GIF89a" + size + "\xf0" + std::string(2, '\0') +
                         std::string{char(fill.r), char(fill.g), char(fill.b)} + std::string(3, '\0') + "," +
                         std::string(4, '\0') + size + std::string{'\0', '\7'};
  for (int i = 0; i < width * height; ++i) codes += i % 100 ? std::string(1, '\0') : std::string{'\x80', '\0'};
  codes += '\x81';
  for (std::size_t i = 0; i < codes.size(); i += 255)
    s += char(std::min<std::size_t>(255, codes.size() - i)) + codes.substr(i, 255);
  return s + '\0' + ';';
}

// A picture of one colour (within a tolerance) at the top left of a window's
// client area, cut at its edges, and the window's own colour beside and below it.
void ExpectPictureIn(HWND w, Rgb colour, SIZE picture, int tolerance = 0) {
  const SIZE window = ClientSize(w);
  const int width = std::min(picture.cx, window.cx), height = std::min(picture.cy, window.cy);
  // A strip along the top and one down the left, clear of the main window's controls.
  const Capture top = Capture::Client(w, Box(0, 0, width, 14)), left = Capture::Client(w, Box(0, 0, 18, height));
  const Capture right = Capture::Client(w, Box(width, 0, window.cx - width, 14));
  const Capture below = Capture::Client(w, Box(0, height, 18, window.cy - height));
  EXPECT_TRUE(top.All(colour, tolerance)) << top.Summary();
  EXPECT_TRUE(left.All(colour, tolerance)) << left.Summary();
  EXPECT_TRUE(right.All(SysColour(COLOR_BTNFACE))) << right.Summary();
  EXPECT_TRUE(below.All(SysColour(COLOR_BTNFACE))) << below.Summary();
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
  ExpectPictureIn(main, kMagenta, {1100, 800});
  const Capture all = Capture::Client(main, Box(0, 0, 400, 375));
  EXPECT_EQ(all.Count(kGreen), 0) << "scaled, not cut: " << all.Summary();
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

enum class Then { GoesForTheMenu, IsClosedByAltF4, IsNotShown };

struct Splash {
  const char* name;
  std::string bytes;
  Rgb colour;
  SIZE size;
  int tolerance;
  Then then;
};

class Splashes : public DiscTest, public ::testing::WithParamInterface<Splash> {};

TEST_P(Splashes, IsShownCentredForThreeSecondsBeforeTheMenuOrNotAtAll) {
  const Splash& p = GetParam();
  Write("tavlin.ini", MenuFile::Example().Text());
  Write("splash.jpg", p.bytes);
  if (p.then == Then::IsNotShown) SetFileAttributesA(Path("splash.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Run();
  if (p.then == Then::IsNotShown) {  // a splash would hold the menu back three seconds
    EXPECT_NE(WaitFor("TavlinForm1", 2000), nullptr) << "no menu within 2 s";
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
  ExpectPictureIn(s, p.colour, p.size, p.tolerance);
  EXPECT_EQ(Find("TavlinForm1"), nullptr) << "the menu is up " << MsSince(startedAt) << " ms after start";
  if (p.then == Then::IsClosedByAltF4) {  // closed before its time, it ends the program without a menu
    BringToFront(s);
    ASSERT_EQ(GetForegroundWindow(), s);
    PressKeys({VK_MENU, VK_F4});
    EXPECT_TRUE(WaitExit(5000)) << "still running";
    return;
  }
  // About three seconds after start the menu comes up, and only then does
  // the splash go: never a moment without a window.
  bool gap = false;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const bool splash = Find("TavlinForm6") != nullptr;
        main = Find("TavlinForm1");
        gap |= !splash && !main;
        return main != nullptr;
      },
      6000, 5))
      << "no menu";
  EXPECT_GE(MsSince(startedAt), 2700);
  EXPECT_LE(MsSince(startedAt) - shownAt, 4000);
  EXPECT_FALSE(gap) << "no window at all between the splash and the menu";
  EXPECT_TRUE(WaitUntil([&] { return Find("TavlinForm6") == nullptr; }, 2000)) << "the splash stays";
}

// Each format the guide names; what counts as absent is the core's rule, so
// one case for what the backend decides: a hidden file.
INSTANTIATE_TEST_SUITE_P(
    Files, Splashes,
    ::testing::Values(Splash{"Jpeg", SolidJpeg(), kSolidJpegColor, {120, 60}, 6, Then::GoesForTheMenu},
                      Splash{"GifByContent", Gif(160, 80, kTeal), kTeal, {160, 80}, 0, Then::GoesForTheMenu},
                      Splash{"BmpClosedByAltF4", Orange(), kOrange, {150, 70}, 0, Then::IsClosedByAltF4},
                      Splash{"HiddenFile", Orange(), kOrange, {150, 70}, 0, Then::IsNotShown}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wt
