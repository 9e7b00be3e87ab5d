#include "about/form3.h"

#include "maker.h"

namespace tavlin {

const FormDesign& Form3Design() {
  using K = ControlKind;
  static const FormDesign design{
      .name = "Form3",
      .caption = "",
      .border = Border::FixedDialog,
      .titleBar = false,
      .minButton = false,
      .maxButton = false,
      .showInTaskbar = false,
      .clientWidth = 2490,
      .clientHeight = 1890,
      .icon = Artwork::None,
      .picture = Artwork::None,
      .font = kMsSansSerif,
      // One control a line, as design tables read.
      // clang-format off
      .controls = {
          // kind, name, container, left, top, width, height, text, fore, back, font, tab, autosize, align, picture, interval
          // Items inside Frame1 are placed relative to the frame.
          {K::Frame,      "Frame1",   "",       30,  -60,  2445, 1935, "",               {}, {}, {}, 1},
          {K::Label,      "Label1",   "Frame1", 270, 210,  1950, 195,  TAVLIN_COMPANY,   {}, {}, {}, 3, true},
          {K::PictureBox, "Picture1", "Frame1", 698, 570,  1095, 450,  "",               {}, {}, {}, 0, false, Align::Left, Artwork::AboutGrey},
          {K::Image,      "Image1",   "Frame1", 608, 1140, 1275, 360,  "",               {}, {}, {}, -1, false, Align::Left, Artwork::Wordmark},
          {K::Label,      "Label2",   "Frame1", 420, 1620, 1650, 195,  TAVLIN_COPYRIGHT, {}, {}, {}, 2, true},
          {K::Timer,      "Timer1",   "",       0,   0,    0,    0,    "",               {}, {}, {}, -1, false, Align::Left, Artwork::None, 5000},
      },
      // clang-format on
  };
  return design;
}

}  // namespace tavlin
