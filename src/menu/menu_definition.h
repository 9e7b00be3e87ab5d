// The reader of tavlin.ini: values are found by line number alone.
#pragma once

#include <optional>
#include <string>

#include "base/line_reader.h"
#include "menu/module1.h"

namespace tavlin {

// Handed to the main window's start-up and not kept. Each is unset until
// its line has been read.
struct MenuStartValues {
  std::optional<std::string> ItemCount;        // line 2, as written
  std::optional<std::string> TitleColorIndex;  // line 5, as written
  std::optional<std::string> MenuTitle;        // line 11
};

// Fills the menu table and the display settings of `module` from tavlin.ini,
// opened by the caller; a null reader is a file that did not open. Every
// read is a step of its own: one that fails leaves its target as it was, and
// reading goes on. Nothing escapes.
MenuStartValues ReadMenuDefinition(LineReader* file, Module1& module);

}  // namespace tavlin
