// Windows' rules for names and paths, for those who must judge a path as
// Windows will without asking it: the checker on Linux, the fake platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

// A drive ("C:...") or a root ("\..." or "/...") in front: not relative.
bool IsAbsolutePath(std::string_view path);

// "http://...", "mailto:..." and the like, which the shell opens as they
// are; a one-letter scheme would be a drive.
bool IsUrl(std::string_view path);

// The parts between the separators (both / and \), empty parts dropped.
std::vector<std::string> SplitPath(std::string_view path);
// Parts joined with '/'.
std::string JoinPath(const std::vector<std::string>& parts);

// A name as Windows looks it up: without the blanks and dots at its end.
std::string WindowsName(std::string part);

// Why Windows cannot use a name at all (a control character, a reserved
// character, a device name); empty when it can.
std::string UnusableName(std::string_view part);

}  // namespace tavlin
