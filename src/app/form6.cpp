#include "app/form6.h"

#include "base/error_modes.h"
#include "menu/words.h"

namespace tavlin {

void Form6::Form_Load() {
  // No error trap here. A splash.jpg that is no picture is taken as absent:
  // a broken picture on a disc must never keep the menu from opening.
  if (platform_.FileExists(kSplashFile) && platform_.SetPictureFromFile(*this, kSplashFile)) {
    return;  // shown with its picture until Timer1 hands over
  }
  HandOver();  // unloaded inside its own Load, so never shown
}

void Form6::OnTimer(std::string_view timer) {
  if (timer == "Timer1") Timer1_Timer();
}

void Form6::Timer1_Timer() { HandOver(); }

void Form6::HandOver() {
  // Main window first, then the splash goes, so that a window is always
  // loaded. Showing Form1 runs its Load before it becomes visible.
  SkipOnError(platform_.Show(form1_));
  SkipOnError(platform_.Unload(*this));
}

}  // namespace tavlin
