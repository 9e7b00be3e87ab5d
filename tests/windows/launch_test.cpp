// The launch button: what the shell starts, and in which folder.
#include <windows.h>
#include <shellapi.h>

#include <iostream>

#include "fixture.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

bool SameFolder(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

bool Contains(const std::string& text, const std::string& part) {
  std::string t = text, p = part;
  for (auto* s : {&t, &p})
    for (char& c : *s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return t.find(p) != std::string::npos;
}

class Launch : public DiscTest {
 protected:
  Launch() : probes(disc / "probe.log") {}

  // A disc whose items open the probe in the folder `items`, with the
  // program at its root as on a real disc.
  MenuFile ProbeMenu(const std::string& file = "probe.exe") {
    MenuFile f = MenuFile::Example();
    f.items = {{"First", "items", file, "Run first", "One", "The first probe."},
               {"Second", "items", file, "Run second", "Two", "The second probe."}};
    disc.CopyIn(ProbeExe(), "items\\probe.exe");
    return f;
  }
  HWND StartDisc(const MenuFile& menu) {
    disc.Write("tavlin.ini", menu.Text());
    disc.CopyIn(TavlinExe(), "tavlin.exe");
    return StartIn(disc.path(), disc / "tavlin.exe");
  }

  void ClickEntry(int index) {
    HWND list = Ctl(kList1);
    const int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ClickAt(list, 10, h * index + h / 2);
  }
  void Choose(int index, const std::string& button) {
    ClickEntry(index);
    ASSERT_TRUE(WaitUntil([&] { return Text(kCommand1) == button; }, 3000)) << Text(kCommand1);
  }
  void PressLaunch() { ClickCentre(Ctl(kCommand1)); }

  std::string Describe(const std::vector<ProbeRun>& runs) {
    std::string s;
    for (const auto& r : runs) s += "\n  started in \"" + r.currentDirectory + "\" as " + r.commandLine;
    return runs.empty() ? "no probe started" : s;
  }

  ProbeLog probes;
};

TEST_F(Launch, ButtonOpensTheItemFileInTheItemFolder) {
  ASSERT_NE(StartDisc(ProbeMenu()), nullptr);
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1, 10000)) << Describe(probes.Runs());
  const auto runs = probes.Runs();
  ASSERT_EQ(runs.size(), 1u) << Describe(runs);
  RecordProperty("probe_command_line", runs[0].commandLine);
  EXPECT_TRUE(SameFolder(runs[0].currentDirectory, disc / "items")) << Describe(runs);
  EXPECT_TRUE(Contains(runs[0].commandLine, "probe.exe")) << Describe(runs);
  EXPECT_FALSE(Contains(runs[0].commandLine, "--")) << Describe(runs);
  // The menu fails quietly on a drive that is not ready; what it starts
  // gets Windows' own prompts, as when started from Explorer.
  EXPECT_EQ(runs[0].errorMode & (SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), 0u) << runs[0].errorMode;
}

TEST_F(Launch, RelativeFolderFollowsTheDiscFirstAndTheProgramFolderAfter) {
  // The program lies in prog\, the menu is started with the disc's root as
  // current directory. Both folders have an items\ with the probe in it.
  const MenuFile menu = ProbeMenu();
  disc.Write("tavlin.ini", menu.Text());
  disc.CopyIn(TavlinExe(), "prog\\tavlin.exe");
  disc.CopyIn(ProbeExe(), "prog\\items\\probe.exe");
  ASSERT_NE(StartIn(disc.path(), disc / "prog\\tavlin.exe"), nullptr);

  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1, 10000)) << Describe(probes.Runs());
  PressLaunch();  // the same item again
  ASSERT_TRUE(probes.WaitRuns(2, 10000)) << Describe(probes.Runs());
  Choose(1, "Run second");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(3, 10000)) << Describe(probes.Runs());

  const auto runs = probes.Runs();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(SameFolder(runs[0].currentDirectory, disc / "items")) << Describe(runs);
  EXPECT_TRUE(SameFolder(runs[1].currentDirectory, disc / "prog\\items")) << Describe(runs);
  EXPECT_TRUE(SameFolder(runs[2].currentDirectory, disc / "prog\\items")) << Describe(runs);
}

TEST_F(Launch, MenuKeepsWorkingWhileTheLaunchedProgramRuns) {
  ASSERT_NE(StartDisc(ProbeMenu()), nullptr);
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1, 10000)) << Describe(probes.Runs());
  const DWORD first = probes.Runs()[0].pid;

  // The probe waits; the menu answers meanwhile.
  Choose(1, "Run second");
  EXPECT_EQ(Text(kText4), "The second probe.");
  EXPECT_EQ(Text(kText3), "Two");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(2, 10000)) << Describe(probes.Runs());

  EXPECT_TRUE(SameFolder(probes.Runs()[1].currentDirectory, disc / "items")) << Describe(probes.Runs());
  HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, first);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(WaitForSingleObject(p, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first probe is no longer running";
  CloseHandle(p);
  EXPECT_TRUE(app->Running());
  EXPECT_EQ(FocusOf(main), Ctl(kList1));
}

TEST_F(Launch, NothingChosenAsksForAChoice) {
  ASSERT_NE(StartDisc(ProbeMenu()), nullptr);
  PressLaunch();
  HWND box = app->WaitFor("#32770", 5000);
  ASSERT_NE(box, nullptr) << "no message box";
  const MessageBoxView v = ReadMessageBox(box);
  EXPECT_EQ(v.title, "Tavlin");
  EXPECT_EQ(v.texts, std::vector<std::string>{"Please select menu item"});
  ASSERT_EQ(v.buttons.size(), 1u);
  EXPECT_EQ(TextOf(v.buttons[0]), "OK");
  EXPECT_EQ(v.icons, 0);

  ClickCentre(v.buttons[0]);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == Ctl(kList1); }, 3000)) << FocusOf(main);
  EXPECT_TRUE(probes.Runs().empty()) << Describe(probes.Runs());
  EXPECT_TRUE(app->Running());
}

TEST_F(Launch, MissingItemFolderStartsNothingAndChangesNothing) {
  MenuFile f = ProbeMenu();
  f.items[1].path = "missing";
  ASSERT_NE(StartDisc(f), nullptr);
  Choose(1, "Run second");
  PressLaunch();
  // Nothing starts and nothing is said ...
  EXPECT_FALSE(probes.WaitRuns(1, 1500)) << Describe(probes.Runs());
  EXPECT_EQ(app->Find("#32770"), nullptr);
  // ... and the next item still opens in the disc's folder: the failed step
  // left the current directory where it was.
  Choose(0, "Run first");
  PressLaunch();
  ASSERT_TRUE(probes.WaitRuns(1, 10000)) << Describe(probes.Runs());
  EXPECT_TRUE(SameFolder(probes.Runs()[0].currentDirectory, disc / "items")) << Describe(probes.Runs());
}

// The file line goes to the shell whole: arguments cannot be given. What the
// shell then makes of "probe.exe --flag" is Wine's affair and only reported;
// what the menu controls is that it shows and hands on the line unchanged
// and stays usable.
TEST_F(Launch, FileWithArgumentsIsHandedOnWhole) {
  ASSERT_NE(StartDisc(ProbeMenu("probe.exe --flag")), nullptr);
  Choose(0, "Run first");
  EXPECT_EQ(Text(kText2), "probe.exe --flag");
  PressLaunch();
  const bool started = probes.WaitRuns(1, 3000);
  HWND shellBox = app->Find("#32770");
  std::string seen = started ? Describe(probes.Runs()) : "nothing started";
  if (shellBox) seen += "; a message box \"" + TextOf(shellBox) + "\" appeared";
  if (shellBox) PostMessageA(shellBox, WM_CLOSE, 0, 0);
  // For the record, the same call made here, in the same situation (current
  // directory the item folder, the folder given relative): the shell's answer.
  char here[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, here);
  SetCurrentDirectoryA((disc / "items").c_str());
  const auto code =
      reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, nullptr, "probe.exe --flag", nullptr, "items", SW_SHOWNORMAL));
  SetCurrentDirectoryA(here);
  seen += "; ShellExecuteA gives " + std::to_string(code) + (code == SE_ERR_FNF ? " (file not found)" : "");
  std::cout << "[ wine    ] \"probe.exe --flag\" through the shell: " << seen << std::endl;
  RecordProperty("shell_result", seen);

  Choose(1, "Run second");
  EXPECT_EQ(Text(kText2), "probe.exe --flag");
  EXPECT_TRUE(app->Running());
}

// The example disc's first item runs its stand-in installer, which says
// where it was started.
TEST_F(Launch, ExampleInstallRunsTheDiscsSetupInItsFolder) {
  disc.CopyFrom(ExampleDisc());
  ASSERT_NE(StartIn(disc.path(), disc / "tavlin.exe"), nullptr);
  Choose(0, "Install now");
  PressLaunch();
  HWND setup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (setup = FindTopLevel("#32770", "Example setup")) != nullptr; }, 10000));
  DWORD pid = 0;
  GetWindowThreadProcessId(setup, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  const MessageBoxView v = ReadMessageBox(setup);
  EXPECT_NE(pid, app->pid());
  ASSERT_EQ(v.texts.size(), 1u);
  // The text ends with the folder.
  const std::string expected = "Started in: " + (disc / "setup");
  EXPECT_TRUE(v.texts[0].size() >= expected.size() &&
              Contains(v.texts[0].substr(v.texts[0].size() - expected.size()), expected))
      << v.texts[0];
  EXPECT_EQ(v.icons, 1);  // it asks for an information icon: the same reading finds it
  PostMessageA(setup, WM_CLOSE, 0, 0);
  if (process) {
    if (WaitForSingleObject(process, 3000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
  }
}

}  // namespace
}  // namespace wt

namespace wt {
namespace {

// Wine does not hand a parent's error mode on to its children, so the probe
// above cannot tell here; this checks the backend's own switch, in the
// driver's process.
TEST(SystemErrorMode, QuietForTheMenuAndTheStartModeForWhatItLaunches) {
  const UINT saved = SetErrorMode(SEM_NOGPFAULTERRORBOX);  // a start mode of the user's own
  {
    const tavlin::SystemErrorMode mode;
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
    UINT during = 0;
    mode.InStartMode([&] { during = GetErrorMode(); });
    EXPECT_EQ(during, static_cast<UINT>(SEM_NOGPFAULTERRORBOX));
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
  }
  SetErrorMode(saved);
}

}  // namespace
}  // namespace wt
