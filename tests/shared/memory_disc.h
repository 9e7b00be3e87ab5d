// A disc folder held in memory, and the bytes of pictures to put on it, for
// the checker's and the picture check's tests and the checker's fuzzer.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/disc_files.h"

namespace tavlin::test {

// The low `n` bytes of `v`, least significant first.
inline std::string Le(unsigned long long v, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
  return s;
}

// A JPEG that claims `width` x `height`: its frame header after an 18-byte
// APP0 segment, then its end marker unless it is cut short.
inline std::string Jpeg(unsigned width, unsigned height, bool whole = true) {
  const auto be = [](unsigned v) { return std::string{static_cast<char>(v >> 8 & 255), static_cast<char>(v & 255)}; };
  return "\xFF\xD8\xFF\xE0" + be(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14) + "\xFF\xC0" + be(17) + "\x08" +
         be(height) + be(width) + std::string(10, '\1') + (whole ? "\xFF\xD9" : "");
}

class MemoryDisc final : public DiscFiles {
 public:
  MemoryDisc& File(const std::string& path, std::string bytes, bool hidden = false) {
    files_[path] = std::move(bytes);
    if (hidden) hidden_.insert(path);
    AddParents(path);
    return *this;
  }
  MemoryDisc& Folder(const std::string& path, bool unlistable = false) {
    folders_.insert(path);
    if (unlistable) unlistable_.insert(path);
    AddParents(path);
    return *this;
  }
  MemoryDisc& Rename(const std::string& from, const std::string& to) {
    auto node = files_.extract(from);
    node.key() = to;
    files_.insert(std::move(node));
    return *this;
  }

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override {
    if ((!folder.empty() && !folders_.count(folder)) || unlistable_.count(folder)) return std::nullopt;
    std::vector<DiscEntry> out;
    const auto add = [&](const std::string& path, bool isFolder) {
      const auto slash = path.rfind('/');
      const std::string parent = slash == std::string::npos ? "" : path.substr(0, slash);
      if (parent == folder) out.push_back({path.substr(slash + 1), isFolder, hidden_.count(path) > 0});
    };
    for (const auto& [path, _] : files_) add(path, false);
    for (const auto& path : folders_) add(path, true);
    return out;
  }
  std::optional<std::string> Read(const std::string& path, std::size_t limit) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second.substr(0, limit);
  }
  std::optional<unsigned long long> Size(const std::string& path) override {
    const auto it = files_.find(path);
    if (it == files_.end()) return std::nullopt;
    return it->second.size();
  }

 private:
  void AddParents(const std::string& path) {
    for (auto slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
      folders_.insert(path.substr(0, slash));
  }
  std::map<std::string, std::string> files_;
  std::set<std::string> folders_, hidden_, unlistable_;
};

}  // namespace tavlin::test
