// The start of the process: the splash window and the hand-over to the menu.
#include "app_fixture.h"

namespace tavlin {
namespace {

using test::AppTest;
using test::MenuFile;

using Startup = AppTest;

// Where in the log each event first happened.
std::size_t At(const std::vector<std::string>& log, const std::string& line) {
  for (std::size_t i = 0; i < log.size(); ++i)
    if (log[i] == line) return i;
  return log.size();
}

TEST_F(Startup, TheSplashWindowComesFirstAndOnlyItIsCreated) {
  StartWith(MenuFile::Example());
  const auto& log = p.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "Run Form6");
  EXPECT_EQ(log[1], "Show Form6");
  EXPECT_EQ(log[2], "Load Form6");
  EXPECT_EQ(p.ApplicationTitle(), "Tavlin");
  EXPECT_EQ(p.Window(app.form3()), nullptr);
}

TEST_F(Startup, WithoutASplashTheMenuOpensAtOnceAndTheSplashIsNeverShown) {
  StartWith(MenuFile::Example());
  EXPECT_EQ(p.Window(app.form6()), nullptr);
  ASSERT_NE(p.Window(form1()), nullptr);
  EXPECT_TRUE(p.Window(form1())->visible);
  EXPECT_EQ(At(p.Log(), "Shown Form6"), p.Log().size());
  // Form1 is shown before Form6 goes, so a window is always loaded.
  EXPECT_LT(At(p.Log(), "Shown Form1"), At(p.Log(), "Unload Form6"));
  EXPECT_FALSE(p.ProcessOver());
}

TEST_F(Startup, AValidSplashIsShownUntilTheFirstTick) {
  p.AddPicture("splash.jpg", 200, 100);
  StartWith(MenuFile::Example());
  const FakeWindow* splash = p.Window(app.form6());
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->visible);
  EXPECT_EQ(splash->picture, "D:\\splash.jpg");
  EXPECT_EQ(p.Window(form1()), nullptr);  // not created yet

  p.Tick(app.form6(), "Timer1");
  EXPECT_EQ(p.Window(app.form6()), nullptr);
  ASSERT_NE(p.Window(form1()), nullptr);
  EXPECT_TRUE(p.Window(form1())->visible);
  EXPECT_EQ(Ctl("Label6").text, "Welcome to the disc");
  EXPECT_LT(At(p.Log(), "Shown Form1"), At(p.Log(), "Unload Form6"));
  EXPECT_EQ(p.LogOf("Load Form1").size(), 1u);
}

TEST_F(Startup, ASplashThatIsNoPictureCountsAsAbsent) {
  for (const char* content : {"", "GIF89a\x01", "not a picture at all", "RIFF....WAVE"}) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    fp.AddFile("splash.jpg", content);
    Application a(fp);
    a.Run();
    EXPECT_EQ(fp.Window(a.form6()), nullptr) << '"' << content << '"';
    ASSERT_NE(fp.Window(a.form1()), nullptr);
    EXPECT_TRUE(fp.Window(a.form1())->visible);
  }
}

TEST_F(Startup, AFolderHiddenOrSystemFileNamedSplashCountsAsAbsent) {
  for (int kind = 0; kind < 3; ++kind) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    if (kind == 0) fp.AddFolder("splash.jpg");
    if (kind == 1) fp.AddFile("splash.jpg", "PICTURE 200x100", {.hidden = true});
    if (kind == 2) fp.AddFile("splash.jpg", "PICTURE 200x100", {.system = true});
    Application a(fp);
    a.Run();
    EXPECT_EQ(fp.Window(a.form6()), nullptr) << kind;
    EXPECT_NE(fp.Window(a.form1()), nullptr) << kind;
    EXPECT_TRUE(fp.LogOf("SetPictureFromFile Form6").empty()) << kind;
  }
}

TEST_F(Startup, ASplashInTheProgramFolderButNotTheCurrentDirectoryIsNotShown) {
  p.SetProgramFolder("E:\\program");
  p.AddPicture("E:\\program\\splash.jpg", 200, 100);
  Start();
  EXPECT_EQ(p.Window(app.form6()), nullptr);
  EXPECT_NE(p.Window(form1()), nullptr);
}

TEST_F(Startup, ClosingTheSplashBeforeTheTickEndsWithNoMainWindow) {
  p.AddPicture("splash.jpg", 200, 100);
  Start();
  p.Close(app.form6(), kFormControlMenu);
  EXPECT_EQ(p.Window(app.form6()), nullptr);
  EXPECT_EQ(p.Window(form1()), nullptr);
  EXPECT_TRUE(p.LogOf("Load Form1").empty());
  EXPECT_TRUE(p.ProcessOver());
  p.Tick(app.form6(), "Timer1");  // its timer went with it
  EXPECT_TRUE(p.LogOf("Load Form1").empty());
}

}  // namespace
}  // namespace tavlin
