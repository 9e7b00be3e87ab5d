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

TEST_F(Use, ChoosingAnEntryFillsTheButtonAndEveryFieldAndReplacesTheLast) {
  MenuFile f = MenuFile::Example();  // its file field hidden, yet filled
  f.Line(2) = "4";                   // the fourth entry has no block
  f.items.push_back({"Empty", "", "", "", "", ""});
  ASSERT_NE(Start(f), nullptr);
  const Values* expected[] = {&kInstall, &kReadMe, &kEmpty, &kEmpty};
  for (int entry : {0, 1, 2, 0, 3}) {
    ClickEntry(entry);
    EXPECT_TRUE(Shows(*expected[entry])) << "entry " << entry << ": " << testing::PrintToString(Shown());
  }
}

TEST_F(Use, ArrowKeysChooseLikeClicks) {
  ASSERT_TRUE(StartInFront(MenuFile::Example()));
  for (auto [key, values] :
       {std::pair{VK_DOWN, &kInstall}, std::pair{VK_DOWN, &kReadMe}, std::pair{VK_UP, &kInstall}}) {
    PressKey(key);
    EXPECT_TRUE(Shows(*values)) << testing::PrintToString(Shown());
  }
}

TEST_F(Use, TabVisitsTheVisibleControlsInDesignOrder) {
  ASSERT_TRUE(StartInFront(MenuFile::Example()));  // Text2 is hidden there
  for (int id : {kCommand1, kText1, kText3, kText4, kList1}) {
    PressKey(VK_TAB);
    EXPECT_TRUE(FocusReaches(id)) << "expected control " << id << ", focus on " << GetDlgCtrlID(Focus());
  }
}

TEST_F(Use, AnAccessKeyOnALabelMovesToTheControlAfterIt) {
  MenuFile menu = MenuFile::Example();
  menu.Line(17) = "&Information";
  menu.Line(14) = "&&Co";
  ASSERT_TRUE(StartInFront(menu));
  EXPECT_EQ(Text(kLabel1), "&&Co");  // the caption as written; two ampersands show one
  PressKeys({VK_MENU, 'I'});
  EXPECT_TRUE(FocusReaches(kText4)) << "focus on " << GetDlgCtrlID(Focus());  // Label4 stands before Text4
}

TEST_F(Use, AnAccessKeyOnTheButtonPressesIt) {
  MenuFile menu = MenuFile::Example();
  menu.items[1].buttonCaption = "&Open it";
  ASSERT_TRUE(StartInFront(menu));
  PressKeys({VK_MENU, 'O'});  // nothing chosen yet, and the button's caption is still "Click"
  EXPECT_EQ(WaitFor("#32770", 1000), nullptr) << "no access key before the caption has one";
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  ASSERT_TRUE(ShowsButton("&Open it"));
  // The item's folder is missing here, so a press ends quietly: the proof
  // that it was pressed is the focus, which the press puts on the list.
  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kCommand1));
  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kText1));
  PressKeys({VK_MENU, 'O'});
  EXPECT_TRUE(FocusReaches(kList1)) << "focus on " << GetDlgCtrlID(Focus());
}

TEST_F(Use, EnterInTheListPressesNothingAndSpaceOnTheButtonDoes) {
  ASSERT_TRUE(StartInFront(MenuFile::Example()));
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(WaitFor("#32770", 800), nullptr) << "Enter or Escape in the list pressed the button";
  PressKey(VK_TAB);
  ASSERT_TRUE(FocusReaches(kCommand1));
  PressKey(VK_SPACE);  // nothing chosen: the message
  HWND box = WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return Find("#32770") == nullptr; }, 3000));
  EXPECT_TRUE(FocusReaches(kList1));
  // Left by the press, the button must not still look like the default one.
  EXPECT_EQ(GetWindowLongA(Ctl(kCommand1), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

}  // namespace
}  // namespace wt
