// What a picture file claims about itself, checked before a decoder sees it:
// a disc can carry a small file whose header promises a picture of billions
// of pixels, and no decoder should be asked to allocate that.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tavlin {

struct PictureSize {
  long long width = 0, height = 0;
};

inline constexpr std::size_t kMaxPictureFileBytes = 32u * 1024 * 1024;
inline constexpr long long kMaxPictureSide = 16384;
inline constexpr long long kMaxPicturePixels = 32LL * 1024 * 1024;

// The size in the header of a JPEG, BMP, GIF or ICO file; nullopt when the
// header is not one of those or is cut short.
std::optional<PictureSize> ClaimedPictureSize(std::string_view bytes);

// True when the bytes may go to the picture loader: not too large a file,
// and a header, where one is recognised, within the limits.
bool PictureWithinLimits(std::string_view bytes);

}  // namespace tavlin
