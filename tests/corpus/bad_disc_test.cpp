// The bad-disc corpus (make_corpus.py, in the folder TAVLIN_CORPUS names; see
// run.sh), one case a disc, as a user would meet it: the menu comes up (after
// a splash, if one may come) and answers after every launch, its close box
// ends it with exit code 0, the disc is left as it was, and the winmm.dll
// planted beside the menu is never loaded. A crash fails one of these,
// whether Wine's debugger holds the program or ends it.
#include "../windows/harness.h"

namespace wt {
namespace {

const std::string kCorpus = std::getenv("TAVLIN_CORPUS") ? std::getenv("TAVLIN_CORPUS") : "";

// A disc's files and folders, with their sizes and dates, in the order
// found. By the system's own wide calls: some paths are longer than MAX_PATH.
void Snapshot(const std::wstring& folder, std::vector<std::wstring>& entries) {
  WIN32_FIND_DATAW f;
  const HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &f);
  for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &f)) {
    const std::wstring name = f.cFileName, path = folder + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    entries.push_back(path + L" " + std::to_wstring(f.nFileSizeLow) + L" " +
                      std::to_wstring(f.ftLastWriteTime.dwLowDateTime));
    if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Snapshot(path, entries);
  }
  FindClose(h);
}

class BadDisc : public DiscTest, public testing::WithParamInterface<std::string> {};

// cases.txt has a line a disc: its name and flags (launch: press the button
// on every entry; splash: a splash may come first).
TEST_P(BadDisc, OpensTheMenuAndEndsCleanlyLeavingTheDiscAsItWas) {
  const std::string name = GetParam().substr(0, GetParam().find(' ')), disc = kCorpus + "\\" + name;
  std::vector<std::wstring> before, after;
  Snapshot(L"\\\\?\\" + fs::path(disc).wstring(), before);
  Run(disc + "\\tavlin.exe", disc);
  main = WaitFor("TavlinForm1", GetParam().ends_with(" splash") ? 9000 : 5000);  // a splash stays about 3 s
  ASSERT_NE(main, nullptr) << (Running() ? "no main window in time" : "ended without a main window");
  HWND list = Ctl("List1");
  // A list that does not answer counts no entries, and the close box then finds the hang.
  for (LRESULT i = 0, entries = GetParam().ends_with(" launch") ? Send(list, LB_GETCOUNT) : 0; i < entries; ++i) {
    Send(list, LB_SETCURSEL, i);
    Send(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), LPARAM(list));
    PostMessageA(Ctl("Command1"), BM_CLICK, 0, 0);
    Sleep(300);
    // Message boxes that a launch brings up (ours or the shell's) are answered.
    HWND box = nullptr;
    for (int round = 0; round < 20 && (box = Find("#32770")); ++round, Sleep(100)) {
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      PostMessageA(box, WM_CLOSE, 0, 0);
    }
    ASSERT_NE(Send(main, WM_NULL), -1) << "hangs after launching entry " << i;
  }
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box, as the user would press it
  ASSERT_TRUE(WaitExit(5000)) << "the close box did not end the program";
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(process, &code) && code == 0) << "exit code " << code;
  Snapshot(L"\\\\?\\" + fs::path(disc).wstring(), after);
  EXPECT_EQ(after, before) << "the disc changed";
  const char* marker = std::getenv("TAVLIN_PLANTED_MARKER");
  EXPECT_FALSE(marker && fs::exists(marker)) << "the planted winmm.dll was loaded";
}

std::vector<std::string> Cases() {
  std::vector<std::string> cases;
  std::ifstream in(kCorpus + "\\cases.txt");
  for (std::string line; std::getline(in, line);) cases.push_back(line);
  return cases;
}
// The Windows tests' own run has no corpus.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BadDisc);
INSTANTIATE_TEST_SUITE_P(Corpus, BadDisc, testing::ValuesIn(Cases()), [](const auto& c) {
  std::string name = c.param.substr(0, c.param.find(' '));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
});

}  // namespace
}  // namespace wt
