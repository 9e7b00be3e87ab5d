// Design state of a form: window properties and a table of controls, as data.
// The backends build real windows from it; handlers only change properties.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "base/rgb.h"

namespace tavlin {

// Twips: 1/1440 inch. Layout is designed in twips and converted with the
// screen's DPI by the backend (15 twips a pixel at 96 DPI).
using Twips = int;

// Twips in pixels at `dpi`, rounded as Windows' MulDiv rounds: to the
// nearest, half away from zero.
constexpr int Pixels(Twips t, int dpi = 96) {
  const long long n = static_cast<long long>(t) * dpi;
  return static_cast<int>(n >= 0 ? (n + 720) / 1440 : -((-n + 720) / 1440));
}

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct FontDesign {
  std::string_view face;
  int hundredthsOfPoint = 825;  // 8.25 pt is 825: exact, no floating point
  bool bold = false;
};

inline constexpr FontDesign kMsSansSerif{"MS Sans Serif", 825, false};
inline constexpr FontDesign kArial{"Arial", 825, false};

enum class ControlKind { Label, TextBox, ListBox, CommandButton, Frame, PictureBox, Image, Timer };

enum class Align { Left, Center };

// Built-in pictures carried as resources inside the program.
enum class Artwork { None, Background, Icon, AboutGrey, Wordmark };

struct ControlDesign {
  ControlKind kind;
  std::string_view name;
  std::string_view container;  // empty: lies on the window; else the name of a frame
  Twips left = 0, top = 0, width = 0, height = 0;
  std::string_view text;
  std::optional<Rgb> foreColor;    // nullopt: system default
  std::optional<Rgb> backColor;    // nullopt: system default
  std::optional<FontDesign> font;  // nullopt: the window's font
  int tabIndex = -1;               // -1: not in the tab order
  bool autoSize = false;
  Align align = Align::Left;
  Artwork picture = Artwork::None;
  int intervalMs = 0;  // timers only; they run from the moment the window is created
};

enum class Border { Sizable, FixedDialog };

struct FormDesign {
  std::string_view name;
  std::string_view caption;
  Border border = Border::Sizable;
  bool titleBar = true;
  bool minButton = false;
  bool maxButton = false;
  bool showInTaskbar = true;
  Twips clientWidth = 0, clientHeight = 0;
  Artwork icon = Artwork::None;
  Artwork picture = Artwork::None;
  FontDesign font = kMsSansSerif;
  std::vector<ControlDesign> controls;

  // Index of a control by name; a name that is not in the table is a
  // programmer error, so callers check and fail loudly.
  std::optional<std::size_t> IndexOf(std::string_view control) const {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (controls[i].name == control) return i;
    return std::nullopt;
  }

  // Where a control stands in the window's client area, in pixels: one in a
  // frame is placed from the frame's corner.
  PixelRect Placed(const ControlDesign& c, int dpi = 96) const {
    PixelRect r{Pixels(c.left, dpi), Pixels(c.top, dpi), Pixels(c.width, dpi), Pixels(c.height, dpi)};
    if (const auto frame = IndexOf(c.container)) {
      r.left += Pixels(controls[*frame].left, dpi);
      r.top += Pixels(controls[*frame].top, dpi);
    }
    return r;
  }

  // The child window id of a control: its place in the table, counted from
  // 100 to stay clear of the dialog keys' IDOK and IDCANCEL. The Windows
  // backend numbers controls so, and the Windows tests find them so.
  static constexpr int kFirstControlId = 100;
  std::optional<int> ControlId(std::string_view control) const {
    const auto i = IndexOf(control);
    if (!i) return std::nullopt;
    return kFirstControlId + static_cast<int>(*i);
  }
};

}  // namespace tavlin
