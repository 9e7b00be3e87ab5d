// The windows as the program shows them, for the editor's preview: the main
// window filled by Form1's own start-up and list click, run on the
// in-memory platform over the menu's bytes, and the sizes the program gives
// its self-sizing labels.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/picture_limits.h"
#include "editor/label_size.h"
#include "platform/design.h"

namespace tavlin {

struct ControlPreview {
  std::string_view name;
  std::string text;  // caption or text, in the menu's bytes
  bool visible = true;
  std::optional<Rgb> foreColor;
  std::vector<std::string> items;
  int listIndex = -1;
  std::optional<LabelSize> size;  // a self-sizing label's, for its caption now
};

struct MainWindowPreview {
  std::string caption;
  bool menupic = false;                  // the disc's menupic.jpg replaced the built-in picture
  std::vector<ControlPreview> controls;  // in the design table's order
};

// Form1's Load over `menu` (with a menupic.jpg of that size, when the
// program loads the disc's one), then a click on list entry `select` when
// the list has it, as a Windows of the ANSI code page `codePage` shows it.
MainWindowPreview PreviewMainWindow(std::string menu, std::optional<PictureSize> menupic, int select,
                                    int codePage = 1252);

// A self-sizing label takes its caption's size, its left and top edges
// kept, as the program sizes it when made and on every change of caption;
// nullopt for any other control.
std::optional<LabelSize> SelfSize(const FormDesign& form, const ControlDesign& control, std::string_view caption,
                                  int codePage = 1252);

// The size the picture loader is handed for these bytes, or nullopt when
// the program does not load them.
std::optional<PictureSize> LoadedPictureSize(std::string_view bytes);

}  // namespace tavlin
