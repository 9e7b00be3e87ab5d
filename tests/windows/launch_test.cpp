// The launch button: what the shell starts, and in which folder.
#include "harness.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

bool Same(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// What follows the program's name on a command line.
std::string Arguments(const std::string& commandLine) {
  const std::size_t end = commandLine.rfind('"', 0) == 0 ? commandLine.find('"', 1) : commandLine.find(' ');
  const std::size_t rest = end == std::string::npos ? std::string::npos : commandLine.find_first_not_of(" \"", end);
  return rest == std::string::npos ? "" : commandLine.substr(rest);
}

// What a message box shows: its texts, its buttons and how many icons.
struct MessageBoxView {
  std::string title;
  std::vector<std::string> texts;
  std::vector<HWND> buttons;
  int icons = 0;
};

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView v;
  v.title = TextOf(box);
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const bool isStatic = Same(ClassOf(c), "Static");
    if (!IsWindowVisible(c)) continue;
    if (Same(ClassOf(c), "Button")) v.buttons.push_back(c);
    else if (isStatic && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      v.icons += Send(c, STM_GETICON) > 0;
    else if (isStatic && !TextOf(c).empty())
      v.texts.push_back(TextOf(c));
  }
  return v;
}

// The log of probe.exe, which stands in for what an item opens: a line each
// time the shell started it. The probes stay until the log goes.
struct ProbeRun {
  DWORD pid = 0;
  std::string currentDirectory, commandLine;
};

class ProbeLog {
 public:
  explicit ProbeLog(const std::string& path) : path_(path) {  // for the processes started after
    const std::string event =
        "TavlinProbeExit-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    exitEvent_ = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    SetEnvironmentVariableA("TAVLIN_PROBE_LOG", path_.c_str());
    SetEnvironmentVariableA("TAVLIN_PROBE_EXIT", event.c_str());
  }
  ~ProbeLog() {
    SetEvent(exitEvent_);
    for (const auto& run : Runs()) {
      HANDLE p = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, run.pid);
      if (p && WaitForSingleObject(p, 3000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
      if (p) CloseHandle(p);
    }
    SetEnvironmentVariableA("TAVLIN_PROBE_LOG", nullptr);
    SetEnvironmentVariableA("TAVLIN_PROBE_EXIT", nullptr);
    CloseHandle(exitEvent_);
  }
  std::vector<ProbeRun> Runs() const {
    // "pid TAB folder TAB command line"; a line without its end is still being written.
    std::vector<ProbeRun> out;
    const std::string s = ReadFile(path_);
    for (std::size_t pos = 0, end; (end = s.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
      const std::size_t tab1 = s.find('\t', pos), tab2 = s.find('\t', tab1 + 1);
      if (tab1 >= end || tab2 >= end) continue;
      out.push_back({DWORD(std::stoul(s.substr(pos, tab1 - pos))), s.substr(tab1 + 1, tab2 - tab1 - 1),
                     s.substr(tab2 + 1, end - tab2 - 1)});
    }
    return out;
  }
  bool WaitRuns(std::size_t count, int timeoutMs = 10000) const {
    return WaitUntil([&] { return Runs().size() >= count; }, timeoutMs, 50);
  }
  std::string Describe() const {
    std::string s = "probes started:";
    for (const auto& r : Runs()) s += "\n  in \"" + r.currentDirectory + "\" as " + r.commandLine;
    return s;
  }

 private:
  std::string path_;
  HANDLE exitEvent_ = nullptr;
};

class Launch : public DiscTest {
 protected:
  Launch() : probes(disc / "probe.log") {}

  // A disc whose two items open the probe in items\, with the program at its root as on a real disc.
  HWND StartProbeDisc(const std::string& file = "probe.exe", const std::string& secondFolder = "items") {
    MenuFile f = MenuFile::Example();
    f.items = {{"First", "items", file, "Run first", "One", "The first probe."},
               {"Second", secondFolder, file, "Run second", "Two", "The second probe."}};
    disc.Write("tavlin.ini", f.Text());
    disc.CopyIn(BesideDriver("probe.exe"), "items\\probe.exe");
    disc.CopyIn(TavlinExe(), "tavlin.exe");
    return Start(disc / "tavlin.exe");
  }
  void Choose(int index, const std::string& button) {
    ClickEntry(index);
    ASSERT_TRUE(ShowsButton(button)) << Text(kCommand1);
  }
  void PressLaunch() { ClickCentre(Ctl(kCommand1)); }
  bool RanIn(std::size_t run, const std::string& folder) const {
    return probes.Runs().size() > run && Same(probes.Runs()[run].currentDirectory, disc / folder);
  }

  ProbeLog probes;
};

TEST_F(Launch, OpensTheItemFileInItsFolderAndTheMenuGoesOn) {
  ASSERT_NE(StartProbeDisc(), nullptr);
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1)) << probes.Describe();
  const ProbeRun first = probes.Runs()[0];
  EXPECT_TRUE(RanIn(0, "items")) << probes.Describe();
  EXPECT_EQ(Arguments(first.commandLine), "") << "the shell was given parameters: " << first.commandLine;

  // The probe stays; the menu answers meanwhile and launches again.
  Choose(1, "Run second");
  EXPECT_EQ(Text(kText3), "Two");
  EXPECT_EQ(Text(kText4), "The second probe.");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(2)) << probes.Describe();
  EXPECT_TRUE(RanIn(1, "items")) << probes.Describe();
  HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, first.pid);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(WaitForSingleObject(p, 0), DWORD(WAIT_TIMEOUT)) << "the first probe is no longer running";
  CloseHandle(p);
  EXPECT_TRUE(Running());
  EXPECT_EQ(FocusOf(main), Ctl(kList1));
}

// The program lies in prog\, the disc's root is the current directory; both
// have an items\ with the probe. After a launch the program's folder is current.
TEST_F(Launch, RelativeFolderFollowsTheDiscFirstAndTheProgramFolderAfter) {
  MenuFile f = MenuFile::Example();
  f.items = {{"First", "items", "probe.exe", "Run first", "", ""},
             {"Second", "items", "probe.exe", "Run second", "", ""}};
  disc.Write("tavlin.ini", f.Text());
  disc.CopyIn(BesideDriver("probe.exe"), "items\\probe.exe");
  disc.CopyIn(BesideDriver("probe.exe"), "prog\\items\\probe.exe");
  disc.CopyIn(TavlinExe(), "prog\\tavlin.exe");
  ASSERT_NE(Start(disc / "prog\\tavlin.exe"), nullptr);
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1)) << probes.Describe();
  PressLaunch();  // the same item again
  ASSERT_TRUE(probes.WaitRuns(2)) << probes.Describe();
  Choose(1, "Run second");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(3)) << probes.Describe();
  EXPECT_TRUE(RanIn(0, "items") && RanIn(1, "prog\\items") && RanIn(2, "prog\\items")) << probes.Describe();
}

TEST_F(Launch, NothingChosenAsksForAChoice) {
  ASSERT_NE(StartProbeDisc(), nullptr);
  PressLaunch();
  HWND box = WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr) << "no message box";
  const MessageBoxView v = ReadMessageBox(box);
  EXPECT_EQ(v.title, "Tavlin");
  EXPECT_EQ(v.texts, std::vector<std::string>{"Please select menu item"});
  ASSERT_EQ(v.buttons.size(), 1u);
  EXPECT_EQ(TextOf(v.buttons[0]), "OK");
  EXPECT_EQ(v.icons, 0);
  ClickCentre(v.buttons[0]);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == Ctl(kList1); }, 3000));
  EXPECT_TRUE(probes.Runs().empty()) << probes.Describe();
  EXPECT_TRUE(Running());
}

TEST_F(Launch, MissingItemFolderStartsNothingAndChangesNothing) {
  ASSERT_NE(StartProbeDisc("probe.exe", "missing"), nullptr);
  Choose(1, "Run second");
  PressLaunch();
  EXPECT_FALSE(probes.WaitRuns(1, 1500)) << probes.Describe();
  EXPECT_EQ(Find("#32770"), nullptr) << "a message was shown";
  // The next item still opens in the disc's folder: the failed step left
  // the current directory where it was.
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1)) << probes.Describe();
  EXPECT_TRUE(RanIn(0, "items")) << probes.Describe();
}

// The file line goes to the shell whole: arguments cannot be given, and
// the shell, as on Windows, finds no file of that name.
TEST_F(Launch, FileWithArgumentsIsHandedOnWhole) {
  ASSERT_NE(StartProbeDisc("probe.exe --flag"), nullptr);
  Choose(0, "Run first");
  EXPECT_EQ(Text(kText2), "probe.exe --flag");
  PressLaunch();
  EXPECT_FALSE(probes.WaitRuns(1, 3000)) << probes.Describe();
  if (HWND box = Find("#32770")) PostMessageA(box, WM_CLOSE, 0, 0);  // the shell's, if it says so
  Choose(1, "Run second");
  EXPECT_TRUE(Running());
}

// The example disc's first item runs its stand-in installer, which says where it was started.
TEST_F(Launch, ExampleInstallRunsTheDiscsSetupInItsFolder) {
  ASSERT_NE(StartExampleDisc(), nullptr);
  Choose(0, "Install now");
  PressLaunch();
  HWND setup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (setup = FindWindowA("#32770", "Example setup")) != nullptr; }, 10000));
  DWORD setupPid = 0;
  GetWindowThreadProcessId(setup, &setupPid);
  HANDLE setupProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, setupPid);
  const MessageBoxView v = ReadMessageBox(setup);
  EXPECT_NE(setupPid, pid);
  ASSERT_EQ(v.texts.size(), 1u);
  const std::string expected = "Started in: " + (disc / "setup");
  EXPECT_TRUE(v.texts[0].size() >= expected.size() &&
              Same(v.texts[0].substr(v.texts[0].size() - expected.size()), expected))
      << v.texts[0];
  EXPECT_EQ(v.icons, 1);  // it asks for an information icon: the reading that finds none on the menu's box sees icons
  PostMessageA(setup, WM_CLOSE, 0, 0);
  if (setupProcess && WaitForSingleObject(setupProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(setupProcess, 1);
  if (setupProcess) CloseHandle(setupProcess);
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
