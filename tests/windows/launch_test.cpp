// The launch button: what the shell starts, and in which folder.
#include <sstream>

#include "harness.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

// What follows the program's name on a command line.
std::string Arguments(const std::string& commandLine) {
  const std::size_t end = commandLine.rfind('"', 0) == 0 ? commandLine.find('"', 1) : commandLine.find(' ');
  const std::size_t rest = end == std::string::npos ? std::string::npos : commandLine.find_first_not_of(" \"", end);
  return rest == std::string::npos ? "" : commandLine.substr(rest);
}

// probe.exe stands in for what an item opens: it logs where and how the
// shell started it, and stays until the test ends it.
struct ProbeRun {
  DWORD pid;
  std::string folder, commandLine;
};

class Launch : public DiscTest {
 protected:
  Launch() { SetEnvironmentVariableA("TAVLIN_PROBE_LOG", Path("probe.log").c_str()); }
  ~Launch() override {
    for (const ProbeRun& r : Runs())
      if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, r.pid)) TerminateProcess(p, 0), CloseHandle(p);
  }

  void Choose(int index, const std::string& button) {
    ClickEntry(index);
    ASSERT_TRUE(ShowsButton(button)) << Text(kCommand1);
  }
  void PressLaunch() { ClickCentre(Ctl(kCommand1)); }

  // A line a run, "pid TAB folder TAB command line"; one without its line end is still being written.
  std::vector<ProbeRun> Runs() const {
    std::vector<ProbeRun> out;
    std::istringstream log(ReadFile(Path("probe.log")));
    for (std::string pid, folder, command; std::getline(log, pid, '\t') && std::getline(log, folder, '\t') &&
                                           std::getline(log, command) && command.ends_with('\r');)
      out.push_back({DWORD(std::stoul(pid)), folder, command.substr(0, command.size() - 1)});
    return out;
  }
  bool WaitRuns(std::size_t count, int timeoutMs = 10000) const {
    return WaitUntil([&] { return Runs().size() >= count; }, timeoutMs, 50);
  }
  std::string Describe() const {
    std::string s = "probes started:";
    for (const auto& r : Runs()) s += "\n  in \"" + r.folder + "\" as " + r.commandLine;
    return s;
  }
  bool RanIn(std::size_t run, const std::string& folder) const {
    return Runs().size() > run && Same(Runs()[run].folder, Path(folder));
  }
};

// The program lies in prog\, the disc's root is the current directory; both
// have an items\ with the probe. A missing folder starts nothing, says nothing
// and leaves the directory as it was; a relative folder then follows the disc,
// and after a launch the program's folder.
TEST_F(Launch, OpensTheItemFileInItsFolderAndTheMenuGoesOn) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = "4";
  f.items.clear();
  const std::pair<const char*, const char*> items[] = {
      {"missing", "probe.exe"}, {"items", "probe.exe"}, {"items", "probe.exe"}, {"items", "probe.exe --flag"}};
  for (auto [folder, file] : items) {
    const std::string n = std::to_string(f.items.size() + 1);
    f.items.push_back({"Item " + n, folder, file, "Run " + n, "Info " + n, "About " + n});
  }
  Write("tavlin.ini", f.Text());
  for (const char* to : {"items\\probe.exe", "prog\\items\\probe.exe"}) Write(to, ReadFile(BesideDriver("probe.exe")));
  Write("prog\\tavlin.exe", ReadFile(TavlinExe()));
  ASSERT_NE(Start(Path("prog\\tavlin.exe")), nullptr);
  Choose(0, "Run 1");
  PressLaunch();
  EXPECT_FALSE(WaitRuns(1, 1500)) << Describe();
  EXPECT_EQ(Find("#32770"), nullptr) << "a message was shown";
  Choose(1, "Run 2");
  PressLaunch();
  ASSERT_TRUE(WaitRuns(1)) << Describe();
  const ProbeRun first = Runs()[0];
  EXPECT_TRUE(RanIn(0, "items")) << Describe();
  EXPECT_EQ(Arguments(first.commandLine), "") << "the shell was given parameters: " << first.commandLine;

  // The probe stays; the menu answers meanwhile and launches again.
  Choose(2, "Run 3");
  EXPECT_EQ(Text(kText3), "Info 3");
  PressLaunch();
  ASSERT_TRUE(WaitRuns(2)) << Describe();
  EXPECT_TRUE(RanIn(1, "prog\\items")) << Describe();
  HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, first.pid);
  EXPECT_EQ(WaitForSingleObject(p, 0), DWORD(WAIT_TIMEOUT)) << "the first probe is no longer running";
  CloseHandle(p);
  EXPECT_TRUE(Running());
  EXPECT_EQ(FocusOf(main), Ctl(kList1));

  // The file line goes to the shell whole, so arguments cannot be given: the
  // shell, as on Windows, finds no such file.
  Choose(3, "Run 4");
  EXPECT_EQ(Text(kText2), "probe.exe --flag");
  PressLaunch();
  EXPECT_FALSE(WaitRuns(3, 3000)) << Describe();
}

// The example disc's first item runs its stand-in installer, which says where it was started.
TEST_F(Launch, ExampleInstallRunsTheDiscsSetupInItsFolder) {
  ASSERT_NE(StartExampleDisc(), nullptr);
  Choose(0, "Install now");
  PressLaunch();
  HWND setup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (setup = FindWindowA("#32770", "Example setup")) != nullptr; }, 10000));
  const MessageBoxView v(setup);
  const std::string expected = "Started in: " + Path("setup");
  ASSERT_EQ(v.texts.size(), 1u);
  EXPECT_TRUE(v.texts[0].size() >= expected.size() &&
              Same(v.texts[0].substr(v.texts[0].size() - expected.size()), expected))
      << v.texts[0];
  EXPECT_EQ(v.icons, 1);  // it asks for an information icon: the reading that finds none on the menu's box sees icons
  PostMessageA(setup, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setup); }, 3000));
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
