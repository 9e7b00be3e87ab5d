// The About window and the end of the application.
#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

const WindowState* About(Disc& d) { return d.Window(d.app.form3()); }

// Clicked again and again, either link brings one About window to the
// front; each opening starts afresh from the design.
TEST(AboutAndClose, EitherLinkOpensOneAboutWindowAndAnyClickOrItsTimerClosesIt) {
  Disc d;
  const std::string parts[] = {"", "Frame1", "Label1", "Label2", "Picture1", "Image1", "Timer1"};
  for (std::size_t i = 0; i < std::size(parts); ++i) {
    const char* link = i % 2 ? "Label2" : "Label7";
    for (int n = 0; n < 3; ++n) d.p.Click(d.form1(), link);
    ASSERT_NE(About(d), nullptr) << link;
    EXPECT_EQ(About(d)->showCount, 3) << link;
    parts[i] == "Timer1" ? d.p.Tick(d.app.form3(), parts[i]) : d.p.Click(d.app.form3(), parts[i]);
    EXPECT_EQ(About(d), nullptr) << '"' << parts[i] << '"';
  }
  EXPECT_EQ(d.p.LogOf("Load Form3").size(), std::size(parts));
  EXPECT_TRUE(d.p.ShellCalls().empty());  // no web address is opened
  EXPECT_TRUE(d.Window(d.form1())->visible);
}

// With the Path label hidden only the web line opens the About window,
// which goes with the application however it is closed.
TEST(AboutAndClose, EveryCloseReasonEndsTheApplicationAndNothingRunsAfter) {
  MenuFile hiddenPath = MenuFile::Example();
  hiddenPath.Line(15) = "X";
  for (int mode = kFormControlMenu; mode <= kFormOwner; ++mode) {
    Disc d(hiddenPath);
    d.p.Click(d.form1(), "Label2");
    EXPECT_EQ(About(d), nullptr) << mode;
    d.p.Click(d.form1(), "Label7");
    ASSERT_NE(About(d), nullptr) << mode;
    d.p.Close(d.form1(), mode);
    EXPECT_TRUE(d.p.HasEnded()) << mode;
    EXPECT_TRUE(d.p.ProcessOver()) << mode;
    EXPECT_EQ(About(d), nullptr) << mode;
    EXPECT_EQ(d.p.Log().back(), "End") << "no handler of the About window ran: " << mode;
    d.p.Tick(d.app.form3(), "Timer1");  // events after the end reach nobody
    d.p.Click(d.form1(), "Label7");
    EXPECT_EQ(d.p.Log().back(), "End") << mode;
  }
}

}  // namespace
}  // namespace tavlin
