// Module1: the state shared by the forms for the whole life of the process.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "menu/menu_layout.h"

namespace tavlin {

// One list of the menu table: slots 0 to kMaxMenuItems, all empty at start.
// Slot 0 is never an item. An access outside the slots fails, as a step.
class MenuList {
 public:
  bool Store(long long slot, std::string value) {
    if (!InRange(slot)) return false;
    slots_[static_cast<std::size_t>(slot)] = std::move(value);
    return true;
  }
  std::optional<std::string> Get(long long slot) const {
    if (!InRange(slot)) return std::nullopt;
    return slots_[static_cast<std::size_t>(slot)];
  }

 private:
  static bool InRange(long long slot) { return slot >= 0 && slot <= kMaxMenuItems; }
  std::array<std::string, kMaxMenuItems + 1> slots_{};
};

struct Module1 {
  // Menu table: item k lives in slot k of all six lists.
  MenuList ItemName, ItemPath, ItemFile, ItemButtonCaption, ItemInformation, ItemDescription;

  // Display settings, filled by the reader and read by the main window's Load.
  std::string LabelColorFlag, ApplicationCaption, PathCaption, FilenameCaption, InformationCaption, DescriptionCaption,
      DefaultDescription;

  // Selection: written by List1 Click. An empty SelectedPath means none.
  std::string SelectedPath, SelectedFile;
  // The folder that holds the program; written once at start-up.
  std::string StartDirectory;

  // The list of an item field.
  MenuList& Items(MenuField field) {
    switch (field) {
      case MenuField::ItemName: return ItemName;
      case MenuField::ItemPath: return ItemPath;
      case MenuField::ItemFile: return ItemFile;
      case MenuField::ItemButtonCaption: return ItemButtonCaption;
      case MenuField::ItemInformation: return ItemInformation;
      default: return ItemDescription;
    }
  }
  // The display setting a header field fills; nullptr for the three values
  // that go to the start-up only.
  std::string* Setting(MenuField field) {
    switch (field) {
      case MenuField::LabelColorFlag: return &LabelColorFlag;
      case MenuField::ApplicationCaption: return &ApplicationCaption;
      case MenuField::PathCaption: return &PathCaption;
      case MenuField::FilenameCaption: return &FilenameCaption;
      case MenuField::InformationCaption: return &InformationCaption;
      case MenuField::DescriptionCaption: return &DescriptionCaption;
      case MenuField::DefaultDescription: return &DefaultDescription;
      default: return nullptr;
    }
  }
};

}  // namespace tavlin
