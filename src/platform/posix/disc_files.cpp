#include "platform/disc_files.h"

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlin {

namespace {

class PosixDisc final : public DiscFiles {
 public:
  explicit PosixDisc(std::string root) : root_(std::move(root)) {}

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override {
    DIR* d = opendir(Full(folder).c_str());
    if (!d) return std::nullopt;
    std::vector<DiscEntry> out;
    while (const dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      struct stat st {};
      // A link counts as what it points to, as it will on the burnt disc; a
      // link to nothing will not be there at all.
      if (stat(Full(folder.empty() ? name : folder + "/" + name).c_str(), &st) != 0) continue;
      out.push_back({name, S_ISDIR(st.st_mode), false});
    }
    closedir(d);
    return out;
  }

  std::optional<std::string> Read(const std::string& rel, std::size_t limit) override {
    // Not blocking, so that a pipe of that name cannot hang the checker.
    const int fd = open(Full(rel).c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      return std::nullopt;
    }
    std::string out;
    char buffer[65536];
    bool failed = false;
    while (out.size() < limit) {
      const ssize_t n = read(fd, buffer, std::min(sizeof buffer, limit - out.size()));
      if (n < 0) failed = true;
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    if (failed) return std::nullopt;
    return out;
  }

  std::optional<unsigned long long> Size(const std::string& rel) override {
    struct stat st {};
    if (stat(Full(rel).c_str(), &st) != 0) return std::nullopt;
    return static_cast<unsigned long long>(st.st_size);
  }

 private:
  std::string Full(const std::string& rel) const { return rel.empty() ? root_ : root_ + "/" + rel; }

  std::string root_;
};

}  // namespace

std::unique_ptr<DiscFiles> OpenDiscFolder(const std::string& root) {
  struct stat st {};
  if (stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
  return std::make_unique<PosixDisc>(root);
}

}  // namespace tavlin
