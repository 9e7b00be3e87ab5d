// tavlin.ini as the program reads it: the line map, and what each value
// will do on the disc.
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "base/ascii.h"
#include "base/line_reader.h"
#include "base/utf8.h"
#include "base/windows_names.h"
#include "check/findings.h"
#include "menu/menu_layout.h"
#include "menu/numbers.h"
#include "menu/words.h"

namespace tavlin {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
// The program reads at most 8022 lines of at most 64 KiB; a bigger file is
// nonsense, and this keeps the checker's memory bounded.
constexpr std::size_t kMaxMenuFileBytes = 64 * kMiB;
// The map lists this many ignored lines after the last item, and counts the rest.
constexpr long long kTrailingListed = 20;
// What the encoding is judged by: the start of the file.
constexpr std::size_t kEncodingSample = 512;
// A count beyond this is quoted as written, not as the number it makes.
constexpr long long kLargestCountShown = 1000000;
constexpr std::size_t kMaxPath = 260;              // with the terminating NUL
constexpr std::size_t kMaxCurrentDirectory = 258;  // room for its closing backslash and the NUL
constexpr std::size_t kDrive = 3;                  // "D:\" in front of every path on the disc

constexpr int kUtf8 = 65001;

// Characters as Windows counts them for its path limits: UTF-16 units.
std::size_t Utf16Length(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++n) {
    const auto c = NextUtf8(text, i);
    if (!c) ++i;
    else if (*c > 0xFFFF)
      ++n;
  }
  return n;
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

// A single & in a label or button caption marks the next letter as its
// access key and is not shown itself.
bool HasAccessMarker(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') ++i;
      else
        return true;
    }
  return false;
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

std::string Name(MenuField f) { return std::string(FieldName(f)); }

class MenuFileCheck {
 public:
  MenuFileCheck(DiscIndex& disc, Findings& out) : disc_(disc), out_(out), r_(out.report()) {}

  void Run() {
    if (!Read() || garbage_) {
      MapLines();
      return;
    }
    MapLines();
    CheckHeader();
    CheckShape();
    usedFolders_.emplace("", 0);
    for (long long k = 1; k <= r_.items && Has(LineOf(MenuField::ItemName, k)); ++k) CheckItem(k);
    CheckSpelling();
  }

 private:
  void Warn(long long line, std::string message) { out_.Warn(kMenuDefinitionFile, line, std::move(message)); }
  void Error(std::string message) { out_.Say(Severity::Error, kMenuDefinitionFile, 0, std::move(message)); }

  // False when there is nothing to read.
  bool Read() {
    bool other = false;
    const DiscEntry* e = disc_.Entry("", kMenuDefinitionFile, other);
    if (!disc_.Listing("")) return Error("the disc folder cannot be listed"), false;
    if (!e) return Error(std::string("not found") + kNoMenu), false;
    if (e->folder) return Error(std::string("is a folder, not a file") + kNoMenu), false;
    if (other) Warn(0, "found only as " + out_.QuotedName(e->name) + kOtherCase);
    auto bytes = disc_.files().Read(e->name, kMaxMenuFileBytes + 1);
    if (!bytes) return Error(std::string("cannot be read") + kNoMenu), false;
    if (bytes->size() > kMaxMenuFileBytes) {
      const std::string limit = std::to_string(kMaxMenuFileBytes / kMiB) + " MiB";
      Warn(0, "larger than " + limit + ": only the first " + limit + " are checked");
      bytes->resize(kMaxMenuFileBytes);
    }
    r_.menuRead = true;
    if (bytes->empty()) Warn(0, std::string("empty") + kNoMenu);
    CheckEncoding(*bytes);
    ReadLines(*bytes);
    return true;
  }

  void CheckEncoding(const std::string& b) {
    // UTF-16 has a NUL beside most ASCII letters; other files full of NULs
    // or control bytes are no text at all. Either way every line is garbage,
    // and what the lines would say is not worth a warning each.
    const std::size_t head = std::min(b.size(), kEncodingSample);
    std::size_t nulsEven = 0, nulsOdd = 0, controls = 0;
    for (std::size_t i = 0; i < head; ++i) {
      const unsigned char c = static_cast<unsigned char>(b[i]);
      if (c == 0) ++(i % 2 ? nulsOdd : nulsEven);
      else if (c < 0x20 && c != '\r' && c != '\n' && c != '\t')
        ++controls;
    }
    const bool bom16 = b.compare(0, 2, "\xFF\xFE") == 0 || b.compare(0, 2, "\xFE\xFF") == 0;
    const bool utf16 = bom16 || (head >= 4 && std::max(nulsEven, nulsOdd) * 3 > head &&
                                 std::min(nulsEven, nulsOdd) * 8 < std::max(nulsEven, nulsOdd));
    if (utf16) {
      garbage_ = true;
      Error("saved as UTF-16: every line reads as garbage; save it in the ANSI code page");
    } else if ((nulsEven + nulsOdd + controls) * 10 > head) {
      garbage_ = true;
      Error("is not a text file: every line reads as garbage");
    } else if (b.compare(0, 3, "\xEF\xBB\xBF") == 0 && out_.page().Number() != kUtf8) {
      Warn(1, "starts with a UTF-8 byte order mark: the file was saved as UTF-8; save it in the ANSI code page");
    }
  }

  void ReadLines(const std::string& b) {
    // The count decides how many lines are read; it is line 2, so the
    // lines kept can be bounded as soon as it is in.
    auto reader = LineReaderFromString(b);
    std::string line;
    LineInfo info;
    long long keep = MenuLines(0) + kTrailingListed;
    LineInfo::End firstEnd = LineInfo::End::None;
    bool mixedSaid = false, otherSeen = false;
    long long firstLf = 0;
    while (reader->ReadLine(line, &info)) {
      const long long n = ++r_.lineCount;
      if (n == LineOf(MenuField::ItemCount)) {
        passes_ = ItemCountValue(line);
        r_.items = std::clamp<long long>(passes_, 0, kMaxMenuItems);
        keep = MenuLines(r_.items) + kTrailingListed;
      }
      if (info.end != LineInfo::End::None) {
        if (firstEnd == LineInfo::End::None) firstEnd = info.end;
        if (info.end != LineInfo::End::Lf) otherSeen = true;
        else if (!firstLf)
          firstLf = n;
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
      Warn(firstLf,
           "lines end in a lone LF: Tavlin reads them, but save with CR LF so that every Windows editor shows the "
           "lines as Tavlin counts them");
  }

  bool Has(long long n) const { return n >= 1 && n <= static_cast<long long>(lines_.size()); }
  const std::string& At(long long n) const { return lines_[static_cast<std::size_t>(n - 1)]; }
  std::optional<std::string> Value(MenuField f, long long item) const {
    const long long n = LineOf(f, item);
    if (!Has(n)) return std::nullopt;
    return At(n);
  }

  void MapLines() {
    for (long long n = 1; n <= static_cast<long long>(lines_.size()); ++n) {
      const LineRole role = RoleOfLine(n, passes_);
      std::string field = DescribeRole(role);
      std::string shown = out_.Quoted(At(n));
      const std::size_t length = lengths_[static_cast<std::size_t>(n - 1)];
      if (length > kShownWidth) shown += " (" + std::to_string(length) + " bytes)";
      if (role.kind == LineRole::Kind::Value && !garbage_) CheckText(n, field, At(n), length);
      r_.map.push_back({n, std::move(field), std::move(shown)});
    }
  }

  // What goes wrong with any shown text, whatever its line.
  void CheckText(long long n, const std::string& field, const std::string& v, std::size_t length) {
    if (length > LineReader::kMaxLineLength)
      Warn(n, field + " is " + std::to_string(length) + " bytes long: Tavlin keeps the first " +
                  std::to_string(LineReader::kMaxLineLength));
    if (v.find('\0') != std::string::npos) Warn(n, field + " holds a NUL byte: the text ends there on screen");
    if (out_.page().Number() != kUtf8 && LooksLikeUtf8(v))
      Warn(n, field +
                  " is UTF-8 text: Tavlin shows it in the ANSI code page, each letter beyond ASCII as two or three "
                  "wrong ones");
  }

  void CheckShape() {
    const long long lines = r_.lineCount, shown = r_.items;
    if (lines > 0 && lines < kHeaderLines) {
      std::string missing;
      for (long long n = lines + 1; n < kHeaderLines; ++n)
        if (const auto f = HeaderFieldAt(n)) missing += (missing.empty() ? "" : ", ") + Name(*f);
      if (!missing.empty())
        Warn(lines, "the file ends inside the header, after line " + std::to_string(lines) + ": " + missing +
                        (missing.find(',') == std::string::npos ? " stays empty" : " stay empty") +
                        (lines < LineOf(MenuField::TitleColorIndex) ? ", and the title is black" : ""));
    }
    // A block is complete once its last value line is there; its closing
    // label line changes nothing.
    const long long blocks = lines >= kHeaderLines ? (lines - kHeaderLines + 1) / kItemBlockLines : 0;
    const long long declared = std::max<long long>(passes_, 0);
    if (lines >= LineOf(MenuField::ItemCount) && declared != blocks) {
      const std::string count = At(LineOf(MenuField::ItemCount));
      const std::string said =
          declared > kLargestCountShown ? out_.Quoted(TrimBlanks(count)) : std::to_string(declared);
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
      Warn(LineOf(MenuField::ItemCount), m);
    }
    const long long partial = blocks + 1;
    const long long present = lines - kHeaderLines - blocks * kItemBlockLines;  // lines of the cut block
    if (lines >= kHeaderLines && partial <= shown && present > 0) {
      std::string empty;
      for (long long f = present - 1; f < static_cast<long long>(std::size(kItemFields)); ++f)
        empty += (empty.empty() ? "" : ", ") + Name(kItemFields[f]);
      Warn(lines, "the file ends inside item " + std::to_string(partial) + "'s block: its " + empty +
                      (present - 1 == 5 ? " stays empty" : " stay empty"));
    }
  }

  void CheckHeader() {
    const auto has = [&](MenuField f) { return Has(LineOf(f)); };
    const auto at = [&](MenuField f) -> const std::string& { return At(LineOf(f)); };
    if (has(MenuField::ItemCount)) {
      const std::string& c = at(MenuField::ItemCount);
      const long long line = LineOf(MenuField::ItemCount);
      const auto shape = ShapeOfNumber(c);
      if (!shape) Warn(line, "ItemCount " + out_.Quoted(c) + " is not a number: the menu has no items");
      else if (passes_ < 0)
        Warn(line, "ItemCount " + out_.Quoted(c) + " is negative: the menu has no items");
      else if (shape->fraction)
        Warn(line, "ItemCount " + out_.Quoted(c) + " is not a whole number: taken as " + std::to_string(passes_));
      if (passes_ > kMaxMenuItems)
        Warn(line, "more than " + std::to_string(kMaxMenuItems) + " items: only the first " +
                       std::to_string(kMaxMenuItems) + " are listed");
    }
    if (has(MenuField::TitleColorIndex)) {
      const std::string& t = at(MenuField::TitleColorIndex);
      const long long line = LineOf(MenuField::TitleColorIndex);
      const auto shape = ShapeOfNumber(t);
      const auto number = ColorNumber(t);
      const std::string keeps = ": the title keeps its design colour, dark red";
      if (!shape) Warn(line, "TitleColorIndex " + out_.Quoted(t) + " is not a number" + keeps);
      else if (!number || !ColorOfNumber(*number))
        Warn(line, "TitleColorIndex " + out_.Quoted(t) + " is outside 0 to 15" + keeps);
      else if (shape->fraction)
        Warn(line, "TitleColorIndex " + out_.Quoted(t) + " is not a whole number: taken as " + std::to_string(*number));
    }
    if (has(MenuField::LabelColorFlag)) {
      const std::string& v = at(MenuField::LabelColorFlag);
      const long long line = LineOf(MenuField::LabelColorFlag);
      const std::string t = LowerCase(TrimBlanks(v));
      if (TurnsLabelColorOn(t) && !TurnsLabelColorOn(v))
        Warn(line,
             "LabelColorFlag " + out_.Quoted(v) + " is yes with blanks around it: the field labels are not coloured");
      else if (t == "y" || t == "true" || t == "1" || t == "on" || t == "yes.")
        Warn(line, "LabelColorFlag " + out_.Quoted(v) + " is not yes: the field labels are not coloured");
    }
    for (MenuField f : {MenuField::MenuTitle, MenuField::ApplicationCaption, MenuField::PathCaption,
                        MenuField::FilenameCaption, MenuField::InformationCaption, MenuField::DescriptionCaption})
      if (has(f) && HasAccessMarker(at(f))) Warn(LineOf(f), Name(f) + " " + out_.Quoted(at(f)) + kSingleAmpersand);
    for (MenuField f : {MenuField::MenuTitle, MenuField::ApplicationCaption})
      if (has(f) && IsHideMarker(at(f))) Warn(LineOf(f), Name(f) + " cannot be hidden: the window shows the letter x");
    for (MenuField f : {MenuField::PathCaption, MenuField::FilenameCaption, MenuField::InformationCaption,
                        MenuField::DescriptionCaption}) {
      if (!has(f)) continue;
      const std::string& v = at(f);
      const std::string t = LowerCase(TrimBlanks(v));
      if (IsHideMarker(t) && !IsHideMarker(v))
        Warn(LineOf(f), Name(f) + " " + out_.Quoted(v) +
                            " is the hide marker with blanks around it: it is shown as the caption, the field is not "
                            "hidden");
      else if (t.size() >= 2 && t.find_first_not_of('x') == std::string::npos)
        Warn(LineOf(f),
             Name(f) + " " + out_.Quoted(v) + " is a doubled x: it is shown as the caption, the field is not hidden");
    }
  }

  // Blanks and names Windows cannot use, in an item's folder or file line
  // (`v`, and `text` as the readers' Windows reads it); true when the name
  // cannot be looked for at all.
  bool NameTrouble(long long line, const std::string& what, const std::string& v, const std::string& text) {
    if (!v.empty() && IsBlank(v.front()))
      Warn(line, what + " " + out_.Quoted(v) + " starts with a blank, which is part of the name");
    for (const auto& part : SplitPath(text)) {
      if (part != WindowsName(part) && !WindowsName(part).empty())
        Warn(line, what + " " + out_.Quoted(v) + ": Windows drops the blanks and dots at the end of " +
                       out_.QuotedName(part));
      const std::string why = UnusableName(part);
      if (!why.empty()) {
        Warn(line, what + " " + out_.Quoted(v) + " holds " + why + ", which Windows does not allow in a name");
        return true;
      }
    }
    return false;
  }

  void CheckItem(long long k) {
    const std::string item = "item " + std::to_string(k);
    const auto line = [&](MenuField f) { return LineOf(f, k); };
    const auto name = Value(MenuField::ItemName, k), path = Value(MenuField::ItemPath, k),
               file = Value(MenuField::ItemFile, k);
    if (name && name->empty())
      Warn(line(MenuField::ItemName), item + " has no ItemName: its entry in the list is blank");
    if (const auto button = Value(MenuField::ItemButtonCaption, k)) {
      if (button->empty())
        Warn(line(MenuField::ItemButtonCaption),
             item + " has no ItemButtonCaption: the button is blank when it is chosen");
      else if (HasAccessMarker(*button))
        Warn(line(MenuField::ItemButtonCaption),
             item + " ItemButtonCaption " + out_.Quoted(*button) + kSingleAmpersand);
    }
    if (!path) return;
    const long long pathLine = line(MenuField::ItemPath), fileLine = line(MenuField::ItemFile);
    const std::string thePath = item + " ItemPath " + out_.Quoted(*path);
    if (path->empty())
      return Warn(pathLine, item + (file && !file->empty() ? " has an ItemFile but no ItemPath" : " has no ItemPath") +
                                ": its button only shows \"" + kNoSelectionMessage + "\"");
    // Names are looked up as the readers' Windows reads the bytes.
    const std::string pathText = out_.Text(*path);
    if (IsAbsolutePath(pathText))
      return Warn(pathLine, thePath + " is not on the disc: it names a place on the user's machine");
    if (NameTrouble(pathLine, item + " ItemPath", *path, pathText)) return;
    const Located folder = disc_.Locate("", pathText);
    if (folder.kind == Located::Kind::Outside) return Warn(pathLine, thePath + " leads out of the disc");
    if (folder.kind == Located::Kind::Unlistable)
      return Warn(pathLine, thePath + ": the folder " + out_.QuotedName(folder.path) + " cannot be listed");
    if (folder.kind == Located::Kind::Missing)
      return Warn(pathLine, thePath + " is not on the disc: its button does nothing");
    if (!folder.folder) return Warn(pathLine, thePath + " is a file, not a folder: its button does nothing");
    // The drive comes in front, and the current directory, like a file to
    // open, must fit within Windows' path limit.
    const std::size_t pathLength = Utf16Length(pathText);
    if (pathLength + kDrive > kMaxCurrentDirectory)
      Warn(pathLine, item + " ItemPath is " + std::to_string(pathLength) +
                         " characters long: Windows cannot enter a folder more than " +
                         std::to_string(kMaxCurrentDirectory - kDrive) +
                         " characters below the drive, so its button does nothing");
    if (folder.otherCase)
      Warn(pathLine, thePath + " is on the disc only as " + out_.QuotedName(folder.path) + kOtherCase);
    usedFolders_.emplace(folder.path, pathLine);
    if (!file) return;
    const std::string fileText = out_.Text(*file);
    const std::string theFile = item + " ItemFile " + out_.Quoted(*file);
    if (file->empty()) return Warn(fileLine, item + " has no ItemFile: its button opens nothing");
    if (IsUrl(fileText)) return;  // for the browser or mail program
    if (IsAbsolutePath(fileText))
      return Warn(fileLine, theFile + " is not on the disc: it names a place on the user's machine");
    const std::string where = folder.path.empty() ? "at the disc's root" : "in " + out_.QuotedName(folder.path);
    // "setup.exe /s": a program and its arguments, which the shell would
    // take as a file of that whole name.
    const auto blank = fileText.find(' ');
    if (blank != std::string::npos && blank > 0 && disc_.Locate(folder.path, fileText).kind != Located::Kind::Found &&
        disc_.Locate(folder.path, fileText.substr(0, blank)).kind == Located::Kind::Found)
      return Warn(fileLine,
                  theFile + " is not " + where + ": the whole line is the file name, arguments cannot be given");
    if (NameTrouble(fileLine, item + " ItemFile", *file, fileText)) return;
    const std::size_t joined = pathLength + 1 + Utf16Length(fileText);  // with the backslash between them
    if (pathLength + kDrive <= kMaxCurrentDirectory && kDrive + joined > kMaxPath - 1)
      Warn(fileLine, item + " ItemFile with its ItemPath is " + std::to_string(joined) +
                         " characters long: beyond Windows' " + std::to_string(kMaxPath) +
                         " characters with the drive, programs may not open it");
    const Located target = disc_.Locate(folder.path, fileText);
    if (target.kind == Located::Kind::Outside) return Warn(fileLine, theFile + " leads out of the disc");
    if (target.kind == Located::Kind::Unlistable)
      return Warn(fileLine, theFile + ": the folder " + out_.QuotedName(target.path) + " cannot be listed");
    if (target.kind == Located::Kind::Missing) return Warn(fileLine, theFile + " is not " + where);
    if (target.otherCase)
      Warn(fileLine, theFile + " is " + where + " only as " +
                         out_.QuotedName(target.path.substr(folder.path.empty() ? 0 : folder.path.size() + 1)) +
                         kOtherCase);
  }

  // A name on the disc that the readers' code page cannot write is one no
  // line of the menu can name: said for the root and each item's folder.
  void CheckSpelling() {
    for (const auto& [folder, line] : usedFolders_) {
      const auto& listing = disc_.Listing(folder);
      if (!listing) continue;
      for (const DiscEntry& e : *listing)
        if (!out_.page().ToBytes(e.name).bytes)
          Warn(line, (folder.empty() ? std::string("the disc's root") : "the folder " + out_.QuotedName(folder)) +
                         " holds " + out_.QuotedName(e.name) + ", which " + std::string(out_.page().Name()) +
                         " cannot write: no line of the menu can name it");
    }
  }

  DiscIndex& disc_;
  Findings& out_;
  CheckReport& r_;
  std::vector<std::string> lines_;
  std::vector<std::size_t> lengths_;
  std::map<std::string, long long> usedFolders_;  // each with the first line that uses it
  long long passes_ = 0;                          // as the count of line 2 makes the reader loop
  bool garbage_ = false;                          // not text: its lines say nothing
};

}  // namespace

void CheckMenuFile(DiscIndex& disc, Findings& out) { MenuFileCheck(disc, out).Run(); }

}  // namespace tavlin
