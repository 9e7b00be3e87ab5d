// The second floor for start-up: what a window with the menu's content costs
// under Wine, without the menu's own code. The main window's controls at their
// places, its three fonts, the 400 x 375 JPEG background through OleLoadPicture
// and the same manifest (common controls 6). Ends after its first complete
// paint, like the benchmark build of the menu.
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

namespace {

constexpr int kWidth = 400, kHeight = 375;
constexpr int kBackground = 1;  // RCDATA id in controls_floor.rc
HBITMAP background;

enum Font { kText, kTitle, kWindow };  // MS Sans Serif, the bold title, the window's Arial

struct Child {
  const char* cls;
  const char* text;
  DWORD style, exStyle;
  int left, top, width, height;  // twips, as in the main window's design
  Font font;
};

// The main window's design, in its own order (which is also the tab order).
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kChild | SS_NOTIFY | SS_LEFT;
constexpr Child kChildren[] = {
    {"LISTBOX", "", kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 300, 1260, 2895, 1815, kText},
    {"BUTTON", "Click", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 3960, 1860, 1095, 615, kText},
    {"EDIT", "", kEdit, WS_EX_CLIENTEDGE, 300, 3540, 2250, 285, kText},
    {"EDIT", "", kEdit, WS_EX_CLIENTEDGE, 3345, 3540, 2250, 285, kText},
    {"EDIT", "", kEdit, WS_EX_CLIENTEDGE, 300, 4140, 5295, 285, kText},
    {"STATIC", "Label", kLabel, 0, 300, 1020, 780, 195, kText},
    {"STATIC", "Welcome", kChild | SS_NOTIFY | SS_CENTER, 0, 2505, 240, 885, 480, kTitle},
    {"STATIC", "Label", kLabel, 0, 300, 3300, 330, 195, kText},
    {"STATIC", "Label", kLabel, 0, 3345, 3300, 630, 195, kText},
    {"STATIC", "Label", kLabel, 0, 300, 3900, 780, 195, kText},
    {"EDIT", "", kEdit, WS_EX_CLIENTEDGE, 300, 4740, 5295, 285, kText},
    {"STATIC", "Label", kLabel, 0, 300, 4500, 810, 210, kWindow},
    {"STATIC", "Label", kLabel, 0, 300, 5280, 1665, 225, kWindow},
};

HBITMAP DecodeBackground(HINSTANCE instance) {
  HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(kBackground), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  const DWORD size = res ? SizeofResource(instance, res) : 0;
  const void* bytes = size ? LockResource(LoadResource(instance, res)) : nullptr;
  HGLOBAL mem = bytes ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
  if (!mem) return nullptr;
  CopyMemory(GlobalLock(mem), bytes, size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  IPicture* picture = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) return nullptr;
  const HRESULT hr =
      OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr) || !picture) return nullptr;
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  picture->Render(dc, 0, 0, kWidth, kHeight, 0, h, w, -h, nullptr);
  SelectObject(dc, old);
  DeleteDC(dc);
  picture->Release();
  return bitmap;
}

// 8.25 and 20.25 points at 96 dpi, as the menu makes them.
HFONT MakeFont(int pixels, bool bold, const char* face) {
  return CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, background);
    BitBlt(dc, 0, 0, kWidth, kHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    EndPaint(hwnd, &ps);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    ExitProcess(background ? 0 : 1);  // no picture: the figure would not be the floor it claims
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
  wc.lpszClassName = "ControlsFloor";
  RegisterClassA(&wc);
  const DWORD style = WS_CLIPCHILDREN | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HWND w =
      CreateWindowExA(0, "ControlsFloor", "Floor", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  background = DecodeBackground(instance);
  const HFONT fonts[] = {MakeFont(11, false, "MS Sans Serif"), MakeFont(27, true, "Arial"),
                         MakeFont(11, false, "Arial")};
  for (const Child& c : kChildren) {
    HWND h = CreateWindowExA(c.exStyle, c.cls, c.text, c.style, c.left / 15, c.top / 15, c.width / 15, c.height / 15, w,
                             nullptr, instance, nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[c.font]), FALSE);
  }
  ShowWindow(w, SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
