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

// Each line with how it ended, and its length before a cut when it was cut.
// The text is read whole and trickled a byte or a few at a time, so that
// line ends and the cut fall across reads.
std::vector<Lines> ReadAllWays(const std::string& text) {
  static const char* const kEnds[] = {"", "<CR>", "<CRLF>", "<LF>"};
  std::vector<Lines> out;
  for (std::size_t step : {1, 2, 3, 7, 65536}) {
    LineReader r(std::make_unique<Trickle>(text, step));
    Lines& lines = out.emplace_back();
    std::string line;
    for (LineInfo info; r.ReadLine(line, &info);) {
      const std::string cut = info.length == line.size() ? "" : " of " + std::to_string(info.length);
      lines.push_back(line + kEnds[static_cast<int>(info.end)] + cut);
    }
  }
  return out;
}

TEST(LineReader, LineEndsTheEndOfTheFileAndAnOverlongLine) {
  const std::string huge(LineReader::kMaxLineLength * 3 + 17, 'y');
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a<CRLF>"}},
      {"a\r\n\r\n", {"a<CRLF>", "<CRLF>"}},
      {"a\rb\nc\r\nd", {"a<CR>", "b<LF>", "c<CRLF>", "d"}},
      {"\n\r", {"<LF>", "<CR>"}},
      {"a\n\rb", {"a<LF>", "<CR>", "b"}},
      {"a\r\r\nb", {"a<CR>", "<CRLF>", "b"}},
      {"ab\r\ncd\r\n\r\nef", {"ab<CRLF>", "cd<CRLF>", "<CRLF>", "ef"}},
      // A longer line is cut.
      {"a\rb\n" + huge + "\r\nlast",
       {"a<CR>", "b<LF>", huge.substr(0, LineReader::kMaxLineLength) + "<CRLF> of " + std::to_string(huge.size()),
        "last"}},
  };
  for (const auto& [text, lines] : cases)
    for (const Lines& got : ReadAllWays(text)) EXPECT_EQ(got, lines) << '"' << text.substr(0, 20) << '"';
}

}  // namespace
}  // namespace tavlin
