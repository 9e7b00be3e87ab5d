// The design tables of the three windows, each defined beside its form's
// handlers and the one source of the windows' sizes. They are data: the
// tools that draw or measure a window (the checker, the editor's preview,
// the scripts' window finder) read them here without the window layer.
#pragma once

#include <string_view>

#include "platform/design.h"

namespace tavlin {

const FormDesign& Form1Design();  // the main menu window
const FormDesign& Form3Design();  // the About window
const FormDesign& Form6Design();  // the splash window

// The table of the window of that name; nullptr for any other name.
inline const FormDesign* FormDesignNamed(std::string_view name) {
  for (const FormDesign* d : {&Form1Design(), &Form3Design(), &Form6Design()})
    if (d->name == name) return d;
  return nullptr;
}

}  // namespace tavlin
