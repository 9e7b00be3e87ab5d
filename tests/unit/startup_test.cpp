// The start of the process: the splash window and the hand-over to the menu.
#include <algorithm>

#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

// Where in the log a line first stands.
std::size_t At(const std::vector<std::string>& log, const std::string& line) {
  return static_cast<std::size_t>(std::find(log.begin(), log.end(), line) - log.begin());
}

// Without a splash the menu opens at once and the splash window, the first
// and only one created, is never shown. A splash that cannot be shown counts
// as absent.
TEST(Startup, WithoutASplashTheMenuOpensAtOnce) {
  const std::function<void(FakePlatform&)> discs[] = {
      {},
      [](FakePlatform& p) { p.AddFile("splash.jpg", ""); },
      [](FakePlatform& p) { p.AddFile("splash.jpg", "RIFF....WAVE"); },
      [](FakePlatform& p) { p.AddFolder("splash.jpg"); },
      [](FakePlatform& p) { p.AddFile("splash.jpg", "PICTURE 200x100", {.hidden = true}); },
      // Beside the program, but not in the current directory.
      [](FakePlatform& p) {
        p.SetProgramFolder("E:\\program");
        p.AddPicture("E:\\program\\splash.jpg", 200, 100);
      },
  };
  for (std::size_t i = 0; i < std::size(discs); ++i) {
    Disc d(MenuFile::Example(), discs[i]);
    const auto& log = d.p.Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[2], "Load Form6") << i;
    EXPECT_EQ(d.Window(d.app.form6()), nullptr) << i;
    ASSERT_NE(d.Window(d.form1()), nullptr) << i;
    EXPECT_TRUE(d.Window(d.form1())->visible) << i;
    EXPECT_EQ(At(log, "Shown Form6"), log.size()) << i;
    // Form1 is shown before Form6 goes, so a window is always loaded.
    EXPECT_LT(At(log, "Shown Form1"), At(log, "Unload Form6")) << i;
    EXPECT_FALSE(d.p.ProcessOver()) << i;
  }
  EXPECT_EQ(Disc().p.ApplicationTitle(), "Tavlin");
}

// A splash closed before its tick takes its timer with it and ends the
// program with no main window.
TEST(Startup, AValidSplashIsShownUntilTheFirstTickOrItsClose) {
  for (bool closed : {false, true}) {
    Disc d(MenuFile::Example(), [](FakePlatform& p) { p.AddPicture("splash.jpg", 200, 100); });
    ASSERT_NE(d.Window(d.app.form6()), nullptr);
    EXPECT_TRUE(d.Window(d.app.form6())->visible);
    EXPECT_EQ(d.Window(d.app.form6())->picture, "D:\\splash.jpg");
    EXPECT_EQ(d.Window(d.form1()), nullptr);  // not created yet
    if (closed) d.p.Close(d.app.form6(), kFormControlMenu);
    d.p.Tick(d.app.form6(), "Timer1");
    EXPECT_EQ(d.Window(d.app.form6()), nullptr) << closed;
    EXPECT_EQ(d.p.ProcessOver(), closed);
    EXPECT_EQ(d.p.LogOf("Load Form1").size(), closed ? 0u : 1u);
    if (closed) continue;
    ASSERT_NE(d.Window(d.form1()), nullptr);
    EXPECT_TRUE(d.Window(d.form1())->visible);
    EXPECT_LT(At(d.p.Log(), "Shown Form1"), At(d.p.Log(), "Unload Form6"));
  }
}

}  // namespace
}  // namespace tavlin
