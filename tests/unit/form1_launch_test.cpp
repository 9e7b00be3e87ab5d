// Choosing an item and opening it: what the shell is asked, and where the
// process stands afterwards.
#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

// The example disc with both item folders on it.
void ItemFolders(FakePlatform& p) {
  p.AddFolder("D:\\setup");
  p.AddFolder("D:\\docs");
}

// The button and the four fields; the file field is hidden on the example disc.
std::vector<std::string> Shown(Disc& d) { return d.Shown({"Command1", "Text1", "Text2", "Text3", "Text4"}); }

TEST(Launch, EachChoiceFillsTheButtonAndTheFourFieldsAndReplacesTheLast) {
  Disc d(MenuFile::Example(), ItemFolders);
  d.Select(0);
  EXPECT_EQ(Shown(d), (std::vector<std::string>{"Install now", "setup", "hidden setup.exe", "Version 1.0",
                                                "Installs the program."}));
  d.Select(1);
  EXPECT_EQ(Shown(d),
            (std::vector<std::string>{"Open", "docs", "hidden readme.txt", "Plain text", "Notes on the disc."}));
  // No current entry reads the empty row 0, and then nothing is selected.
  d.Select(-1);
  EXPECT_EQ(Shown(d), (std::vector<std::string>{"", "", "hidden ", "", ""}));
  d.Press();
  EXPECT_EQ(d.p.MessageBoxes().size(), 1u);
  EXPECT_TRUE(d.p.ShellCalls().empty());
  // A step that fails is skipped and the rest run.
  d.p.Fail("SetCaption", "Form1.Command1", 1);
  d.p.Fail("SetText", "Form1.Text3", 1);
  d.Select(1);
  EXPECT_EQ(Shown(d), (std::vector<std::string>{"", "docs", "hidden readme.txt", "", "Notes on the disc."}));
  EXPECT_EQ(d.module1().SelectedFile, "readme.txt");
}

// The disc holds the folders only: a missing file is the shell's affair.
// The item's file goes to it whole, arguments and all.
TEST(Launch, ThePressOpensTheFileInItsFolderAndComesBack) {
  MenuFile f = MenuFile::Example();
  f.items[1].file = "readme.txt /quiet \"a b\"";
  Disc d(f, ItemFolders);
  d.Select(0);
  d.Press();
  d.Press();
  d.Select(1);
  d.Press();
  ASSERT_EQ(d.p.ShellCalls().size(), 3u);
  const ShellCall& call = d.p.ShellCalls()[0];
  EXPECT_EQ(call.owner, d.Window(d.form1())->handle);
  EXPECT_EQ(call.operation, std::nullopt);  // the file type's default verb
  EXPECT_EQ(call.file, "setup.exe");
  EXPECT_EQ(call.directory, "setup");
  EXPECT_EQ(call.showCommand, 1);
  EXPECT_EQ(call.currentDirectory, "D:\\setup");
  EXPECT_EQ(d.p.ShellCalls()[1].file, "setup.exe");  // the same item again
  EXPECT_EQ(d.p.ShellCalls()[2].file, "readme.txt /quiet \"a b\"");
  EXPECT_EQ(d.p.ShellCalls()[2].parameters, std::nullopt);
  EXPECT_EQ(d.p.ShellCalls()[2].currentDirectory, "D:\\docs");
  EXPECT_EQ(d.p.CurrentDirectory(), "D:\\");
  EXPECT_EQ(d.Window(d.form1())->focus, "List1");
  EXPECT_TRUE(d.p.MessageBoxes().empty());
}

TEST(Launch, NoFolderMeansNoSelectionEvenWithAFile) {
  MenuFile f = MenuFile::Example();
  f.items[0].path = "";
  Disc d(f, ItemFolders);
  d.Select(0);
  EXPECT_EQ(d.module1().SelectedFile, "setup.exe");
  d.Press();
  ASSERT_EQ(d.p.MessageBoxes().size(), 1u);
  EXPECT_EQ(d.p.MessageBoxes()[0].text, "Please select menu item");
  EXPECT_EQ(d.p.MessageBoxes()[0].style, 0);  // one OK button, no icon
  EXPECT_EQ(d.p.MessageBoxes()[0].title, "Tavlin");
  EXPECT_TRUE(d.p.ShellCalls().empty());
  EXPECT_EQ(d.Window(d.form1())->focus, "List1");
}

// Failing to set the focus, to enter the item's folder (as when it is
// missing), to get the window's handle, or to come back.
TEST(Launch, TheFirstFailureEndsThePressQuietly) {
  const std::tuple<const char*, const char*, std::size_t, const char*> cases[] = {
      {"SetFocus", "Form1.List1", 0, "D:\\"},
      {"ChangeDirectory", "setup", 0, "D:\\"},
      {"WindowHandle", "", 0, "D:\\setup"},
      {"ChangeDirectory", "D:\\", 1, "D:\\setup"}};
  for (auto [op, target, shellCalls, directoryAfter] : cases) {
    SCOPED_TRACE(std::string(op) + " " + target);
    Disc d(MenuFile::Example(), ItemFolders);
    d.Select(0);
    d.p.Fail(op, target, 1);
    d.Press();
    EXPECT_TRUE(d.p.MessageBoxes().empty());
    EXPECT_EQ(d.p.ShellCalls().size(), shellCalls);
    EXPECT_EQ(d.p.CurrentDirectory(), directoryAfter);
    EXPECT_EQ(d.module1().SelectedPath, "setup");
  }
}

TEST(Launch, ARelativeFolderIsTakenFromTheStartDirectoryAfterTheFirstLaunch) {
  // Started from C:\work with the program on D:\. The first launch resolves
  // "setup" against C:\work, every later one against D:\.
  Disc d(MenuFile::Example(), [](FakePlatform& p) {
    p.AddFile("C:\\work\\tavlin.ini", MenuFile::Example().Text());
    p.AddFolder("D:\\setup");
    p.AddFolder("C:\\work\\setup");
    p.SetCurrentDirectory("C:\\work");
  });
  d.Select(0);
  d.Press();
  d.Press();
  ASSERT_EQ(d.p.ShellCalls().size(), 2u);
  EXPECT_EQ(d.p.ShellCalls()[0].currentDirectory, "C:\\work\\setup");
  EXPECT_EQ(d.p.ShellCalls()[1].currentDirectory, "D:\\setup");
  EXPECT_EQ(d.p.CurrentDirectory(), "D:\\");
}

}  // namespace
}  // namespace tavlin
