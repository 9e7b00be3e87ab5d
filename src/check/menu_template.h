// A starter tavlin.ini for authors who begin from nothing.
#pragma once

#include <string>

namespace tavlin {

// `items` items (0 to 1000) with CR LF line ends; every ignored line names
// the value below it, and every item opens a file every disc has, so the
// file checks clean at once.
std::string MenuTemplate(int items);

}  // namespace tavlin
