// The menu checker: reads a disc folder as the menu program will, and tells
// its author what each line of tavlin.ini feeds and what will go wrong on
// the disc, before it is burnt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc_files.h"

namespace tavlin {

enum class Severity { Warning, Error };

struct Finding {
  std::string file;    // a name at the disc's root, as the program asks for it
  long long line = 0;  // 0: the file as a whole
  Severity severity = Severity::Warning;
  std::string message;
};

struct MapLine {
  long long number = 0;
  std::string field;  // "ItemCount", "item 3 ItemFile", "ignored (label line)", ...
  std::string shown;  // the value escaped and cut
};

struct CheckReport {
  int codePage = 1252;  // the readers' Windows, in which the menu's bytes are read
  bool menuRead = false;
  long long lineCount = 0;
  long long items = 0;  // entries of the list
  std::vector<MapLine> map;
  long long unlistedLines = 0;  // ignored lines after the last item, left out of the map
  std::vector<Finding> findings;

  int Count(Severity s) const;
  // 0 clean, 1 warnings only, 2 errors.
  int ExitStatus() const;
};

// The disc as readers whose Windows has the ANSI code page `codePage` see
// it (Windows-1252 where it is no code page offered).
CheckReport CheckDisc(DiscFiles& disc, int codePage = 1252);

// The map, the findings and a one-line summary, as the checker prints them.
std::string FormatReport(const CheckReport& report);

// A value made printable: quoted, a tab as <tab>, other control bytes and
// bytes above 127 as <hex>, cut after `width` characters of its code page
// (never inside one).
std::string EscapedValue(std::string_view value, std::size_t width, int codePage = 1252);
// A name as the disc spells it (UTF-8), printable the same way: in the
// code page's bytes where it can write it, else each character beyond
// ASCII as <U+hex>.
std::string EscapedName(std::string_view name, std::size_t width, int codePage);

}  // namespace tavlin
