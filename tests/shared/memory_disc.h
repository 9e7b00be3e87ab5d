// A disc folder held in memory, for the checker's tests and its fuzzer.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/disc_files.h"

namespace tavlin::test {

class MemoryDisc final : public DiscFiles {
 public:
  MemoryDisc& File(const std::string& path, std::string bytes) {
    files_[path] = std::move(bytes);
    AddParents(path);
    return *this;
  }
  MemoryDisc& Folder(const std::string& path) {
    folders_.insert(path);
    AddParents(path);
    return *this;
  }
  MemoryDisc& Unlistable(const std::string& path) {
    unlistable_.insert(path);
    return Folder(path);
  }
  MemoryDisc& Rename(const std::string& from, const std::string& to) {
    auto node = files_.extract(from);
    node.key() = to;
    files_.insert(std::move(node));
    return *this;
  }
  MemoryDisc& Hidden(const std::string& path) {
    hidden_.insert(path);
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
