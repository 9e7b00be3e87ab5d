// Sequential line input from a text file, shared by every backend so that a
// file, a string and a fuzzer's bytes all read the same.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tavlin {

// Raw bytes from wherever a backend reads them.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `size` bytes; 0 means the end, or a read error, which a
  // reader cannot tell apart on a scratched disc anyway.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class StringByteSource final : public ByteSource {
 public:
  explicit StringByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

// How a line ended and how long it really was, for those who check a file
// rather than read it.
struct LineInfo {
  enum class End { None, Cr, CrLf, Lf } end = End::None;
  std::size_t length = 0;  // before the cut at kMaxLineLength
};

class LineReader {
 public:
  // A longer line keeps its first kMaxLineLength bytes and the rest is
  // skipped, so one huge line on a disc cannot exhaust memory.
  static constexpr std::size_t kMaxLineLength = 65535;

  explicit LineReader(std::unique_ptr<ByteSource> source);

  // A line ends at CR, CR LF or a lone LF; the end is not part of it. A last
  // line without an end ends at the end of the file. Past the end the read
  // fails and `line` keeps what it held. Bytes stay bytes.
  bool ReadLine(std::string& line, LineInfo* info = nullptr);

 private:
  bool Fill();

  std::unique_ptr<ByteSource> source_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  bool atEnd_ = false;
};

std::unique_ptr<LineReader> LineReaderFromString(std::string bytes);

}  // namespace tavlin
