#include "base/picture_limits.h"

#include <cstdint>
#include <cstdlib>

#include "base/byte_fields.h"

namespace tavlin {

namespace {

long long Le32s(std::string_view b, std::size_t i) { return static_cast<std::int32_t>(Le32(b, i)); }

bool IsStartOfFrame(unsigned marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureSize> JpegSize(std::string_view b) {
  std::size_t i = 2;
  while (i + 4 <= b.size()) {
    if (U8(b, i) != 0xFF) return std::nullopt;
    const unsigned marker = U8(b, i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      i += 2;
      continue;
    }
    const unsigned length = Be16(b, i + 2);
    if (length < 2) return std::nullopt;
    if (IsStartOfFrame(marker)) {
      if (i + 9 > b.size()) return std::nullopt;
      return PictureSize{Be16(b, i + 7), Be16(b, i + 5)};
    }
    if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // image data before any frame header
    i += 2 + length;
  }
  return std::nullopt;
}

// An uncompressed bitmap whose pixels are not all in the file is cut short;
// some loaders would show whatever memory follows.
bool BitmapIsWhole(std::string_view b, const PictureSize& size) {
  if (b.size() < 54 || Le32s(b, 14) < 40) return true;
  const unsigned bits = Le16(b, 28);
  if (Le32s(b, 30) != 0 || bits == 0) return true;  // compressed: the loader checks
  const long long rowBytes = (size.width * bits + 31) / 32 * 4;
  return static_cast<long long>(b.size()) >= Le32s(b, 10) + rowBytes * size.height;
}

}  // namespace

std::optional<PictureSize> ClaimedPictureSize(std::string_view b) {
  if (b.size() >= 4 && U8(b, 0) == 0xFF && U8(b, 1) == 0xD8) return JpegSize(b);
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    if (Le32s(b, 14) == 12) return PictureSize{Le16(b, 18), Le16(b, 20)};  // the old core header
    return PictureSize{std::llabs(Le32s(b, 18)), std::llabs(Le32s(b, 22))};
  }
  if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
    return PictureSize{Le16(b, 6), Le16(b, 8)};
  if (b.size() >= 8 && Le16(b, 0) == 0 && Le16(b, 2) == 1 && Le16(b, 4) > 0)
    return PictureSize{U8(b, 6) == 0 ? 256 : U8(b, 6), U8(b, 7) == 0 ? 256 : U8(b, 7)};
  return std::nullopt;
}

bool PictureWithinLimits(std::string_view bytes) {
  if (bytes.size() > kMaxPictureFileBytes) return false;
  const auto size = ClaimedPictureSize(bytes);
  if (!size) return true;  // not recognised here: the loader decides
  if (size->width > kMaxPictureSide || size->height > kMaxPictureSide || size->width * size->height > kMaxPicturePixels)
    return false;
  return bytes.substr(0, 2) != "BM" || BitmapIsWhole(bytes, *size);
}

}  // namespace tavlin
