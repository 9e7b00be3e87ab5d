// What handlers change at run time: captions, texts, visibility, colours,
// the list's entries, the focus and the form's picture.
#include "platform/win32/backend.h"

namespace tavlin {

bool SetControlCaption(NativeControl& c, const std::string& text) {
  if (c.design->kind != ControlKind::Label) return SetWindowTextA(c.hwnd, text.c_str()) != FALSE;
  RECT before;
  GetWindowRect(c.hwnd, &before);
  MapWindowPoints(nullptr, c.window->hwnd, reinterpret_cast<POINT*>(&before), 2);
  if (!SetWindowTextA(c.hwnd, text.c_str())) return false;
  if (c.design->autoSize) {
    // Width and height follow the text; the left and top edges stay.
    const SIZE s = LabelSize(c);
    SetWindowPos(c.hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Whatever the old caption covered and the new one does not shows the form again.
  RedrawWindow(c.window->hwnd, &before, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RepaintArea(c);
  return true;
}

bool SetControlVisible(NativeControl& c, bool visible) {
  ShowWindow(c.hwnd, visible ? SW_SHOWNA : SW_HIDE);
  if (IsTransparent(c)) RepaintArea(c);  // a label over it drew its text
  return true;
}

void SetControlForeColor(NativeControl& c, Rgb color) {
  c.foreColor = ToColorRef(color);
  c.hasForeColor = true;
  RepaintArea(c);
}

bool AddListEntry(NativeControl& list, const std::string& entry) {
  const LRESULT r = SendMessageA(list.hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  return r != LB_ERR && r != LB_ERRSPACE;
}

int CurrentListEntry(NativeControl& list) {
  const LRESULT r = SendMessageA(list.hwnd, LB_GETCURSEL, 0, 0);
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

void FocusControl(HWND target) {
  // A push button that became the default one while it had the focus is
  // plain again once the focus leaves, as with the dialog keys.
  HWND old = GetFocus();
  ::SetFocus(target);
  if (old && old != target && (SendMessageA(old, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
    SendMessageA(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
}

void SetFormPicture(NativeWindow& w, std::unique_ptr<RenderedPicture> picture) {
  w.picture = std::move(picture);
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace tavlin
