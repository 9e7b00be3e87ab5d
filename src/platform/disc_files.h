// Read-only access to the files of a disc folder, for the menu checker. Paths
// are relative to the disc's root, their parts joined with '/', and spelled
// as the file system spells them, in UTF-8 (Windows' wide names converted;
// a Linux name that is no UTF-8 stays as its bytes).
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlin {

struct DiscEntry {
  std::string name;
  bool folder = false;
  bool hidden = false;  // the hidden or system attribute, where there is one
};

class DiscFiles {
 public:
  virtual ~DiscFiles() = default;
  // The entries of a folder ("" is the root) without "." and "..";
  // nullopt when it cannot be listed.
  virtual std::optional<std::vector<DiscEntry>> List(const std::string& folder) = 0;
  // At most `limit` bytes from the start of a file; nullopt when it cannot
  // be opened or read.
  virtual std::optional<std::string> Read(const std::string& path, std::size_t limit) = 0;
  // The size of a file in bytes; nullopt when unknown.
  virtual std::optional<unsigned long long> Size(const std::string& path) = 0;
};

// The folder `root` of this machine's file system; nullptr when it is not a
// folder that can be listed.
std::unique_ptr<DiscFiles> OpenDiscFolder(const std::string& root);

}  // namespace tavlin
