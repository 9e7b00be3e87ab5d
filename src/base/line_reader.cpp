#include "base/line_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tavlin {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

std::size_t StringByteSource::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::min(size, bytes_.size() - pos_);
  std::memcpy(buffer, bytes_.data() + pos_, n);
  pos_ += n;
  return n;
}

LineReader::LineReader(std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), buffer_(new char[kBufferSize]) {}

bool LineReader::Fill() {
  if (atEnd_) return false;
  begin_ = 0;
  end_ = source_->Read(buffer_.get(), kBufferSize);
  if (end_ == 0) atEnd_ = true;
  return end_ != 0;
}

bool LineReader::ReadLine(std::string& line, LineInfo* info) {
  if (begin_ == end_ && !Fill()) return false;
  // From here on the read succeeds, so the target can be filled in place.
  std::string& value = line;
  value.clear();
  LineInfo seen;
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const char* stop = buffer_.get() + end_;
    const char* eol = std::find_if(start, stop, [](char c) { return c == '\r' || c == '\n'; });
    const std::size_t room = kMaxLineLength - value.size();
    value.append(start, std::min(static_cast<std::size_t>(eol - start), room));
    seen.length += static_cast<std::size_t>(eol - start);
    begin_ = static_cast<std::size_t>(eol - buffer_.get());
    if (eol != stop) {
      ++begin_;
      seen.end = *eol == '\r' ? LineInfo::End::Cr : LineInfo::End::Lf;
      // A CR may be followed by the LF of the same line end, perhaps only in
      // the next buffer.
      if (*eol == '\r' && (begin_ != end_ || Fill()) && buffer_[begin_] == '\n') {
        ++begin_;
        seen.end = LineInfo::End::CrLf;
      }
      break;
    }
    if (!Fill()) break;  // the last line has no line end
  }
  if (info) *info = seen;
  return true;
}

std::unique_ptr<LineReader> LineReaderFromString(std::string bytes) {
  return std::make_unique<LineReader>(std::make_unique<StringByteSource>(std::move(bytes)));
}

}  // namespace tavlin
