#include "app/form6.h"

#include "menu/markers.h"

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
      .controls = {
          {ControlKind::Timer, "Timer1", "", 0, 0, 0, 0, "", {}, {}, {}, -1, false, Align::Left, Artwork::None,
           3000},
      },
  };
  return design;
}

void Form6::Form_Load() {
  // No error trap here. A splash.jpg that is no picture is taken as absent:
  // a broken picture on a disc must never keep the menu from opening.
  if (p_.FileExists(kSplashFile) && p_.SetPictureFromFile(*this, kSplashFile)) {
    return;  // shown with its picture until Timer1 hands over
  }
  HandOver();  // unloaded inside its own Load, so never shown
}

void Form6::Timer(std::string_view /*Timer1*/) { HandOver(); }

void Form6::HandOver() {
  // Main window first, then the splash goes, so that a window is always
  // loaded. Showing Form1 runs its Load before it becomes visible.
  (void)p_.Show(main_);
  (void)p_.Unload(*this);
}

}  // namespace tavlin
