// The launch button: what the shell is handed, and the error mode around it.
#include "harness.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

// probe.exe, the item, writes the command line it got where it was started.
TEST_F(DiscTest, LaunchHandsTheShellTheItemFileAloneInItsFolder) {
  MenuFile f = MenuFile::Example();
  f.items[0] = {"Probe", "items", "probe.exe", "Run", "", ""};
  Write("items\\probe.exe", ReadFile(BesideDriver("probe.exe")));
  ASSERT_NE(Start(f), nullptr);
  ClickEntry(0);
  ASSERT_TRUE(ShowsButton("Run")) << Text("Command1");
  Click(Ctl("Command1"));
  std::string command;
  ASSERT_TRUE(WaitUntil([&] { return (command = ReadFile(Path("items\\probe.log"))).ends_with('\n'); }, 10000))
      << "no probe ran in items\\";
  // The program's name, quoted or not, and nothing after it.
  const std::string name = command.substr(0, command.find_last_not_of(" \"\r\n") + 1);
  EXPECT_TRUE(name.size() >= 9 && Same(name.substr(name.size() - 9), "probe.exe")) << "parameters given: " << command;
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
