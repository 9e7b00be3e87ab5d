// The About window and the end of the application.
#include <algorithm>

#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

const FakeWindow* About(Disc& d) { return d.Window(d.app.form3()); }

TEST(AboutAndClose, EitherLinkOpensOneAboutWindowAndNoWebAddress) {
  for (const char* link : {"Label2", "Label7"}) {
    Disc d;
    for (int i = 0; i < 3; ++i) d.p.Click(d.form1(), link);
    ASSERT_NE(About(d), nullptr) << link;
    EXPECT_TRUE(About(d)->visible) << link;
    EXPECT_EQ(d.p.LogOf("Load Form3").size(), 1u) << link;  // never a second one
    EXPECT_EQ(About(d)->showCount, 3) << link;              // brought to the front
    EXPECT_TRUE(d.p.ShellCalls().empty()) << link;
  }
}

TEST(AboutAndClose, AnyClickOnTheAboutWindowOrItsTimerClosesIt) {
  Disc d;
  for (const char* part : {"", "Frame1", "Label1", "Label2", "Picture1", "Image1"}) {
    d.p.Click(d.form1(), "Label7");
    ASSERT_NE(About(d), nullptr) << part;
    d.p.Click(d.app.form3(), part);
    EXPECT_EQ(About(d), nullptr) << '"' << part << '"';
  }
  d.p.Click(d.form1(), "Label2");
  d.p.Tick(d.app.form3(), "Timer1");
  EXPECT_EQ(About(d), nullptr);
  // Each opening starts afresh from the design.
  d.p.Click(d.form1(), "Label2");
  EXPECT_EQ(d.p.LogOf("Load Form3").size(), 8u);
  EXPECT_EQ(About(d)->showCount, 1);
  EXPECT_TRUE(d.Window(d.form1())->visible);
}

TEST(AboutAndClose, AHiddenPathLabelCannotOpenItButTheWebLineCan) {
  MenuFile f = MenuFile::Example();
  f.Line(15) = "X";
  Disc d(f);
  d.p.Click(d.form1(), "Label2");
  EXPECT_EQ(About(d), nullptr);
  d.p.Click(d.form1(), "Label7");
  EXPECT_NE(About(d), nullptr);
}

TEST(AboutAndClose, EveryCloseReasonEndsTheApplicationAndNothingRunsAfter) {
  for (int mode = kFormControlMenu; mode <= kFormOwner; ++mode) {
    Disc d;
    d.p.Click(d.form1(), "Label2");
    d.p.Close(d.form1(), mode);
    EXPECT_TRUE(d.p.HasEnded()) << mode;
    EXPECT_TRUE(d.p.ProcessOver()) << mode;
    EXPECT_EQ(About(d), nullptr) << mode;
    EXPECT_EQ(d.p.Log().back(), "End") << "no handler of the About window ran: " << mode;
    d.p.Tick(d.app.form3(), "Timer1");  // events after the end reach nobody
    d.p.Click(d.form1(), "Label2");
    EXPECT_EQ(d.p.Log().back(), "End") << mode;
  }
}

}  // namespace
}  // namespace tavlin
