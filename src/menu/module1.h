// Module1: the state shared by the forms for the whole life of the process.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tavlin {

inline constexpr int kMaxMenuItems = 1000;

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
  std::string LabelColorFlag, ApplicationCaption, PathCaption, FilenameCaption,
      InformationCaption, DescriptionCaption, DefaultDescription;

  // Selection: written by List1 Click. An empty SelectedPath means none.
  std::string SelectedPath, SelectedFile;
  // The folder that holds the program; written once at start-up.
  std::string StartDirectory;
};

}  // namespace tavlin
