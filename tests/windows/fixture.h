// A test's own disc folder and the menu started on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "harness.h"

namespace wt {

// Child window ids of the main window: 100 + the position in its design table.
enum Form1Id : int {
  kList1 = 100, kCommand1, kText1, kText2, kText3, kLabel1, kLabel6, kLabel2, kLabel3, kLabel4, kText4, kLabel5,
  kLabel7,
};
// And of the About window.
enum Form3Id : int { kFrame1 = 100, kAboutLabel1, kPicture1, kImage1, kAboutLabel2 };

inline constexpr Rgb kLightYellow{255, 255, 0};
inline constexpr Rgb kFieldLabelGrey{224, 224, 224};
inline constexpr Rgb kTitleRed{192, 0, 0};

inline Rgb ButtonFace() {
  const COLORREF c = GetSysColor(COLOR_BTNFACE);
  return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

class DiscTest : public ::testing::Test {
 protected:
  // Starts tavlin.exe (by default the one under test, wherever it lies) with
  // `folder` as the current directory and waits for the main window.
  HWND StartIn(const std::string& folder, const std::string& exe = TavlinExe()) {
    app = std::make_unique<Tavlin>(exe, folder);
    EXPECT_TRUE(app->started()) << "could not start " << exe;
    main = app->MainWindow();
    EXPECT_NE(main, nullptr) << "no main window within 10 s";
    return main;
  }
  HWND Start(const MenuFile& menu) {
    disc.Write("tavlin.ini", menu.Text());
    return StartIn(disc.path());
  }
  HWND Start() { return StartIn(disc.path()); }

  HWND Ctl(int id) const { return Control(main, id); }
  std::string Text(int id) const { return TextOf(Ctl(id)); }
  std::vector<std::string> Entries() const { return ListEntries(Ctl(kList1)); }

  // What the screen shows of a control, as far as it lies in the client area.
  Capture Pixels(int id) {
    Settle(main);
    RECT client, part;
    GetClientRect(main, &client);
    const RECT r = InParent(Ctl(id));
    IntersectRect(&part, &r, &client);
    return Capture::Client(main, part);
  }

  void TearDown() override {
    if (app) app->End();
  }

  TempFolder disc;  // declared first: it goes last, after the program has ended
  std::unique_ptr<Tavlin> app;
  HWND main = nullptr;
};

}  // namespace wt
