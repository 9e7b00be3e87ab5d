// Choosing an item and opening it: what the shell is asked, and where the
// process stands afterwards.
#include "app_fixture.h"

namespace tavlin {
namespace {

using test::AppTest;
using test::MenuFile;

class Launch : public AppTest {
 protected:
  void SetUp() override {
    p.AddFolder("D:\\setup");
    p.AddFolder("D:\\docs");
    StartWith(MenuFile::Example());
  }
  Module1& m() { return app.module1(); }
  void Select(int index) { p.Select(form1(), "List1", index); }
  void Press() { p.Click(form1(), "Command1"); }
};

TEST_F(Launch, SelectingAnEntryFillsTheButtonAndTheFourFields) {
  Select(0);
  EXPECT_EQ(Ctl("Command1").text, "Install now");
  EXPECT_EQ(Ctl("Text1").text, "setup");
  EXPECT_EQ(Ctl("Text2").text, "setup.exe");  // filled although hidden
  EXPECT_EQ(Ctl("Text3").text, "Version 1.0");
  EXPECT_EQ(Ctl("Text4").text, "Installs the program.");
  EXPECT_EQ(m().SelectedPath, "setup");
  EXPECT_EQ(m().SelectedFile, "setup.exe");
}

TEST_F(Launch, ASecondSelectionReplacesEveryValue) {
  Select(0);
  Select(1);
  EXPECT_EQ(Ctl("Command1").text, "Open");
  EXPECT_EQ(Ctl("Text1").text, "docs");
  EXPECT_EQ(Ctl("Text2").text, "readme.txt");
  EXPECT_EQ(Ctl("Text3").text, "Plain text");
  EXPECT_EQ(Ctl("Text4").text, "Notes on the disc.");
  EXPECT_EQ(m().SelectedPath, "docs");
  EXPECT_EQ(m().SelectedFile, "readme.txt");
}

TEST_F(Launch, AClickWithNoCurrentEntryReadsTheEmptyRowZero) {
  Select(0);
  Select(-1);
  for (const char* c : {"Command1", "Text1", "Text2", "Text3", "Text4"}) EXPECT_EQ(Ctl(c).text, "") << c;
  EXPECT_EQ(m().SelectedPath, "");
  Press();
  ASSERT_EQ(p.MessageBoxes().size(), 1u);
  EXPECT_TRUE(p.ShellCalls().empty());
}

TEST_F(Launch, ASelectionStepThatFailsIsSkippedAndTheRestRun) {
  p.Fail("SetCaption", "Form1.Command1", 1);
  p.Fail("SetText", "Form1.Text3", 1);
  Select(1);
  EXPECT_EQ(Ctl("Command1").text, "Click");
  EXPECT_EQ(Ctl("Text3").text, "");
  EXPECT_EQ(Ctl("Text1").text, "docs");
  EXPECT_EQ(Ctl("Text4").text, "Notes on the disc.");
  EXPECT_EQ(m().SelectedFile, "readme.txt");
}

TEST_F(Launch, ThePressOpensTheFileInItsFolderAndComesBack) {
  Select(0);
  Press();
  ASSERT_EQ(p.ShellCalls().size(), 1u);
  const ShellCall& call = p.ShellCalls()[0];
  EXPECT_EQ(call.owner, p.Window(form1())->handle);
  EXPECT_EQ(call.operation, std::nullopt);  // the file type's default verb
  EXPECT_EQ(call.file, "setup.exe");
  EXPECT_EQ(call.parameters, std::nullopt);
  EXPECT_EQ(call.directory, "setup");
  EXPECT_EQ(call.showCommand, 1);
  EXPECT_EQ(call.currentDirectory, "D:\\setup");
  EXPECT_EQ(p.CurrentDirectory(), "D:\\");
  EXPECT_EQ(p.LogOf("ChangeDirectory"), (std::vector<std::string>{"ChangeDirectory setup", "ChangeDirectory D:\\"}));
  EXPECT_EQ(p.Window(form1())->focus, "List1");
  EXPECT_EQ(m().SelectedPath, "setup");
  EXPECT_EQ(m().SelectedFile, "setup.exe");
  EXPECT_TRUE(p.MessageBoxes().empty());
}

TEST_F(Launch, TheSameItemCanBeLaunchedAgainAndAnotherAfterIt) {
  Select(0);
  Press();
  Press();
  Select(1);
  Press();
  ASSERT_EQ(p.ShellCalls().size(), 3u);
  EXPECT_EQ(p.ShellCalls()[1].file, "setup.exe");
  EXPECT_EQ(p.ShellCalls()[2].file, "readme.txt");
  EXPECT_EQ(p.ShellCalls()[2].currentDirectory, "D:\\docs");
}

TEST_F(Launch, AnItemFileWithArgumentsIsHandedOverWhole) {
  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  fp.SetProgramFolder("D:\\");
  fp.AddFolder("D:\\tools");
  MenuFile f = MenuFile::Example();
  f.items[0] = {"Tool", "tools", "tool.exe /quiet \"a b\"", "Run", "", ""};
  fp.AddFile("tavlin.ini", f.Text());
  Application a(fp);
  a.Run();
  fp.Select(a.form1(), "List1", 0);
  fp.Click(a.form1(), "Command1");
  ASSERT_EQ(fp.ShellCalls().size(), 1u);
  EXPECT_EQ(fp.ShellCalls()[0].file, "tool.exe /quiet \"a b\"");
  EXPECT_EQ(fp.ShellCalls()[0].parameters, std::nullopt);
}

// --- nothing selected ----------------------------------------------------------

TEST_F(Launch, NoSelectionShowsTheMessageAndChangesNothing) {
  Press();
  ASSERT_EQ(p.MessageBoxes().size(), 1u);
  EXPECT_EQ(p.MessageBoxes()[0].text, "Please select menu item");
  EXPECT_EQ(p.MessageBoxes()[0].style, 0);  // one OK button, no icon
  EXPECT_EQ(p.MessageBoxes()[0].title, "Tavlin");
  EXPECT_TRUE(p.ShellCalls().empty());
  EXPECT_TRUE(p.LogOf("ChangeDirectory").empty());
  EXPECT_EQ(p.Window(form1())->focus, "List1");
}

TEST_F(Launch, AnItemWithoutAFolderCountsAsNoSelectionEvenWithAFile) {
  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  MenuFile f = MenuFile::Example();
  f.items[0].path = "";
  fp.AddFile("tavlin.ini", f.Text());
  Application a(fp);
  a.Run();
  fp.Select(a.form1(), "List1", 0);
  EXPECT_EQ(a.module1().SelectedFile, "setup.exe");
  fp.Click(a.form1(), "Command1");
  EXPECT_EQ(fp.MessageBoxes().size(), 1u);
  EXPECT_TRUE(fp.ShellCalls().empty());
}

TEST_F(Launch, NoFocusMeansNotEvenTheMessage) {
  p.Fail("SetFocus", "Form1.List1", 1);
  Press();
  EXPECT_TRUE(p.MessageBoxes().empty());
}

// --- failures on the way ---------------------------------------------------------

TEST_F(Launch, AMissingFolderGivesNoShellCallAndLeavesEverything) {
  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  fp.SetProgramFolder("D:\\");
  MenuFile f = MenuFile::Example();  // D:\setup does not exist here
  fp.AddFile("tavlin.ini", f.Text());
  Application a(fp);
  a.Run();
  fp.Select(a.form1(), "List1", 0);
  fp.Click(a.form1(), "Command1");
  EXPECT_TRUE(fp.ShellCalls().empty());
  EXPECT_TRUE(fp.MessageBoxes().empty());
  EXPECT_EQ(fp.CurrentDirectory(), "D:\\");
  EXPECT_EQ(a.module1().SelectedPath, "setup");
  EXPECT_EQ(a.module1().SelectedFile, "setup.exe");
}

TEST_F(Launch, AFailingReturnLeavesTheDirectoryAtTheItemFolder) {
  Select(0);
  p.Fail("ChangeDirectory", "D:\\", 1);
  Press();
  EXPECT_EQ(p.ShellCalls().size(), 1u);
  EXPECT_EQ(p.CurrentDirectory(), "D:\\setup");
}

TEST_F(Launch, AFailureBetweenTheChangesStopsBeforeTheShell) {
  Select(0);
  p.Fail("WindowHandle", "", 1);
  Press();
  EXPECT_TRUE(p.ShellCalls().empty());
  EXPECT_EQ(p.CurrentDirectory(), "D:\\setup");  // no way back: the handler ended
}

TEST_F(Launch, AFileTheShellCannotOpenIsNoFailureForTheMenu) {
  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  fp.SetProgramFolder("D:\\");
  fp.AddFolder("D:\\setup");  // but no setup.exe in it
  fp.AddFile("tavlin.ini", MenuFile::Example().Text());
  Application a(fp);
  a.Run();
  fp.Select(a.form1(), "List1", 0);
  fp.Click(a.form1(), "Command1");
  EXPECT_EQ(fp.ShellCalls().size(), 1u);
  EXPECT_EQ(fp.CurrentDirectory(), "D:\\");
}

// --- relative folders and the start-up directory -------------------------------------

TEST_F(Launch, ARelativeFolderIsTakenFromTheStartDirectoryAfterTheFirstLaunch) {
  // Started from C:\work with the program on D:\. The first launch resolves
  // "setup" against C:\work, every later one against D:\.
  FakePlatform fp;
  fp.SetProgramFolder("D:\\");
  fp.AddFolder("D:\\setup");
  fp.AddFolder("C:\\work\\setup");
  fp.SetCurrentDirectory("C:\\work");
  fp.AddFile("tavlin.ini", MenuFile::Example().Text());
  Application a(fp);
  a.Run();
  fp.Select(a.form1(), "List1", 0);
  fp.Click(a.form1(), "Command1");
  fp.Click(a.form1(), "Command1");
  ASSERT_EQ(fp.ShellCalls().size(), 2u);
  EXPECT_EQ(fp.ShellCalls()[0].currentDirectory, "C:\\work\\setup");
  EXPECT_EQ(fp.ShellCalls()[1].currentDirectory, "D:\\setup");
  EXPECT_EQ(fp.CurrentDirectory(), "D:\\");
}

}  // namespace
}  // namespace tavlin
