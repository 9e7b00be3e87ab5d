// Using the main window by keyboard and mouse: the tab order, which keys
// press the launch button, access keys, choosing an entry, which fills the
// button and the four fields, and what the button hands the shell, with the
// error mode around it.
#include "harness.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

using Values = std::vector<std::string>;  // the button, then Text1 to Text4

// Enter and Escape press nothing; Tab visits the visible controls in design
// order; Space presses the button, which with nothing chosen asks for a
// choice and leaves the focus on the list. An ampersand marks an access key:
// on a label it moves to the control after it, on the button it presses it.
// The button hands the shell the item's file alone, started in its folder:
// there probe.exe, the item, writes the parameters it got.
TEST_F(DiscTest, KeysAndClicksReachEveryControlFillTheFieldsAndLaunch) {
  MenuFile menu = MenuFile::Example();  // its file field hidden, yet filled
  menu.Line(2) = "3";
  menu.Line(17) = "&Information";
  menu.items[1].buttonCaption = "&Open it";
  menu.items.push_back({"Probe", "items", "probe.exe", "Run", "", ""});
  Write("items\\probe.exe", ReadFile(BesideDriver("probe.exe")));
  const Values install{"Install now", "setup", "setup.exe", "Version 1.0", "Installs the program."};
  const Values readMe{"&Open it", "docs", "readme.txt", "Plain text", "Notes on the disc."};
  const auto shown = [&] {
    return Values{Text("Command1"), Text("Text1"), Text("Text2"), Text("Text3"), Text("Text4")};
  };
  const auto shows = [&](const Values& v) { return WaitUntil([&] { return shown() == v; }, 3000); };
  const auto focusOn = [&](const char* id) { return WaitUntil([&] { return FocusOf(main) == Ctl(id); }, 3000); };
  ASSERT_NE(Start(menu), nullptr);
  BringToFront(main);
  ASSERT_TRUE(focusOn("List1"));

  PressKeys({VK_RETURN});
  PressKeys({VK_ESCAPE});
  EXPECT_EQ(WaitFor("#32770", 800), nullptr) << "Enter or Escape in the list pressed the button";
  for (auto id : {"Command1", "Text1", "Text3", "Text4", "List1", "Command1"}) {
    PressKeys({VK_TAB});
    ASSERT_TRUE(focusOn(id)) << "expected " << id << ", focus on control " << GetDlgCtrlID(FocusOf(main));
  }
  PressKeys({VK_SPACE});  // nothing chosen: the message
  HWND box = WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(TextOf(box), "Tavlin");
  EXPECT_EQ(BoxText(box), "Please select menu item");
  Click(GetDlgItem(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(focusOn("List1"));
  // Left by the press, the button must not still look like the default one.
  EXPECT_EQ(GetWindowLongA(Ctl("Command1"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

  PressKeys({VK_MENU, 'O'});  // the button's caption is still "Click"
  EXPECT_EQ(WaitFor("#32770", 1000), nullptr) << "no access key before the caption has one";
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  ASSERT_TRUE(shows(readMe)) << testing::PrintToString(shown());
  PressKeys({VK_MENU, 'I'});
  ASSERT_TRUE(focusOn("Text4")) << GetDlgCtrlID(FocusOf(main));  // Label4 stands before Text4
  // The item's folder is missing here, so a press ends quietly: the proof
  // that it was pressed is the focus, which the press puts on the list.
  PressKeys({VK_MENU, 'O'});
  EXPECT_TRUE(focusOn("List1")) << GetDlgCtrlID(FocusOf(main));

  // A letter goes to the entry it starts, in the file's order; a click fills every field anew.
  PressKeys({VK_UP});
  PressKeys({'R'});
  EXPECT_TRUE(shows(readMe)) << testing::PrintToString(shown());
  for (auto [entry, values] : {std::pair{0, install}, std::pair{2, Values{"Run", "items", "probe.exe", "", ""}}}) {
    ClickEntry(entry);
    ASSERT_TRUE(shows(values)) << "entry " << entry << ": " << testing::PrintToString(shown());
  }
  Click(Ctl("Command1"));
  std::string parameters;
  ASSERT_TRUE(WaitUntil([&] { return (parameters = ReadFile(Path("items\\probe.log"))).ends_with('\n'); }, 10000))
      << "no probe ran in items\\";
  EXPECT_EQ(parameters, "\n");
}

// Wine does not hand a parent's error mode on to its children, so no probe
// can tell; this checks the backend's own switch, in the driver's process.
TEST(SystemErrorMode, QuietForTheMenuAndTheStartModeForWhatItLaunches) {
  const UINT saved = SetErrorMode(SEM_NOGPFAULTERRORBOX);  // a start mode of the user's own
  {
    const tavlin::SystemErrorMode mode;
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
    UINT during = 0;
    mode.InStartMode([&] { during = GetErrorMode(); });
    EXPECT_EQ(during, UINT(SEM_NOGPFAULTERRORBOX));
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
  }
  SetErrorMode(saved);
}

}  // namespace
}  // namespace wt
