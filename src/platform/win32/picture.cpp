// Pictures through the system's own loader, which takes the format from the
// content: JPEG, BMP, GIF, ICO.
#include <ole2.h>
#include <olectl.h>

#include <algorithm>

#include "base/picture_limits.h"
#include "platform/win32/backend.h"

namespace tavlin {

namespace {

constexpr long kHimetricPerInch = 2540;

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

}  // namespace

bool ReadPictureFile(const std::string& name, std::string& bytes) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileType(f) == FILE_TYPE_DISK && GetFileSizeEx(f, &size) && size.QuadPart > 0 &&
            static_cast<unsigned long long>(size.QuadPart) <= kMaxPictureFileBytes;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ok = ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size();
  }
  CloseHandle(f);
  return ok;
}

std::unique_ptr<RenderedPicture> RenderPicture(const std::string& bytes, int maxWidth, int maxHeight,
                                               COLORREF background) {
  if (bytes.empty() || !PictureWithinLimits(bytes)) return nullptr;

  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!mem) return nullptr;
  void* dst = GlobalLock(mem);
  if (!dst) {
    GlobalFree(mem);
    return nullptr;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(dst));
  GlobalUnlock(mem);
  Released<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream.p))) {
    GlobalFree(mem);
    return nullptr;
  }
  Released<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.p, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture.p))) ||
      !picture.p)
    return nullptr;

  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  if (FAILED(picture.p->get_Width(&hmWidth)) || FAILED(picture.p->get_Height(&hmHeight)) || hmWidth <= 0 ||
      hmHeight <= 0)
    return nullptr;

  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  const int fullWidth = MulDiv(hmWidth, dpiX, kHimetricPerInch);
  const int fullHeight = MulDiv(hmHeight, dpiY, kHimetricPerInch);
  auto out = std::make_unique<RenderedPicture>();
  out->width = std::clamp(fullWidth, 1, std::max(1, maxWidth));
  out->height = std::clamp(fullHeight, 1, std::max(1, maxHeight));
  out->bitmap = CreateCompatibleBitmap(screen, out->width, out->height);
  HDC dc = out->bitmap ? CreateCompatibleDC(screen) : nullptr;
  ReleaseDC(nullptr, screen);
  if (!dc) return nullptr;

  HGDIOBJ old = SelectObject(dc, out->bitmap);
  const RECT all{0, 0, out->width, out->height};
  HBRUSH brush = CreateSolidBrush(background);  // under transparent icons and GIFs
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  // Only the top-left part that can be seen, one picture pixel to one pixel.
  const OLE_XSIZE_HIMETRIC partWidth = MulDiv(out->width, kHimetricPerInch, dpiX);
  const OLE_YSIZE_HIMETRIC partHeight = MulDiv(out->height, kHimetricPerInch, dpiY);
  const HRESULT hr = picture.p->Render(dc, 0, 0, out->width, out->height, 0, hmHeight, partWidth, -partHeight, nullptr);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (FAILED(hr)) return nullptr;
  return out;
}

}  // namespace tavlin
