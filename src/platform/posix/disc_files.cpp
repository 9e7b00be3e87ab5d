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
    const std::string path = Full(folder);
    DIR* d = opendir(path.c_str());
    if (!d) return std::nullopt;
    std::vector<DiscEntry> out;
    while (const dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      struct stat st {};
      // A link counts as what it points to, as it would on the burnt disc.
      const bool folder = stat((path + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      out.push_back({name, folder, false});
    }
    closedir(d);
    return out;
  }

  std::optional<std::string> Read(const std::string& rel, std::size_t limit) override {
    const int fd = open(Full(rel).c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
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
    if (failed) return std::nullopt;  // a folder reads as EISDIR
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
