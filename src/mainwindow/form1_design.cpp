#include "mainwindow/form1.h"
#include "maker.h"

namespace tavlin {

namespace {
constexpr Rgb kFieldLabel{224, 224, 224};
constexpr Rgb kTitleRed{192, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr FontDesign kTitleFont{"Arial", 2025, true};
}  // namespace

const FormDesign& Form1Design() {
  using K = ControlKind;
  static const FormDesign design{
      .name = "Form1",
      .caption = kMainWindowCaption,
      .border = Border::Sizable,
      .titleBar = true,
      .minButton = true,
      .maxButton = false,
      .showInTaskbar = true,
      .clientWidth = 6000,
      .clientHeight = 5625,
      .icon = Artwork::Icon,
      .picture = Artwork::Background,
      .font = kArial,
      // One control a line, as design tables read.
      // clang-format off
      .controls = {
          // kind, name, container, left, top, width, height, text, fore, back, font, tab, autosize, align
          {K::ListBox,       "List1",    "", 300,  1260, 2895, 1815, "",              {},          {},     kMsSansSerif, 0},
          {K::CommandButton, "Command1", "", 3960, 1860, 1095, 615,  "Click",         {},          {},     kMsSansSerif, 1},
          {K::TextBox,       "Text1",    "", 300,  3540, 2250, 285,  "",              {},          {},     kMsSansSerif, 2},
          {K::TextBox,       "Text2",    "", 3345, 3540, 2250, 285,  "",              {},          {},     kMsSansSerif, 3},
          {K::TextBox,       "Text3",    "", 300,  4140, 5295, 285,  "",              {},          {},     kMsSansSerif, 4},
          {K::Label,         "Label1",   "", 300,  1020, 780,  195,  "Application",   kFieldLabel, {},     kMsSansSerif, 5, true},
          {K::Label,         "Label6",   "", 2505, 240,  885,  480,  "Title",         kTitleRed,   {},     kTitleFont,   6, true, Align::Center},
          {K::Label,         "Label2",   "", 300,  3300, 330,  195,  "Path",          kFieldLabel, {},     kMsSansSerif, 7, true},
          {K::Label,         "Label3",   "", 3345, 3300, 630,  195,  "Filename",      kFieldLabel, {},     kMsSansSerif, 8, true},
          {K::Label,         "Label4",   "", 300,  3900, 780,  195,  "Information",   kFieldLabel, {},     kMsSansSerif, 9, true},
          {K::TextBox,       "Text4",    "", 300,  4740, 5295, 285,  "",              {},          kWhite, kMsSansSerif, 10},
          {K::Label,         "Label5",   "", 300,  4500, 810,  210,  "Description",   kFieldLabel, {},     {},           11, true},
          {K::Label,         "Label7",   "", 300,  5280, 1665, 225,  TAVLIN_WEB_LINE, kFieldLabel, {},     {},           12, false},
      },
      // clang-format on
  };
  return design;
}

}  // namespace tavlin
