// A tavlin.ini as the menu editor holds it: every line as its bytes with the
// end it had, so that notes on the ignored lines and every line the author
// did not touch come back as they were. The bytes are shown and edited as
// text in the code page of the menu's readers, which the author may change:
// that reads the same bytes again and never changes them. Values are
// reached by what they mean, through the menu's line layout; item blocks
// move whole, notes included, and line 2 keeps counting them. Every change
// can be undone.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "base/line_reader.h"
#include "menu/menu_layout.h"

namespace tavlin {

class MenuDocument {
 public:
  struct Line {
    // As the file holds it, or typed text written in the code page; nullopt
    // where the code page could not write what the author typed.
    std::optional<std::string> bytes;
    std::string typed;  // UTF-8, where `bytes` is nullopt
    LineInfo::End end = LineInfo::End::CrLf;
  };

  // What saving makes of the document: the bytes, or the first character
  // that the code page cannot hold and where it stands.
  struct Encoded {
    std::optional<std::string> bytes;
    long long line = 0;
    std::string character;  // UTF-8
  };

  // `bytes` in the code page `codePage` (Windows-1252 where it is no code
  // page offered).
  explicit MenuDocument(std::string bytes = {}, int codePage = 1252);

  const CodePage& Page() const { return *page_; }
  // The same bytes read in another code page; false for one not offered.
  bool SetCodePage(int number);

  Encoded Encode() const;
  // Where saving would stop, as Encode says it, without making the bytes:
  // line 0 when the document can be saved. Only the lines typed beyond the
  // code page are looked at, so that it costs nothing at every key.
  Encoded Refusal() const;
  // The state just saved (or opened) is the one that is not modified.
  void MarkSaved() { savedAt_ = CurrentState(); }
  bool Modified() const { return CurrentState() != savedAt_; }

  long long LineCount() const { return static_cast<long long>(lines_.size()); }
  // The line as text; "" for a line beyond the end of the file.
  std::string Text(long long line) const;
  // The end that new lines get: the first end the file has, else CR LF.
  LineInfo::End NewLineEnd() const;
  // What the program makes of a line, for the count line 2 now holds.
  LineRole RoleOf(long long line) const;

  std::string Value(MenuField headerField) const { return Text(LineOf(headerField)); }
  std::string Value(MenuField itemField, long long item) const { return Text(LineOf(itemField, item)); }
  // CR and LF are cut out of `text`: inside a value they would move every
  // line after it. A value beyond the end pads the file with empty lines.
  void Set(MenuField headerField, std::string_view text) { SetLine(LineOf(headerField), text); }
  void Set(MenuField itemField, long long item, std::string_view text) { SetLine(LineOf(itemField, item), text); }
  void SetLine(long long line, std::string_view text);

  // The entries of the program's list: the count of line 2, 0 to kMaxMenuItems.
  long long Items() const;
  // Each false, and nothing changed, when the item or the room is not there.
  bool AddItem();
  bool DuplicateItem(long long item);
  bool RemoveItem(long long item);
  bool MoveItem(long long from, long long to);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < history_.size(); }
  bool Undo();
  bool Redo();

 private:
  // The item passes the program makes for line 2 as it stands.
  long long Passes() const;
  // Lines [at, at + removed) become `inserted`; undone the other way round.
  struct Splice {
    std::size_t at = 0;
    std::vector<Line> removed, inserted;
  };
  struct Change {
    unsigned long long id = 0;
    std::vector<Splice> splices;
    long long typedLine = 0;  // a single value typed into: further typing there joins it
  };

  void Begin(long long typedLine = 0);
  void Apply(std::size_t at, std::size_t remove, std::vector<Line> insert);
  void PadTo(long long lines);
  void SetCount(long long items);
  std::vector<Line> Block(long long item) const;
  unsigned long long CurrentState() const { return done_ ? history_[done_ - 1].id : 0; }

  Line Typed(std::string_view text, LineInfo::End end) const;

  const CodePage* page_;
  std::string original_;  // returned as it is while nothing is changed
  std::vector<Line> lines_;
  std::vector<Change> history_;
  std::size_t done_ = 0;  // changes of history_ in effect
  unsigned long long nextId_ = 1, savedAt_ = 0;
};

}  // namespace tavlin
