#include "check/menu_template.h"

#include <vector>

#include "menu/menu_layout.h"
#include "menu/numbers.h"
#include "menu/words.h"

namespace tavlin {

namespace {

// What the template puts on a value line, and what the notes above it say:
// `below` on the line just above, `onLine` after "Field on line N" on the
// line above that, where the layout leaves one.
struct HeaderNote {
  MenuField field;
  std::string value, onLine, below;
};

std::string Colours(int from, int to) {
  std::string s;
  for (int n = from; n <= to; ++n) s += (s.empty() ? "" : ", ") + std::to_string(n) + " " + std::string(ColorName(n));
  return s;
}

std::vector<HeaderNote> HeaderNotes(int items) {
  const std::string blocks = std::to_string(kItemBlockLines);
  return {
      {MenuField::ItemCount, std::to_string(items), "",
       ": the number of items, 0 to " + std::to_string(kMaxMenuItems) +
           ". Tavlin finds every value by its line number: keep every line."},
      {MenuField::TitleColorIndex, "14", ": " + Colours(0, 7) + ",", ": " + Colours(8, 15) + "."},
      {MenuField::LabelColorFlag, kLabelColorOn, ".",
       ": " + std::string(kLabelColorOn) + " gives the field labels the title colour too."},
      {MenuField::MenuTitle, "Welcome", ".", ": the title at the top of the window."},
      {MenuField::ApplicationCaption, "Application",
       ", then PathCaption, FilenameCaption, InformationCaption, DescriptionCaption.",
       ", the heading above the list; on the four lines after it, " + std::string(kHideMarker) + " hides a field."},
      {MenuField::PathCaption, "Folder", "", ""},
      {MenuField::FilenameCaption, "File", "", ""},
      {MenuField::InformationCaption, "Information", "", ""},
      {MenuField::DescriptionCaption, "Description", "", ""},
      {MenuField::DefaultDescription, "Choose an item from the list.", ".",
       ": the description shown before an item is chosen."},
  };
}

std::string ItemNameNote(long long item) {
  return "ItemName of item " + std::to_string(item) + " on line " + std::to_string(LineOf(MenuField::ItemName, item)) +
         ".";
}

// What the template puts in an item's field: every item opens a file every
// disc has, from the disc's root, so that it opens at once.
std::string ItemValue(MenuField field, const std::string& n) {
  switch (field) {
    case MenuField::ItemName: return "Item " + n;
    case MenuField::ItemPath: return ".";
    case MenuField::ItemFile: return kMenuDefinitionFile;
    case MenuField::ItemButtonCaption: return "Open";
    case MenuField::ItemInformation: return "What item " + n + " is";
    default: return "Describe item " + n + " here.";
  }
}

}  // namespace

std::string MenuTemplate(int items) {
  std::vector<std::string> l(static_cast<std::size_t>(kHeaderLines));
  const auto line = [&](long long n) -> std::string& { return l[static_cast<std::size_t>(n - 1)]; };
  for (const HeaderNote& h : HeaderNotes(items)) {
    const long long at = LineOf(h.field);
    const std::string name(FieldName(h.field));
    line(at) = h.value;
    if (!h.below.empty()) line(at - 1) = name + " below" + h.below;
    if (!h.onLine.empty()) line(at - 2) = name + " on line " + std::to_string(at) + h.onLine;
  }
  const std::string end =
      "End of the menu: fewer than " + std::to_string(kItemBlockLines) +
      " lines of notes may follow. Save this file in the ANSI code page of your readers' Windows (Windows-1252 for "
      "Western Europe, 1250 Central Europe, 1251 Cyrillic, 1253 Greek, 932 Japanese, ...), not UTF-8.";
  line(kHeaderLines) = items == 0 ? end
                                  : ItemNameNote(1) + " Item blocks from the next line on, " +
                                        std::to_string(kItemBlockLines) + " lines each: item k starts at line " +
                                        std::to_string(kItemBlockLines) + "k+" +
                                        std::to_string(BlockStart(1) - kItemBlockLines) + ".";
  std::string fields;
  for (MenuField f : kItemFields) {
    fields += (fields.empty() ? "" : ", ") + std::string(FieldName(f));
    if (f == MenuField::ItemPath) fields += " (its folder)";
    if (f == MenuField::ItemFile) fields += " (in that folder)";
  }
  for (int k = 1; k <= items; ++k) {
    const std::string n = std::to_string(k);
    for (long long at = 0; at < kItemBlockLines; ++at) {
      if (const auto field = ItemFieldAt(at)) l.push_back(ItemValue(*field, n));
      else if (at == 0)
        l.push_back("Item " + n + " below: " + fields + ".");
      else
        l.push_back(k < items ? ItemNameNote(k + 1) : end);
    }
  }
  std::string out;
  for (const auto& s : l) out += s + "\r\n";
  return out;
}

}  // namespace tavlin
