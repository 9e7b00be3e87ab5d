#include "check/menu_check.h"

#include <algorithm>
#include <map>
#include <optional>

#include "app/form6.h"
#include "mainwindow/form1.h"
#include "menu/markers.h"
#include "menu/menu_definition.h"
#include "menu/module1.h"
#include "menu/numbers.h"
#include "platform/byte_fields.h"
#include "platform/line_reader.h"
#include "platform/utf8.h"
#include "platform/picture_limits.h"

namespace tavlin {

namespace {

constexpr long long kHeaderLines = 22;
constexpr long long kBlockLines = 8;
// The program reads at most 8022 lines of at most 64 KiB; a bigger file is
// nonsense, and this keeps the checker's memory bounded.
constexpr std::size_t kMaxMenuFileBytes = 64u * 1024 * 1024;
constexpr long long kTrailingListed = 20;
constexpr std::size_t kShownWidth = 60;
constexpr std::size_t kMaxPath = 260;              // with the terminating NUL
constexpr std::size_t kMaxCurrentDirectory = 258;  // room for its closing backslash and the NUL

constexpr char kAutorun[] = "autorun.inf";
constexpr char kProgram[] = "tavlin.exe";

const char* HeaderField(long long line) {
  switch (line) {
    case 2: return "ItemCount";
    case 5: return "TitleColorIndex";
    case 8: return "LabelColorFlag";
    case 11: return "MenuTitle";
    case 14: return "ApplicationCaption";
    case 15: return "PathCaption";
    case 16: return "FilenameCaption";
    case 17: return "InformationCaption";
    case 18: return "DescriptionCaption";
    case 21: return "DefaultDescription";
    default: return nullptr;
  }
}

// Lines 2 to 7 of an item block.
constexpr const char* kItemFields[] = {"ItemName", "ItemPath", "ItemFile", "ItemButtonCaption",
                                       "ItemInformation", "ItemDescription"};
enum ItemField { kName, kPath, kFile, kButton, kInformation, kDescription };

long long ItemLine(long long k, int field) { return kBlockLines * k + 15 + 1 + field; }

std::string Quoted(std::string_view v) { return Visible(v, kShownWidth); }

// As LowerCase, a letter at a time: it runs over whole folder listings.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsAbsolute(std::string_view p) {
  if (!p.empty() && (p[0] == '/' || p[0] == '\\')) return true;
  return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

// "http://...", "mailto:..." and the like go to the shell as they are; a
// one-letter scheme would be a drive.
bool IsUrl(std::string_view p) {
  std::size_t i = 0;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (p.empty() || !alpha(p[0])) return false;
  while (i < p.size() && (alpha(p[i]) || (p[i] >= '0' && p[i] <= '9') || p[i] == '+' || p[i] == '-' || p[i] == '.'))
    ++i;
  return i >= 2 && i < p.size() && p[i] == ':';
}

// Text with bytes above 127 that is all well-formed UTF-8 was almost surely
// saved as UTF-8: in an 8-bit code page such runs are rare.
bool LooksLikeUtf8(std::string_view s) {
  bool multi = false;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = NextUtf8(s, i);
    if (!c) return false;
    multi = multi || *c >= 0x80;
  }
  return multi;
}

const char* EndName(LineInfo::End e) {
  switch (e) {
    case LineInfo::End::Cr: return "CR";
    case LineInfo::End::CrLf: return "CR LF";
    case LineInfo::End::Lf: return "a lone LF";
    case LineInfo::End::None: break;
  }
  return "nothing";
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
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

// Windows drops blanks and dots at the end of a name before it looks.
std::string WindowsName(std::string part) {
  if (part == "." || part == "..") return part;
  while (!part.empty() && (part.back() == ' ' || part.back() == '.')) part.pop_back();
  return part;
}

// Why Windows cannot use a name at all; empty when it can.
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

// A single & in a label or button caption marks the next letter as its
// access key and is not shown itself.
bool HasAccessMarker(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') ++i;
      else return true;
    }
  return false;
}


std::string Plural(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

struct Located {
  enum class Kind { Found, Missing, Outside, Unlistable } kind = Kind::Missing;
  std::string path;  // as spelled on the disc; for Unlistable the folder that is
  bool folder = true, otherCase = false;
};

class Checker {
 public:
  Checker(DiscFiles& disc, CheckReport& r) : disc_(disc), r_(r) {}

  void Run() {
    if (ReadMenu()) CheckMenu();
    // The pixels each window shows of its picture, at 15 twips a pixel.
    CheckPicture(kBackgroundFile, Form1Design().clientWidth / 15, Form1Design().clientHeight / 15,
                 "the built-in background stays");
    CheckPicture(kSplashFile, Form6Design().clientWidth / 15, Form6Design().clientHeight / 15, "no splash is shown");
    CheckSound();
    CheckAutorun();
    std::stable_sort(r_.findings.begin(), r_.findings.end(), [](const Finding& a, const Finding& b) {
      auto rank = [](const Finding& f) { return f.file == kMenuDefinitionFile ? 0 : 1; };
      return rank(a) != rank(b) ? rank(a) < rank(b) : (rank(a) == 0 && a.line < b.line);
    });
  }

 private:
  void Say(Severity s, const std::string& file, long long line, std::string message) {
    r_.findings.push_back({file, line, s, std::move(message)});
  }
  void Warn(long long line, std::string message) {
    Say(Severity::Warning, kMenuDefinitionFile, line, std::move(message));
  }

  // ---- the disc's folders, listed once each

  const std::optional<std::vector<DiscEntry>>& Listing(const std::string& folder) {
    auto it = listings_.find(folder);
    if (it == listings_.end()) it = listings_.emplace(folder, disc_.List(folder)).first;
    return it->second;
  }

  // A name in a folder: the exact spelling, or failing that one that differs
  // only in letter case (Windows takes that, a case-sensitive medium not).
  const DiscEntry* Entry(const std::string& folder, std::string_view name, bool& otherCase) {
    const auto& list = Listing(folder);
    if (!list) return nullptr;
    for (const auto& e : *list)
      if (e.name == name) return otherCase = false, &e;
    for (const auto& e : *list)
      if (SameIgnoringCase(e.name, name)) return otherCase = true, &e;
    return nullptr;
  }

  Located Locate(const std::string& base, std::string_view relative) {
    Located at;
    std::vector<std::string> stack = SplitPath(base);
    for (const auto& part : SplitPath(relative)) {
      if (part == ".") continue;
      if (part == "..") {
        if (stack.empty()) return at.kind = Located::Kind::Outside, at;
        stack.pop_back();
        at.folder = true;
        continue;
      }
      if (!at.folder) return at.kind = Located::Kind::Missing, at;  // a file on the way
      if (!Listing(Join(stack))) {
        at.path = Join(stack);
        return at.kind = Located::Kind::Unlistable, at;
      }
      bool other = false;
      const DiscEntry* e = Entry(Join(stack), WindowsName(part), other);
      if (!e) return at.kind = Located::Kind::Missing, at;
      at.otherCase = at.otherCase || other;
      at.folder = e->folder;
      stack.push_back(e->name);
    }
    at.kind = Located::Kind::Found;
    at.path = Join(stack);
    return at;
  }

  // ---- tavlin.ini

  bool ReadMenu() {
    bool other = false;
    const DiscEntry* e = Entry("", kMenuDefinitionFile, other);
    const auto error = [&](std::string m) { Say(Severity::Error, kMenuDefinitionFile, 0, std::move(m)); };
    if (!Listing("")) return error("the disc folder cannot be listed"), false;
    if (!e) return error("not found: the menu opens with no title and no items"), false;
    if (e->folder) return error("is a folder, not a file: the menu opens with no title and no items"), false;
    if (other)
      Warn(0, "found only as \"" + e->name + "\" (other letter case), which a case-sensitive disc or stick will not find");
    auto bytes = disc_.Read(e->name, kMaxMenuFileBytes + 1);
    if (!bytes) return error("cannot be read: the menu opens with no title and no items"), false;
    if (bytes->size() > kMaxMenuFileBytes) {
      Warn(0, "larger than 64 MiB: only the first 64 MiB are checked");
      bytes->resize(kMaxMenuFileBytes);
    }
    r_.menuRead = true;
    const std::string& b = *bytes;
    if (b.empty()) Warn(0, "empty: the menu opens with no title and no items");
    // UTF-16 has a NUL beside most ASCII letters; other files full of NULs
    // or control bytes are no text at all. Either way every line is garbage,
    // and what the lines would say is not worth a warning each.
    const std::size_t head = std::min<std::size_t>(b.size(), 512);
    std::size_t nulsEven = 0, nulsOdd = 0, controls = 0;
    for (std::size_t i = 0; i < head; ++i) {
      const unsigned char c = static_cast<unsigned char>(b[i]);
      if (c == 0) ++(i % 2 ? nulsOdd : nulsEven);
      else if (c < 0x20 && c != '\r' && c != '\n' && c != '\t') ++controls;
    }
    const bool bom16 = b.compare(0, 2, "\xFF\xFE") == 0 || b.compare(0, 2, "\xFE\xFF") == 0;
    const bool utf16 = bom16 || (head >= 4 && std::max(nulsEven, nulsOdd) * 3 > head &&
                                 std::min(nulsEven, nulsOdd) * 8 < std::max(nulsEven, nulsOdd));
    if (utf16) {
      garbage_ = true;
      error("saved as UTF-16: every line reads as garbage; save it in the ANSI code page");
    } else if ((nulsEven + nulsOdd + controls) * 10 > head) {
      garbage_ = true;
      error("is not a text file: every line reads as garbage");
    } else if (b.compare(0, 3, "\xEF\xBB\xBF") == 0)
      Warn(1, "starts with a UTF-8 byte order mark: the file was saved as UTF-8; save it in the ANSI code page");

    // The count decides how many lines are read; it is line 2, so the
    // lines kept can be bounded as soon as it is in.
    auto reader = LineReaderFromString(b);
    std::string line;
    LineInfo info;
    long long keep = kHeaderLines + kTrailingListed;
    LineInfo::End firstEnd = LineInfo::End::None;
    bool mixedSaid = false, otherSeen = false;
    long long firstLf = 0;
    while (reader->ReadLine(line, &info)) {
      const long long n = ++r_.lineCount;
      if (n == 2) {
        count_ = ItemCountValue(line);
        keep = kHeaderLines + kBlockLines * std::clamp<long long>(count_, 0, kMaxMenuItems) + kTrailingListed;
      }
      if (info.end != LineInfo::End::None) {
        if (firstEnd == LineInfo::End::None) firstEnd = info.end;
        if (info.end != LineInfo::End::Lf) otherSeen = true;
        else if (!firstLf) firstLf = n;
        if (info.end != firstEnd && !mixedSaid && !garbage_) {
          mixedSaid = true;
          Warn(n, std::string("mixed line ends: line 1 ends in ") + EndName(firstEnd) + ", this one in " +
                      EndName(info.end) + "; an editor may count the lines otherwise than Tavlin");
        }
      }
      if (n <= keep) {
        lines_.push_back(line);
        lengths_.push_back(info.length);
      } else {
        ++r_.unlistedLines;
      }
    }
    if (firstLf && !otherSeen && !garbage_)
      Warn(firstLf, "lines end in a lone LF: Tavlin reads them, but save with CR LF so that every Windows editor shows the lines as Tavlin counts them");
    return true;
  }

  bool Has(long long n) const { return n >= 1 && n <= static_cast<long long>(lines_.size()); }
  const std::string& At(long long n) const { return lines_[static_cast<std::size_t>(n - 1)]; }

  std::string FieldOf(long long n) const {
    if (n <= kHeaderLines) {
      const char* f = HeaderField(n);
      return f ? f : "ignored (label line)";
    }
    const long long k = (n - kHeaderLines - 1) / kBlockLines + 1;
    const long long pos = (n - kHeaderLines - 1) % kBlockLines;  // 0 to 7
    if (k > count_) return "ignored (after last item)";
    if (k > kMaxMenuItems) return "ignored (item beyond 1000)";
    if (pos == 0 || pos == 7) return "ignored (label line)";
    return "item " + std::to_string(k) + " " + kItemFields[pos - 1];
  }

  void CheckMenu() {
    const long long shown = std::clamp<long long>(count_, 0, kMaxMenuItems);
    r_.items = shown;
    for (long long n = 1; n <= static_cast<long long>(lines_.size()); ++n) {
      std::string field = FieldOf(n);
      std::string shownValue = Quoted(At(n));
      const std::size_t length = lengths_[static_cast<std::size_t>(n - 1)];
      if (length > kShownWidth) shownValue += " (" + std::to_string(length) + " bytes)";
      const bool value = field.compare(0, 7, "ignored") != 0;
      if (value && !garbage_) CheckText(n, field, At(n), length);
      r_.map.push_back({n, std::move(field), std::move(shownValue)});
    }
    if (garbage_) return;
    CheckHeader();
    CheckShape(shown);
    for (long long k = 1; k <= shown && Has(ItemLine(k, kName)); ++k) CheckItem(k);
  }

  // What goes wrong with any shown text, whatever its line.
  void CheckText(long long n, const std::string& field, const std::string& v, std::size_t length) {
    if (length > LineReader::kMaxLineLength)
      Warn(n, field + " is " + std::to_string(length) + " bytes long: Tavlin keeps the first 65535");
    if (v.find('\0') != std::string::npos)
      Warn(n, field + " holds a NUL byte: the text ends there on screen");
    if (LooksLikeUtf8(v))
      Warn(n, field + " is UTF-8 text: Tavlin shows it in the ANSI code page, each letter beyond ASCII as two or three wrong ones");
  }

  void CheckShape(long long shown) {
    const long long lines = r_.lineCount;
    if (lines > 0 && lines < kHeaderLines) {
      std::string missing;
      for (long long n = lines + 1; n < kHeaderLines; ++n)
        if (const char* f = HeaderField(n)) missing += std::string(missing.empty() ? "" : ", ") + f;
      if (!missing.empty())
        Warn(lines, "the file ends inside the header, after line " + std::to_string(lines) + ": " + missing +
                        (missing.find(',') == std::string::npos ? " stays empty" : " stay empty") +
                        (lines < 5 ? ", and the title is black" : ""));
    }
    // A block is complete once its last value line is there; its closing
    // label line changes nothing.
    const long long blocks = lines >= kHeaderLines ? (lines - kHeaderLines + 1) / kBlockLines : 0;
    const long long declared = std::max<long long>(count_, 0);
    if (r_.lineCount >= 2 && declared != blocks && !(declared == 0 && blocks == 0)) {
      const std::string said = declared > 1000000 ? Quoted(Trim(At(2))) : std::to_string(declared);
      std::string m = "the count is " + said + ", but the file holds " +
                      Plural(blocks, "complete item block", "complete item blocks");
      if (declared > blocks)
        m += blocks + 1 == shown ? ": what is missing of item " + std::to_string(shown) + " stays empty"
             : blocks < shown    ? ": what is missing of items " + std::to_string(blocks + 1) + " to " +
                                    std::to_string(shown) + " stays empty"
                                 : "";
      else
        m += (blocks - declared == 1 ? std::string(": the last block is not listed")
                                     : ": the last " + std::to_string(blocks - declared) + " blocks are not listed") +
             " (all is well if they hold notes, not items)";
      Warn(2, m);
    }
    const long long partial = blocks + 1;
    const long long present = lines - kHeaderLines - blocks * kBlockLines;  // lines of the cut block
    if (lines >= kHeaderLines && partial <= shown && present > 0) {
      std::string empty;
      for (long long f = present - 1; f < 6; ++f) empty += std::string(empty.empty() ? "" : ", ") + kItemFields[f];
      Warn(lines, "the file ends inside item " + std::to_string(partial) + "'s block: its " + empty +
                      (present - 1 == 5 ? " stays empty" : " stay empty"));
    }
  }

  void CheckHeader() {
    if (Has(2)) {
      const std::string& c = At(2);
      const auto shape = ShapeOfNumber(c);
      if (!shape)
        Warn(2, "ItemCount " + Quoted(c) + " is not a number: the menu has no items");
      else if (count_ < 0)
        Warn(2, "ItemCount " + Quoted(c) + " is negative: the menu has no items");
      else if (shape->fraction)
        Warn(2, "ItemCount " + Quoted(c) + " is not a whole number: taken as " + std::to_string(count_));
      if (count_ > kMaxMenuItems)
        Warn(2, "more than 1000 items: only the first 1000 are listed");
    }
    if (Has(5)) {
      const std::string& t = At(5);
      const auto shape = ShapeOfNumber(t);
      const auto number = ColorNumber(t);
      if (!shape)
        Warn(5, "TitleColorIndex " + Quoted(t) + " is not a number: the title keeps its design colour, dark red");
      else if (!number || *number < 0 || *number > 15)
        Warn(5, "TitleColorIndex " + Quoted(t) + " is outside 0 to 15: the title keeps its design colour, dark red");
      else if (shape->fraction)
        Warn(5, "TitleColorIndex " + Quoted(t) + " is not a whole number: taken as " + std::to_string(*number));
    }
    if (Has(8)) {
      const std::string t = LowerCase(Trim(At(8)));
      if (TurnsLabelColorOn(t) && !TurnsLabelColorOn(At(8)))
        Warn(8, "LabelColorFlag " + Quoted(At(8)) + " is yes with blanks around it: the field labels are not coloured");
      else if (t == "y" || t == "true" || t == "1" || t == "on" || t == "yes.")
        Warn(8, "LabelColorFlag " + Quoted(At(8)) + " is not yes: the field labels are not coloured");
    }
    for (long long n : {11LL, 14LL, 15LL, 16LL, 17LL, 18LL})
      if (Has(n) && HasAccessMarker(At(n)))
        Warn(n, std::string(HeaderField(n)) + " " + Quoted(At(n)) + " has a single &: it underlines the next letter and is not shown; write && for &");
    for (long long n : {11LL, 14LL})
      if (Has(n) && IsHideMarker(At(n)))
        Warn(n, std::string(HeaderField(n)) + " cannot be hidden: the window shows the letter x");
    for (long long n = 15; n <= 18; ++n) {
      if (!Has(n)) continue;
      const std::string& v = At(n);
      const std::string t = LowerCase(Trim(v));
      if (IsHideMarker(t) && !IsHideMarker(v))
        Warn(n, std::string(HeaderField(n)) + " " + Quoted(v) +
                    " is the hide marker with blanks around it: it is shown as the caption, the field is not hidden");
      else if (t.size() >= 2 && t.find_first_not_of('x') == std::string::npos)
        Warn(n, std::string(HeaderField(n)) + " " + Quoted(v) +
                    " is a doubled x: it is shown as the caption, the field is not hidden");
    }
  }

  // Blanks and names Windows cannot use, in an item's folder or file line;
  // true when the name cannot be looked for at all.
  bool NameTrouble(long long line, const std::string& what, const std::string& v) {
    if (!v.empty() && IsBlank(v.front()))
      Warn(line, what + " " + Quoted(v) + " starts with a blank, which is part of the name");
    for (const auto& part : SplitPath(v)) {
      if (part != WindowsName(part) && !WindowsName(part).empty())
        Warn(line, what + " " + Quoted(v) + ": Windows drops the blanks and dots at the end of " + Quoted(part));
      const std::string why = UnusableName(part);
      if (!why.empty()) {
        Warn(line, what + " " + Quoted(v) + " holds " + why + ", which Windows does not allow in a name");
        return true;
      }
    }
    return false;
  }

  void CheckItem(long long k) {
    const std::string item = "item " + std::to_string(k);
    const auto value = [&](int f) -> std::optional<std::string> {
      if (!Has(ItemLine(k, f))) return std::nullopt;
      return At(ItemLine(k, f));
    };
    const auto name = value(kName), path = value(kPath), file = value(kFile);
    if (name && name->empty()) Warn(ItemLine(k, kName), item + " has no name: its entry in the list is blank");
    if (const auto button = value(kButton)) {
      if (button->empty()) Warn(ItemLine(k, kButton), item + " has no button caption: the button is blank when it is chosen");
      else if (HasAccessMarker(*button))
        Warn(ItemLine(k, kButton), item + " button caption " + Quoted(*button) +
                                       " has a single &: it underlines the next letter and is not shown; write && for &");
    }
    if (!path) return;
    const long long pathLine = ItemLine(k, kPath), fileLine = ItemLine(k, kFile);
    if (path->empty()) {
      Warn(pathLine, item + (file && !file->empty() ? " has a file but no folder" : " has no folder") +
                         ": its button only shows \"Please select menu item\"");
      return;
    }
    if (IsAbsolute(*path)) {
      Warn(pathLine, item + " folder " + Quoted(*path) + " is not on the disc: it names a place on the user's machine");
      return;
    }
    if (NameTrouble(pathLine, item + " folder", *path)) return;
    const Located folder = Locate("", *path);
    if (folder.kind == Located::Kind::Outside)
      return Warn(pathLine, item + " folder " + Quoted(*path) + " leads out of the disc");
    if (folder.kind == Located::Kind::Unlistable)
      return Warn(pathLine, item + " folder " + Quoted(*path) + ": the folder " + Quoted(folder.path) + " cannot be listed");
    if (folder.kind == Located::Kind::Missing)
      return Warn(pathLine, item + " folder " + Quoted(*path) + " is not on the disc: its button does nothing");
    if (!folder.folder)
      return Warn(pathLine, item + " folder " + Quoted(*path) + " is a file, not a folder: its button does nothing");
    // The drive's "D:\\" comes in front, and the current directory, like a
    // file to open, must fit within Windows' 260 characters.
    if (path->size() + 3 > kMaxCurrentDirectory)
      Warn(pathLine, item + " folder is " + std::to_string(path->size()) +
                         " characters long: Windows cannot enter a folder more than 255 characters below the drive, "
                         "so its button does nothing");
    if (folder.otherCase)
      Warn(pathLine, item + " folder " + Quoted(*path) + " is on the disc only as " + Quoted(folder.path) +
                         " (other letter case), which a case-sensitive disc or stick will not find");
    if (!file) return;
    if (file->empty()) return Warn(fileLine, item + " has no file: its button opens nothing");
    if (IsUrl(*file)) return;  // for the browser or mail program
    if (IsAbsolute(*file))
      return Warn(fileLine, item + " file " + Quoted(*file) + " is not on the disc: it names a place on the user's machine");
    // "setup.exe /s": a program and its arguments, which the shell would
    // take as a file of that whole name.
    const auto blank = file->find(' ');
    if (blank != std::string::npos && blank > 0 && Locate(folder.path, *file).kind != Located::Kind::Found &&
        Locate(folder.path, file->substr(0, blank)).kind == Located::Kind::Found)
      return Warn(fileLine, item + " file " + Quoted(*file) + " is not " +
                                (folder.path.empty() ? "at the disc's root" : "in " + Quoted(folder.path)) +
                                ": the whole line is the file name, arguments cannot be given");
    if (NameTrouble(fileLine, item + " file", *file)) return;
    if (path->size() + 3 <= kMaxCurrentDirectory && path->size() + file->size() + 4 > kMaxPath - 1)
      Warn(fileLine, item + " file with its folder is " + std::to_string(path->size() + file->size() + 1) +
                         " characters long: beyond Windows' 260 characters with the drive, programs may not open it");
    const Located target = Locate(folder.path, *file);
    const std::string where = folder.path.empty() ? "at the disc's root" : "in " + Quoted(folder.path);
    if (target.kind == Located::Kind::Outside)
      return Warn(fileLine, item + " file " + Quoted(*file) + " leads out of the disc");
    if (target.kind == Located::Kind::Unlistable)
      return Warn(fileLine, item + " file " + Quoted(*file) + ": the folder " + Quoted(target.path) + " cannot be listed");
    if (target.kind == Located::Kind::Missing) return Warn(fileLine, item + " file " + Quoted(*file) + " is not " + where);
    if (target.otherCase)
      Warn(fileLine, item + " file " + Quoted(*file) + " is " + where + " only as " +
                         Quoted(target.path.substr(folder.path.empty() ? 0 : folder.path.size() + 1)) +
                         " (other letter case), which a case-sensitive disc or stick will not find");
  }

  // ---- the optional files at the root

  // The root entry of a name the program asks for, with a warning when only
  // its letter case differs.
  const DiscEntry* RootFile(const char* name) {
    bool other = false;
    const DiscEntry* e = Entry("", name, other);
    if (e && other)
      Say(Severity::Warning, name, 0,
          "found only as \"" + e->name + "\" (other letter case), which a case-sensitive disc or stick will not find");
    return e;
  }

  void CheckPicture(const char* name, long long width, long long height, const char* otherwise) {
    const DiscEntry* e = RootFile(name);
    if (!e) return;
    const auto warn = [&](std::string m) { Say(Severity::Warning, name, 0, std::move(m)); };
    if (e->folder) return warn(std::string("is a folder: ") + otherwise);
    if (e->hidden && name == std::string(kSplashFile)) return warn(std::string("is hidden: ") + otherwise);
    const auto size = disc_.Size(e->name);
    if (size && *size > kMaxPictureFileBytes) return warn(std::string("is larger than 32 MiB: Tavlin does not load it, ") + otherwise);
    const auto bytes = disc_.Read(e->name, kMaxPictureFileBytes);
    if (!bytes) return warn(std::string("cannot be read: ") + otherwise);
    if (bytes->empty()) return warn(std::string("is empty, not a picture: ") + otherwise);
    const auto claimed = ClaimedPictureSize(*bytes);
    if (!claimed) return warn(std::string("is not a JPEG, BMP, GIF or icon picture: ") + otherwise);
    const std::string dims = std::to_string(claimed->width) + " x " + std::to_string(claimed->height);
    if (!PictureWithinLimits(*bytes))
      return warn("claims " + dims + " pixels or is cut short: Tavlin does not load it, " + otherwise);
    if (bytes->compare(0, 2, "\xFF\xD8") == 0 && bytes->find("\xFF\xD9") == std::string::npos)
      warn("is a JPEG picture cut short (it has no end marker): part of it may be grey or missing");
    if (claimed->width > width || claimed->height > height)
      warn("is " + dims + " pixels: only the top-left " + std::to_string(width) + " x " + std::to_string(height) +
           " are shown");
  }

  // AutoPlay's file: it should start the menu, and what it names should be
  // on the disc. tavlin.exe itself may still be missing from a folder that
  // is yet to become a disc.
  void CheckAutorun() {
    const DiscEntry* e = RootFile(kAutorun);
    if (!e || e->folder) return;
    const auto warn = [&](std::string m) { Say(Severity::Warning, kAutorun, 0, std::move(m)); };
    auto b = disc_.Read(e->name, 64 * 1024);
    if (!b) return warn("cannot be read: AutoPlay does not start the menu");
    if (b->compare(0, 2, "\xFF\xFE") == 0) {  // Windows reads UTF-16 here; its ASCII is enough
      std::string narrow;
      for (std::size_t i = 2; i + 1 < b->size(); i += 2) narrow += (*b)[i + 1] ? '?' : (*b)[i];
      *b = narrow;
    }
    std::optional<std::string> open, icon;
    bool inSection = false, section = false;
    auto reader = LineReaderFromString(*b);
    for (std::string line; reader->ReadLine(line);) {
      const std::string_view t = Trim(line);
      if (!t.empty() && t.front() == '[') {
        inSection = LowerCase(t) == "[autorun]";
        section = section || inSection;
        continue;
      }
      const auto eq = t.find('=');
      if (!inSection || eq == std::string_view::npos) continue;
      const std::string key = LowerCase(Trim(t.substr(0, eq)));
      const std::string value(Trim(t.substr(eq + 1)));
      if (key == "open" || key == "shellexecute") open = value;
      if (key == "icon") icon = value;
    }
    if (!section) return warn("has no [autorun] section: AutoPlay does not start the menu");
    if (!open) return warn("has no open= line: AutoPlay does not start the menu");
    const auto onDisc = [&](const std::string& v) {
      return LowerCase(v) == kProgram || IsAbsolute(v) || Locate("", v).kind == Located::Kind::Found;
    };
    // A program name may be quoted and followed by arguments; an icon by
    // the number of the icon in its file.
    const auto unquote = [](const std::string& v, char end) {
      if (!v.empty() && v.front() == '"') return v.substr(1, v.find('"', 1) == std::string::npos ? std::string::npos : v.find('"', 1) - 1);
      return v.substr(0, v.find(end));
    };
    const std::string program = unquote(*open, ' ');
    if (icon) icon = unquote(*icon, ',');
    const auto parts = SplitPath(program);
    if (parts.empty() || LowerCase(parts.back()) != kProgram)
      warn("starts " + Quoted(*open) + ", not tavlin.exe" + (onDisc(program) ? "" : "; it is not on the disc either"));
    else if (!onDisc(program))
      warn("starts " + Quoted(program) + ", which is not on the disc");
    if (icon && !icon->empty() && !onDisc(*icon))
      warn("takes its icon from " + Quoted(*icon) + ", which is not on the disc");
  }

  void CheckSound() {
    const DiscEntry* e = RootFile(kSoundFile);
    if (!e) return;
    const auto warn = [&](std::string m) { Say(Severity::Warning, kSoundFile, 0, std::move(m)); };
    if (e->folder) return warn("is a folder: no sound");
    if (e->hidden) return warn("is hidden: no sound");
    const auto size = disc_.Size(e->name);
    // Windows plays its default sound for a file it cannot play.
    const std::string instead = ": Windows plays its default sound instead";
    const auto b = disc_.Read(e->name, 16u * 1024 * 1024);
    if (!b) return warn("cannot be read" + instead);
    if (b->size() < 12 || b->compare(0, 4, "RIFF") != 0 || b->compare(8, 4, "WAVE") != 0)
      return warn("is not a WAV file" + instead);
    bool fmt = false;
    for (std::size_t at = 12; at + 8 <= b->size();) {
      const std::string id = b->substr(at, 4);
      const unsigned long long length = Le32(*b, at + 4);
      const unsigned long long total = size ? *size : b->size();
      if (id == "fmt ") {
        if (length < 16 || at + 8 + 16 > b->size()) return warn("has a format chunk cut short" + instead);
        const unsigned long tag = Le16(*b, at + 8), channels = Le16(*b, at + 10);
        const unsigned long rate = Le32(*b, at + 12), align = Le16(*b, at + 20);
        if (channels == 0 || rate == 0 || align == 0) return warn("has a format chunk that describes no sound" + instead);
        static constexpr unsigned long kKnown[] = {1, 2, 3, 6, 7, 0x11, 0x31, 0x55, 0xFFFE};
        if (std::find(std::begin(kKnown), std::end(kKnown), tag) == std::end(kKnown))
          warn("is in format " + std::to_string(tag) + ", which Windows may not play");
        fmt = true;
      } else if (id == "data") {
        if (!fmt) return warn("has its sound before its format chunk" + instead);
        if (length == 0) return warn("holds no sound: nothing is heard");
        if (at + 8 + length > total)
          warn("is cut short: its sound claims " + std::to_string(length) + " bytes, " +
               std::to_string(total - (at + 8)) + " are there");
        return;
      }
      at += 8 + length + (length & 1);
    }
    warn(std::string(fmt ? "has no sound data" : "has no format chunk") + instead);
  }

  DiscFiles& disc_;
  CheckReport& r_;
  std::map<std::string, std::optional<std::vector<DiscEntry>>> listings_;
  std::vector<std::string> lines_;
  std::vector<std::size_t> lengths_;
  long long count_ = 0;
  bool garbage_ = false;  // not text: its lines say nothing
};

}  // namespace

int CheckReport::Count(Severity s) const {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

int CheckReport::ExitStatus() const {
  if (Count(Severity::Error)) return 2;
  return findings.empty() ? 0 : 1;
}

CheckReport CheckDisc(DiscFiles& disc) {
  CheckReport r;
  Checker(disc, r).Run();
  return r;
}

std::string Visible(std::string_view v, std::size_t width) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (shown >= width) {
      out += "...";
      break;
    }
    const unsigned char c = static_cast<unsigned char>(v[i]);
    if (c == '\t') out += "<tab>";
    else if (c < 0x20 || c >= 0x7F) out += std::string("<") + kHex[c >> 4] + kHex[c & 15] + ">";
    else out += static_cast<char>(c);
    ++shown;
  }
  return out + "\"";
}

std::string FormatReport(const CheckReport& r) {
  std::string out;
  if (r.menuRead) {
    out += "tavlin.ini, line by line:\n";
    for (const auto& m : r.map) {
      std::string n = std::to_string(m.number);
      out += std::string(n.size() < 6 ? 6 - n.size() : 0, ' ') + n + "  " + m.field;
      out += std::string(m.field.size() < 30 ? 30 - m.field.size() : 1, ' ') + m.shown + "\n";
    }
    if (r.unlistedLines)
      out += "        (" + Plural(r.unlistedLines, "more line", "more lines") + " after the last item, ignored)\n";
    out += "\n";
  }
  for (const auto& f : r.findings) {
    out += f.file + (f.line ? ":" + std::to_string(f.line) : "") +
           (f.severity == Severity::Error ? ": error: " : ": warning: ") + f.message + "\n";
  }
  if (!r.findings.empty()) out += "\n";
  const int errors = r.Count(Severity::Error), warnings = r.Count(Severity::Warning);
  // One line for the whole disc: the menu's size, then every finding's count.
  out += "tavlin.ini: ";
  if (r.menuRead) out += Plural(r.lineCount, "line", "lines") + ", " + Plural(r.items, "item", "items");
  else out += "not read";
  out += "; the disc: ";
  if (!errors && !warnings) out += "clean";
  if (errors) out += Plural(errors, "error", "errors") + (warnings ? ", " : "");
  if (warnings) out += Plural(warnings, "warning", "warnings");
  return out + "\n";
}

std::string MenuTemplate(int items) {
  std::vector<std::string> l = {
      "ItemCount below: the number of items, 0 to 1000. Tavlin finds every value by its line number: keep every line.",
      std::to_string(items),
      "TitleColorIndex on line 5: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 yellow, 7 white,",
      "TitleColorIndex below: 8 grey, 9 light blue, 10 light green, 11 light cyan, 12 light red, 13 light magenta, 14 light yellow, 15 bright white.",
      "14",
      "LabelColorFlag on line 8.",
      "LabelColorFlag below: yes gives the field labels the title colour too.",
      "yes",
      "MenuTitle on line 11.",
      "MenuTitle below: the title at the top of the window.",
      "Welcome",
      "ApplicationCaption on line 14, then PathCaption, FilenameCaption, InformationCaption, DescriptionCaption.",
      "ApplicationCaption below, the heading above the list; on the four lines after it, x hides a field.",
      "Application",
      "Folder",
      "File",
      "Information",
      "Description",
      "DefaultDescription on line 21.",
      "DefaultDescription below: the description shown before an item is chosen.",
      "Choose an item from the list.",
      "ItemName of item 1 on line 24. Item blocks from the next line on, 8 lines each: item k starts at line 8k+15.",
  };
  if (items == 0) l.back() = "End of the menu: fewer than 8 lines of notes may follow.";
  for (int k = 1; k <= items; ++k) {
    const std::string n = std::to_string(k);
    l.push_back("Item " + n + " below: ItemName, ItemPath (its folder), ItemFile (in that folder), ItemButtonCaption, "
                "ItemInformation, ItemDescription.");
    l.push_back("Item " + n);
    l.push_back(".");  // the disc's root, and a file every disc has, so that it opens
    l.push_back("tavlin.ini");
    l.push_back("Open");
    l.push_back("What item " + n + " is");
    l.push_back("Describe item " + n + " here.");
    l.push_back(k < items ? "ItemName of item " + std::to_string(k + 1) + " on line " + std::to_string(8 * (k + 1) + 16) + "."  
                          : "End of the menu: fewer than 8 lines of notes may follow.");
  }
  std::string out;
  for (const auto& s : l) out += s + "\r\n";
  return out;
}

}  // namespace tavlin
