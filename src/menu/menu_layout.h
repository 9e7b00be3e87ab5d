// Where each value of tavlin.ini stands. Values are found by line number
// alone, and this is the one place that knows the numbers: the reader, the
// checker and the editor all ask it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlin {

enum class MenuField {
  // The header, lines 1 to 22.
  ItemCount,
  TitleColorIndex,
  LabelColorFlag,
  MenuTitle,
  ApplicationCaption,
  PathCaption,
  FilenameCaption,
  InformationCaption,
  DescriptionCaption,
  DefaultDescription,
  // An item block of 8 lines; item k starts at line 8k + 15.
  ItemName,
  ItemPath,
  ItemFile,
  ItemButtonCaption,
  ItemInformation,
  ItemDescription,
};

inline constexpr long long kHeaderLines = 22;
inline constexpr long long kItemBlockLines = 8;
// The menu table's slots; a count beyond it reads item blocks it stores nowhere.
inline constexpr int kMaxMenuItems = 1000;

inline constexpr MenuField kHeaderFields[] = {
    MenuField::ItemCount,          MenuField::TitleColorIndex,    MenuField::LabelColorFlag,
    MenuField::MenuTitle,          MenuField::ApplicationCaption, MenuField::PathCaption,
    MenuField::FilenameCaption,    MenuField::InformationCaption, MenuField::DescriptionCaption,
    MenuField::DefaultDescription,
};
inline constexpr MenuField kItemFields[] = {
    MenuField::ItemName,          MenuField::ItemPath,        MenuField::ItemFile,
    MenuField::ItemButtonCaption, MenuField::ItemInformation, MenuField::ItemDescription,
};

std::string_view FieldName(MenuField field);
constexpr bool IsItemField(MenuField f) { return f >= MenuField::ItemName; }

// The line of a header field, or of an item's field (items count from 1).
long long LineOf(MenuField headerField);
long long LineOf(MenuField itemField, long long item);
// The first line of an item's block: a line of notes.
constexpr long long BlockStart(long long item) { return kHeaderLines + kItemBlockLines * (item - 1) + 1; }
// The lines of the header and `items` whole item blocks.
constexpr long long MenuLines(long long items) { return kHeaderLines + kItemBlockLines * items; }

// The field a header line holds, or a line of an item block (0 to 7);
// nullopt for the lines that are read and thrown away.
std::optional<MenuField> HeaderFieldAt(long long line);
std::optional<MenuField> ItemFieldAt(long long lineInBlock);

// What a line of the file is to the program, for a given item count (the
// number of item passes, as ItemCountValue gives it).
struct LineRole {
  enum class Kind {
    Value,           // feeds `field` (of `item`, for an item field)
    Ignored,         // a line between the values, read and thrown away
    AfterLastItem,   // beyond the last block the count asks for: never read
    BeyondMaxItems,  // in a block past item 1000: read, stored nowhere
  } kind = Kind::Ignored;
  MenuField field = MenuField::ItemCount;
  long long item = 0;
};
LineRole RoleOfLine(long long line, long long itemPasses);

// A line's role as the checker's map and the editor's messages name it:
// "ItemCount", "item 3 ItemFile", "ignored (label line)", ...
std::string DescribeRole(const LineRole& role);

}  // namespace tavlin
