#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <thread>

namespace wt {

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Cross-process messages: never hang the driver on a stuck program.
LRESULT Send(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 3000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}
void Put32(std::string& s, unsigned v) {
  Put16(s, v & 0xffff);
  Put16(s, v >> 16);
}

}  // namespace

// --- colours and pictures -----------------------------------------------------------

std::string ToString(Rgb c) {
  char b[32];
  std::snprintf(b, sizeof b, "(%d,%d,%d)", c.r, c.g, c.b);
  return b;
}

bool Near(Rgb a, Rgb b, int t) {
  return std::abs(a.r - b.r) <= t && std::abs(a.g - b.g) <= t && std::abs(a.b - b.b) <= t;
}

std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& at) {
  const unsigned stride = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
  const unsigned imageBytes = stride * static_cast<unsigned>(height);
  std::string s = "BM";
  Put32(s, 54 + imageBytes);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, static_cast<unsigned>(width));
  Put32(s, static_cast<unsigned>(height));  // positive: rows bottom up
  Put16(s, 1);
  Put16(s, 24);
  Put32(s, 0);  // BI_RGB
  Put32(s, imageBytes);
  Put32(s, 3780);  // 96 DPI, so that the picture's size in pixels is its size on screen
  Put32(s, 3780);
  Put32(s, 0);
  Put32(s, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb c = at(x, y);
      row += static_cast<char>(c.b);
      row += static_cast<char>(c.g);
      row += static_cast<char>(c.r);
    }
    row.resize(stride, '\0');
    s += row;
  }
  return s;
}

std::string Bmp(int width, int height, Rgb fill) {
  return Bmp(width, height, [fill](int, int) { return fill; });
}

std::string Gif(int width, int height, Rgb fill) {
  // GIF89a with a two-colour table. The pixel data is LZW with 8-bit codes
  // and a clear code often enough that the code size never grows, which
  // every decoder reads and needs no compressor here.
  std::string s = "GIF89a";
  Put16(s, static_cast<unsigned>(width));
  Put16(s, static_cast<unsigned>(height));
  s += static_cast<char>(0x80 | 0x70 | 0x00);  // global table of 2 entries, 8 bits a colour
  s += '\0';
  s += '\0';
  s += static_cast<char>(fill.r);
  s += static_cast<char>(fill.g);
  s += static_cast<char>(fill.b);
  s += std::string(3, '\0');
  s += ',';
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, static_cast<unsigned>(width));
  Put16(s, static_cast<unsigned>(height));
  s += '\0';
  constexpr int kMinCodeSize = 7;  // codes of 8 bits: 0-127 colours, 128 clear, 129 end
  s += static_cast<char>(kMinCodeSize);
  std::string codes;
  const long pixels = static_cast<long>(width) * height;
  for (long i = 0; i < pixels; ++i) {
    if (i % 100 == 0) codes += static_cast<char>(128);
    codes += '\0';  // colour 0
  }
  codes += static_cast<char>(129);
  for (std::size_t i = 0; i < codes.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - i);
    s += static_cast<char>(n);
    s += codes.substr(i, n);
  }
  s += '\0';
  s += ';';
  return s;
}

std::string SolidJpeg() { return ReadFile(Join(DriverFolder(), "solid.jpg")); }

// --- files ----------------------------------------------------------------------------

std::string ReadFile(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string s;
  char buf[65536];
  DWORD got = 0;
  while (::ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) s.append(buf, got);
  CloseHandle(f);
  return s;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD put = 0;
  const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
  CloseHandle(f);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string DriverFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\'));
}

namespace {
std::string FromEnvOr(const char* name, const std::string& fallback) {
  char buf[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA(name, buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buf, n) : fallback;
}
}  // namespace

std::string TavlinExe() { return FromEnvOr("TAVLIN_EXE", Join(DriverFolder(), "tavlin.exe")); }
std::string ProbeExe() { return Join(DriverFolder(), "probe.exe"); }
std::string ExampleDisc() { return FromEnvOr("TAVLIN_DISC", Join(DriverFolder(), "disc")); }

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(Join(path, "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = Join(path, name);
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        // A program just ended may hold its exe a moment longer.
        for (int i = 0; i < 50 && !DeleteFileA(full.c_str()); ++i) Sleep(20);
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (int i = 0; i < 50 && !RemoveDirectoryA(path.c_str()); ++i) Sleep(20);
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(Join(from, "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot list " + from);
  do {
    const std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(Join(from, name), Join(to, name));
    else if (!CopyFileA(Join(from, name).c_str(), Join(to, name).c_str(), FALSE))
      throw std::runtime_error("cannot copy " + Join(from, name));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

}  // namespace

TempFolder::TempFolder() {
  static int serial = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  char name[96];
  std::snprintf(name, sizeof name, "tavlin-wt-%lu-%lu-%d", GetCurrentProcessId(), GetTickCount(), ++serial);
  path_ = Join(temp, name);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot make " + path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void TempFolder::MakeFolder(const std::string& name) const {
  std::size_t pos = 0;
  while ((pos = name.find('\\', pos + 1)) != std::string::npos)
    CreateDirectoryA(Join(path_, name.substr(0, pos)).c_str(), nullptr);
  CreateDirectoryA(Join(path_, name).c_str(), nullptr);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
  WriteFile(Join(path_, name), bytes);
}

void TempFolder::CopyFrom(const std::string& folder) const { CopyTree(folder, path_); }

void TempFolder::CopyIn(const std::string& from, const std::string& name) const {
  const std::size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
  if (!CopyFileA(from.c_str(), Join(path_, name).c_str(), FALSE)) throw std::runtime_error("cannot copy " + from);
}

// --- time ---------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs, int stepMs) {
  const auto start = Clock::now();
  for (;;) {
    if (ready()) return true;
    if (MsSince(start) >= timeoutMs) return ready();
    Sleep(stepMs);
  }
}

// --- windows of another process -------------------------------------------------------

std::string ClassOf(HWND w) {
  char buf[256];
  const int n = GetClassNameA(w, buf, sizeof buf);
  return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string TextOf(HWND w) {
  const LRESULT len = Send(w, WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return {};
  std::string s(static_cast<std::size_t>(len) + 1, '\0');
  const LRESULT got = Send(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return s;
}

std::vector<std::string> ListEntries(HWND list) {
  // Asked for in UTF-16: Wine hands another process's LB_GETTEXT back
  // unconverted to an ANSI caller (UTF-16 bytes with the ANSI length).
  std::vector<std::string> out;
  const LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = Send(list, LB_GETTEXTLEN, i, 0);
    std::wstring w(static_cast<std::size_t>(std::max<LRESULT>(len, 0)) + 1, L'\0');
    DWORD_PTR got = 0;
    if (len <= 0 ||
        !SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()),
                             SMTO_ABORTIFHUNG, 3000, &got) ||
        static_cast<LRESULT>(got) == LB_ERR)
      got = 0;
    w.resize(got);
    std::string s(w.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(),
                                      static_cast<int>(s.size()), nullptr, nullptr);
    s.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    out.push_back(s);
  }
  return out;
}

bool Visible(HWND w) { return w && IsWindowVisible(w); }

RECT InParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
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

HWND FocusOf(HWND w) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

namespace {
bool ClassIs(HWND w, const char* name) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, ClassOf(w).c_str(), -1, name, -1) == CSTR_EQUAL;
}
}  // namespace

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView v;
  v.title = TextOf(box);
  for (HWND c : Children(box)) {
    if (!Visible(c)) continue;
    if (ClassIs(c, "Button")) {
      v.buttons.push_back(c);
    } else if (ClassIs(c, "Static")) {
      if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        if (Send(c, STM_GETICON, 0, 0) > 0) ++v.icons;
      } else if (!TextOf(c).empty()) {
        v.texts.push_back(TextOf(c));
      }
    }
  }
  return v;
}

HWND FindTopLevel(const std::string& windowClass, const std::string& title) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
    if (IsWindowVisible(w) && ClassOf(w) == windowClass && TextOf(w) == title) return w;
  return nullptr;
}

std::string ToString(const RECT& r) {
  char b[96];
  std::snprintf(b, sizeof b, "[left %ld, top %ld, width %ld, height %ld]", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return b;
}

SIZE TextExtent(const std::string& text, const char* face, int hundredthsOfPoint, bool bold) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  HFONT font = CreateFontA(-MulDiv(hundredthsOfPoint, dpi, 7200), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  RECT r{0, 0, 0, 0};
  if (!text.empty()) DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return SIZE{r.right - r.left, tm.tmHeight};
}

// --- input ------------------------------------------------------------------------------

void BringToFront(HWND top) {
  if (GetForegroundWindow() == top) return;
  SetForegroundWindow(top);
  WaitUntil([top] { return GetForegroundWindow() == top; }, 1000);
}

void DragScreen(POINT down, POINT up) {
  // Every event carries the point. Under Wine a cursor moved by input can
  // spring back for a moment (a late echo of the X pointer warp), and a
  // press without a position of its own would go wherever the cursor is.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  auto event = [&](POINT p, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x - left, 65535, width - 1);
    in.mi.dy = MulDiv(p.y - top, 65535, height - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &in, sizeof(INPUT));
  };
  event(down, 0);
  Sleep(40);
  event(down, MOUSEEVENTF_LEFTDOWN);
  Sleep(40);
  if (up.x != down.x || up.y != down.y) {
    event(up, 0);
    Sleep(40);
  }
  event(up, MOUSEEVENTF_LEFTUP);
  Sleep(30);
}

void ClickScreen(POINT p) { DragScreen(p, p); }

POINT CentreOnScreen(HWND w) {
  const SIZE s = ClientSize(w);
  POINT p{s.cx / 2, s.cy / 2};
  ClientToScreen(w, &p);
  return p;
}

void ClickAt(HWND w, int x, int y) {
  BringToFront(GetAncestor(w, GA_ROOT));
  POINT p{x, y};
  ClientToScreen(w, &p);
  ClickScreen(p);
}

void ClickCentre(HWND w) {
  const SIZE s = ClientSize(w);
  ClickAt(w, s.cx / 2, s.cy / 2);
}

namespace {
INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE: in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY; break;
    default: break;
  }
  if (up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
  return in;
}
}  // namespace

void PressKey(WORD vk) { PressKeys({vk}); }

void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> in;
  for (WORD vk : chord) in.push_back(KeyInput(vk, false));
  for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) in.push_back(KeyInput(*it, true));
  for (auto& i : in) {
    SendInput(1, &i, sizeof(INPUT));
    Sleep(20);
  }
}

bool FindCloseBox(HWND top, POINT& screen) {
  const RECT r = OnScreen(top);
  RECT client;
  GetClientRect(top, &client);
  POINT c{0, 0};
  ClientToScreen(top, &c);
  // Along the middle of the band between the outer top edge and the client area.
  for (int y = r.top + 1; y < c.y; ++y) {
    int first = -1, last = -1;
    for (int x = r.right - 1; x > r.left; --x) {
      const LRESULT hit = Send(top, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) {
        if (last < 0) last = x;
        first = x;
      } else if (last >= 0) {
        break;
      }
    }
    if (last >= 0 && last - first >= 4) {
      // Below the row found, the middle of the box.
      int bottom = y;
      while (bottom + 1 < c.y && Send(top, WM_NCHITTEST, 0, MAKELPARAM((first + last) / 2, bottom + 1)) == HTCLOSE)
        ++bottom;
      screen = POINT{(first + last) / 2, (y + bottom) / 2};
      return true;
    }
  }
  return false;
}

// --- pixels -------------------------------------------------------------------------------

Capture Capture::Screen(const RECT& r) {
  Capture c;
  c.width_ = std::max<LONG>(0, r.right - r.left);
  c.height_ = std::max<LONG>(0, r.bottom - r.top);
  if (c.width_ == 0 || c.height_ == 0) return c;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.width_;
  bi.bmiHeader.biHeight = -c.height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, c.width_, c.height_, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  c.pixels_.assign(p, p + static_cast<std::size_t>(c.width_) * c.height_);
  for (auto& px : c.pixels_) px &= 0xffffff;
  SelectObject(mem, old);
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

Capture Capture::Client(HWND w, const RECT& part) {
  RECT r = part;
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return Screen(r);
}

Rgb Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{};
  const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
}

int Capture::Count(Rgb c) const { return CountNear(c, 0); }

int Capture::CountNear(Rgb c, int tolerance) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Near(At(x, y), c, tolerance)) ++n;
  return n;
}

std::string Capture::Summary(std::size_t top) const {
  std::map<std::uint32_t, int> counts;
  for (auto p : pixels_) ++counts[p];
  std::vector<std::pair<int, std::uint32_t>> byCount;
  for (auto& [p, n] : counts) byCount.push_back({n, p});
  std::sort(byCount.rbegin(), byCount.rend());
  std::string s = std::to_string(width_) + "x" + std::to_string(height_) + ":";
  for (std::size_t i = 0; i < byCount.size() && i < top; ++i) {
    const auto p = byCount[i].second;
    s += " " +
         ToString(
             Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)}) +
         "x" + std::to_string(byCount[i].first);
  }
  return s;
}

void Settle(HWND w) {
  // A message round trip: what was queued before has been handled.
  Send(w, WM_NULL, 0, 0);
  // Paint now whatever is still waiting to be painted, then give the
  // surface a moment to reach the screen.
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Send(w, WM_NULL, 0, 0);
  Sleep(80);
}

// --- the program under test -------------------------------------------------------------------

Tavlin::Tavlin(const std::string& exe, const std::string& currentFolder) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"";
  startedAt_ = Clock::now();
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(), &si, &pi))
    return;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
}

Tavlin::~Tavlin() { End(); }

std::vector<HWND> Tavlin::Windows(const std::string& windowClass, bool visibleOnly) const {
  struct Query {
    DWORD pid;
    const std::string* cls;
    bool visibleOnly;
    std::vector<HWND> found;
  } q{pid_, &windowClass, visibleOnly, {}};
  if (!pid_) return {};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lp);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != q->pid) return TRUE;
        if (q->visibleOnly && !IsWindowVisible(w)) return TRUE;
        if (!q->cls->empty() && ClassOf(w) != *q->cls) return TRUE;
        q->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&q));
  return q.found;
}

HWND Tavlin::Find(const std::string& windowClass) const {
  const auto all = Windows(windowClass);
  return all.empty() ? nullptr : all.front();
}

HWND Tavlin::WaitFor(const std::string& windowClass, int timeoutMs) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = Find(windowClass)) != nullptr; }, timeoutMs);
  return found;
}

HWND Tavlin::MainWindow(int timeoutMs) {
  HWND w = WaitFor("TavlinForm1", timeoutMs);
  if (w) Settle(w);
  return w;
}

bool Tavlin::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Tavlin::WaitExit(int timeoutMs) {
  return !process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

void Tavlin::End() {
  if (!process_) return;
  if (Running()) {
    for (const char* cls : {"TavlinForm1", "TavlinForm6"})
      for (HWND w : Windows(cls, false)) PostMessageA(w, WM_CLOSE, 0, 0);
    if (!WaitExit(3000)) {
      TerminateProcess(process_, 1);
      WaitExit(5000);
    }
  }
  CloseHandle(process_);
  process_ = nullptr;
}

HWND Control(HWND form, int id) { return GetDlgItem(form, id); }

// --- the probe -------------------------------------------------------------------------------

ProbeLog::ProbeLog(const std::string& path) : path_(path) {
  eventName_ = "TavlinProbeExit-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  exitEvent_ = CreateEventA(nullptr, TRUE, FALSE, eventName_.c_str());
  SetEnvironmentVariableA("TAVLIN_PROBE_LOG", path_.c_str());
  SetEnvironmentVariableA("TAVLIN_PROBE_EXIT", eventName_.c_str());
}

ProbeLog::~ProbeLog() {
  ReleaseProbes();
  for (const auto& run : Runs()) {
    HANDLE p = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, run.pid);
    if (!p) continue;
    if (WaitForSingleObject(p, 3000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
    CloseHandle(p);
  }
  SetEnvironmentVariableA("TAVLIN_PROBE_LOG", nullptr);
  SetEnvironmentVariableA("TAVLIN_PROBE_EXIT", nullptr);
  if (exitEvent_) CloseHandle(exitEvent_);
}

void ProbeLog::ReleaseProbes() const {
  if (exitEvent_) SetEvent(exitEvent_);
}

std::vector<ProbeRun> ProbeLog::Runs() const {
  // Records of four lines: pid=, cwd=, mode=, cmd=.
  std::vector<ProbeRun> out;
  const std::string s = ReadFile(path_);
  std::size_t pos = 0;
  ProbeRun run;
  int fields = 0;
  while (pos < s.size()) {
    std::size_t end = s.find("\r\n", pos);
    if (end == std::string::npos) break;  // a record still being written
    const std::string line = s.substr(pos, end - pos);
    pos = end + 2;
    if (line.rfind("pid=", 0) == 0) {
      run = ProbeRun{};
      run.pid = static_cast<DWORD>(std::strtoul(line.c_str() + 4, nullptr, 10));
      fields = 1;
    } else if (line.rfind("cwd=", 0) == 0 && fields == 1) {
      run.currentDirectory = line.substr(4);
      fields = 2;
    } else if (line.rfind("mode=", 0) == 0 && fields == 2) {
      run.errorMode = static_cast<UINT>(std::strtoul(line.c_str() + 5, nullptr, 10));
      fields = 3;
    } else if (line.rfind("cmd=", 0) == 0 && fields == 3) {
      run.commandLine = line.substr(4);
      out.push_back(run);
      fields = 0;
    }
  }
  return out;
}

bool ProbeLog::WaitRuns(std::size_t count, int timeoutMs) const {
  return WaitUntil([&] { return Runs().size() >= count; }, timeoutMs, 50);
}

}  // namespace wt
