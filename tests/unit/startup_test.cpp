// The start of the process: the splash window and the hand-over to the menu.
#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

// The windows' loads, showings and unloads, in order.
std::vector<std::string> Windows(const FakePlatform& p) {
  std::vector<std::string> out;
  for (const std::string& line : p.Log())
    if (line.starts_with("Load ") || line.starts_with("Shown ") || line.starts_with("Unload ")) out.push_back(line);
  return out;
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
    // Form1 is shown before Form6 goes, so a window is always loaded.
    EXPECT_EQ(Windows(d.p), (std::vector<std::string>{"Load Form6", "Load Form1", "Shown Form1", "Unload Form6"})) << i;
    EXPECT_TRUE(d.Window(d.form1()) && d.Window(d.form1())->visible) << i;
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
    EXPECT_EQ(d.p.ProcessOver(), closed);
    std::vector<std::string> want{"Load Form6", "Shown Form6", "Unload Form6"};
    if (!closed) want.insert(want.begin() + 2, {"Load Form1", "Shown Form1"});
    EXPECT_EQ(Windows(d.p), want);
    EXPECT_EQ(d.Window(d.form1()) && d.Window(d.form1())->visible, !closed);
  }
}

}  // namespace
}  // namespace tavlin
