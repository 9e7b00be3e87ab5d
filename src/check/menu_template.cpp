#include "check/menu_template.h"

#include <vector>

#include "menu/menu_layout.h"

namespace tavlin {

std::string MenuTemplate(int items) {
  std::vector<std::string> l = {
      "ItemCount below: the number of items, 0 to 1000. Tavlin finds every value by its line number: keep every line.",
      std::to_string(items),
      "TitleColorIndex on line 5: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 yellow, 7 white,",
      "TitleColorIndex below: 8 grey, 9 light blue, 10 light green, 11 light cyan, 12 light red, 13 light magenta, "
      "14 light yellow, 15 bright white.",
      "14",
      "LabelColorFlag on line 8.",
      "LabelColorFlag below: yes gives the field labels the title colour too.",
      "yes",
      "MenuTitle on line 11.",
      "MenuTitle below: the title at the top of the window.",
      "Welcome",
      "ApplicationCaption on line 14, then PathCaption, FilenameCaption, InformationCaption, DescriptionCaption.",
      "ApplicationCaption below, the heading above the list; on the four lines after it, x hides a field.",
      "Application",
      "Folder",
      "File",
      "Information",
      "Description",
      "DefaultDescription on line 21.",
      "DefaultDescription below: the description shown before an item is chosen.",
      "Choose an item from the list.",
      "ItemName of item 1 on line " + std::to_string(LineOf(MenuField::ItemName, 1)) +
          ". Item blocks from the next line on, 8 lines each: item k starts at line 8k+15.",
  };
  const std::string end = "End of the menu: fewer than 8 lines of notes may follow.";
  if (items == 0) l.back() = end;
  for (int k = 1; k <= items; ++k) {
    const std::string n = std::to_string(k);
    l.push_back("Item " + n +
                " below: ItemName, ItemPath (its folder), ItemFile (in that folder), ItemButtonCaption, "
                "ItemInformation, ItemDescription.");
    l.push_back("Item " + n);
    l.push_back(".");  // the disc's root, and a file every disc has, so that it opens
    l.push_back("tavlin.ini");
    l.push_back("Open");
    l.push_back("What item " + n + " is");
    l.push_back("Describe item " + n + " here.");
    l.push_back(k < items ? "ItemName of item " + std::to_string(k + 1) + " on line " +
                                std::to_string(LineOf(MenuField::ItemName, k + 1)) + "."
                          : end);
  }
  std::string out;
  for (const auto& s : l) out += s + "\r\n";
  return out;
}

}  // namespace tavlin
