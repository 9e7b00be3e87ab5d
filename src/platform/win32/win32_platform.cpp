// The Windows backend as the forms see it: start and end, the event loop,
// windows and their controls, files and folders, the shell, sound and the
// message box.
#include "platform/win32/win32_platform.h"

#include <objbase.h>

#include "base/error_modes.h"
#include "platform/win32/backend.h"

namespace tavlin {

namespace {

// Only the system folder is searched for libraries loaded at run time, never
// the disc or the current directory. The flag needs an update on Windows 7,
// so the call is looked up rather than linked.
void RestrictLibrarySearch() {
  using SetDirs = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto set =
      kernel ? reinterpret_cast<SetDirs>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
             : nullptr;
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryA("");  // and never the current directory, where the flag is missing
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (HMODULE m = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return m;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  // Windows 7 without the search flags: name the file in the system folder.
  wchar_t path[MAX_PATH];
  const UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
  path[n] = L'\\';
  lstrcpyW(path + n + 1, name);
  return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

class FileSource final : public ByteSource {
 public:
  explicit FileSource(HANDLE file) : file_(file) {}
  ~FileSource() override { CloseHandle(file_); }
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
    return got;
  }

 private:
  HANDLE file_;
};

}  // namespace

Win32Platform::Win32Platform() {
  RestrictLibrarySearch();
  instance_ = GetModuleHandleA(nullptr);
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
}

Win32Platform::~Win32Platform() {
  if (comReady_) CoUninitialize();
}

void Win32Platform::EnsureCom() {
  // The picture loader and the shell both want a single-threaded apartment.
  if (!comReady_) comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

int Win32Platform::Run(const ApplicationDescription& app) {
  title_ = std::string(app.title);
  SkipOnError(Show(*app.startup));  // a start-up window that cannot be made leaves none loaded
  if (loadedWindows_ == 0) return 0;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Tab, arrow keys and access keys in the main window, as in a dialog.
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && IsFormWindow(top) && IsDialogMessageA(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// --- windows ------------------------------------------------------------------------

bool Win32Platform::Show(Form& form) {
  if (NativeWindow* open = form.native) {
    // Already open: only brought to the front.
    if (IsIconic(open->hwnd)) ShowWindow(open->hwnd, SW_RESTORE);
    SetForegroundWindow(open->hwnd);
    return true;
  }
  NativeWindow* w = CreateFormWindow(*this, form);
  if (!w) return false;
  HWND hwnd = w->hwnd;
  form.Form_Load();
  if (form.native != w || !IsWindow(hwnd)) return true;  // unloaded in its own Load: never shown
  ShowFormWindow(*w);
  return true;
}

bool Win32Platform::Unload(Form& form) {
  if (!form.native) return true;
  return DestroyWindow(form.native->hwnd) != FALSE;
}

void Win32Platform::WindowGone() {
  if (--loadedWindows_ == 0) PostQuitMessage(0);
}

NativeControl* Win32Platform::Find(Form& form, std::string_view control) {
  if (!form.native) return nullptr;
  const auto i = form.Design().IndexOf(control);
  if (!i) return nullptr;
  NativeControl& c = form.native->controls[*i];
  return c.hwnd ? &c : nullptr;
}

bool Win32Platform::SetCaption(Form& form, std::string_view control, const std::string& text) {
  if (control.empty()) return form.native && SetWindowTextA(form.native->hwnd, text.c_str());
  NativeControl* c = Find(form, control);
  return c && SetControlCaption(*c, text);
}

bool Win32Platform::SetText(Form& form, std::string_view control, const std::string& text) {
  NativeControl* c = Find(form, control);
  return c && SetWindowTextA(c->hwnd, text.c_str());
}

bool Win32Platform::SetVisible(Form& form, std::string_view control, bool visible) {
  NativeControl* c = Find(form, control);
  return c && SetControlVisible(*c, visible);
}

bool Win32Platform::SetForeColor(Form& form, std::string_view control, Rgb color) {
  NativeControl* c = Find(form, control);
  if (!c) return false;
  SetControlForeColor(*c, color);
  return true;
}

bool Win32Platform::AddItem(Form& form, std::string_view list, const std::string& entry) {
  NativeControl* c = Find(form, list);
  return c && c->design->kind == ControlKind::ListBox && AddListEntry(*c, entry);
}

std::optional<int> Win32Platform::ListIndex(Form& form, std::string_view list) {
  NativeControl* c = Find(form, list);
  if (!c || c->design->kind != ControlKind::ListBox) return std::nullopt;
  return CurrentListEntry(*c);
}

bool Win32Platform::SetFocus(Form& form, std::string_view control) {
  NativeControl* c = Find(form, control);
  // As a hidden control or a hidden window cannot take the focus, asking fails.
  if (!c || !IsWindowVisible(c->hwnd) || !IsWindowEnabled(c->hwnd)) return false;
  FocusControl(c->hwnd);
  return GetFocus() == c->hwnd;
}

std::optional<NativeHandle> Win32Platform::WindowHandle(Form& form) {
  if (!form.native) return std::nullopt;
  return reinterpret_cast<NativeHandle>(form.native->hwnd);
}

bool Win32Platform::SetPictureFromFile(Form& form, const std::string& file) {
  NativeWindow* w = form.native;
  if (!w) return false;
  std::string bytes;
  if (!ReadPictureFile(file, bytes)) return false;
  EnsureCom();
  const SIZE limit = RenderLimit(*w);
  auto picture = RenderPicture(bytes, limit.cx, limit.cy, GetSysColor(COLOR_BTNFACE));
  if (!picture) return false;  // the old picture stays
  SetFormPicture(*w, std::move(picture));
  return true;
}

bool Win32Platform::MsgBox(const std::string& text, int style) {
  // Modal to whichever of our windows is active, like the application's own box.
  HWND owner = GetActiveWindow();
  const UINT flags = static_cast<UINT>(style) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL));
  return MessageBoxA(owner, text.c_str(), title_.c_str(), flags) != 0;
}

// --- files and folders ------------------------------------------------------------

bool Win32Platform::FileExists(const std::string& name) {
  const DWORD a = GetFileAttributesA(name.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  return (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::unique_ptr<LineReader> Win32Platform::OpenForInput(const std::string& name) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (f == INVALID_HANDLE_VALUE) return nullptr;
  if (GetFileType(f) != FILE_TYPE_DISK) {  // a device name is no menu file
    CloseHandle(f);
    return nullptr;
  }
  return std::make_unique<LineReader>(std::make_unique<FileSource>(f));
}

bool Win32Platform::ChangeDirectory(const std::string& folder) {
  return !folder.empty() && SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

std::optional<std::string> Win32Platform::ProgramFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::nullopt;
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return std::nullopt;
  // "D:\" at the root of a disc, "D:\menu" below it: both can be made current.
  path.resize(slash == 2 && path[1] == ':' ? 3 : slash);
  return path;
}

// --- shell and sound --------------------------------------------------------------

bool Win32Platform::ShellExecuteA(NativeHandle owner, const char* operation, const char* file, const char* parameters,
                                  const char* directory, int showCommand) {
  // shell32 is large and needed only for a launch, so it is loaded then, and
  // from the system folder like every library loaded at run time.
  using Execute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  if (!shell32_) shell32_ = LoadSystemLibrary(L"shell32.dll");
  auto execute = shell32_
                     ? reinterpret_cast<Execute>(reinterpret_cast<void*>(GetProcAddress(shell32_, "ShellExecuteA")))
                     : nullptr;
  if (!execute) return false;
  EnsureCom();
  errorMode_.InStartMode(
      // What the shell made of it is not this caller's concern.
      [&] {
        SkipOnError(execute(reinterpret_cast<HWND>(owner), operation, file, parameters, directory, showCommand));
      });
  return true;
}

bool Win32Platform::SndPlaySoundA(const std::string& name, unsigned flags) {
  using Play = BOOL(WINAPI*)(LPCSTR, UINT);
  if (!winmm_) winmm_ = LoadSystemLibrary(L"winmm.dll");
  auto play =
      winmm_ ? reinterpret_cast<Play>(reinterpret_cast<void*>(GetProcAddress(winmm_, "sndPlaySoundA"))) : nullptr;
  if (!play) return false;
  SkipOnError(play(name.c_str(), flags));  // whatever Windows plays, its answer is not looked at
  return true;
}

void Win32Platform::End() {
  // No handler runs after this: the process and all its windows go at once.
  ExitProcess(0);
}

std::unique_ptr<Platform> CreateWin32Platform() { return std::make_unique<Win32Platform>(); }

}  // namespace tavlin
