// Windows' ANSI code pages, for the authors' tools. Windows hands the menu's
// bytes to its controls through the reader's code page; the tools turn them
// into text only to show and edit them, and text back into bytes that read
// the same. The tables come from Python's codecs at build time
// (code_pages.py); the menu program itself never links them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

class CodePage {
 public:
  // nullptr for a number not offered.
  static const CodePage* Get(int number);
  // Every number, in the order an author is offered them.
  static const std::vector<int>& Offered();

  int Number() const { return number_; }
  std::string_view Name() const { return name_; }  // "Windows-1251", "UTF-8"
  // Whom it serves, as an author reads it.
  std::string_view Description() const { return description_; }
  // 932, 936, 949 and 950: a lead byte and a trail byte make one character.
  bool DoubleByte() const { return maxCharLength_ == 2; }
  // The most bytes one character takes: 1, 2 for the double-byte pages, 4
  // for UTF-8 (65001).
  int MaxCharLength() const { return maxCharLength_; }

  // Bytes to UTF-8 text. A byte the page does not define, or the lead byte
  // of a pair it does not define, is kept as U+F700 + byte (only bytes from
  // 0x80 can be undefined), so that the text always goes back to the same
  // bytes; for 65001 so is each byte that is not well-formed UTF-8, and each
  // byte of the well-formed U+F780..U+F7FF themselves. Only 932 and 950 give
  // a few characters by more than one pair; those go back to one of them.
  std::string ToText(std::string_view bytes) const;

  // UTF-8 text to bytes. A kept byte (U+F780..U+F7FF) goes back to its byte.
  // A character the page lacks is refused, never replaced by a look-alike;
  // a precomposed letter the page writes as letter and mark (Vietnamese in
  // 1258), or letter and mark the page holds precomposed, is written so.
  // Refused: `bytes` is nullopt, `at` is the byte offset of the character in
  // `text` and `character` its UTF-8 (empty when the text is not well-formed
  // UTF-8 at `at`). Also refused, at the first character where they part:
  // bytes that would not read back as written, such as a kept lead byte that
  // the next byte joins into another character.
  struct Encoded {
    std::optional<std::string> bytes;
    std::size_t at = 0;
    std::string character;
  };
  Encoded ToBytes(std::string_view text) const;

  // The length of the character that starts at bytes[i] as this page reads
  // it (1, 2, or for UTF-8 up to 4; 0 past the end), so that a cut never
  // splits a character.
  std::size_t CharLength(std::string_view bytes, std::size_t i) const;

 private:
  constexpr CodePage(int number, int tables, int maxCharLength, std::string_view name, std::string_view description)
      : number_(number), tables_(tables), maxCharLength_(maxCharLength), name_(name), description_(description) {}
  static const CodePage kAll[];

  int number_;
  int tables_;  // index of its generated tables; -1 for UTF-8
  int maxCharLength_;
  std::string_view name_, description_;
};

// Windows' ANSI code page for a browser language tag (navigator.language):
// "pl-PL" gives 1250, "zh-TW" 950; 1252 when none fits.
int CodePageForLanguage(std::string_view tag);

// The offered code page that reads `bytes` (a whole tavlin.ini) most
// plausibly. `preferred` (the browser language's; 1252 if not offered) wins
// ties, text that is all ASCII and text that it reads the same as the best.
// A page that leaves bytes undefined loses to one that defines them all and
// reads as well.
int GuessCodePage(std::string_view bytes, int preferred);

// Two names (UTF-8) the same to Windows' file lookup: equal once each
// character is taken to its capital, one character for one, as Windows
// compares names. Bytes that are not UTF-8 compare as themselves.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tavlin
