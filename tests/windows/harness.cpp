#include "harness.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

namespace wt {

namespace fs = std::filesystem;

std::string ToString(Rgb c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

std::string ToString(const RECT& r) {
  return "[left " + std::to_string(r.left) + ", top " + std::to_string(r.top) + ", width " + std::to_string(Width(r)) +
         ", height " + std::to_string(Height(r)) + "]";
}

Rgb SysColour(int index) {
  const COLORREF c = GetSysColor(index);
  return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& at) {
  // 24 bits, rows bottom up, 96 DPI so that the picture's pixels are the screen's.
  const int stride = (width * 3 + 3) & ~3;
  const BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, DWORD(stride * height), 3780, 3780, 0, 0};
  const BITMAPFILEHEADER file{0x4d42, DWORD(sizeof file + sizeof info + stride * height), 0, 0,
                              sizeof file + sizeof info};
  std::string s = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                  std::string(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb c = at(x, y);
      row += {char(c.b), char(c.g), char(c.r)};
    }
    s += row + std::string(stride - row.size(), '\0');
  }
  return s;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string BesideDriver(const std::string& name) {
  char path[MAX_PATH];
  const std::string s(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return s.substr(0, s.find_last_of('\\') + 1) + name;
}

std::string SolidJpeg() { return ReadFile(BesideDriver("solid.jpg")); }

std::string TavlinExe() {
  char buf[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TAVLIN_EXE", buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buf, n) : BesideDriver("tavlin.exe");
}

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs, int stepMs) {
  for (const auto start = Clock::now(); !ready(); std::this_thread::sleep_for(std::chrono::milliseconds(stepMs)))
    if (MsSince(start) >= timeoutMs) return ready();
  return true;
}

TempFolder::TempFolder() {
  static int serial = 0;
  path_ = (fs::temp_directory_path() / ("tavlin-wt-" + std::to_string(GetCurrentProcessId()) + "-" +
                                        std::to_string(GetTickCount()) + "-" + std::to_string(++serial)))
              .string();
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  // A program just ended may hold its exe a moment longer.
  std::error_code e;
  WaitUntil([&] { return fs::remove_all(path_, e), !fs::exists(path_); }, 1000, 20);
}

void TempFolder::MakeFolder(const std::string& name) const { fs::create_directories(*this / name); }

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  fs::create_directories(fs::path(*this / name).parent_path());
  std::ofstream(*this / name, std::ios::binary) << bytes;
}

void TempFolder::CopyIn(const std::string& from, const std::string& name) const {
  fs::create_directories(fs::path(*this / name).parent_path());
  fs::copy_file(from, *this / name, fs::copy_options::overwrite_existing);
}

void TempFolder::CopyFrom(const std::string& folder) const {
  fs::copy(folder, path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

LRESULT Send(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  // Never hang the driver on a stuck program.
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 3000, &result) ? LRESULT(result) : -1;
}

std::string ClassOf(HWND w) {
  char buf[256];
  return std::string(buf, std::max(0, GetClassNameA(w, buf, sizeof buf)));
}

std::string TextOf(HWND w) {
  std::string s(std::max<LRESULT>(0, Send(w, WM_GETTEXTLENGTH)) + 1, '\0');
  s.resize(std::max<LRESULT>(0, Send(w, WM_GETTEXT, s.size(), LPARAM(s.data()))));
  return s;
}

RECT InParent(HWND child) {
  RECT r = OnScreen(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT OnScreen(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

SIZE ClientSize(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  return SIZE{r.right, r.bottom};
}

bool Centred(HWND w) {
  const RECT r = OnScreen(w);
  return std::abs(r.left - (GetSystemMetrics(SM_CXSCREEN) - Width(r)) / 2) <= 1 &&
         std::abs(r.top - (GetSystemMetrics(SM_CYSCREEN) - Height(r)) / 2) <= 1;
}

HWND FocusOf(HWND w) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info) ? info.hwndFocus : nullptr;
}

SIZE TextExtent(const std::string& text, const char* face, int hundredthsOfPoint, bool bold) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(hundredthsOfPoint, GetDeviceCaps(screen, LOGPIXELSY), 7200), 0, 0, 0,
                           bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  RECT r{};
  if (!text.empty()) DrawTextA(screen, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  DeleteObject(SelectObject(screen, old));
  ReleaseDC(nullptr, screen);
  return SIZE{r.right, tm.tmHeight};
}

void BringToFront(HWND top) {
  if (GetForegroundWindow() != top) SetForegroundWindow(top);
  WaitUntil([top] { return GetForegroundWindow() == top; }, 1000);
}

void DragScreen(POINT down, POINT up) {
  // Every event carries the point. Under Wine a cursor moved by input can
  // spring back for a moment (a late echo of the X pointer warp), and a
  // press without a position of its own would go wherever the cursor is.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  auto event = [&](POINT p, DWORD flags, int pause) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x - left, 65535, width - 1);
    in.mi.dy = MulDiv(p.y - top, 65535, height - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &in, sizeof(INPUT));
    Sleep(pause);
  };
  event(down, 0, 40);
  event(down, MOUSEEVENTF_LEFTDOWN, 40);
  if (up.x != down.x || up.y != down.y) event(up, 0, 40);
  event(up, MOUSEEVENTF_LEFTUP, 30);
}

POINT CentreOnScreen(HWND w) {
  POINT p{ClientSize(w).cx / 2, ClientSize(w).cy / 2};
  ClientToScreen(w, &p);
  return p;
}

void ClickAt(HWND w, int x, int y) {
  BringToFront(GetAncestor(w, GA_ROOT));
  POINT p{x, y};
  ClientToScreen(w, &p);
  ClickScreen(p);
}

void ClickCentre(HWND w) { ClickAt(w, ClientSize(w).cx / 2, ClientSize(w).cy / 2); }

void PressKeys(std::initializer_list<WORD> chord) {
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

Capture Capture::Client(HWND w, RECT r) {
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  Capture c;
  c.width_ = std::max(0, Width(r));
  c.height_ = std::max(0, Height(r));
  HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, std::max(1, c.width_), std::max(1, c.height_));
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, c.width_, c.height_, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, c.width_, -c.height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<RGBQUAD> bits(std::size_t(c.width_) * c.height_);
  GetDIBits(mem, bmp, 0, c.height_, bits.data(), &bi, DIB_RGB_COLORS);
  for (const RGBQUAD& p : bits) c.pixels_.push_back(Rgb{p.rgbRed, p.rgbGreen, p.rgbBlue});
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

Capture Capture::Client(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  return Client(w, r);
}

Rgb Capture::At(int x, int y) const {
  return x < 0 || y < 0 || x >= width_ || y >= height_ ? Rgb{} : pixels_[std::size_t(y) * width_ + x];
}

int Capture::CountIf(const std::function<bool(Rgb)>& test) const {
  return int(std::count_if(pixels_.begin(), pixels_.end(), test));
}

int Capture::Count(Rgb c, int t) const {
  return CountIf(
      [&](Rgb p) { return std::abs(p.r - c.r) <= t && std::abs(p.g - c.g) <= t && std::abs(p.b - c.b) <= t; });
}

std::string Capture::Summary() const {
  std::map<std::string, int> counts;
  for (Rgb p : pixels_) ++counts[ToString(p)];
  std::vector<std::pair<int, std::string>> byCount;
  for (auto& [p, n] : counts) byCount.push_back({n, p});
  std::sort(byCount.rbegin(), byCount.rend());
  std::string s = std::to_string(width_) + "x" + std::to_string(height_) + ":";
  for (std::size_t i = 0; i < byCount.size() && i < 6; ++i)
    s += " " + byCount[i].second + "x" + std::to_string(byCount[i].first);
  return s;
}

void Settle(HWND w) {
  // A message round trip: what was queued before has been handled. Then
  // whatever still waits to be painted is painted, and the surface is given
  // a moment to reach the screen.
  Send(w, WM_NULL);
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Send(w, WM_NULL);
  Sleep(80);
}

void DiscTest::Run(const std::string& exe) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + exe + "\"";
  startedAt = Clock::now();
  ASSERT_TRUE(
      CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, disc.path().c_str(), &si, &pi))
      << "could not start " << exe;
  CloseHandle(pi.hThread);
  process = pi.hProcess;
  pid = pi.dwProcessId;
}

HWND DiscTest::Start(const std::string& exe) {
  Run(exe);
  main = WaitFor("TavlinForm1");
  EXPECT_NE(main, nullptr) << "no main window within 10 s";
  if (main) Settle(main);
  return main;
}

HWND DiscTest::StartExampleDisc() {
  disc.CopyFrom(BesideDriver("disc"));
  disc.CopyIn(TavlinExe(), "tavlin.exe");
  return Start(disc / "tavlin.exe");
}

void DiscTest::End() {
  if (!process) return;
  if (Running()) {
    for (const char* cls : {"TavlinForm1", "TavlinForm6"})
      for (HWND w : Windows(cls, false)) PostMessageA(w, WM_CLOSE, 0, 0);
    if (!WaitExit(3000)) TerminateProcess(process, 1), WaitExit(5000);
  }
  CloseHandle(process);
  process = nullptr;
}

std::vector<HWND> DiscTest::Windows(const char* windowClass, bool visibleOnly) const {
  std::vector<HWND> found;
  for (HWND w = GetTopWindow(nullptr); w && pid; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && (IsWindowVisible(w) || !visibleOnly) && ClassOf(w) == windowClass) found.push_back(w);
  }
  return found;
}

HWND DiscTest::Find(const char* windowClass) const {
  const auto all = Windows(windowClass);
  return all.empty() ? nullptr : all.front();
}

HWND DiscTest::WaitFor(const char* windowClass, int timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = Find(windowClass)) != nullptr; }, timeoutMs);
  return found;
}

std::vector<std::string> DiscTest::Entries() const {
  // Asked for in UTF-16: Wine hands another process's LB_GETTEXT back
  // unconverted to an ANSI caller (UTF-16 bytes with the ANSI length).
  std::vector<std::string> out;
  for (LRESULT i = 0, count = Send(Ctl(kList1), LB_GETCOUNT); i < count; ++i) {
    std::wstring w(std::max<LRESULT>(0, Send(Ctl(kList1), LB_GETTEXTLEN, i)) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(Ctl(kList1), LB_GETTEXT, i, LPARAM(w.data()), SMTO_ABORTIFHUNG, 3000, &got) ||
        LRESULT(got) == LB_ERR)
      got = 0;
    std::string s(got * 2 + 1, '\0');
    s.resize(std::max(0, WideCharToMultiByte(CP_ACP, 0, w.data(), int(got), s.data(), int(s.size()), 0, 0)));
    out.push_back(s);
  }
  return out;
}

void DiscTest::ClickEntry(int index) {
  const int h = int(Send(Ctl(kList1), LB_GETITEMHEIGHT));
  ClickAt(Ctl(kList1), 10, h * index + h / 2);
}

bool DiscTest::ShowsButton(const std::string& caption) const {
  return WaitUntil([&] { return Text(kCommand1) == caption; }, 3000);
}

Capture DiscTest::Pixels(int id) {
  Settle(main);
  RECT client, part, r = InParent(Ctl(id));
  GetClientRect(main, &client);
  IntersectRect(&part, &r, &client);
  return Capture::Client(main, part);
}

}  // namespace wt
