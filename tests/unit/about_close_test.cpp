// The About window and the end of the application.
#include "app_fixture.h"

namespace tavlin {
namespace {

using test::AppTest;
using test::MenuFile;

class AboutAndClose : public AppTest {
 protected:
  void SetUp() override { StartWith(MenuFile::Example()); }
  const FakeWindow* About() { return p.Window(app.form3()); }
};

TEST_F(AboutAndClose, EitherLinkOpensOneAboutWindow) {
  for (const char* link : {"Label2", "Label7"}) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    fp.AddFile("tavlin.ini", MenuFile::Example().Text());
    Application a(fp);
    a.Run();
    fp.Click(a.form1(), link);
    ASSERT_NE(fp.Window(a.form3()), nullptr) << link;
    EXPECT_TRUE(fp.Window(a.form3())->visible) << link;
    fp.Click(a.form1(), link);
    fp.Click(a.form1(), link);
    EXPECT_EQ(fp.LogOf("Load Form3").size(), 1u) << link;   // never a second one
    EXPECT_EQ(fp.Window(a.form3())->showCount, 3) << link;  // brought to the front
    EXPECT_TRUE(fp.ShellCalls().empty()) << "no web address opens";
  }
}

TEST_F(AboutAndClose, AnyClickOnTheAboutWindowOrItsTimerClosesIt) {
  for (const char* part : {"", "Frame1", "Label1", "Label2", "Picture1", "Image1"}) {
    p.Click(form1(), "Label7");
    ASSERT_NE(About(), nullptr) << part;
    p.Click(app.form3(), part);
    EXPECT_EQ(About(), nullptr) << '"' << part << '"';
  }
  p.Click(form1(), "Label2");
  p.Tick(app.form3(), "Timer1");
  EXPECT_EQ(About(), nullptr);
  // Each opening starts afresh from the design.
  p.Click(form1(), "Label2");
  EXPECT_EQ(p.LogOf("Load Form3").size(), 8u);
  EXPECT_EQ(About()->showCount, 1);
  EXPECT_TRUE(p.Window(form1())->visible);
}

TEST_F(AboutAndClose, AHiddenPathLabelCannotOpenIt) {
  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  MenuFile f = MenuFile::Example();
  f.Line(15) = "X";
  fp.AddFile("tavlin.ini", f.Text());
  Application a(fp);
  a.Run();
  fp.Click(a.form1(), "Label2");
  EXPECT_EQ(fp.Window(a.form3()), nullptr);
  fp.Click(a.form1(), "Label7");
  EXPECT_NE(fp.Window(a.form3()), nullptr);
}

TEST_F(AboutAndClose, TheMenuKeepsWorkingWhileTheAboutWindowIsOpen) {
  p.AddFolder("D:\\docs");
  p.Click(form1(), "Label7");
  p.Select(form1(), "List1", 1);
  p.Click(form1(), "Command1");
  EXPECT_EQ(p.ShellCalls().size(), 1u);
  EXPECT_NE(About(), nullptr);
}

TEST_F(AboutAndClose, EveryCloseReasonEndsTheApplication) {
  for (int mode = 0; mode <= 5; ++mode) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    Application a(fp);
    a.Run();
    fp.Close(a.form1(), mode);
    EXPECT_TRUE(fp.HasEnded()) << mode;
    EXPECT_TRUE(fp.ProcessOver()) << mode;
  }
}

TEST_F(AboutAndClose, EndingRunsNoHandlerOfTheAboutWindow) {
  p.Click(form1(), "Label2");
  ASSERT_NE(About(), nullptr);
  p.Close(form1(), kFormControlMenu);
  EXPECT_TRUE(p.HasEnded());
  EXPECT_EQ(About(), nullptr);
  EXPECT_EQ(p.Window(form1()), nullptr);
  const auto end = std::find(p.Log().begin(), p.Log().end(), "End");
  ASSERT_NE(end, p.Log().end());
  EXPECT_EQ(end + 1, p.Log().end()) << "nothing after the end: " << p.Log().back();
  // Events after the end reach nobody.
  p.Tick(app.form3(), "Timer1");
  p.Click(form1(), "Label2");
  EXPECT_EQ(p.Log().back(), "End");
}

}  // namespace
}  // namespace tavlin
