#include "menu/menu_definition.h"

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
  void Skip() { (void)Read(scratch_); }  // an ignored line; its failure changes nothing
  void Store(MenuList& list, long long slot) {
    std::string line;
    if (Read(line)) (void)list.Store(slot, std::move(line));  // a slot out of range is a failed step
  }

 private:
  LineReader* file_;
  std::string scratch_;
};

}  // namespace

MenuStartValues ReadMenuDefinition(LineReader* file, Module1& m) {
  MenuStartValues v;
  Input in(file);

  // Header, lines 1 to 22.
  in.Skip();                      // 1
  in.Read(v.ItemCount);           // 2
  in.Skip();                      // 3
  in.Skip();                      // 4
  in.Read(v.TitleColorIndex);     // 5
  in.Skip();                      // 6
  in.Skip();                      // 7
  in.Read(m.LabelColorFlag);      // 8
  in.Skip();                      // 9
  in.Skip();                      // 10
  in.Read(v.MenuTitle);           // 11
  in.Skip();                      // 12
  in.Skip();                      // 13
  in.Read(m.ApplicationCaption);  // 14
  in.Read(m.PathCaption);         // 15
  in.Read(m.FilenameCaption);     // 16
  in.Read(m.InformationCaption);  // 17
  in.Read(m.DescriptionCaption);  // 18
  in.Skip();                      // 19
  in.Skip();                      // 20
  in.Read(m.DefaultDescription);  // 21
  in.Skip();                      // 22

  // Item blocks of 8 lines. The count is taken once; no end-of-file test.
  // Passes beyond slot 1000 could store nothing, so reading stops there.
  const long long passes = ItemCountValue(v.ItemCount);
  for (long long k = 1; k <= passes && k <= kMaxMenuItems; ++k) {
    in.Skip();
    in.Store(m.ItemName, k);
    in.Store(m.ItemPath, k);
    in.Store(m.ItemFile, k);
    in.Store(m.ItemButtonCaption, k);
    in.Store(m.ItemInformation, k);
    in.Store(m.ItemDescription, k);
    in.Skip();
  }
  return v;
}

MenuStartValues ReadMenuDefinition(Platform& platform, Module1& module) {
  // Open as the only input file; closed when `file` goes, after the last block.
  std::unique_ptr<LineReader> file = platform.OpenForInput(kMenuDefinitionFile);
  return ReadMenuDefinition(file.get(), module);
}

}  // namespace tavlin
