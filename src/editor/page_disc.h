// The disc as the editor's page holds it, for the checker: the listing of
// the folder the author opened, the bytes of the files read so far, and the
// menu being edited in place of the disc's own tavlin.ini. A read of a file
// whose bytes the page has not loaded yet is noted, so that the page can
// load them and check again.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/disc_files.h"

namespace tavlin {

struct PageEntry {
  std::string path;  // from the disc's root, parts joined with '/', UTF-8
  bool folder = false;
  unsigned long long size = 0;
};

class PageDisc final : public DiscFiles {
 public:
  // `bytes`: the files loaded so far, by their path as listed.
  PageDisc(const std::vector<PageEntry>& entries, const std::map<std::string, std::string>& bytes, std::string menu);

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override;
  std::optional<std::string> Read(const std::string& path, std::size_t limit) override;
  std::optional<unsigned long long> Size(const std::string& path) override;

  // The files read but not loaded.
  std::vector<std::string> Wanted() const;

 private:
  std::map<std::string, std::vector<DiscEntry>> folders_;
  std::map<std::string, std::string> files_;
  std::map<std::string, unsigned long long> sizes_;
  std::set<std::string> wanted_;
};

}  // namespace tavlin
