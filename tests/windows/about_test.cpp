// The About window, opened from the main window's Path label or its web line.
#include "harness.h"
#include "maker.h"

namespace wt {
namespace {

HWND Part(HWND about, std::string_view name) { return GetDlgItem(about, *tavlin::Form3Design().ControlId(name)); }

// One small centred panel laid out as designed. While it is open the main
// window stays usable; five seconds after it opened, though clicked for
// again, it closes. A click is a press and a release on the same control:
// what slides off before the release does nothing (every label, frame and
// picture clicks by the same code). A click on the window closes it.
TEST_F(DiscTest, AboutIsLaidOutAsDesignedAndClosesOnAClickOrAfterFiveSeconds) {
  ASSERT_NE(Start(MenuFile::Example()), nullptr);
  const auto openBy = [&](const char* label) {  // a label of the main window
    Click(Ctl(label));
    return WaitFor("TavlinForm3", 3000);
  };
  const auto closed = [](HWND about, int ms = 2000) { return WaitUntil([&] { return !IsWindowVisible(about); }, ms); };
  const auto opened = Clock::now();
  HWND about = openBy("Label2");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Placement(about), "centred, client 166x126");
  const LONG style = GetWindowLongA(about, GWL_STYLE), ex = GetWindowLongA(about, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), WS_DLGFRAME) << "a title bar, a sizing frame or no dialog frame";
  EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW) << "would get a taskbar button";

  // Each label (width 0 here) sized to its text, so that like the pictures it is centred on the line 85 pixels in.
  const std::pair<const char*, RECT> parts[] = {{"Frame1", Box(2, -4, 163, 129)},
                                                {"Picture1", Box(49, 34, 73, 30)},
                                                {"Image1", Box(43, 72, 85, 24)},
                                                {"Label1", Box(20, 10, 0, 0)},
                                                {"Label2", Box(30, 104, 0, 0)}};
  for (const auto& [id, box] : parts) {
    const RECT r = InParent(Part(about, id));
    const bool centred = r.left == box.left && r.top == box.top && std::abs(r.left + Width(r) / 2.0 - 85) <= 2.5;
    EXPECT_TRUE(Width(box) ? EqualRect(&r, &box) : centred) << id << " is at " << ToString(r);
  }
  EXPECT_EQ(TextOf(Part(about, "Label1")), TAVLIN_COMPANY);
  EXPECT_EQ(TextOf(Part(about, "Label2")), TAVLIN_COPYRIGHT);
  // The pictures are drawn: neither is a plain patch of the window's colour.
  for (auto id : {"Picture1", "Image1"}) {
    const Capture c = Capture::Client(about, InParent(Part(about, id)));
    EXPECT_LT(c.Share([](Rgb p) { return p == SysColour(COLOR_BTNFACE); }), 0.9) << id << " " << c.Summary();
  }
  // The frame's etched top edge, a shadow line over a highlight line across
  // its width, lies one to three pixels below the client area's top.
  int edge = 1;
  while (edge <= 3 && !(Capture::Client(about, {4, edge, 160, edge + 1}).All(SysColour(COLOR_BTNSHADOW)) &&
                        Capture::Client(about, {4, edge + 1, 160, edge + 2}).All(SysColour(COLOR_BTNHIGHLIGHT))))
    ++edge;
  EXPECT_LE(edge, 3) << Capture::Client(about, {0, 0, 166, 8}).Summary();

  ClickEntry(1);
  EXPECT_TRUE(ShowsButton("Open")) << Text("Command1");
  EXPECT_TRUE(IsWindowVisible(about)) << "a click on the main window closed the About window";
  Sleep(static_cast<DWORD>(std::max<long long>(0, 2500 - MsSince(opened))));
  Click(Ctl("Label7"));
  ASSERT_TRUE(closed(about, 6000));
  EXPECT_NEAR(MsSince(opened), 5600, 900);

  BringToFront(main);
  DragScreen(OnScreenAt(Ctl("Label7")), OnScreenAt(Ctl("List1")));
  EXPECT_EQ(WaitFor("TavlinForm3", 1000), nullptr) << "pressing the web line and sliding off opened About";
  ASSERT_NE(about = openBy("Label7"), nullptr);
  Click(about, POINT{0, 60});  // its margin, outside every control
  EXPECT_TRUE(closed(about));
  EXPECT_TRUE(Running() && IsWindowVisible(main));
}

}  // namespace
}  // namespace wt
