// The main window with the keyboard alone: the tab order, access keys, and
// which keys press the launch button.
#include "fixture.h"

namespace wt {
namespace {

class Keyboard : public DiscTest {
 protected:
  HWND Focus() const { return FocusOf(main); }
  bool FocusReaches(int id) const {
    return WaitUntil([&] { return Focus() == Ctl(id); }, 3000);
  }
  void Alt(WORD letter) { PressKeys({VK_MENU, letter}); }
};

TEST_F(Keyboard, TabVisitsTheVisibleControlsInDesignOrder) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);  // Text2 is hidden there
  BringToFront(main);
  ASSERT_TRUE(FocusReaches(kList1));
  for (int id : {kCommand1, kText1, kText3, kText4, kList1}) {
    PressKey(VK_TAB);
    EXPECT_TRUE(FocusReaches(id)) << "expected control " << id << ", focus on " << GetDlgCtrlID(Focus());
  }
}

TEST_F(Keyboard, AnAccessKeyOnALabelMovesToTheControlAfterIt) {
  MenuFile menu = MenuFile::Example();
  menu.Line(17) = "&Information";
  menu.Line(14) = "&&Co";
  ASSERT_NE(Start(menu), nullptr);
  BringToFront(main);
  ASSERT_TRUE(FocusReaches(kList1));
  EXPECT_EQ(Text(kLabel1), "&&Co");  // the caption as written; two ampersands show one
  Alt('I');
  // Label4 stands before Text4 in tab order.
  EXPECT_TRUE(FocusReaches(kText4)) << "focus on " << GetDlgCtrlID(Focus());
}

TEST_F(Keyboard, AnAccessKeyOnTheButtonPressesIt) {
  MenuFile menu = MenuFile::Example();
  menu.items[1].buttonCaption = "&Open it";
  ASSERT_NE(Start(menu), nullptr);
  BringToFront(main);
  ASSERT_TRUE(FocusReaches(kList1));
  Alt('O');  // nothing chosen yet, and the button's caption is still "Click"
  EXPECT_EQ(app->WaitFor("#32770", 1000), nullptr) << "no access key before the caption has one";
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return Text(kCommand1) == "&Open it"; }, 3000));
  // The item's folder is missing here, so a press ends quietly: the proof
  // that it was pressed is the focus, which the press puts on the list.
  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kCommand1));
  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kText1));
  Alt('O');
  EXPECT_TRUE(FocusReaches(kList1)) << "focus on " << GetDlgCtrlID(Focus());
}

TEST_F(Keyboard, EnterInTheListPressesNothingAndSpaceOnTheButtonDoes) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  BringToFront(main);
  ASSERT_TRUE(FocusReaches(kList1));
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(app->WaitFor("#32770", 800), nullptr) << "Enter or Escape in the list pressed the button";

  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kCommand1));
  PressKey(VK_SPACE);  // nothing chosen: the message
  HWND box = app->WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return app->Find("#32770") == nullptr; }, 3000));
  EXPECT_TRUE(FocusReaches(kList1));
  // Left by the press, the button must not still look like the default one.
  EXPECT_EQ(GetWindowLongA(Ctl(kCommand1), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

}  // namespace
}  // namespace wt
