// The files the program looks for beside its menu, and the two words of the
// menu that switch something: shared by the forms and the menu checker, so
// that the checker judges by the program's own rules.
#pragma once

#include <string_view>

#include "base/ascii.h"

namespace tavlin {

inline constexpr char kBackgroundFile[] = "menupic.jpg";
inline constexpr char kSplashFile[] = "splash.jpg";
inline constexpr char kSoundFile[] = "tavlin.wav";

// x in either case hides a field; a blank beside it or a second x does not.
inline constexpr char kHideMarker[] = "x";
inline bool IsHideMarker(std::string_view setting) { return LowerCase(setting) == kHideMarker; }

// yes in any case gives the field labels the title colour.
inline constexpr char kLabelColorOn[] = "yes";
inline bool TurnsLabelColorOn(std::string_view flag) { return LowerCase(flag) == kLabelColorOn; }

}  // namespace tavlin
