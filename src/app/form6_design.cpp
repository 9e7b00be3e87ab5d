#include "app/form6.h"

namespace tavlin {

const FormDesign& Form6Design() {
  static const FormDesign design{
      .name = "Form6",
      .caption = "",
      .border = Border::Sizable,
      .titleBar = false,
      .minButton = false,
      .maxButton = false,
      .showInTaskbar = true,
      .clientWidth = 3000,
      .clientHeight = 1500,
      .icon = Artwork::None,
      .picture = Artwork::None,
      .font = kMsSansSerif,
      // One control a line, as design tables read.
      // clang-format off
      .controls = {
          // kind, name, container, left, top, width, height, text, fore, back, font, tab, autosize, align, picture, interval
          {ControlKind::Timer, "Timer1", "", 0, 0, 0, 0, "", {}, {}, {}, -1, false, Align::Left, Artwork::None, 3000},
      },
      // clang-format on
  };
  return design;
}

}  // namespace tavlin
