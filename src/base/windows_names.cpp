#include "base/windows_names.h"

#include <algorithm>
#include <iterator>

#include "base/ascii.h"

namespace tavlin {

namespace {
constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool IsAbsolutePath(std::string_view p) {
  if (!p.empty() && (p[0] == '/' || p[0] == '\\')) return true;
  return p.size() >= 2 && p[1] == ':' && IsAsciiLetter(p[0]);
}

bool IsUrl(std::string_view p) {
  if (p.empty() || !IsAsciiLetter(p[0])) return false;
  std::size_t i = 0;
  while (i < p.size() &&
         (IsAsciiLetter(p[i]) || (p[i] >= '0' && p[i] <= '9') || p[i] == '+' || p[i] == '-' || p[i] == '.'))
    ++i;
  return i >= 2 && i < p.size() && p[i] == ':';
}

std::vector<std::string> SplitPath(std::string_view p) {
  std::vector<std::string> out;
  std::string part;
  for (char c : p) {
    if (c == '/' || c == '\\') {
      if (!part.empty()) out.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) out.push_back(part);
  return out;
}

std::string JoinPath(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

std::string WindowsName(std::string part) {
  if (part == "." || part == "..") return part;
  while (!part.empty() && (part.back() == ' ' || part.back() == '.')) part.pop_back();
  return part;
}

std::string UnusableName(std::string_view part) {
  for (char c : part) {
    if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) return std::string("the character ") + c;
  }
  std::string base = LowerCase(part.substr(0, part.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr const char* kDevices[] = {"con", "prn", "aux", "nul"};
  const bool numbered = base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
                        base[3] >= '1' && base[3] <= '9';
  if (numbered || std::find(std::begin(kDevices), std::end(kDevices), base) != std::end(kDevices))
    return "the device name " + base;
  return "";
}

}  // namespace tavlin
