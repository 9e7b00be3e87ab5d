#include "editor/page_disc.h"

#include "base/ascii.h"
#include "menu/words.h"

namespace tavlin {

PageDisc::PageDisc(const std::vector<PageEntry>& entries, const std::map<std::string, std::string>& bytes,
                   std::string menu) {
  std::string menuName = kMenuDefinitionFile;
  for (const PageEntry& e : entries) {
    const std::string& name = e.path;
    const auto slash = name.rfind('/');
    const std::string parent = slash == std::string::npos ? "" : name.substr(0, slash);
    folders_[parent].push_back({name.substr(slash + 1), e.folder, false});
    if (e.folder) folders_[name];
    else
      sizes_[name] = e.size;
    if (const auto it = bytes.find(e.path); it != bytes.end()) files_[name] = it->second;
    if (parent.empty() && !e.folder && LowerCase(name) == kMenuDefinitionFile) menuName = name;
  }
  // The menu being edited stands where the disc's own is, or is added.
  if (!sizes_.count(menuName)) folders_[""].push_back({menuName, false, false});
  sizes_[menuName] = menu.size();
  files_[menuName] = std::move(menu);
}

std::optional<std::vector<DiscEntry>> PageDisc::List(const std::string& folder) {
  const auto it = folders_.find(folder);
  if (it == folders_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> PageDisc::Read(const std::string& path, std::size_t limit) {
  const auto it = files_.find(path);
  if (it == files_.end()) {
    if (sizes_.count(path)) wanted_.insert(path);
    return std::nullopt;
  }
  return it->second.substr(0, limit);
}

std::optional<unsigned long long> PageDisc::Size(const std::string& path) {
  const auto it = sizes_.find(path);
  if (it == sizes_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> PageDisc::Wanted() const { return {wanted_.begin(), wanted_.end()}; }

}  // namespace tavlin
