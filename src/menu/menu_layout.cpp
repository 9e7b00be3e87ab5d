#include "menu/menu_layout.h"

#include <iterator>

namespace tavlin {

namespace {

// The header's value lines, in the order of kHeaderFields.
constexpr long long kHeaderFieldLines[] = {2, 5, 8, 11, 14, 15, 16, 17, 18, 21};
static_assert(std::size(kHeaderFieldLines) == std::size(kHeaderFields));

// An item block is one line of notes, the six values, one line of notes.
constexpr long long kFirstItemValue = 1;
static_assert(BlockStart(2) == 8 * 2 + 15, "item k starts at line 8k + 15");

}  // namespace

std::string_view FieldName(MenuField field) {
  switch (field) {
    case MenuField::ItemCount: return "ItemCount";
    case MenuField::TitleColorIndex: return "TitleColorIndex";
    case MenuField::LabelColorFlag: return "LabelColorFlag";
    case MenuField::MenuTitle: return "MenuTitle";
    case MenuField::ApplicationCaption: return "ApplicationCaption";
    case MenuField::PathCaption: return "PathCaption";
    case MenuField::FilenameCaption: return "FilenameCaption";
    case MenuField::InformationCaption: return "InformationCaption";
    case MenuField::DescriptionCaption: return "DescriptionCaption";
    case MenuField::DefaultDescription: return "DefaultDescription";
    case MenuField::ItemName: return "ItemName";
    case MenuField::ItemPath: return "ItemPath";
    case MenuField::ItemFile: return "ItemFile";
    case MenuField::ItemButtonCaption: return "ItemButtonCaption";
    case MenuField::ItemInformation: return "ItemInformation";
    case MenuField::ItemDescription: return "ItemDescription";
  }
  return "";
}

long long LineOf(MenuField headerField) {
  for (std::size_t i = 0; i < std::size(kHeaderFields); ++i)
    if (kHeaderFields[i] == headerField) return kHeaderFieldLines[i];
  return 0;
}

long long LineOf(MenuField itemField, long long item) {
  const auto offset = static_cast<long long>(itemField) - static_cast<long long>(MenuField::ItemName);
  return BlockStart(item) + kFirstItemValue + offset;
}

std::optional<MenuField> HeaderFieldAt(long long line) {
  for (std::size_t i = 0; i < std::size(kHeaderFields); ++i)
    if (kHeaderFieldLines[i] == line) return kHeaderFields[i];
  return std::nullopt;
}

std::optional<MenuField> ItemFieldAt(long long lineInBlock) {
  const long long i = lineInBlock - kFirstItemValue;
  if (i < 0 || i >= static_cast<long long>(std::size(kItemFields))) return std::nullopt;
  return kItemFields[i];
}

LineRole RoleOfLine(long long line, long long itemPasses) {
  LineRole role;
  if (line <= kHeaderLines) {
    if (const auto f = HeaderFieldAt(line)) role = {LineRole::Kind::Value, *f, 0};
    return role;
  }
  const long long item = (line - kHeaderLines - 1) / kItemBlockLines + 1;
  if (item > itemPasses) return {LineRole::Kind::AfterLastItem, MenuField::ItemCount, item};
  if (item > kMaxMenuItems) return {LineRole::Kind::BeyondMaxItems, MenuField::ItemCount, item};
  if (const auto f = ItemFieldAt(line - BlockStart(item))) return {LineRole::Kind::Value, *f, item};
  return {LineRole::Kind::Ignored, MenuField::ItemCount, item};
}

std::string DescribeRole(const LineRole& role) {
  switch (role.kind) {
    case LineRole::Kind::Value:
      return (IsItemField(role.field) ? "item " + std::to_string(role.item) + " " : std::string()) +
             std::string(FieldName(role.field));
    case LineRole::Kind::Ignored: return "ignored (label line)";
    case LineRole::Kind::AfterLastItem: return "ignored (after last item)";
    case LineRole::Kind::BeyondMaxItems: return "ignored (item beyond " + std::to_string(kMaxMenuItems) + ")";
  }
  return "";
}

}  // namespace tavlin
