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

using Lines = std::vector<std::string>;

// Each text read whole and trickled a byte or a few at a time, so that
// line ends fall across reads.
std::vector<Lines> ReadAllWays(const std::string& text) {
  std::vector<Lines> out;
  for (std::size_t step : {1, 2, 3, 65536}) {
    LineReader r(std::make_unique<Trickle>(text, step));
    Lines& lines = out.emplace_back();
    for (std::string line; r.ReadLine(line);) lines.push_back(line);
  }
  return out;
}

TEST(LineReader, LineEndsAndTheEndOfTheFile) {
  const std::pair<std::string, Lines> cases[] = {{"", {}},
                                                 {"a", {"a"}},
                                                 {"a\r\n", {"a"}},
                                                 {"a\r\n\r\n", {"a", ""}},
                                                 {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
                                                 {"\n\r", {"", ""}},
                                                 {"a\n\rb", {"a", "", "b"}},
                                                 {"a\r\r\nb", {"a", "", "b"}},
                                                 {"ab\r\ncd\r\n\r\nef", {"ab", "cd", "", "ef"}}};
  for (const auto& [text, lines] : cases)
    for (const Lines& got : ReadAllWays(text)) EXPECT_EQ(got, lines) << '"' << text << '"';
}

TEST(LineReader, AnOverlongLineIsCutAndEveryLineTellsHowItEnded) {
  using End = LineInfo::End;
  const std::string huge(LineReader::kMaxLineLength * 3 + 17, 'y');
  using Seen = std::vector<std::tuple<std::string, End, std::size_t>>;
  const Seen want = {{"a", End::Cr, 1},
                     {"b", End::Lf, 1},
                     {std::string(LineReader::kMaxLineLength, 'y'), End::CrLf, huge.size()},
                     {"last", End::None, 4}};
  for (std::size_t step : {1, 7, 65536}) {
    LineReader r(std::make_unique<Trickle>("a\rb\n" + huge + "\r\nlast", step));
    Seen seen;
    std::string line;
    for (LineInfo info; r.ReadLine(line, &info);) seen.emplace_back(line, info.end, info.length);
    EXPECT_EQ(seen, want) << step;
  }
}

}  // namespace
}  // namespace tavlin
