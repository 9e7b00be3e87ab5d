// Labels and frames are static windows, so screen readers see them, but they
// paint themselves: the form's picture shows around their letters, and a
// caption that changes leaves nothing of the old one behind.
#include <algorithm>
#include <utility>

#include "platform/win32/backend.h"

namespace tavlin {

namespace {

// Wide, as the label holds it: a caption set through the ANSI calls was
// widened in the reader's code page, the design's own texts were set wide.
std::wstring TextOf(HWND hwnd) {
  std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  s.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
  return s;
}

UINT LabelFormat(const NativeControl& c) {
  // No DT_NOPREFIX: an ampersand marks the access key, as on buttons.
  return DT_SINGLELINE | DT_TOP | (c.design->align == Align::Center ? DT_CENTER : DT_LEFT);
}

// A label's text or a frame's etched edge, drawn into `box`.
void DrawContent(const NativeControl& c, HDC dc, RECT box) {
  HGDIOBJ oldFont = SelectObject(dc, c.font);
  if (c.design->kind == ControlKind::Frame) {
    // A frame's top edge runs half a line of its font below its top, where
    // a caption would sit on it; designs count on that (About's frame lies
    // above the window's top so that its top edge shows just inside).
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    box.top += tm.tmHeight / 2;
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    SelectObject(dc, oldFont);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.hasForeColor ? c.foreColor : GetSysColor(COLOR_BTNTEXT));
  const std::wstring text = TextOf(c.hwnd);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, LabelFormat(c));
  SelectObject(dc, oldFont);
}

const NativeControl* TransparentControl(const NativeWindow& w, HWND hwnd) {
  for (const auto& c : w.controls)
    if (c.hwnd == hwnd) return IsTransparent(c) ? &c : nullptr;
  return nullptr;
}

// The form beneath, then whatever label or frame lies under this one (a
// caption grown wide may reach over its neighbour, whose text must still
// show), then its own text or edge, in one pass into a memory bitmap:
// transparent over the picture, and no flicker when a caption changes.
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

}  // namespace

bool IsTransparent(const NativeControl& c) {
  return c.design->kind == ControlKind::Label || c.design->kind == ControlKind::Frame;
}

bool PaintMessage(NativeControl& c, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(c.hwnd, &ps);
      PaintTransparent(c, dc);
      EndPaint(c.hwnd, &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintTransparent(c, reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // painted whole in WM_PAINT
      return true;
    case WM_SETTEXT:
      // Store the text without the static's own immediate repaint, which
      // would draw an opaque background for a moment.
      result = DefWindowProcW(c.hwnd, msg, wp, lp);
      InvalidateRect(c.hwnd, nullptr, FALSE);
      return true;
    default: return false;
  }
}

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
    BitBlt(dc, drawn.left, drawn.top, drawn.right - drawn.left, drawn.bottom - drawn.top, src, drawn.left + origin.x,
           drawn.top + origin.y, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
  }
}

SIZE LabelSize(const NativeControl& c) {
  const std::wstring text = TextOf(c.hwnd);
  HDC dc = GetDC(c.hwnd);
  HGDIOBJ old = SelectObject(dc, c.font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT r{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, LabelFormat(c) | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(c.hwnd, dc);
  return SIZE{r.right - r.left, tm.tmHeight};
}

void RepaintArea(const NativeControl& c) {
  RECT r;
  GetWindowRect(c.hwnd, &r);
  MapWindowPoints(nullptr, c.window->hwnd, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(c.window->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace tavlin
