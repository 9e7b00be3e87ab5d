// The header check in front of the picture loader.
#include <gtest/gtest.h>

#include <string>

#include "base/picture_limits.h"

namespace tavlin {
namespace {

std::string Le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string Le32(long long v) {
  return Le16(static_cast<unsigned>(v & 0xFFFF)) + Le16(static_cast<unsigned>(v >> 16 & 0xFFFF));
}
std::string Be16(unsigned v) { return {static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v & 0xFF)}; }

std::string Jpeg(unsigned width, unsigned height) {
  std::string app0 = "\xFF\xE0" + Be16(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
  std::string sof = "\xFF\xC0" + Be16(17) + "\x08" + Be16(height) + Be16(width) + std::string(10, '\1');
  return "\xFF\xD8" + app0 + sof + "\xFF\xD9";
}

// A 24-bit bitmap with `pixelBytes` of pixel data after its header.
std::string Bmp(long long width, long long height, std::size_t pixelBytes = 16) {
  return "BM" + Le32(54 + pixelBytes) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) + Le16(1) +
         Le16(24) + std::string(24, '\0') + std::string(pixelBytes, '\x7F');
}

TEST(PictureLimits, ReadsTheSizeEachFormatClaims) {
  const auto jpeg = ClaimedPictureSize(Jpeg(400, 375));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->width, 400);
  EXPECT_EQ(jpeg->height, 375);
  const auto bmp = ClaimedPictureSize(Bmp(73, -30, 0));  // top-down bitmaps have a negative height
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->width, 73);
  EXPECT_EQ(bmp->height, 30);
  const auto gif = ClaimedPictureSize("GIF89a" + Le16(200) + Le16(100) + "\0\0\0;");
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->width, 200);
  const auto ico = ClaimedPictureSize(std::string("\0\0\1\0\1\0\0\0", 8) + std::string(14, '\0'));
  ASSERT_TRUE(ico);
  EXPECT_EQ(ico->width, 256);  // 0 stands for 256
}

TEST(PictureLimits, HugeClaimsAreRefusedAndOrdinaryOnesPass) {
  EXPECT_FALSE(PictureWithinLimits(Jpeg(60000, 60000)));
  EXPECT_FALSE(PictureWithinLimits(Jpeg(16385, 10)));
  EXPECT_FALSE(PictureWithinLimits(Jpeg(10, 16385)));
  EXPECT_TRUE(PictureWithinLimits(Jpeg(16384, 10)));  // the limit itself is allowed
  EXPECT_TRUE(PictureWithinLimits(Jpeg(10, 16384)));
  EXPECT_TRUE(PictureWithinLimits(Jpeg(8192, 4096)));   // exactly the pixel limit
  EXPECT_FALSE(PictureWithinLimits(Jpeg(8000, 8000)));  // too many pixels in all
  EXPECT_FALSE(PictureWithinLimits(Bmp(2147483647, 2)));
  EXPECT_TRUE(PictureWithinLimits(Jpeg(400, 375)));
  EXPECT_TRUE(PictureWithinLimits(Jpeg(4000, 3000)));
  EXPECT_TRUE(PictureWithinLimits(Bmp(200, 100, 200 * 3 * 100)));
  EXPECT_FALSE(PictureWithinLimits(Bmp(200, 100, 200 * 3 * 100 - 1)));  // cut short
  EXPECT_TRUE(PictureWithinLimits(Bmp(2, 2)));                          // rows padded to 8 bytes: 16 in all
  EXPECT_TRUE(PictureWithinLimits("text that is no picture"));          // the loader refuses it itself
  EXPECT_FALSE(PictureWithinLimits(std::string(kMaxPictureFileBytes + 1, 'x')));
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
