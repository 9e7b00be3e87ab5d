// Choosing an entry fills the button and the four fields.
#include "fixture.h"

namespace wt {
namespace {

class Selection : public DiscTest {
 protected:
  void ClickEntry(int index) {
    HWND list = Ctl(kList1);
    const int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(h, 0);
    ClickAt(list, 10, h * index + h / 2);
  }
  // The values of the five targets, in the order button, Text1..Text4.
  std::vector<std::string> Shown() const {
    return {Text(kCommand1), Text(kText1), Text(kText2), Text(kText3), Text(kText4)};
  }
  bool Shows(const std::vector<std::string>& v) const {
    return WaitUntil([&] { return Shown() == v; }, 3000);
  }
};

const std::vector<std::string> kInstall{"Install now", "setup", "setup.exe", "Version 1.0", "Installs the program."};
const std::vector<std::string> kReadMe{"Open", "docs", "readme.txt", "Plain text", "Notes on the disc."};

TEST_F(Selection, ClickingAnEntryFillsTheButtonAndEveryField) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  ClickEntry(0);
  EXPECT_TRUE(Shows(kInstall)) << testing::PrintToString(Shown());
  // The file field is hidden in the example, yet holds the file.
  EXPECT_FALSE(Visible(Ctl(kText2)));
  ClickEntry(1);
  EXPECT_TRUE(Shows(kReadMe)) << testing::PrintToString(Shown());
}

TEST_F(Selection, ArrowKeysChooseLikeClicks) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  ASSERT_EQ(FocusOf(main), Ctl(kList1));
  BringToFront(main);
  PressKey(VK_DOWN);
  EXPECT_TRUE(Shows(kInstall)) << testing::PrintToString(Shown());
  PressKey(VK_DOWN);
  EXPECT_TRUE(Shows(kReadMe)) << testing::PrintToString(Shown());
  PressKey(VK_UP);
  EXPECT_TRUE(Shows(kInstall)) << testing::PrintToString(Shown());
}

TEST_F(Selection, SecondChoiceReplacesEveryValueEvenWithEmptyOnes) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = "3";
  f.items.push_back({"Empty", "", "", "", "", ""});
  ASSERT_NE(Start(f), nullptr);
  ClickEntry(1);
  ASSERT_TRUE(Shows(kReadMe)) << testing::PrintToString(Shown());
  ClickEntry(2);
  EXPECT_TRUE(Shows({"", "", "", "", ""})) << testing::PrintToString(Shown());
  ClickEntry(0);
  EXPECT_TRUE(Shows(kInstall)) << testing::PrintToString(Shown());
}

TEST_F(Selection, EntryWithoutABlockGivesEmptyValues) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = "3";  // the third entry has no block in the file
  ASSERT_NE(Start(f), nullptr);
  ClickEntry(0);
  ASSERT_TRUE(Shows(kInstall)) << testing::PrintToString(Shown());
  ClickEntry(2);
  EXPECT_TRUE(Shows({"", "", "", "", ""})) << testing::PrintToString(Shown());
}

}  // namespace
}  // namespace wt
