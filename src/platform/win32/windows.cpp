// Forms as real windows: built from their design tables, their messages
// turned into the forms' named handlers.
#include <algorithm>
#include <utility>

#include "platform/win32/backend.h"
#include "resource_ids.h"

namespace tavlin {

namespace {

constexpr UINT kFirstControlId = 100;  // clear of IDOK and IDCANCEL
constexpr char kClassPrefix[] = "Tavlin";

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

NativeWindow* WindowOf(HWND hwnd) { return reinterpret_cast<NativeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// --- drawing --------------------------------------------------------------------

// What the form shows at a point of its client area: its picture from the top
// left, unscaled, and its background colour beyond. `origin` is where the
// target DC's (0,0) lies in the form's client area.
void PaintFormBackground(NativeWindow& w, HDC dc, POINT origin, const RECT& area) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  if (!w.picture) {
    FillRect(dc, &area, face);
    return;
  }
  const RECT pic{-origin.x, -origin.y, w.picture->width - origin.x, w.picture->height - origin.y};
  // Only the parts the picture does not cover get the background colour.
  const RECT right{std::max(area.left, pic.right), area.top, area.right, area.bottom};
  const RECT below{area.left, std::max(area.top, pic.bottom), std::min(area.right, pic.right), area.bottom};
  if (right.left < right.right) FillRect(dc, &right, face);
  if (below.top < below.bottom && below.left < below.right) FillRect(dc, &below, face);
  RECT drawn;
  if (IntersectRect(&drawn, &area, &pic)) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, w.picture->bitmap);
    BitBlt(dc, drawn.left, drawn.top, drawn.right - drawn.left, drawn.bottom - drawn.top, src,
           drawn.left + origin.x, drawn.top + origin.y, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
  }
}

std::string TextOf(HWND hwnd) {
  std::string s(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  s.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, s.data(), static_cast<int>(s.size()))));
  return s;
}

UINT LabelFormat(const NativeControl& c) {
  // No DT_NOPREFIX: an ampersand marks the access key, as on buttons.
  return DT_SINGLELINE | DT_TOP | (c.design->align == Align::Center ? DT_CENTER : DT_LEFT);
}

// A label's text or a frame's etched edge, drawn into `box`.
void DrawContent(const NativeControl& c, HDC dc, RECT box) {
  if (c.design->kind == ControlKind::Frame) {
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.hasForeColor ? c.foreColor : GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ oldFont = SelectObject(dc, c.font);
  const std::string text = TextOf(c.hwnd);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, LabelFormat(c));
  SelectObject(dc, oldFont);
}

const NativeControl* TransparentControl(const NativeWindow& w, HWND hwnd) {
  for (const auto& c : w.controls)
    if (c.hwnd == hwnd)
      return c.design->kind == ControlKind::Label || c.design->kind == ControlKind::Frame ? &c : nullptr;
  return nullptr;
}

// Labels and frames paint the form beneath them, then whatever label or
// frame lies under them (a caption grown wide may reach over its neighbour,
// whose text must still show), then their own text or edge, in one pass into
// a memory bitmap: transparent over the picture, and no flicker when a
// caption changes.
void PaintTransparent(NativeControl& c, HDC target) {
  RECT rc;
  GetClientRect(c.hwnd, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bmp = CreateCompatibleBitmap(target, rc.right, rc.bottom);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  POINT origin{0, 0};
  MapWindowPoints(c.hwnd, c.window->hwnd, &origin, 1);
  PaintFormBackground(*c.window, dc, origin, rc);

  std::vector<std::pair<const NativeControl*, RECT>> beneath;  // nearest first
  for (HWND s = GetWindow(c.hwnd, GW_HWNDNEXT); s; s = GetWindow(s, GW_HWNDNEXT)) {
    const NativeControl* other = TransparentControl(*c.window, s);
    if (!other || !IsWindowVisible(s)) continue;
    RECT box, overlap;
    GetWindowRect(s, &box);
    MapWindowPoints(nullptr, c.hwnd, reinterpret_cast<POINT*>(&box), 2);
    if (IntersectRect(&overlap, &box, &rc)) beneath.emplace_back(other, box);
  }
  for (auto it = beneath.rbegin(); it != beneath.rend(); ++it) DrawContent(*it->first, dc, it->second);
  DrawContent(c, dc, rc);

  BitBlt(target, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBmp);
  DeleteObject(bmp);
  DeleteDC(dc);
}

// Marks a control's area of the form for repainting, with every control
// over or under it there, so overlapping labels stay in step.
void RepaintArea(const NativeControl& c) {
  RECT r;
  GetWindowRect(c.hwnd, &r);
  MapWindowPoints(nullptr, c.window->hwnd, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(c.window->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The size a self-sizing label takes for its caption in its font.
SIZE LabelSize(const NativeControl& c, const std::string& text) {
  HDC dc = GetDC(c.hwnd);
  HGDIOBJ old = SelectObject(dc, c.font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT r{0, 0, 0, 0};
  if (!text.empty()) DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, LabelFormat(c) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(c.hwnd, dc);
  return SIZE{r.right - r.left, tm.tmHeight};
}

LRESULT CALLBACK TransparentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* c = reinterpret_cast<NativeControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintTransparent(*c, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTransparent(*c, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_SETTEXT: {
      // Store the text without the static's own immediate repaint, which
      // would draw an opaque background for a moment.
      const LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    default:
      return CallWindowProcA(c->baseProc, hwnd, msg, wp, lp);
  }
}

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
    case ControlKind::Label:
      return {"STATIC", child | SS_NOTIFY | (d.align == Align::Center ? SS_CENTER : SS_LEFT), 0};
    case ControlKind::TextBox:
      return {"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
      return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Frame:
      // An etched static, not a group box: a group box lets clicks through.
      return {"STATIC", child | SS_ETCHEDFRAME | SS_NOTIFY, 0};
    case ControlKind::PictureBox:
    case ControlKind::Image:
      return {"STATIC", child | SS_BITMAP | SS_NOTIFY, 0};
    case ControlKind::Timer:
      break;
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

// Moves the focus as the dialog keys would: a push button that became the
// default one while it had the focus is plain again once the focus leaves.
void FocusControl(HWND target) {
  HWND old = GetFocus();
  ::SetFocus(target);
  if (old && old != target && (SendMessageA(old, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
    SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
}

std::string ResourceBytes(HINSTANCE instance, int id) {
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!res) return {};
  HGLOBAL data = LoadResource(instance, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(instance, res)) : std::string();
}

// Pictures are rendered only as far as any screen can show them.
SIZE RenderLimit(const NativeWindow& w) {
  RECT rc;
  GetClientRect(w.hwnd, &rc);
  return SIZE{std::max<LONG>(GetSystemMetrics(SM_CXVIRTUALSCREEN), rc.right),
              std::max<LONG>(GetSystemMetrics(SM_CYVIRTUALSCREEN), rc.bottom)};
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
    if (IsFocusable(c) && c.design->tabIndex >= 0 && (!best || c.design->tabIndex < best->design->tabIndex))
      best = &c;
  return best ? best->hwnd : nullptr;
}

void Paint(NativeWindow& w, HDC dc) {
  RECT rc;
  GetClientRect(w.hwnd, &rc);
  PaintFormBackground(w, dc, POINT{0, 0}, rc);
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
    case WM_ERASEBKGND:
      return 1;
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
    case WM_PRINTCLIENT:
      Paint(*w, reinterpret_cast<HDC>(wp));
      return 0;
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
      if (click) form.Click(c->design->name);
      return 0;
    }
    case WM_LBUTTONDOWN:
      form.Click("");
      return 0;
    case WM_TIMER:
      for (const auto& c : w->controls)
        if (c.timerId == wp) {
          form.Timer(c.design->name);
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
      if (cancel == 0 && form.native == w) (void)w->platform->Unload(form);
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
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterFormClass(HINSTANCE instance, const FormDesign& d, const std::string& name) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, name.c_str(), &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
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
  else style |= WS_POPUP;
  if (d.minButton) style |= WS_MINIMIZEBOX;
  if (d.maxButton) style |= WS_MAXIMIZEBOX;
  if (!d.showInTaskbar) exStyle |= WS_EX_TOOLWINDOW;
  else if (!d.titleBar) exStyle |= WS_EX_APPWINDOW;
}

}  // namespace

bool IsFormWindow(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) == FormProc;
}

// --- creating and destroying ------------------------------------------------------

NativeWindow* Win32Platform::Create(Form& form) {
  const FormDesign& d = form.Design();
  const std::string className = kClassPrefix + std::string(d.name);
  if (!RegisterFormClass(instance_, d, className)) return nullptr;

  DWORD style, exStyle;
  WindowStyle(d, style, exStyle);
  RECT r{0, 0, Pixels(d.clientWidth), Pixels(d.clientHeight)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int width = r.right - r.left, height = r.bottom - r.top;
  // Centred on the screen when it opens.
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  auto* w = new NativeWindow;
  w->platform = this;
  w->form = &form;
  w->controls.resize(d.controls.size());
  if (!CreateWindowExA(exStyle, className.c_str(), std::string(d.caption).c_str(), style, x, y, width, height,
                       nullptr, nullptr, instance_, w)) {
    if (!w->hwnd) delete w;  // never attached; an attached one went in WM_NCDESTROY
    return nullptr;
  }
  form.native = w;
  ++loadedWindows_;

  w->windowFont = MakeFont(d.font, dpi_);
  w->fonts.push_back(w->windowFont);
  if (d.picture == Artwork::Background) {
    EnsureCom();
    const SIZE limit = RenderLimit(*w);
    w->picture = RenderPicture(ResourceBytes(instance_, IDR_BACKGROUND), limit.cx, limit.cy, GetSysColor(COLOR_BTNFACE));
  }

  HWND previous = nullptr;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const ControlDesign& cd = d.controls[i];
    NativeControl& c = w->controls[i];
    c.design = &cd;
    c.window = w;
    const UINT id = kFirstControlId + static_cast<UINT>(i);
    if (cd.kind == ControlKind::Timer) {
      // Runs from the moment the window exists.
      if (cd.intervalMs > 0) c.timerId = SetTimer(w->hwnd, id, static_cast<UINT>(cd.intervalMs), nullptr);
      continue;
    }
    int left = Pixels(cd.left), top = Pixels(cd.top);
    if (!cd.container.empty()) {
      const ControlDesign& frame = d.controls[*d.IndexOf(cd.container)];
      left += Pixels(frame.left);
      top += Pixels(frame.top);
    }
    const ControlClass cls = ClassFor(cd);
    c.hwnd = CreateWindowExA(cls.exStyle, cls.className, std::string(cd.text).c_str(), cls.style, left, top,
                             Pixels(cd.width), Pixels(cd.height), w->hwnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance_, nullptr);
    if (!c.hwnd) continue;  // a control that cannot be made is left out, not fatal
    // Tab order and stacking follow the design table.
    SetWindowPos(c.hwnd, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = c.hwnd;

    if (cd.font) {
      c.font = MakeFont(*cd.font, dpi_);
      w->fonts.push_back(c.font);
    } else {
      c.font = w->windowFont;
    }
    SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
    if (cd.foreColor) {
      c.foreColor = ToColorRef(*cd.foreColor);
      c.hasForeColor = true;
    }
    if (cd.backColor) c.backBrush = CreateSolidBrush(ToColorRef(*cd.backColor));

    if (cd.kind == ControlKind::Label || cd.kind == ControlKind::Frame) {
      SetWindowLongPtrA(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
      c.baseProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentProc)));
    }
    switch (cd.kind) {
      case ControlKind::Label:
        if (cd.autoSize) {
          const SIZE s = LabelSize(c, std::string(cd.text));
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
        c.bitmap = static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCEA(BitmapResource(cd.picture)),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (!c.bitmap) break;
        if (cd.picture == Artwork::Wordmark) ShowFaceThrough(c.bitmap, kWordmarkPaper);
        SendMessageA(c.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(c.bitmap));
        break;
      }
      default:
        break;
    }
  }
  // A frame lies beneath what it holds.
  for (const auto& c : w->controls)
    if (c.hwnd && c.design->kind == ControlKind::Frame)
      SetWindowPos(c.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return w;
}

void Win32Platform::WindowGone() {
  if (--loadedWindows_ == 0) PostQuitMessage(0);
}

bool Win32Platform::Show(Form& form) {
  if (NativeWindow* open = form.native) {
    // Already open: only brought to the front.
    if (IsIconic(open->hwnd)) ShowWindow(open->hwnd, SW_RESTORE);
    SetForegroundWindow(open->hwnd);
    return true;
  }
  NativeWindow* w = Create(form);
  if (!w) return false;
  HWND hwnd = w->hwnd;
  form.Form_Load();
  if (form.native != w || !IsWindow(hwnd)) return true;  // unloaded in its own Load: never shown
  for (const auto& c : w->controls)
    if (c.hwnd && c.design->kind == ControlKind::ListBox) {
      SendMessageA(c.hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(c.hwnd, nullptr, TRUE);
    }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  if (HWND first = FirstInTabOrder(*w)) ::SetFocus(first);
  UpdateWindow(hwnd);
  w->shown = true;
  return true;
}

bool Win32Platform::Unload(Form& form) {
  if (!form.native) return true;
  return DestroyWindow(form.native->hwnd) != FALSE;
}

bool Win32Platform::IsLoaded(const Form& form) const { return form.native != nullptr; }

// --- properties -------------------------------------------------------------------

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
  if (!c) return false;
  if (c->design->kind != ControlKind::Label) return SetWindowTextA(c->hwnd, text.c_str()) != FALSE;

  RECT before;
  GetWindowRect(c->hwnd, &before);
  MapWindowPoints(nullptr, c->window->hwnd, reinterpret_cast<POINT*>(&before), 2);
  if (!SetWindowTextA(c->hwnd, text.c_str())) return false;
  if (c->design->autoSize) {
    // Width and height follow the text; the left and top edges stay.
    const SIZE s = LabelSize(*c, text);
    SetWindowPos(c->hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Whatever the old caption covered and the new one does not shows the form again.
  RedrawWindow(c->window->hwnd, &before, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RepaintArea(*c);
  return true;
}

bool Win32Platform::SetText(Form& form, std::string_view control, const std::string& text) {
  NativeControl* c = Find(form, control);
  return c && SetWindowTextA(c->hwnd, text.c_str());
}

bool Win32Platform::SetVisible(Form& form, std::string_view control, bool visible) {
  NativeControl* c = Find(form, control);
  if (!c) return false;
  ShowWindow(c->hwnd, visible ? SW_SHOWNA : SW_HIDE);
  if (TransparentControl(*c->window, c->hwnd)) RepaintArea(*c);  // a label over it drew its text
  return true;
}

bool Win32Platform::SetForeColor(Form& form, std::string_view control, Rgb color) {
  NativeControl* c = Find(form, control);
  if (!c) return false;
  c->foreColor = ToColorRef(color);
  c->hasForeColor = true;
  RepaintArea(*c);
  return true;
}

bool Win32Platform::AddItem(Form& form, std::string_view list, const std::string& entry) {
  NativeControl* c = Find(form, list);
  if (!c || c->design->kind != ControlKind::ListBox) return false;
  const LRESULT r = SendMessageA(c->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  return r != LB_ERR && r != LB_ERRSPACE;
}

std::optional<int> Win32Platform::ListIndex(Form& form, std::string_view list) {
  NativeControl* c = Find(form, list);
  if (!c || c->design->kind != ControlKind::ListBox) return std::nullopt;
  const LRESULT r = SendMessageA(c->hwnd, LB_GETCURSEL, 0, 0);
  return r == LB_ERR ? -1 : static_cast<int>(r);
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
  w->picture = std::move(picture);
  RedrawWindow(w->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return true;
}

}  // namespace tavlin
