// Arbitrary bytes as a picture file's header: the size check must read only
// what is there and never let a huge picture through.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/picture_limits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto claimed = tavlin::ClaimedPictureSize(bytes);
  if (tavlin::PictureWithinLimits(bytes) && claimed &&
      (claimed->width > tavlin::kMaxPictureSide || claimed->height > tavlin::kMaxPictureSide))
    std::abort();
  return 0;
}
