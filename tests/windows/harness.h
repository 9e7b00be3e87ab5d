// The Windows tests' tools: a disc folder of its own for each test, the real
// tavlin.exe started on it, and its windows looked at and used from outside
// the process, as a user (or a screen reader) would.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "about/form3.h"
#include "mainwindow/form1.h"
#include "menu_file.h"

namespace wt {

namespace fs = std::filesystem;
using tavlin::Rgb;
using tavlin::test::MenuFile;
using Clock = std::chrono::steady_clock;

inline constexpr Rgb kLightYellow{255, 255, 0}, kMagenta{255, 0, 255}, kGreen{0, 255, 0};

inline Rgb SysColour(int index) {
  const COLORREF c = GetSysColor(index);
  return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

// Pictures made in code, so that every colour looked for is known: 32 bits,
// rows bottom up, 96 DPI so that the picture's pixels are the screen's.
inline std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& at) {
  const BITMAPINFOHEADER info{sizeof info, width, height, 1, 32, BI_RGB, DWORD(4 * width * height), 3780, 3780, 0, 0};
  const BITMAPFILEHEADER file{0x4d42, DWORD(sizeof file + sizeof info + 4 * width * height), 0, 0,
                              sizeof file + sizeof info};
  std::string s = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                  std::string(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) s += {char(at(x, y).b), char(at(x, y).g), char(at(x, y).r), '\0'};
  return s;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
inline std::string BesideDriver(const std::string& name) { return (fs::path(_pgmptr).parent_path() / name).string(); }
// The exe under test: TAVLIN_EXE, or the one beside the driver.
inline std::string TavlinExe() {
  return std::getenv("TAVLIN_EXE") ? std::getenv("TAVLIN_EXE") : BesideDriver("tavlin.exe");
}

inline long long MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}
inline bool WaitUntil(const std::function<bool()>& ready, int timeoutMs = 5000, int stepMs = 15) {
  for (const auto start = Clock::now(); !ready(); Sleep(stepMs))
    if (MsSince(start) >= timeoutMs) return ready();
  return true;
}

// --- windows of another process, asked through messages that time out, so that a stuck program never hangs the driver

inline LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 3000, &result) ? LRESULT(result) : -1;
}
// Whether a text ends in a path, which compares without regard to letter case.
inline bool EndsIn(const std::string& s, const std::string& path) {
  return s.size() >= path.size() && lstrcmpiA(s.c_str() + s.size() - path.size(), path.c_str()) == 0;
}
inline std::string TextOf(HWND w) {
  std::string s(std::max<LRESULT>(0, Send(w, WM_GETTEXTLENGTH)) + 1, '\0');
  s.resize(std::max<LRESULT>(0, Send(w, WM_GETTEXT, s.size(), LPARAM(s.data()))));
  return s;
}

constexpr RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
inline std::string ToString(const RECT& r) {
  return "[left " + std::to_string(r.left) + ", top " + std::to_string(r.top) + ", width " + std::to_string(Width(r)) +
         ", height " + std::to_string(Height(r)) + "]";
}
inline RECT InParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
inline SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return SIZE{r.right, r.bottom};
}
// Where a top-level window lies, "centred" on the screen to a pixel, and the size of its client area.
inline std::string Placement(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  const bool centred = std::abs(r.left - (GetSystemMetrics(SM_CXSCREEN) - Width(r)) / 2) <= 1 &&
                       std::abs(r.top - (GetSystemMetrics(SM_CYSCREEN) - Height(r)) / 2) <= 1;
  return (centred ? "centred" : ToString(r)) + ", client " + std::to_string(ClientSize(w).cx) + "x" +
         std::to_string(ClientSize(w).cy);
}
inline HWND FocusOf(HWND anyWindowOfTheThread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfTheThread, nullptr), &info) ? info.hwndFocus : nullptr;
}

// --- real input (SendInput); a click brings its top-level window to the front first

inline void BringToFront(HWND top) {
  if (GetForegroundWindow() != top) SetForegroundWindow(top);
  WaitUntil([top] { return GetForegroundWindow() == top; }, 1000);
}

// The button pressed at one point of the screen and let go at another.
inline void DragScreen(POINT down, POINT up) {
  // Every event carries the point. Under Wine a cursor moved by input can
  // spring back for a moment (a late echo of the X pointer warp), and a
  // press without a position of its own would go wherever the cursor is.
  auto event = [&](POINT p, DWORD flags, int pause) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(pause);
  };
  event(down, 0, 40);
  event(down, MOUSEEVENTF_LEFTDOWN, 40);
  if (up.x != down.x || up.y != down.y) event(up, 0, 40);
  event(up, MOUSEEVENTF_LEFTUP, 30);
}
// A point of a window's client area on the screen, its centre unless given.
inline POINT OnScreenAt(HWND w, std::optional<POINT> at = {}) {
  POINT p = at.value_or(POINT{ClientSize(w).cx / 2, ClientSize(w).cy / 2});
  ClientToScreen(w, &p);
  return p;
}
inline void Click(HWND w, std::optional<POINT> at = {}) {
  BringToFront(GetAncestor(w, GA_ROOT));
  DragScreen(OnScreenAt(w, at), OnScreenAt(w, at));
}

inline void PressKeys(std::initializer_list<WORD> chord) {
  auto key = [](WORD vk, DWORD up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up | (vk >= VK_PRIOR && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);  // the arrow block
    SendInput(1, &in, sizeof(INPUT));
    Sleep(20);
  };
  for (WORD vk : chord) key(vk, 0);
  for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) key(*it, KEYEVENTF_KEYUP);
}

// --- what the screen shows of part of a client area

struct Capture {
  static Capture Client(HWND w, RECT r) {
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const int width = std::max(0, Width(r)), height = std::max(0, Height(r));
    HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, std::max(1, width), std::max(1, height));
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(std::size_t(width) * height);
    GetDIBits(mem, bmp, 0, height, bits.data(), &bi, DIB_RGB_COLORS);
    Capture c{std::to_string(width) + "x" + std::to_string(height), {}};
    for (const RGBQUAD& p : bits) c.pixels.push_back(Rgb{p.rgbRed, p.rgbGreen, p.rgbBlue});
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
  }

  double Share(const std::function<bool(Rgb)>& test) const {
    return pixels.empty() ? 0 : double(std::ranges::count_if(pixels, test)) / pixels.size();
  }
  int Count(Rgb c) const { return int(std::ranges::count(pixels, c)); }
  bool All(Rgb c) const { return Count(c) == int(pixels.size()); }
  // The size and the most frequent colour, for messages.
  std::string Summary() const {
    if (pixels.empty()) return size;
    const Rgb p = *std::ranges::max_element(pixels, {}, [&](Rgb q) { return Count(q); });
    return size + ", mostly (" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + ") x" +
           std::to_string(Count(p));
  }

  std::string size;
  std::vector<Rgb> pixels;
};

// What a message box says (its text is the static of id 0xFFFF).
inline std::string BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

// Lets a window finish what it was doing: a message round trip handles what
// was queued before, then what still waits to be painted is painted, and the
// surface is given a moment to reach the screen.
inline void Settle(HWND w) {
  Send(w, WM_NULL);
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Send(w, WM_NULL);
  Sleep(80);
}

// A disc folder of the test's own, and tavlin.exe started on it, ended
// whatever happens when the test ends.
class DiscTest : public ::testing::Test {
 protected:
  DiscTest() { fs::create_directories(folder_); }
  ~DiscTest() override {
    // A program just ended may hold its exe a moment longer.
    std::error_code e;
    WaitUntil([&] { return fs::remove_all(folder_, e), !fs::exists(folder_); }, 1000, 20);
  }
  std::string Path(const std::string& name = "") const { return name.empty() ? folder_ : folder_ + "\\" + name; }
  // Names may hold folders; missing ones are made.
  void Write(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(Path(name)).parent_path());
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  void TearDown() override { End(); }

  // Starts `exe` with the disc (or another folder) as its current directory, without waiting ...
  void Run(const std::string& exe = TavlinExe(), const std::string& in = "") {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               (in.empty() ? folder_ : in).c_str(), &si, &pi))
        << "could not start " << exe;
    CloseHandle(pi.hThread);
    process = pi.hProcess;
  }
  // ... or waits for the main window, up and painted (null after 10 s without one).
  HWND Start(const std::string& exe = TavlinExe()) {
    Run(exe);
    return main = WaitFor("TavlinForm1");
  }
  HWND Start(const MenuFile& menu) {
    Write("tavlin.ini", menu.Text());
    return Start();
  }
  void End() {
    if (process && Running()) TerminateProcess(process, 1), WaitExit(5000);
    if (process) CloseHandle(std::exchange(process, nullptr));
  }
  bool Running() const { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
  bool WaitExit(int timeoutMs) const { return !process || WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0; }

  // Its first visible top-level window of a class.
  HWND Find(const char* windowClass) const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, windowClass, nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == GetProcessId(process) && IsWindowVisible(w)) return w;
    }
    return nullptr;
  }
  // ... waited for, and let settle: a key pressed before a new window takes input is lost.
  HWND WaitFor(const char* windowClass, int timeoutMs = 10000) const {
    HWND found = nullptr;
    if (WaitUntil([&] { return (found = Find(windowClass)) != nullptr; }, timeoutMs)) Settle(found);
    return found;
  }

  // The main window's controls, by their names in its design.
  HWND Ctl(std::string_view name) const { return GetDlgItem(main, *tavlin::Form1Design().ControlId(name)); }
  std::string Text(std::string_view name) const { return TextOf(Ctl(name)); }
  bool ShowsButton(const std::string& s) const {
    return WaitUntil([&] { return Text("Command1") == s; }, 3000);
  }
  void ClickEntry(int index) {
    const int h = int(Send(Ctl("List1"), LB_GETITEMHEIGHT));
    Click(Ctl("List1"), POINT{10, h * index + h / 2});
  }
  // A control's pixels, as far as it lies in the client area.
  Capture Pixels(std::string_view id) {
    Settle(main);
    RECT client{}, part{}, r = InParent(Ctl(id));
    GetClientRect(main, &client);
    IntersectRect(&part, &r, &client);
    return Capture::Client(main, part);
  }

  HANDLE process = nullptr;
  HWND main = nullptr;

 private:
  inline static int serial_ = 0;
  const std::string folder_ =
      (fs::temp_directory_path() / ("tavlin-wt-" + std::to_string(GetTickCount64()) + "-" +
                                    std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial_)))
          .string();
};

}  // namespace wt
