#include "menu/numbers.h"

#include <array>
#include <limits>

#include "base/ascii.h"

namespace tavlin {

namespace {

struct Decimal {
  bool negative = false;
  unsigned long long whole = 0;  // saturated
  bool wholeSaturated = false;
  enum class Rest { Zero, BelowHalf, Half, AboveHalf } rest = Rest::Zero;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<Decimal> ParseDecimal(std::string_view s) {
  std::size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  while (n > i && IsBlank(s[n - 1])) --n;
  Decimal d;
  if (i < n && s[i] == '-') {
    d.negative = true;
    ++i;
  }
  std::size_t digits = 0;
  for (; i < n && IsDigit(s[i]); ++i, ++digits) {
    const unsigned v = static_cast<unsigned>(s[i] - '0');
    if (d.whole > (std::numeric_limits<unsigned long long>::max() - v) / 10) {
      d.wholeSaturated = true;
    } else if (!d.wholeSaturated) {
      d.whole = d.whole * 10 + v;
    }
  }
  if (i < n && s[i] == '.') {
    ++i;
    const std::size_t first = i;
    bool nonZeroAfterFirst = false;
    for (; i < n && IsDigit(s[i]); ++i, ++digits)
      if (i > first && s[i] != '0') nonZeroAfterFirst = true;
    if (i > first) {
      const char f = s[first];
      if (f > '5' || (f == '5' && nonZeroAfterFirst)) d.rest = Decimal::Rest::AboveHalf;
      else if (f == '5')
        d.rest = Decimal::Rest::Half;
      else if (f != '0' || nonZeroAfterFirst)
        d.rest = Decimal::Rest::BelowHalf;
    }
  }
  if (digits == 0 || i != n) return std::nullopt;
  return d;
}

struct Color {
  Rgb rgb;
  std::string_view name;
};
// clang-format off
constexpr std::array<Color, 16> kColors{{
    {{0, 0, 0},       "black"},
    {{0, 0, 128},     "blue"},
    {{0, 128, 0},     "green"},
    {{0, 128, 128},   "cyan"},
    {{128, 0, 0},     "red"},
    {{128, 0, 128},   "magenta"},
    {{128, 128, 0},   "yellow"},
    {{192, 192, 192}, "white"},
    {{128, 128, 128}, "grey"},
    {{0, 0, 255},     "light blue"},
    {{0, 255, 0},     "light green"},
    {{0, 255, 255},   "light cyan"},
    {{255, 0, 0},     "light red"},
    {{255, 0, 255},   "light magenta"},
    {{255, 255, 0},   "light yellow"},
    {{255, 255, 255}, "bright white"},
}};
// clang-format on

}  // namespace

std::optional<NumberShape> ShapeOfNumber(std::string_view text) {
  const auto d = ParseDecimal(text);
  if (!d) return std::nullopt;
  return NumberShape{d->rest != Decimal::Rest::Zero};
}

long long ItemCountValue(const std::optional<std::string>& text) {
  if (!text) return 0;
  const auto d = ParseDecimal(*text);
  if (!d) return 0;
  constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
  const long long magnitude =
      d->wholeSaturated || d->whole > kMax ? std::numeric_limits<long long>::max() : static_cast<long long>(d->whole);
  return d->negative ? -magnitude : magnitude;
}

std::optional<int> ColorNumber(std::string_view text) {
  const auto d = ParseDecimal(text);
  if (!d || d->wholeSaturated || d->whole > 32768) return std::nullopt;
  unsigned long long magnitude = d->whole;
  const bool up = d->rest == Decimal::Rest::AboveHalf || (d->rest == Decimal::Rest::Half && (magnitude % 2) == 1);
  if (up) ++magnitude;
  if (magnitude > 32768) return std::nullopt;
  const long long value = d->negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<Rgb> ColorOfNumber(int number) {
  if (number < 0 || number > 15) return std::nullopt;
  return kColors[static_cast<std::size_t>(number)].rgb;
}

std::string_view ColorName(int number) {
  if (number < 0 || number > 15) return "";
  return kColors[static_cast<std::size_t>(number)].name;
}

std::optional<Rgb> TitleColor(const std::optional<std::string>& titleColorIndex) {
  if (!titleColorIndex) return ColorOfNumber(0);
  const auto number = ColorNumber(*titleColorIndex);
  if (!number) return std::nullopt;
  return ColorOfNumber(*number);
}

}  // namespace tavlin
