#include "check/disc_index.h"

#include "base/code_page.h"
#include "base/windows_names.h"

namespace tavlin {

const std::optional<std::vector<DiscEntry>>& DiscIndex::Listing(const std::string& folder) {
  auto it = listings_.find(folder);
  if (it == listings_.end()) it = listings_.emplace(folder, files_.List(folder)).first;
  return it->second;
}

const DiscEntry* DiscIndex::Entry(const std::string& folder, std::string_view name, bool& otherCase) {
  const auto& list = Listing(folder);
  if (!list) return nullptr;
  for (const auto& e : *list)
    if (e.name == name) return otherCase = false, &e;
  for (const auto& e : *list)
    if (SameNameIgnoringCase(e.name, name)) return otherCase = true, &e;
  return nullptr;
}

Located DiscIndex::Locate(const std::string& base, std::string_view relative) {
  Located at;
  std::vector<std::string> stack = SplitPath(base);
  for (const auto& part : SplitPath(relative)) {
    if (part == ".") continue;
    if (part == "..") {
      if (stack.empty()) return at.kind = Located::Kind::Outside, at;
      stack.pop_back();
      at.folder = true;
      continue;
    }
    if (!at.folder) return at.kind = Located::Kind::Missing, at;  // a file on the way
    if (!Listing(JoinPath(stack))) {
      at.path = JoinPath(stack);
      return at.kind = Located::Kind::Unlistable, at;
    }
    bool other = false;
    const DiscEntry* e = Entry(JoinPath(stack), WindowsName(part), other);
    if (!e) return at.kind = Located::Kind::Missing, at;
    at.otherCase = at.otherCase || other;
    at.folder = e->folder;
    stack.push_back(e->name);
  }
  at.kind = Located::Kind::Found;
  at.path = JoinPath(stack);
  return at;
}

}  // namespace tavlin
