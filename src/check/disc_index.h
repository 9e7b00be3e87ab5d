// The disc's folders as the checker looks names up in them: each listed
// once, a name (UTF-8 text, as the readers' Windows reads the menu's bytes)
// found in its exact spelling or, as Windows would, in another letter case,
// and a relative path followed from folder to folder.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc_files.h"

namespace tavlin {

struct Located {
  enum class Kind { Found, Missing, Outside, Unlistable } kind = Kind::Missing;
  std::string path;  // as spelled on the disc; for Unlistable the folder that is
  bool folder = true, otherCase = false;
};

class DiscIndex {
 public:
  explicit DiscIndex(DiscFiles& files) : files_(files) {}

  DiscFiles& files() { return files_; }
  // nullopt when the folder cannot be listed.
  const std::optional<std::vector<DiscEntry>>& Listing(const std::string& folder);
  // The exact spelling, or failing that one that differs only in letter
  // case (Windows takes that, a case-sensitive medium not).
  const DiscEntry* Entry(const std::string& folder, std::string_view name, bool& otherCase);
  // `relative` followed from the folder `base`, each part as Windows looks
  // it up.
  Located Locate(const std::string& base, std::string_view relative);

 private:
  DiscFiles& files_;
  std::map<std::string, std::optional<std::vector<DiscEntry>>> listings_;
};

}  // namespace tavlin
