// The main window as a disc's user first sees it, on the example disc. What
// each line of tavlin.ini means is the core's, unit-tested against the fake;
// here, that it reaches the screen.
#include "harness.h"

namespace wt {
namespace {

TEST_F(DiscTest, ExampleDiscShowsItsMenuAsDesignedAndRunsItsSetup) {
  fs::copy(BesideDriver("disc"), Path(), fs::copy_options::recursive);
  Write("tavlin.exe", ReadFile(TavlinExe()));          // at the disc's root, as an author puts it
  Write("menupic.jpg", "This is not a picture.\r\n");  // which leaves the built-in one
  ASSERT_NE(Start(Path("tavlin.exe")), nullptr);
  EXPECT_EQ(TextOf(main), "Tavlin v3.0");
  std::vector<std::string> texts;
  for (auto id : {"Label6", "Label1", "Label2", "Label4", "Label5", "Text4", "Command1", "Text1", "Text3"})
    texts.push_back(Text(id));
  EXPECT_EQ(texts, (std::vector<std::string>{"Welcome to the disc", "Application", "Folder", "Information",
                                             "Description", "Choose an item from the list.", "Click", "", ""}));
  EXPECT_EQ(FocusOf(main), Ctl("List1"));

  // Centred on the screen, with its client area, a resizable frame, and a
  // title bar with minimize and close but no maximize.
  EXPECT_EQ(Placement(main), "centred, client 400x375");
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);

  // Where each control lies, and its designed size; a label (width 0 here)
  // takes the size of its caption in its font instead, which side_by_side.py
  // holds against the editor's preview. The file field is marked x: its label
  // and box are hidden, nothing else.
  const std::pair<const char*, RECT> controls[] = {
      {"List1", Box(20, 84, 193, 121)},  {"Command1", Box(264, 124, 73, 41)}, {"Text1", Box(20, 236, 150, 19)},
      {"Text2", Box(223, 236, 150, 19)}, {"Text3", Box(20, 276, 353, 19)},    {"Text4", Box(20, 316, 353, 19)},
      {"Label7", Box(20, 352, 111, 15)}, {"Label1", Box(20, 68, 0, 0)},       {"Label6", Box(167, 16, 0, 0)},
      {"Label2", Box(20, 220, 0, 0)},    {"Label3", Box(223, 220, 0, 0)},     {"Label4", Box(20, 260, 0, 0)},
      {"Label5", Box(20, 300, 0, 0)}};
  for (auto [id, expected] : controls) {
    const RECT r = InParent(Ctl(id));
    const bool placed = r.left == expected.left && r.top == expected.top;
    EXPECT_TRUE(Width(expected) ? EqualRect(&r, &expected) : placed) << id << " is at " << ToString(r);
    const bool hidden = std::string_view(id) == "Label3" || std::string_view(id) == "Text2";
    EXPECT_EQ(IsWindowVisible(Ctl(id)) != FALSE, !hidden) << id;
  }

  // The built-in picture's blue sky at the top beside the controls, and the
  // title in line 5's yellow.
  const Capture sky = Capture::Client(main, Box(250, 55, 140, 30)), heading = Pixels("Label6");
  EXPECT_GT(sky.Share([](Rgb p) { return p.b > p.r + 20 && p.b > 100; }), 0.5) << sky.Summary();
  EXPECT_GT(heading.Count(kLightYellow), 100) << heading.Summary();

  // Install runs the disc's stand-in installer in its folder (it says where),
  // and the menu answers while it runs.
  ClickEntry(0);
  ASSERT_TRUE(ShowsButton("Install now")) << Text("Command1");
  Click(Ctl("Command1"));
  HWND setup = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (setup = FindWindowA("#32770", "Example setup")) != nullptr; }, 10000));
  EXPECT_TRUE(EndsIn(BoxText(setup), "Started in: " + Path("setup"))) << BoxText(setup);
  ClickEntry(1);
  EXPECT_TRUE(ShowsButton("Open")) << "the menu waits for what it started";
  PostMessageA(setup, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace wt
