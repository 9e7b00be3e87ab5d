// Using the main window: choosing an entry fills the button and the four
// fields, by mouse or keyboard; the tab order, access keys, and which keys
// press the launch button.
#include "harness.h"

namespace wt {
namespace {

using Values = std::vector<std::string>;  // the button, then Text1 to Text4
const Values kInstall{"Install now", "setup", "setup.exe", "Version 1.0", "Installs the program."};
const Values kReadMe{"Open", "docs", "readme.txt", "Plain text", "Notes on the disc."};
const Values kEmpty(5);

class Use : public DiscTest {
 protected:
  Values Shown() const { return {Text(kCommand1), Text(kText1), Text(kText2), Text(kText3), Text(kText4)}; }
  bool Shows(const Values& v) const {
    return WaitUntil([&] { return Shown() == v; }, 3000);
  }
  HWND Focus() const { return FocusOf(main); }
  bool FocusReaches(int id) const {
    return WaitUntil([&] { return Focus() == Ctl(id); }, 3000);
  }
  bool StartInFront(const MenuFile& menu) {
    if (!Start(menu)) return false;
    BringToFront(main);
    return FocusReaches(kList1);
  }
};

TEST_F(Use, ChoosingAnEntryByKeyOrClickFillsTheButtonAndEveryFieldAnew) {
  MenuFile f = MenuFile::Example();  // its file field hidden, yet filled
  f.Line(2) = "4";                   // the fourth entry has no block
  f.items.push_back({"Empty", "", "", "", "", ""});
  ASSERT_TRUE(StartInFront(f));
  // A letter goes to the entry it starts, in the file's order ("Read me" is second though not last).
  for (auto [key, values] : {std::pair{WORD(VK_DOWN), &kInstall}, std::pair{WORD(VK_DOWN), &kReadMe},
                             std::pair{WORD(VK_UP), &kInstall}, std::pair{WORD('R'), &kReadMe}}) {
    PressKey(key);
    EXPECT_TRUE(Shows(*values)) << testing::PrintToString(Shown());
  }
  const Values* expected[] = {&kInstall, &kReadMe, &kEmpty, &kEmpty};
  for (int entry : {2, 1, 3, 0}) {
    ClickEntry(entry);
    EXPECT_TRUE(Shows(*expected[entry])) << "entry " << entry << ": " << testing::PrintToString(Shown());
  }
}

// Enter and Escape press nothing; Tab visits the visible controls in design
// order; Space presses the button, which with nothing chosen asks for a
// choice and leaves the focus on the list.
TEST_F(Use, TabVisitsTheVisibleControlsAndSpacePressesTheButton) {
  ASSERT_TRUE(StartInFront(MenuFile::Example()));  // Text2 is hidden there
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(WaitFor("#32770", 800), nullptr) << "Enter or Escape in the list pressed the button";
  for (int id : {kCommand1, kText1, kText3, kText4, kList1, kCommand1}) {
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusReaches(id)) << "expected control " << id << ", focus on " << GetDlgCtrlID(Focus());
  }
  PressKey(VK_SPACE);  // nothing chosen: the message
  HWND box = WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr) << "no message box";
  const MessageBoxView v(box);
  EXPECT_EQ(v.title, "Tavlin");
  EXPECT_EQ(v.texts, std::vector<std::string>{"Please select menu item"});
  ASSERT_EQ(v.buttons.size(), 1u);
  EXPECT_EQ(TextOf(v.buttons[0]), "OK");
  EXPECT_EQ(v.icons, 0);
  ClickCentre(v.buttons[0]);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(FocusReaches(kList1));
  // Left by the press, the button must not still look like the default one.
  EXPECT_EQ(GetWindowLongA(Ctl(kCommand1), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

// An ampersand marks an access key (two show one): on a label it moves to
// the control after it, on the button it presses it.
TEST_F(Use, AccessKeysMoveToTheFieldAndPressTheButton) {
  MenuFile menu = MenuFile::Example();
  menu.Line(14) = "&&Co";
  menu.Line(17) = "&Information";
  menu.items[1].buttonCaption = "&Open it";
  ASSERT_TRUE(StartInFront(menu));
  EXPECT_EQ(Text(kLabel1), "&&Co");
  PressKeys({VK_MENU, 'O'});  // nothing chosen yet, and the button's caption is still "Click"
  EXPECT_EQ(WaitFor("#32770", 1000), nullptr) << "no access key before the caption has one";
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  ASSERT_TRUE(ShowsButton("&Open it"));
  PressKeys({VK_MENU, 'I'});
  ASSERT_TRUE(FocusReaches(kText4)) << "focus on " << GetDlgCtrlID(Focus());  // Label4 stands before Text4
  // The item's folder is missing here, so a press ends quietly: the proof
  // that it was pressed is the focus, which the press puts on the list.
  PressKeys({VK_MENU, 'O'});
  EXPECT_TRUE(FocusReaches(kList1)) << "focus on " << GetDlgCtrlID(Focus());
}

}  // namespace
}  // namespace wt
