// splash.jpg: a picture shown for three seconds before the menu.
#include "fixture.h"

namespace wt {
namespace {

constexpr Rgb kOrange{255, 128, 0};
constexpr Rgb kTeal{0, 128, 128};

// What a user would have seen from the start, sampled every few milliseconds.
struct Timeline {
  long long splashShown = -1, splashGone = -1, mainShown = -1;  // ms after start, -1: never
  bool gap = false;                                             // a moment with the splash gone and no main window yet
  bool mainFirst = false;                                       // the main window up before any splash
};

class Splash : public ::testing::Test {
 protected:
  void Launch(const std::string& folder, const std::string& exe = TavlinExe()) {
    app = std::make_unique<Tavlin>(exe, folder);
    ASSERT_TRUE(app->started());
  }
  // Follows the windows until the main window is up or `untilMs` passes.
  Timeline Follow(int untilMs = 8000, bool stopAtSplash = false) {
    Timeline t;
    while (MsSince(app->startedAt()) < untilMs) {
      const long long now = MsSince(app->startedAt());
      const bool splash = app->Find("TavlinForm6") != nullptr;
      const bool main = app->Find("TavlinForm1") != nullptr;
      if (splash && t.splashShown < 0) t.splashShown = now;
      if (main && t.mainShown < 0) {
        t.mainShown = now;
        if (t.splashShown < 0) t.mainFirst = true;
      }
      if (!splash && t.splashShown >= 0 && t.splashGone < 0) t.splashGone = now;
      if (t.splashGone >= 0 && !main && t.mainShown < 0) t.gap = true;
      if (stopAtSplash && splash) break;
      if (t.mainShown >= 0 && (t.splashShown < 0 || t.splashGone >= 0)) break;
      if (!app->Running()) break;
      ::Sleep(5);
    }
    return t;
  }
  HWND SplashWindow() {
    HWND s = app->WaitFor("TavlinForm6", 3000);
    if (s) Settle(s);
    return s;
  }
  // No splash: the menu at once and no splash window at any moment.
  void ExpectNoSplash() {
    const Timeline t = Follow();
    EXPECT_EQ(t.splashShown, -1) << "a splash was shown";
    ASSERT_GE(t.mainShown, 0) << "no main window";
    EXPECT_LT(t.mainShown, 2000) << "the menu took as long as a splash";
  }
  // A splash of the picture: centred, title-less, 200 x 100, then the menu.
  void ExpectSplashOf(Rgb colour, int width, int height, int tolerance) {
    HWND s = SplashWindow();
    ASSERT_NE(s, nullptr) << "no splash";
    const long long shownAt = MsSince(app->startedAt());
    EXPECT_EQ(GetWindowLongA(s, GWL_STYLE) & WS_CAPTION, 0) << "the splash has a title bar";
    const SIZE client = ClientSize(s);
    EXPECT_EQ(client.cx, 200);
    EXPECT_EQ(client.cy, 100);
    const RECT r = OnScreen(s);
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - Width(r)) / 2, 1) << ToString(r);
    EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - Height(r)) / 2, 1) << ToString(r);
    const Capture picture = Capture::Client(s, RECT{0, 0, std::min(width, 200), std::min(height, 100)});
    EXPECT_EQ(picture.CountNear(colour, tolerance), picture.width() * picture.height()) << picture.Summary();
    if (width < 200) {
      const Capture right = Capture::Client(s, RECT{width, 0, 200, 100});
      EXPECT_EQ(right.Count(ButtonFace()), right.width() * right.height()) << right.Summary();
    }
    EXPECT_EQ(FindMain(), nullptr) << "the menu is already up " << MsSince(app->startedAt()) << " ms after start";

    const Timeline t = Follow();
    ASSERT_GE(t.mainShown, 0) << "no main window";
    EXPECT_FALSE(t.gap) << "no window at all between the splash and the menu";
    EXPECT_GE(t.mainShown, 2700);
    EXPECT_LE(t.mainShown - shownAt, 4000);
    EXPECT_TRUE(WaitUntil([&] { return app->Find("TavlinForm6") == nullptr; }, 2000)) << "the splash stays";
  }
  HWND FindMain() const { return app->Find("TavlinForm1"); }

  void TearDown() override {
    if (app) app->End();
  }

  TempFolder disc;
  std::unique_ptr<Tavlin> app;
};

TEST_F(Splash, WithoutSplashFileTheMenuOpensAtOnce) {
  disc.Write("tavlin.ini", MenuFile::Example().Text());
  Launch(disc.path());
  ExpectNoSplash();
}

TEST_F(Splash, JpegIsShownCentredBeforeTheMenu) {
  disc.Write("splash.jpg", SolidJpeg());  // 120 x 60
  Launch(disc.path());
  ExpectSplashOf(kSolidJpegColor, 120, 60, 6);
}

TEST_F(Splash, BmpNamedSplashJpgIsShown) {
  disc.Write("splash.jpg", Bmp(150, 70, kOrange));
  Launch(disc.path());
  ExpectSplashOf(kOrange, 150, 70, 0);
}

TEST_F(Splash, GifNamedSplashJpgIsShown) {
  disc.Write("splash.jpg", Gif(160, 80, kTeal));
  Launch(disc.path());
  ExpectSplashOf(kTeal, 160, 80, 0);
}

TEST_F(Splash, LargerPictureIsCutToTheWindow) {
  disc.Write("splash.jpg", Bmp(320, 160, [](int x, int y) { return x < 200 && y < 100 ? kOrange : kTeal; }));
  Launch(disc.path());
  HWND s = SplashWindow();
  ASSERT_NE(s, nullptr);
  const SIZE client = ClientSize(s);
  EXPECT_EQ(client.cx, 200);
  EXPECT_EQ(client.cy, 100);
  const Capture all = Capture::Client(s);
  EXPECT_EQ(all.Count(kOrange), 200 * 100) << all.Summary();
}

TEST_F(Splash, FolderNamedSplashJpgCountsAsAbsent) {
  disc.MakeFolder("splash.jpg");
  Launch(disc.path());
  ExpectNoSplash();
}

TEST_F(Splash, HiddenSplashFileCountsAsAbsent) {
  disc.Write("splash.jpg", Bmp(150, 70, kOrange));
  ASSERT_TRUE(SetFileAttributesA((disc / "splash.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Launch(disc.path());
  ExpectNoSplash();
}

TEST_F(Splash, CorruptSplashOpensTheMenuAtOnce) {
  std::string broken = SolidJpeg();
  broken.resize(broken.size() / 3);  // a JPEG cut short
  disc.Write("splash.jpg", broken);
  Launch(disc.path());
  ExpectNoSplash();
}

TEST_F(Splash, TextFileNamedSplashJpgOpensTheMenuAtOnce) {
  disc.Write("splash.jpg", "not a picture\r\n");
  Launch(disc.path());
  ExpectNoSplash();
}

TEST_F(Splash, SplashBesideTheProgramButNotInTheCurrentFolderIsNotShown) {
  disc.CopyIn(TavlinExe(), "prog\\tavlin.exe");
  disc.Write("prog\\splash.jpg", Bmp(150, 70, kOrange));
  disc.Write("tavlin.ini", MenuFile::Example().Text());
  Launch(disc.path(), disc / "prog\\tavlin.exe");
  ExpectNoSplash();
}

TEST_F(Splash, ClosingTheSplashEndsTheProgramWithoutMenu) {
  disc.Write("splash.jpg", Bmp(150, 70, kOrange));
  Launch(disc.path());
  HWND s = SplashWindow();
  ASSERT_NE(s, nullptr);
  PostMessageA(s, WM_CLOSE, 0, 0);
  const Timeline t = Follow(6000);
  EXPECT_TRUE(app->WaitExit(1000)) << "still running";
  EXPECT_EQ(t.mainShown, -1) << "the menu opened after all";
}

TEST_F(Splash, AltF4OnTheSplashEndsTheProgramWithoutMenu) {
  disc.Write("splash.jpg", Bmp(150, 70, kOrange));
  Launch(disc.path());
  HWND s = SplashWindow();
  ASSERT_NE(s, nullptr);
  BringToFront(s);
  ASSERT_EQ(GetForegroundWindow(), s);
  PressKeys({VK_MENU, VK_F4});
  const Timeline t = Follow(6000);
  EXPECT_TRUE(app->WaitExit(1000)) << "still running";
  EXPECT_EQ(t.mainShown, -1) << "the menu opened after all";
}

}  // namespace
}  // namespace wt
