// A test's own disc folder and the menu started on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "about/form3.h"
#include "harness.h"
#include "mainwindow/form1.h"

namespace wt {

// Child window ids, numbered from the design tables as the program numbers them.
inline int Form1Id(std::string_view name) { return *tavlin::Form1Design().ControlId(name); }
inline int Form3Id(std::string_view name) { return *tavlin::Form3Design().ControlId(name); }
inline const int kList1 = Form1Id("List1"), kCommand1 = Form1Id("Command1"), kText1 = Form1Id("Text1"),
                 kText2 = Form1Id("Text2"), kText3 = Form1Id("Text3"), kText4 = Form1Id("Text4"),
                 kLabel1 = Form1Id("Label1"), kLabel2 = Form1Id("Label2"), kLabel3 = Form1Id("Label3"),
                 kLabel4 = Form1Id("Label4"), kLabel5 = Form1Id("Label5"), kLabel6 = Form1Id("Label6"),
                 kLabel7 = Form1Id("Label7");
inline const int kFrame1 = Form3Id("Frame1"), kAboutLabel1 = Form3Id("Label1"), kPicture1 = Form3Id("Picture1"),
                 kImage1 = Form3Id("Image1"), kAboutLabel2 = Form3Id("Label2");

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
