// The header check in front of the picture loader.
#include <gtest/gtest.h>

#include <string>

#include "base/picture_limits.h"
#include "memory_disc.h"

namespace tavlin {
namespace {

using namespace test;

// A 24-bit bitmap with `pixelBytes` of pixel data after its header.
std::string Bmp(long long width, long long height, std::size_t pixelBytes = 16) {
  return "BM" + Le(54 + pixelBytes, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) +
         Le(24, 2) + std::string(24, '\0') + std::string(pixelBytes, '\x7F');
}

TEST(PictureLimits, ReadsTheSizeEachFormatClaims) {
  const std::tuple<std::string, long long, long long> cases[] = {
      {Jpeg(400, 375), 400, 375},
      {Bmp(73, -30, 0), 73, 30},  // top-down bitmaps have a negative height
      {"GIF89a" + Le(200, 2) + Le(100, 2) + "\0\0\0;", 200, 100},
      {std::string("\0\0\1\0\1\0\0\0", 8) + std::string(14, '\0'), 256, 256}};  // 0 stands for 256
  for (const auto& [bytes, width, height] : cases) {
    const auto size = ClaimedPictureSize(bytes);
    ASSERT_TRUE(size) << width;
    EXPECT_EQ(std::pair(size->width, size->height), std::pair(width, height));
  }
}

TEST(PictureLimits, HugeClaimsAreRefusedAndOrdinaryOnesPass) {
  // Beyond a side, beyond the pixels in all, a bitmap cut short, a file too large.
  for (const std::string& bytes :
       {Jpeg(60000, 60000), Jpeg(16385, 10), Jpeg(10, 16385), Jpeg(8000, 8000), Bmp(2147483647, 2),
        Bmp(200, 100, 59999), std::string(kMaxPictureFileBytes + 1, 'x')})
    EXPECT_FALSE(PictureWithinLimits(bytes)) << testing::PrintToString(ClaimedPictureSize(bytes));
  // Each limit itself (a side, the pixels in all), ordinary sizes, bitmap rows
  // padded to 8 bytes, and text, which the loader refuses itself.
  for (const std::string& bytes : {Jpeg(16384, 10), Jpeg(10, 16384), Jpeg(8192, 4096), Jpeg(400, 375),
                                   Bmp(200, 100, 60000), Bmp(2, 2), std::string("text that is no picture")})
    EXPECT_TRUE(PictureWithinLimits(bytes)) << testing::PrintToString(ClaimedPictureSize(bytes));
}

TEST(PictureLimits, CutOrBrokenHeadersReadNoSize) {
  const std::string jpeg = Jpeg(400, 375);
  // The frame header starts after 2 + 18 bytes and needs 9 of its own.
  for (std::size_t n = 0; n < 2 + 18 + 9; ++n) EXPECT_FALSE(ClaimedPictureSize(jpeg.substr(0, n))) << n;
  EXPECT_TRUE(ClaimedPictureSize(jpeg.substr(0, 2 + 18 + 9)));
  EXPECT_FALSE(ClaimedPictureSize(std::string("\xFF\xD8\xFF\xE0\x00\x01", 6)));  // a length below 2
  EXPECT_FALSE(ClaimedPictureSize(std::string("\xFF\xD8\x00\x00", 4)));
  EXPECT_FALSE(ClaimedPictureSize("BM"));
  EXPECT_FALSE(ClaimedPictureSize("GIF89a\1"));
}

}  // namespace
}  // namespace tavlin
