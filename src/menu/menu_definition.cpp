#include "menu/menu_definition.h"

#include "base/error_modes.h"
#include "menu/numbers.h"

namespace tavlin {

namespace {

class Input {
 public:
  explicit Input(LineReader* file) : file_(file) {}

  // With no file open every read fails, like a read past the end.
  bool Read(std::string& target) { return file_ != nullptr && file_->ReadLine(target); }
  bool Read(std::optional<std::string>& target) {
    std::string line;
    if (!Read(line)) return false;
    target = std::move(line);
    return true;
  }
  void Skip() { SkipOnError(Read(scratch_)); }  // an ignored line
  void Store(MenuList& list, long long slot) {
    std::string line;
    if (Read(line)) SkipOnError(list.Store(slot, std::move(line)));  // a slot out of range fails
  }

 private:
  LineReader* file_;
  std::string scratch_;
};

}  // namespace

MenuStartValues ReadMenuDefinition(LineReader* file, Module1& m) {
  MenuStartValues v;
  Input in(file);

  for (long long line = 1; line <= kHeaderLines; ++line) {
    const auto field = HeaderFieldAt(line);
    if (!field) in.Skip();
    else if (*field == MenuField::ItemCount)
      SkipOnError(in.Read(v.ItemCount));
    else if (*field == MenuField::TitleColorIndex)
      SkipOnError(in.Read(v.TitleColorIndex));
    else if (*field == MenuField::MenuTitle)
      SkipOnError(in.Read(v.MenuTitle));
    else
      SkipOnError(in.Read(*m.Setting(*field)));
  }

  // The count is taken once; no end-of-file test. Passes beyond slot 1000
  // could store nothing, so reading stops there.
  const long long passes = ItemCountValue(v.ItemCount);
  for (long long k = 1; k <= passes && k <= kMaxMenuItems; ++k) {
    for (long long at = 0; at < kItemBlockLines; ++at) {
      if (const auto field = ItemFieldAt(at)) in.Store(m.Items(*field), k);
      else
        in.Skip();
    }
  }
  return v;
}

}  // namespace tavlin
