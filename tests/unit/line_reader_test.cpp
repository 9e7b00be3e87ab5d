// Line splitting across buffer edges and at the end of the file.
#include <gtest/gtest.h>

#include "base/line_reader.h"

namespace tavlin {
namespace {

// Hands out its bytes a few at a time, so line ends fall across reads.
class Trickle final : public ByteSource {
 public:
  Trickle(std::string bytes, std::size_t step) : bytes_(std::move(bytes)), step_(step) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, step_, bytes_.size() - pos_});
    bytes_.copy(buffer, n, pos_);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t step_, pos_ = 0;
};

std::vector<std::string> AllLines(std::unique_ptr<LineReader> r) {
  std::vector<std::string> out;
  for (std::string line; r->ReadLine(line);) out.push_back(line);
  return out;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LineEndsAndTheEndOfTheFile) {
  EXPECT_EQ(AllLines(LineReaderFromString("")), Lines{});
  EXPECT_EQ(AllLines(LineReaderFromString("a")), Lines{"a"});
  EXPECT_EQ(AllLines(LineReaderFromString("a\r\n")), Lines{"a"});
  EXPECT_EQ(AllLines(LineReaderFromString("a\r\n\r\n")), (Lines{"a", ""}));
  EXPECT_EQ(AllLines(LineReaderFromString("a\rb\nc\r\nd")), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(AllLines(LineReaderFromString("\n\r")), (Lines{"", ""}));
  EXPECT_EQ(AllLines(LineReaderFromString("a\n\rb")), (Lines{"a", "", "b"}));
  EXPECT_EQ(AllLines(LineReaderFromString("a\r\r\nb")), (Lines{"a", "", "b"}));
}

TEST(LineReader, CrLfSplitAcrossReadsIsOneLineEnd) {
  for (std::size_t step : {1, 2, 3}) {
    auto r = std::make_unique<LineReader>(std::make_unique<Trickle>("ab\r\ncd\r\n\r\nef", step));
    EXPECT_EQ(AllLines(std::move(r)), (Lines{"ab", "cd", "", "ef"})) << step;
  }
}

TEST(LineReader, PastTheEndFailsAndKeepsTheTarget) {
  auto r = LineReaderFromString("one\r\n");
  std::string line = "before";
  ASSERT_TRUE(r->ReadLine(line));
  EXPECT_EQ(line, "one");
  line = "kept";
  EXPECT_FALSE(r->ReadLine(line));
  EXPECT_FALSE(r->ReadLine(line));
  EXPECT_EQ(line, "kept");
}

TEST(LineReader, AnOverlongLineIsCutAndTheNextLineIsIntact) {
  const std::string huge(LineReader::kMaxLineLength * 3 + 17, 'x');
  auto r = LineReaderFromString(huge + "\r\nnext\r\n");
  std::string line;
  ASSERT_TRUE(r->ReadLine(line));
  EXPECT_EQ(line, std::string(LineReader::kMaxLineLength, 'x'));
  ASSERT_TRUE(r->ReadLine(line));
  EXPECT_EQ(line, "next");
}

TEST(LineReader, TellsHowEachLineEndedAndItsRealLength) {
  using End = LineInfo::End;
  const std::string huge(LineReader::kMaxLineLength + 5, 'y');
  for (std::size_t step : {1, 7, 65536}) {
    auto r = std::make_unique<LineReader>(std::make_unique<Trickle>("a\r\nbc\rd\n" + huge + "\r\nlast", step));
    std::vector<std::pair<End, std::size_t>> seen;
    std::string line;
    for (LineInfo info; r->ReadLine(line, &info);) seen.emplace_back(info.end, info.length);
    const std::vector<std::pair<End, std::size_t>> want = {
        {End::CrLf, 1}, {End::Cr, 2}, {End::Lf, 1}, {End::CrLf, huge.size()}, {End::None, 4}};
    EXPECT_EQ(seen, want) << step;
  }
}

}  // namespace
}  // namespace tavlin
