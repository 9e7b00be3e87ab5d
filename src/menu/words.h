// The fixed words of the system: the files the program looks for, the two
// words of the menu that switch something, and the one message of its own.
// Shared by the forms, the checker, the template and the editor, so that the
// tools judge by the program's own rules.
#pragma once

#include <string_view>

#include "base/ascii.h"

namespace tavlin {

// All looked up by bare name in the current directory at start-up.
inline constexpr char kMenuDefinitionFile[] = "tavlin.ini";
inline constexpr char kBackgroundFile[] = "menupic.jpg";
inline constexpr char kSplashFile[] = "splash.jpg";
inline constexpr char kSoundFile[] = "tavlin.wav";

// x in either case hides a field; a blank beside it or a second x does not.
inline constexpr char kHideMarker[] = "x";
inline bool IsHideMarker(std::string_view setting) { return LowerCase(setting) == kHideMarker; }

// yes in any case gives the field labels the title colour.
inline constexpr char kLabelColorOn[] = "yes";
inline bool TurnsLabelColorOn(std::string_view flag) { return LowerCase(flag) == kLabelColorOn; }

// Shown when the launch button is pressed with no item chosen.
inline constexpr char kNoSelectionMessage[] = "Please select menu item";

}  // namespace tavlin
