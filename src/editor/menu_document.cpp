#include "editor/menu_document.h"

#include <algorithm>

#include "menu/numbers.h"

namespace tavlin {

namespace {

std::size_t EndLength(LineInfo::End e) { return e == LineInfo::End::CrLf ? 2 : e == LineInfo::End::None ? 0 : 1; }

const char* EndBytes(LineInfo::End e) {
  switch (e) {
    case LineInfo::End::CrLf: return "\r\n";
    case LineInfo::End::Cr: return "\r";
    case LineInfo::End::Lf: return "\n";
    case LineInfo::End::None: break;
  }
  return "";
}

// Zero-based index of the first line of an item's block.
std::size_t BlockIndex(long long item) { return static_cast<std::size_t>(BlockStart(item) - 1); }

}  // namespace

MenuDocument::MenuDocument(std::string bytes, int codePage)
    : page_(CodePage::Get(codePage) ? CodePage::Get(codePage) : CodePage::Get(1252)), original_(std::move(bytes)) {
  // The reader decides where lines end; the bytes come from the file itself,
  // since the reader cuts lines the program would cut.
  auto reader = LineReaderFromString(original_);
  std::size_t at = 0;
  std::string cut;
  for (LineInfo info; reader->ReadLine(cut, &info);) {
    lines_.push_back({original_.substr(at, info.length), {}, info.end});
    at += info.length + EndLength(info.end);
  }
}

bool MenuDocument::SetCodePage(int number) {
  const CodePage* page = CodePage::Get(number);
  if (!page) return false;
  page_ = page;
  return true;
}

MenuDocument::Line MenuDocument::Typed(std::string_view text, LineInfo::End end) const {
  CodePage::Encoded e = page_->ToBytes(text);
  if (e.bytes) return {std::move(e.bytes), {}, end};
  return {std::nullopt, std::string(text), end};
}

MenuDocument::Encoded MenuDocument::Refusal() const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.bytes) continue;
    // Text typed in another code page may be written in this one.
    const CodePage::Encoded typed = page_->ToBytes(l.typed);
    if (!typed.bytes) {
      const std::string bad = typed.character.empty() ? l.typed.substr(typed.at, 1) : typed.character;
      return {std::nullopt, static_cast<long long>(i) + 1, bad};
    }
  }
  return {};
}

MenuDocument::Encoded MenuDocument::Encode() const {
  if (CurrentState() == 0) return {original_, 0, {}};
  if (Encoded refused = Refusal(); refused.line) return refused;
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    std::string written;  // Refusal found every typed line writable
    if (!l.bytes) written = *page_->ToBytes(l.typed).bytes;
    const std::string& bytes = l.bytes ? *l.bytes : written;
    out += bytes;
    // An empty line must end to be read as a line at all: a last one made
    // empty is ended. After a lone CR, one ended by LF would read as that
    // CR's LF: a file never holds that, but new lines and moved blocks can
    // meet so, and such a line is ended by CR LF instead.
    LineInfo::End end = l.end;
    if (bytes.empty() && end == LineInfo::End::None) end = NewLineEnd();
    if (bytes.empty() && end == LineInfo::End::Lf && i > 0 && lines_[i - 1].end == LineInfo::End::Cr)
      end = LineInfo::End::CrLf;
    out += EndBytes(end);
  }
  return {std::move(out), 0, {}};
}

std::string MenuDocument::Text(long long line) const {
  if (line < 1 || line > LineCount()) return "";
  const Line& l = lines_[static_cast<std::size_t>(line - 1)];
  return l.bytes ? page_->ToText(*l.bytes) : l.typed;
}

LineInfo::End MenuDocument::NewLineEnd() const {
  for (const Line& l : lines_)
    if (l.end != LineInfo::End::None) return l.end;
  return LineInfo::End::CrLf;
}

long long MenuDocument::Passes() const {
  const long long countLine = LineOf(MenuField::ItemCount);
  std::optional<std::string> count;
  if (LineCount() >= countLine) {
    const Line& l = lines_[static_cast<std::size_t>(countLine - 1)];
    count = l.bytes ? *l.bytes : l.typed;
  }
  return ItemCountValue(count);
}

LineRole MenuDocument::RoleOf(long long line) const { return RoleOfLine(line, Passes()); }

void MenuDocument::SetLine(long long line, std::string_view text) {
  if (line < 1) return;
  std::string clean(text);
  std::erase_if(clean, [](char c) { return c == '\r' || c == '\n'; });
  if (line <= LineCount() && Text(line) == clean) return;
  const auto at = static_cast<std::size_t>(line - 1);
  // Typing on in the value typed into last joins that change.
  if (CanUndo() && !CanRedo() && history_.back().typedLine == line && Modified()) {
    lines_[at] = history_.back().splices.back().inserted.front() = Typed(clean, lines_[at].end);
    return;
  }
  Begin(line);
  PadTo(line);
  Apply(at, 1, {Typed(clean, lines_[at].end)});
}

long long MenuDocument::Items() const { return std::clamp<long long>(Passes(), 0, kMaxMenuItems); }

bool MenuDocument::AddItem() {
  const long long n = Items();
  if (n >= kMaxMenuItems) return false;
  Begin();
  PadTo(MenuLines(n));
  Apply(BlockIndex(n + 1), 0, std::vector<Line>(kItemBlockLines, Line{std::string(), {}, NewLineEnd()}));
  SetCount(n + 1);
  return true;
}

bool MenuDocument::DuplicateItem(long long item) {
  const long long n = Items();
  if (item < 1 || item > n || n >= kMaxMenuItems) return false;
  Begin();
  PadTo(MenuLines(n));
  Apply(BlockIndex(item + 1), 0, Block(item));
  SetCount(n + 1);
  return true;
}

bool MenuDocument::RemoveItem(long long item) {
  const long long n = Items();
  if (item < 1 || item > n) return false;
  Begin();
  PadTo(MenuLines(n));
  Apply(BlockIndex(item), kItemBlockLines, {});
  SetCount(n - 1);
  return true;
}

bool MenuDocument::MoveItem(long long from, long long to) {
  const long long n = Items();
  if (from < 1 || from > n || to < 1 || to > n || from == to) return false;
  Begin();
  PadTo(MenuLines(n));
  std::vector<Line> block = Block(from);
  Apply(BlockIndex(from), kItemBlockLines, {});
  Apply(BlockIndex(to), 0, std::move(block));
  return true;
}

bool MenuDocument::Undo() {
  if (!CanUndo()) return false;
  const Change& c = history_[--done_];
  for (auto s = c.splices.rbegin(); s != c.splices.rend(); ++s) {
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(s->at);
    lines_.insert(lines_.erase(first, first + static_cast<std::ptrdiff_t>(s->inserted.size())), s->removed.begin(),
                  s->removed.end());
  }
  return true;
}

bool MenuDocument::Redo() {
  if (!CanRedo()) return false;
  const Change& c = history_[done_++];
  for (const Splice& s : c.splices) {
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(s.at);
    lines_.insert(lines_.erase(first, first + static_cast<std::ptrdiff_t>(s.removed.size())), s.inserted.begin(),
                  s.inserted.end());
  }
  return true;
}

void MenuDocument::Begin(long long typedLine) {
  history_.resize(done_);
  history_.push_back({nextId_++, {}, typedLine});
  ++done_;
}

void MenuDocument::Apply(std::size_t at, std::size_t remove, std::vector<Line> insert) {
  Splice s;
  s.at = at;
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(at);
  const auto last = first + static_cast<std::ptrdiff_t>(remove);
  s.removed.assign(first, last);
  s.inserted = std::move(insert);
  lines_.insert(lines_.erase(first, last), s.inserted.begin(), s.inserted.end());
  history_.back().splices.push_back(std::move(s));
}

void MenuDocument::PadTo(long long lines) {
  // Lines are only ever inserted before lines that have an end, so a last
  // line without one gets it first; a structural change needs whole blocks.
  if (!lines_.empty() && lines_.back().end == LineInfo::End::None &&
      (lines > LineCount() || history_.back().typedLine == 0)) {
    Line ended = lines_.back();
    ended.end = NewLineEnd();
    Apply(lines_.size() - 1, 1, {ended});
  }
  if (lines > LineCount())
    Apply(lines_.size(), 0,
          std::vector<Line>(static_cast<std::size_t>(lines - LineCount()), Line{std::string(), {}, NewLineEnd()}));
}

void MenuDocument::SetCount(long long items) {
  PadTo(LineOf(MenuField::ItemCount));
  const std::size_t at = static_cast<std::size_t>(LineOf(MenuField::ItemCount) - 1);
  Apply(at, 1, {{std::to_string(items), {}, lines_[at].end}});
}

std::vector<MenuDocument::Line> MenuDocument::Block(long long item) const {
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(BlockIndex(item));
  return {first, first + kItemBlockLines};
}

}  // namespace tavlin
