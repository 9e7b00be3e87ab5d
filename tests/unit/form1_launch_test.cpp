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

// Item 1 names a file but no folder, which is no selection either.
TEST(Launch, EachChoiceFillsTheButtonAndTheFourFieldsAndReplacesTheLast) {
  MenuFile f = MenuFile::Example();
  f.items[0].path = "";
  Disc d(f, ItemFolders);
  d.Select(0);
  EXPECT_EQ(Shown(d),
            (std::vector<std::string>{"Install now", "", "hidden setup.exe", "Version 1.0", "Installs the program."}));
  d.Press();
  d.Select(1);
  EXPECT_EQ(Shown(d),
            (std::vector<std::string>{"Open", "docs", "hidden readme.txt", "Plain text", "Notes on the disc."}));
  // No current entry reads the empty row 0, and then nothing is selected.
  d.Select(-1);
  EXPECT_EQ(Shown(d), (std::vector<std::string>{"", "", "hidden ", "", ""}));
  d.Press();
  ASSERT_EQ(d.p.MessageBoxes().size(), 2u);
  EXPECT_EQ(d.p.MessageBoxes()[0].text, "Please select menu item");
  EXPECT_EQ(d.p.MessageBoxes()[0].style, 0);  // one OK button, no icon
  EXPECT_TRUE(d.p.ShellCalls().empty());
  // A step that fails is skipped and the rest run.
  d.p.Fail("SetCaption", "Form1.Command1", 1);
  d.p.Fail("SetText", "Form1.Text3", 1);
  d.Select(1);
  EXPECT_EQ(Shown(d), (std::vector<std::string>{"", "docs", "hidden readme.txt", "", "Notes on the disc."}));
  EXPECT_EQ(d.module1().SelectedFile, "readme.txt");
}

// Started from C:\work with the program on D:\, the first launch resolves
// the item's folder against C:\work, every later one against D:\, where the
// process comes back to. The disc holds the folders only: a missing file is
// the shell's affair. The item's file goes to it whole, arguments and all.
TEST(Launch, ThePressOpensTheFileInItsFolderAndComesBackToTheProgramsFolder) {
  MenuFile f = MenuFile::Example();
  f.items[1].file = "readme.txt /quiet \"a b\"";
  Disc d(f, [&](FakePlatform& p) {
    ItemFolders(p);
    p.AddFile("C:\\work\\tavlin.ini", f.Text());
    p.AddFolder("C:\\work\\setup");
    p.SetCurrentDirectory("C:\\work");
  });
  d.Select(0);
  d.Press();
  d.Press();
  d.Select(1);
  d.Press();
  // Each call as the shell gets it: verb (- for the file type's default),
  // file, parameters, folder, show command, and where the process stands.
  std::vector<std::string> calls;
  for (const ShellCall& c : d.p.ShellCalls())
    calls.push_back(c.operation.value_or("-") + " " + c.file.value_or("-") + " " + c.parameters.value_or("-") + " " +
                    c.directory.value_or("-") + " " + std::to_string(c.showCommand) + " " + c.currentDirectory);
  ASSERT_EQ(calls, (std::vector<std::string>{"- setup.exe - setup 1 C:\\work\\setup", "- setup.exe - setup 1 D:\\setup",
                                             "- readme.txt /quiet \"a b\" - docs 1 D:\\docs"}));
  EXPECT_EQ(d.p.ShellCalls()[0].owner, d.Window(d.form1())->handle);
  EXPECT_EQ(d.p.CurrentDirectory(), "D:\\");
  EXPECT_EQ(d.Window(d.form1())->focus, "List1");
  EXPECT_TRUE(d.p.MessageBoxes().empty());
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

}  // namespace
}  // namespace tavlin
