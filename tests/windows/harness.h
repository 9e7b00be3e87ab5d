// The Windows test driver's tools: a disc folder of its own for each test,
// the real tavlin.exe started on it, and its windows looked at and used from
// outside the process, as a user (or a screen reader) would.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "menu_file.h"

namespace wt {

// --- colours and pictures -----------------------------------------------------------

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
};
std::string ToString(Rgb c);
bool Near(Rgb a, Rgb b, int tolerance);

// Pictures made in code, so that every colour a test looks for is known.
// `at(x, y)` gives the colour of each pixel.
std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& at);
std::string Bmp(int width, int height, Rgb fill);
std::string Gif(int width, int height, Rgb fill);
// A baseline JPEG of one colour, made at build time (cjpeg) next to the driver.
std::string SolidJpeg();
inline constexpr Rgb kSolidJpegColor{0, 160, 255};  // what that JPEG was made from

// --- files ----------------------------------------------------------------------------

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::string Join(const std::string& folder, const std::string& name);
std::string DriverFolder();
// tavlin.exe under test: TAVLIN_EXE, or the one beside the driver.
std::string TavlinExe();
std::string ProbeExe();
std::string ExampleDisc();  // the assembled example disc: TAVLIN_DISC or disc\ beside the driver

// A fresh folder under the temporary directory, removed with everything in
// it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return Join(path_, name); }
  // Relative names may hold folders; missing ones are made.
  void Write(const std::string& name, const std::string& bytes) const;
  void MakeFolder(const std::string& name) const;
  void CopyFrom(const std::string& folder) const;  // the folder's contents, recursively
  void CopyIn(const std::string& from, const std::string& name) const;

 private:
  std::string path_;
};

// tavlin.ini line by line, shared with the unit tests.
using tavlin::test::MenuFile;
using tavlin::test::MenuItem;

// --- time ---------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;
inline long long MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}
// Polls `ready` every few milliseconds until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = 5000, int stepMs = 15);

// --- windows of another process -------------------------------------------------------

std::string ClassOf(HWND w);
std::string TextOf(HWND w);  // WM_GETTEXT
std::vector<std::string> ListEntries(HWND list);
bool Visible(HWND w);       // the window and all its parents
RECT InParent(HWND child);  // the window's rectangle in its parent's client area
RECT OnScreen(HWND w);      // outer rectangle in screen coordinates
SIZE ClientSize(HWND w);
HWND FocusOf(HWND anyWindowOfTheThread);
std::vector<HWND> Children(HWND parent);
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
std::string ToString(const RECT& r);

// What a message box shows: its texts, its buttons and how many icons.
struct MessageBoxView {
  std::string title;
  std::vector<std::string> texts;
  std::vector<HWND> buttons;
  int icons = 0;
};
MessageBoxView ReadMessageBox(HWND box);
// A visible top-level window of any process with this class and title.
HWND FindTopLevel(const std::string& windowClass, const std::string& title);

// What a label's text measures in a font made like the program's: the same
// face, size in hundredths of a point and weight.
SIZE TextExtent(const std::string& text, const char* face, int hundredthsOfPoint, bool bold);

// --- input ------------------------------------------------------------------------------

// A real left click (SendInput) at a point of the window's client area. The
// window's top-level parent is brought to the front first.
void ClickAt(HWND w, int x, int y);
void ClickCentre(HWND w);
void PressKey(WORD vk);
void PressKeys(std::initializer_list<WORD> chord);  // e.g. {VK_MENU, VK_F4}
void BringToFront(HWND top);
// Where the close box of a top-level window is, found by hit-testing its title bar.
bool FindCloseBox(HWND top, POINT& screen);
void ClickScreen(POINT p);
// Presses the button at one point of the screen and lets it go at another.
void DragScreen(POINT down, POINT up);
POINT CentreOnScreen(HWND w);

// --- pixels -------------------------------------------------------------------------------

// What the screen shows of a rectangle, read from the screen after the
// window has finished painting.
class Capture {
 public:
  Capture() = default;
  static Capture Screen(const RECT& screenRect);
  // The client area of `w`, or the part given in its client coordinates.
  static Capture Client(HWND w);
  static Capture Client(HWND w, const RECT& part);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const;
  // Pixels of exactly this colour within the capture.
  int Count(Rgb c) const;
  int CountNear(Rgb c, int tolerance) const;
  // The colours of the capture, most frequent first.
  std::string Summary(std::size_t top = 6) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB, rows top down
};

// Lets a window finish what it was doing: its messages handled, its paint done.
void Settle(HWND w);

// --- the program under test -------------------------------------------------------------------

// tavlin.exe started in a folder; ended, whatever happens, when it goes.
class Tavlin {
 public:
  // Starts `exe` with `currentFolder` as its current directory.
  Tavlin(const std::string& exe, const std::string& currentFolder);
  ~Tavlin();
  Tavlin(const Tavlin&) = delete;
  Tavlin& operator=(const Tavlin&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  Clock::time_point startedAt() const { return startedAt_; }

  // Visible top-level windows of the process, of a class ("" for any).
  std::vector<HWND> Windows(const std::string& windowClass, bool visibleOnly = true) const;
  HWND Find(const std::string& windowClass) const;  // the first visible one, or null
  HWND WaitFor(const std::string& windowClass, int timeoutMs = 10000) const;
  // The main window, once it is up and painted.
  HWND MainWindow(int timeoutMs = 10000);
  bool WaitExit(int timeoutMs);
  bool Running() const;
  // WM_CLOSE to its windows, then TerminateProcess if it does not go.
  void End();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  Clock::time_point startedAt_;
};

HWND Control(HWND form, int id);

// The probe's log: one record for each time it was started through the shell.
struct ProbeRun {
  std::string currentDirectory, commandLine;
  DWORD pid = 0;
  UINT errorMode = 0;
};
class ProbeLog {
 public:
  explicit ProbeLog(const std::string& path);  // sets TAVLIN_PROBE_LOG for the processes started after
  ~ProbeLog();                                 // tells every probe to go and ends those that do not
  std::vector<ProbeRun> Runs() const;
  bool WaitRuns(std::size_t count, int timeoutMs) const;
  void ReleaseProbes() const;  // the probes exit

 private:
  std::string path_;
  std::string eventName_;
  HANDLE exitEvent_ = nullptr;
};

}  // namespace wt
