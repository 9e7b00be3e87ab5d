// The Windows tests' tools: a disc folder of its own for each test, the real
// tavlin.exe started on it, and its windows looked at and used from outside
// the process, as a user (or a screen reader) would.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "about/form3.h"
#include "mainwindow/form1.h"
#include "menu_file.h"

namespace wt {

using tavlin::Rgb;
using tavlin::test::MenuFile;
using Clock = std::chrono::steady_clock;

inline constexpr Rgb kLightYellow{255, 255, 0}, kFieldLabelGrey{224, 224, 224}, kTitleRed{192, 0, 0},
    kMagenta{255, 0, 255}, kGreen{0, 255, 0}, kSolidJpegColor{0, 160, 255};
std::string ToString(Rgb c);
std::string ToString(const RECT& r);
Rgb SysColour(int index);
// Pictures made in code, so that every colour looked for is known.
std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& at);
inline std::string Bmp(int width, int height, Rgb fill) {
  return Bmp(width, height, [fill](int, int) { return fill; });
}
std::string SolidJpeg();  // 120 x 60 of kSolidJpegColor, made at build time (cjpeg) beside the driver

std::string ReadFile(const std::string& path);
std::string TavlinExe();  // the exe under test: TAVLIN_EXE, or the one beside the driver
std::string BesideDriver(const std::string& name);
inline long long MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = 5000, int stepMs = 15);

// A fresh folder, removed with everything in it at the end. Names may hold folders; missing ones are made.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  void MakeFolder(const std::string& name) const;
  void CopyIn(const std::string& from, const std::string& name) const;
  void CopyFrom(const std::string& folder) const;  // its contents, recursively

 private:
  std::string path_;
};

// Windows of another process, looked at through messages that time out.
LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
std::string ClassOf(HWND w);
std::string TextOf(HWND w);
RECT InParent(HWND child);  // in its parent's client area
RECT OnScreen(HWND w);
SIZE ClientSize(HWND w);
bool Centred(HWND w);  // on the screen, to a pixel
HWND FocusOf(HWND anyWindowOfTheThread);
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
// What a text measures in a font made like the program's.
SIZE TextExtent(const std::string& text, const char* face, int hundredthsOfPoint, bool bold);

// Real input (SendInput); a click brings its top-level window to the front first.
void BringToFront(HWND top);
void DragScreen(POINT down, POINT up);  // pressed at one point, released at another
inline void ClickScreen(POINT p) { DragScreen(p, p); }
POINT CentreOnScreen(HWND w);
void ClickAt(HWND w, int x, int y);  // client coordinates
void ClickCentre(HWND w);
void PressKeys(std::initializer_list<WORD> chord);
inline void PressKey(WORD vk) { PressKeys({vk}); }

// What the screen shows of part of a client area.
class Capture {
 public:
  static Capture Client(HWND w, RECT part);
  static Capture Client(HWND w);
  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const;
  int CountIf(const std::function<bool(Rgb)>& test) const;
  int Count(Rgb c, int tolerance = 0) const;
  bool All(Rgb c, int tolerance = 0) const { return Count(c, tolerance) == width_ * height_; }
  double Share(const std::function<bool(Rgb)>& test) const {
    return width_ > 0 && height_ > 0 ? static_cast<double>(CountIf(test)) / (width_ * height_) : 0;
  }
  std::string Summary() const;  // the most frequent colours, for messages

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgb> pixels_;
};
// Lets a window finish what it was doing: its messages handled, its paint done.
void Settle(HWND w);

inline int Form1Id(std::string_view name) { return *tavlin::Form1Design().ControlId(name); }
inline int Form3Id(std::string_view name) { return *tavlin::Form3Design().ControlId(name); }
inline const int kList1 = Form1Id("List1"), kCommand1 = Form1Id("Command1"), kText1 = Form1Id("Text1"),
                 kText2 = Form1Id("Text2"), kText3 = Form1Id("Text3"), kText4 = Form1Id("Text4"),
                 kLabel1 = Form1Id("Label1"), kLabel2 = Form1Id("Label2"), kLabel3 = Form1Id("Label3"),
                 kLabel4 = Form1Id("Label4"), kLabel5 = Form1Id("Label5"), kLabel6 = Form1Id("Label6"),
                 kLabel7 = Form1Id("Label7");

// A disc folder of the test's own, and tavlin.exe started on it, ended
// whatever happens when the test ends.
class DiscTest : public ::testing::Test {
 protected:
  void TearDown() override { End(); }
  // Starts `exe` with the disc as its current directory, without waiting.
  void Run(const std::string& exe = TavlinExe());
  // ... and waits for the main window, up and painted.
  HWND Start(const std::string& exe = TavlinExe());
  HWND Start(const MenuFile& menu) {
    disc.Write("tavlin.ini", menu.Text());
    return Start();
  }
  HWND StartExampleDisc();  // with the exe under test at its root
  void End();               // WM_CLOSE to its windows, then TerminateProcess
  bool Running() const { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
  bool WaitExit(int timeoutMs) const { return !process || WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0; }
  std::vector<HWND> Windows(const char* windowClass, bool visibleOnly = true) const;  // top-level ones
  HWND Find(const char* windowClass) const;
  HWND WaitFor(const char* windowClass, int timeoutMs = 10000) const;

  HWND Ctl(int id) const { return GetDlgItem(main, id); }
  bool Shown(int id) const { return IsWindowVisible(Ctl(id)); }
  std::string Text(int id) const { return TextOf(Ctl(id)); }
  std::vector<std::string> Entries() const;
  void ClickEntry(int index);
  bool ShowsButton(const std::string& caption) const;  // within 3 s
  Capture Pixels(int id);                              // of a control, as far as it lies in the client area

  TempFolder disc;  // declared first: it goes last, after the program has ended
  HANDLE process = nullptr;
  DWORD pid = 0;
  Clock::time_point startedAt;
  HWND main = nullptr;
};

}  // namespace wt
