// The optional files beside the menu: the pictures and the sound Tavlin
// loads, and the autorun.inf that lets AutoPlay start it.
#include <algorithm>
#include <iterator>
#include <optional>

#include "base/ascii.h"
#include "base/byte_fields.h"
#include "base/line_reader.h"
#include "base/picture_limits.h"
#include "base/windows_names.h"
#include "check/findings.h"
#include "menu/words.h"
#include "platform/form_designs.h"

namespace tavlin {

namespace {

constexpr char kAutorun[] = "autorun.inf";
constexpr char kProgram[] = "tavlin.exe";
constexpr std::size_t kMiB = 1024 * 1024;
// Enough of a WAV file for the chunks before its sound, and of an
// autorun.inf for all it can say.
constexpr std::size_t kSoundBytesRead = 16 * kMiB;
constexpr std::size_t kAutorunBytesRead = 64 * 1024;

// The root entry of a name the program asks for, with a warning when only
// its letter case differs.
const DiscEntry* RootFile(DiscIndex& disc, Findings& out, const char* name) {
  bool other = false;
  const DiscEntry* e = disc.Entry("", name, other);
  if (e && other) out.Warn(name, 0, "found only as " + out.QuotedName(e->name) + kOtherCase);
  return e;
}

// `width` x `height`: the pixels the window shows of it.
void CheckPicture(DiscIndex& disc, Findings& out, const char* name, long long width, long long height,
                  const char* otherwise) {
  const DiscEntry* e = RootFile(disc, out, name);
  if (!e) return;
  const auto warn = [&](std::string m) { out.Warn(name, 0, std::move(m)); };
  if (e->folder) return warn(std::string("is a folder: ") + otherwise);
  if (e->hidden && name == std::string(kSplashFile)) return warn(std::string("is hidden: ") + otherwise);
  const auto size = disc.files().Size(e->name);
  if (size && *size > kMaxPictureFileBytes)
    return warn("is larger than " + std::to_string(kMaxPictureFileBytes / kMiB) + " MiB: Tavlin does not load it, " +
                otherwise);
  const auto bytes = disc.files().Read(e->name, kMaxPictureFileBytes);
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

void CheckSound(DiscIndex& disc, Findings& out) {
  const DiscEntry* e = RootFile(disc, out, kSoundFile);
  if (!e) return;
  const auto warn = [&](std::string m) { out.Warn(kSoundFile, 0, std::move(m)); };
  if (e->folder) return warn("is a folder: no sound");
  if (e->hidden) return warn("is hidden: no sound");
  const auto size = disc.files().Size(e->name);
  // Windows plays its default sound for a file it cannot play.
  const std::string instead = ": Windows plays its default sound instead";
  const auto b = disc.files().Read(e->name, kSoundBytesRead);
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

// AutoPlay's file: it should start the menu, and what it names should be
// on the disc. tavlin.exe itself may still be missing from a folder that
// is yet to become a disc.
void CheckAutorun(DiscIndex& disc, Findings& out) {
  const DiscEntry* e = RootFile(disc, out, kAutorun);
  if (!e || e->folder) return;
  const auto warn = [&](std::string m) { out.Warn(kAutorun, 0, std::move(m)); };
  auto b = disc.files().Read(e->name, kAutorunBytesRead);
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
    const std::string_view t = TrimBlanks(line);
    if (!t.empty() && t.front() == '[') {
      inSection = LowerCase(t) == "[autorun]";
      section = section || inSection;
      continue;
    }
    const auto eq = t.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    const std::string key = LowerCase(TrimBlanks(t.substr(0, eq)));
    const std::string value(TrimBlanks(t.substr(eq + 1)));
    if (key == "open" || key == "shellexecute") open = value;
    if (key == "icon") icon = value;
  }
  if (!section) return warn("has no [autorun] section: AutoPlay does not start the menu");
  if (!open) return warn("has no open= line: AutoPlay does not start the menu");
  const auto onDisc = [&](const std::string& v) {
    return LowerCase(v) == kProgram || IsAbsolutePath(v) || disc.Locate("", out.Text(v)).kind == Located::Kind::Found;
  };
  // A program name may be quoted and followed by arguments; an icon by
  // the number of the icon in its file.
  const auto unquote = [](const std::string& v, char end) {
    if (!v.empty() && v.front() == '"') {
      const auto close = v.find('"', 1);
      return v.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return v.substr(0, v.find(end));
  };
  const std::string program = unquote(*open, ' ');
  if (icon) icon = unquote(*icon, ',');
  const auto parts = SplitPath(program);
  if (parts.empty() || LowerCase(parts.back()) != kProgram)
    warn("starts " + out.Quoted(*open) + ", not tavlin.exe" +
         (onDisc(program) ? "" : "; it is not on the disc either"));
  else if (!onDisc(program))
    warn("starts " + out.Quoted(program) + ", which is not on the disc");
  if (icon && !icon->empty() && !onDisc(*icon))
    warn("takes its icon from " + out.Quoted(*icon) + ", which is not on the disc");
}

}  // namespace

void CheckRootFiles(DiscIndex& disc, Findings& out) {
  // The pixels each window shows of its picture.
  CheckPicture(disc, out, kBackgroundFile, Pixels(Form1Design().clientWidth), Pixels(Form1Design().clientHeight),
               "the built-in background stays");
  CheckPicture(disc, out, kSplashFile, Pixels(Form6Design().clientWidth), Pixels(Form6Design().clientHeight),
               "no splash is shown");
  CheckSound(disc, out);
  CheckAutorun(disc, out);
}

}  // namespace tavlin
