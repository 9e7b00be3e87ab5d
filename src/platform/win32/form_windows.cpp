// Forms as real windows: built from their design tables, their messages
// turned into the forms' events.
#include <algorithm>

#include "base/error_modes.h"
#include "platform/win32/backend.h"
#include "resource_ids.h"

namespace tavlin {

namespace {

constexpr char kClassPrefix[] = "Tavlin";

NativeWindow* WindowOf(HWND hwnd) { return reinterpret_cast<NativeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

HFONT MakeFont(const FontDesign& f, int dpi) {
  return CreateFontA(-MulDiv(f.hundredthsOfPoint, dpi, 7200), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, std::string(f.face).c_str());
}

struct ControlClass {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassFor(const ControlDesign& d) {
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (d.kind) {
    case ControlKind::Label: return {"STATIC", child | SS_NOTIFY | (d.align == Align::Center ? SS_CENTER : SS_LEFT), 0};
    case ControlKind::TextBox: return {"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton: return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Frame:
      // An etched static, not a group box: a group box lets clicks through.
      return {"STATIC", child | SS_ETCHEDFRAME | SS_NOTIFY, 0};
    case ControlKind::PictureBox:
    case ControlKind::Image: return {"STATIC", child | SS_BITMAP | SS_NOTIFY, 0};
    case ControlKind::Timer: break;
  }
  return {nullptr, 0, 0};
}

int BitmapResource(Artwork a) {
  switch (a) {
    case Artwork::AboutGrey: return IDB_ABOUT_GREY;
    case Artwork::Wordmark: return IDB_WORDMARK;
    default: return 0;
  }
}

// The wordmark is drawn on this grey; it becomes the window's own face
// colour, whatever the user's colour scheme, so no box shows around it.
constexpr COLORREF kWordmarkPaper = RGB(240, 240, 240);

void ShowFaceThrough(HBITMAP bitmap, COLORREF paper) {
  DIBSECTION dib{};
  if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24 || !dib.dsBm.bmBits) return;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
  for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
    BYTE* px = bits + y * dib.dsBm.bmWidthBytes;
    for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, px += 3) {
      if (RGB(px[2], px[1], px[0]) != paper) continue;
      px[0] = GetBValue(face);
      px[1] = GetGValue(face);
      px[2] = GetRValue(face);
    }
  }
}

std::string ResourceBytes(HINSTANCE instance, int id) {
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (!res) return {};
  HGLOBAL data = LoadResource(instance, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(instance, res)) : std::string();
}

NativeControl* ControlFromChild(NativeWindow& w, HWND child) {
  if (!child) return nullptr;
  for (auto& c : w.controls)
    if (c.hwnd == child) return &c;
  return nullptr;
}

bool IsFocusable(const NativeControl& c) {
  return c.hwnd && (GetWindowLongA(c.hwnd, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(c.hwnd) &&
         IsWindowEnabled(c.hwnd);
}

// The first control in tab order that can take the focus.
HWND FirstInTabOrder(NativeWindow& w) {
  const NativeControl* best = nullptr;
  for (const auto& c : w.controls)
    if (IsFocusable(c) && c.design->tabIndex >= 0 && (!best || c.design->tabIndex < best->design->tabIndex)) best = &c;
  return best ? best->hwnd : nullptr;
}

void Paint(NativeWindow& w, HDC dc) {
  RECT rc;
  GetClientRect(w.hwnd, &rc);
  PaintFormBackground(w, dc, POINT{0, 0}, rc);
}

// A click is a press and a release on the same control, as on a push
// button: pressing, sliding off and letting go does nothing, and a window
// that closes on the click does not let the release fall on what was
// beneath it. The mouse is captured from press to release to tell.
bool PressAndRelease(HWND hwnd, bool& pressed, UINT msg, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed = true;
      SetCapture(hwnd);
      return false;
    case WM_LBUTTONUP: {
      if (!pressed) return false;
      pressed = false;
      ReleaseCapture();
      RECT rc;
      GetClientRect(hwnd, &rc);
      const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      return PtInRect(&rc, at) != FALSE;
    }
    case WM_CAPTURECHANGED: pressed = false; return false;
    default: return false;
  }
}

bool IsMouseButton(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_LBUTTONUP || msg == WM_CAPTURECHANGED;
}

// Labels, frames and pictures: statics that click on release and, for
// labels and frames, paint themselves over the form.
// A wide procedure, so that the wide text that labels hold and draw is never
// narrowed to the ANSI code page on its way through.
LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = reinterpret_cast<NativeControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (IsTransparent(*c) && PaintMessage(*c, msg, wp, lp, result)) return result;
  if (IsMouseButton(msg)) {
    // The static's own notice comes on the press; this one on the release.
    if (PressAndRelease(hwnd, c->pressed, msg, lp))
      SendMessageA(c->window->hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
    return msg == WM_CAPTURECHANGED ? CallWindowProcW(c->baseProc, hwnd, msg, wp, lp) : 0;
  }
  return CallWindowProcW(c->baseProc, hwnd, msg, wp, lp);
}

void SubclassStatic(NativeControl& c) {
  SetWindowLongPtrW(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
  c.baseProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
}

// The design tables' own texts (the copyright sign of the web line) are
// Windows-1252, whatever the reader's ANSI code page: set wide, they read
// the same on a Japanese Windows as on a Western one. The menu's captions
// still go through the ANSI calls, untouched.
void SetDesignText(HWND hwnd, std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) return;
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                                           wide.data(), static_cast<int>(wide.size()))));
  if (!wide.empty()) SetWindowTextW(hwnd, wide.c_str());
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* w = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    w->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  }
  NativeWindow* w = WindowOf(hwnd);
  if (!w) return DefWindowProcA(hwnd, msg, wp, lp);
  Form& form = *w->form;
  // After a handler returns, `w` may be gone: a handler can unload its own
  // window. Every handler call below is therefore the last use of `w`.
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(*w, dc);
      EndPaint(hwnd, &ps);
#ifdef TAVLIN_BENCH_EXIT_AFTER_PAINT
      // The start-up benchmark's build only: end once this form is on screen.
      if (form.Name() == TAVLIN_BENCH_EXIT_AFTER_PAINT) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        ExitProcess(0);
      }
#endif
      return 0;
    }
    case WM_PRINTCLIENT: Paint(*w, reinterpret_cast<HDC>(wp)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      NativeControl* c = ControlFromChild(*w, reinterpret_cast<HWND>(lp));
      if (!c || (!c->backBrush && !c->hasForeColor)) break;
      HDC dc = reinterpret_cast<HDC>(wp);
      if (c->hasForeColor) SetTextColor(dc, c->foreColor);
      if (!c->backBrush) break;
      SetBkColor(dc, ToColorRef(*c->design->backColor));
      return reinterpret_cast<LRESULT>(c->backBrush);
    }
    case WM_COMMAND: {
      NativeControl* c = ControlFromChild(*w, reinterpret_cast<HWND>(lp));
      if (!c) return 0;  // IDOK and IDCANCEL from the dialog keys mean nothing here
      const WORD code = HIWORD(wp);
      const ControlKind kind = c->design->kind;
      const bool click = (kind == ControlKind::ListBox && code == LBN_SELCHANGE) ||
                         (kind == ControlKind::CommandButton && code == BN_CLICKED) ||
                         (kind != ControlKind::ListBox && kind != ControlKind::CommandButton &&
                          kind != ControlKind::TextBox && code == STN_CLICKED);
      if (click) form.OnClick(c->design->name);
      return 0;
    }
    case WM_LBUTTONDOWN: form.OnClick(""); return 0;
    case WM_TIMER:
      for (const auto& c : w->controls)
        if (c.timerId == wp) {
          form.OnTimer(c.design->name);
          return 0;
        }
      return 0;
    case WM_ACTIVATE:
      // Keep the focus where the user left it, as dialogs do.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) w->lastFocus = focus;
      } else if (w->lastFocus && IsWindow(w->lastFocus) && IsWindowVisible(w->lastFocus)) {
        ::SetFocus(w->lastFocus);
        return 0;
      }
      break;
    case WM_NEXTDLGCTL: {
      // The dialog keys send this for a label's access key: the focus goes
      // to the next control in tab order, as in a dialog.
      HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(hwnd, GetFocus(), wp != 0);
      if (target) FocusControl(target);
      return 0;
    }
    case WM_CLOSE: {
      int cancel = 0;
      form.Form_QueryUnload(cancel, kFormControlMenu);
      if (cancel == 0 && form.native == w) SkipOnError(w->platform->Unload(form));
      return 0;
    }
    case WM_QUERYENDSESSION: {
      int cancel = 0;
      form.Form_QueryUnload(cancel, kAppWindows);
      return cancel == 0;
    }
    case WM_DESTROY:
      for (auto& c : w->controls)
        if (c.timerId) KillTimer(hwnd, c.timerId);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      Win32Platform* platform = w->platform;
      form.native = nullptr;
      for (auto& c : w->controls) {
        if (c.backBrush) DeleteObject(c.backBrush);
        if (c.bitmap) DeleteObject(c.bitmap);  // a picture static does not own its bitmap
      }
      for (HFONT f : w->fonts) DeleteObject(f);
      delete w;
      platform->WindowGone();
      return DefWindowProcA(hwnd, msg, wp, lp);
    }
    default: break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterFormClass(HINSTANCE instance, const FormDesign& d, const std::string& name) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, name.c_str(), &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  if (d.icon == Artwork::Icon) {
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TAVLIN), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TAVLIN), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  }
  return RegisterClassExA(&wc) != 0;
}

void WindowStyle(const FormDesign& d, DWORD& style, DWORD& exStyle) {
  style = WS_CLIPCHILDREN | (d.border == Border::Sizable ? WS_THICKFRAME : WS_DLGFRAME);
  exStyle = 0;
  if (d.titleBar) style |= WS_CAPTION | WS_SYSMENU;
  else
    style |= WS_POPUP;
  if (d.minButton) style |= WS_MINIMIZEBOX;
  if (d.maxButton) style |= WS_MAXIMIZEBOX;
  if (!d.showInTaskbar) exStyle |= WS_EX_TOOLWINDOW;
  else if (!d.titleBar)
    exStyle |= WS_EX_APPWINDOW;
}

void CreateControls(Win32Platform& platform, NativeWindow& w) {
  const FormDesign& d = w.form->Design();
  HWND previous = nullptr;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const ControlDesign& cd = d.controls[i];
    NativeControl& c = w.controls[i];
    c.design = &cd;
    c.window = &w;
    const UINT id = static_cast<UINT>(*d.ControlId(cd.name));
    if (cd.kind == ControlKind::Timer) {
      // Runs from the moment the window exists.
      if (cd.intervalMs > 0) c.timerId = SetTimer(w.hwnd, id, static_cast<UINT>(cd.intervalMs), nullptr);
      continue;
    }
    const PixelRect at = d.Placed(cd, platform.dpi());
    const ControlClass cls = ClassFor(cd);
    c.hwnd = CreateWindowExA(cls.exStyle, cls.className, std::string(cd.text).c_str(), cls.style, at.left, at.top,
                             at.width, at.height, w.hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             platform.instance(), nullptr);
    if (!c.hwnd) continue;  // a control that cannot be made is left out, not fatal
    // Tab order and stacking follow the design table.
    SetWindowPos(c.hwnd, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = c.hwnd;

    if (cd.font) {
      c.font = MakeFont(*cd.font, platform.dpi());
      w.fonts.push_back(c.font);
    } else {
      c.font = w.windowFont;
    }
    SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    if (cd.foreColor) {
      c.foreColor = ToColorRef(*cd.foreColor);
      c.hasForeColor = true;
    }
    if (cd.backColor) c.backBrush = CreateSolidBrush(ToColorRef(*cd.backColor));
    if (ClassFor(cd).className == std::string_view("STATIC")) SubclassStatic(c);
    SetDesignText(c.hwnd, cd.text);
    switch (cd.kind) {
      case ControlKind::Label:
        if (cd.autoSize) {
          const SIZE s = LabelSize(c);
          SetWindowPos(c.hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
      case ControlKind::TextBox:
        SendMessageA(c.hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
        break;
      case ControlKind::ListBox:
        // Filled while the window is still hidden; drawn once when shown.
        SendMessageA(c.hwnd, WM_SETREDRAW, FALSE, 0);
        break;
      case ControlKind::PictureBox:
      case ControlKind::Image: {
        c.bitmap = static_cast<HBITMAP>(LoadImageA(platform.instance(), MAKEINTRESOURCEA(BitmapResource(cd.picture)),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (!c.bitmap) break;
        if (cd.picture == Artwork::Wordmark) ShowFaceThrough(c.bitmap, kWordmarkPaper);
        SendMessageA(c.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(c.bitmap));
        break;
      }
      default: break;
    }
  }
  // A frame lies beneath what it holds.
  for (const auto& c : w.controls)
    if (c.hwnd && c.design->kind == ControlKind::Frame)
      SetWindowPos(c.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

bool IsFormWindow(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) == FormProc; }

SIZE RenderLimit(const NativeWindow& w) {
  RECT rc;
  GetClientRect(w.hwnd, &rc);
  return SIZE{std::max<LONG>(GetSystemMetrics(SM_CXVIRTUALSCREEN), rc.right),
              std::max<LONG>(GetSystemMetrics(SM_CYVIRTUALSCREEN), rc.bottom)};
}

NativeWindow* CreateFormWindow(Win32Platform& platform, Form& form) {
  const FormDesign& d = form.Design();
  const std::string className = kClassPrefix + std::string(d.name);
  if (!RegisterFormClass(platform.instance(), d, className)) return nullptr;

  DWORD style, exStyle;
  WindowStyle(d, style, exStyle);
  RECT r{0, 0, platform.Pixels(d.clientWidth), platform.Pixels(d.clientHeight)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int width = r.right - r.left, height = r.bottom - r.top;
  // Centred on the screen when it opens.
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  auto* w = new NativeWindow;
  w->platform = &platform;
  w->form = &form;
  w->controls.resize(d.controls.size());
  if (!CreateWindowExA(exStyle, className.c_str(), std::string(d.caption).c_str(), style, x, y, width, height, nullptr,
                       nullptr, platform.instance(), w)) {
    if (!w->hwnd) delete w;  // never attached; an attached one went in WM_NCDESTROY
    return nullptr;
  }
  form.native = w;
  platform.WindowMade();

  w->windowFont = MakeFont(d.font, platform.dpi());
  w->fonts.push_back(w->windowFont);
  if (d.picture == Artwork::Background) {
    platform.EnsureCom();
    const SIZE limit = RenderLimit(*w);
    w->picture = RenderPicture(ResourceBytes(platform.instance(), IDR_BACKGROUND), limit.cx, limit.cy,
                               GetSysColor(COLOR_BTNFACE));
  }
  CreateControls(platform, *w);
  return w;
}

void ShowFormWindow(NativeWindow& w) {
  for (const auto& c : w.controls)
    if (c.hwnd && c.design->kind == ControlKind::ListBox) {
      SendMessageA(c.hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(c.hwnd, nullptr, TRUE);
    }
  ShowWindow(w.hwnd, SW_SHOWNORMAL);
  if (HWND first = FirstInTabOrder(w)) ::SetFocus(first);
  UpdateWindow(w.hwnd);
}

}  // namespace tavlin
