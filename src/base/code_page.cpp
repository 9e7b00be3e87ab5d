#include "base/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <tuple>
#include <utility>

#include "base/ascii.h"
#include "base/utf8.h"

namespace tavlin {

namespace {

struct PageTables {
  int number;
  const char16_t* high;  // bytes 0x80..0xFF alone; 0 where no character
  unsigned char trailFirst, trailLast;
  const unsigned char* rowOf;  // lead bytes 0x80..0xFF: row + 1, 0 for none
  const std::uint16_t* rows;   // packed, see code_pages.py
  std::size_t rowsSize;
  const std::uint16_t* preferred;  // pairs text goes back to, where a character has several
  std::size_t preferredSize;
};

enum CharClass : unsigned char { kOdd, kSymbol, kDigit, kMark, kLetter, kSmall, kCapital };
struct ClassFrom {
  char16_t first;
  CharClass cls;
};

#include "code_page_tables.inc"

constexpr char32_t kKept = 0xF700;
constexpr bool IsKept(char32_t c) { return c >= kKept + 0x80 && c <= kKept + 0xFF; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr std::size_t kTableCount = std::size(kTables);

// A double-byte page's rows, unpacked on first use.
const std::vector<char16_t>& Rows(int index) {
  static std::array<std::vector<char16_t>, kTableCount> rows;
  std::vector<char16_t>& out = rows[index];
  const PageTables& t = kTables[index];
  if (!out.empty() || !t.rows) return out;
  for (std::size_t i = 0; i < t.rowsSize;) {
    const unsigned kind = t.rows[i] >> 14, count = t.rows[i] & 0x3FFF;
    ++i;
    if (kind == 0) {
      for (unsigned k = 0; k < count && i < t.rowsSize; ++k) out.push_back(t.rows[i++]);
    } else if (kind == 1 && i < t.rowsSize) {
      const char16_t first = t.rows[i++];
      for (unsigned k = 0; k < count; ++k) out.push_back(static_cast<char16_t>(first + k));
    } else {
      out.insert(out.end(), count, 0);
    }
  }
  const std::size_t rowCount = *std::max_element(t.rowOf, t.rowOf + 128);
  out.resize(rowCount * (t.trailLast - t.trailFirst + 1));
  return out;
}

struct Char {
  char32_t c;
  std::size_t length;
};

// The character at bytes[i] (i < size) as page `index` reads it.
Char CharAt(int index, std::string_view bytes, std::size_t i) {
  const unsigned char b = static_cast<unsigned char>(bytes[i]);
  if (b < 0x80) return {b, 1};
  if (index < 0) {
    std::size_t j = i;
    const auto c = NextUtf8(bytes, j);
    if (c && !IsKept(*c)) return {*c, j - i};
    return {kKept + b, 1};
  }
  const PageTables& t = kTables[index];
  if (t.rowOf && t.rowOf[b - 0x80] && i + 1 < bytes.size()) {
    const unsigned char trail = static_cast<unsigned char>(bytes[i + 1]);
    if (trail >= t.trailFirst && trail <= t.trailLast) {
      const char16_t c = Rows(index)[(t.rowOf[b - 0x80] - 1) * (t.trailLast - t.trailFirst + 1) + trail - t.trailFirst];
      if (c) return {c, 2};
    }
  }
  const char16_t c = t.high[b - 0x80];
  return {c ? char32_t{c} : kKept + b, 1};
}

// Characters to bytes (one byte, or lead << 8 | trail), built on first use.
using Reverse = std::vector<std::pair<char16_t, std::uint16_t>>;
const Reverse& ReverseOf(int index) {
  static std::array<Reverse, kTableCount> reverses;
  Reverse& out = reverses[index];
  if (!out.empty()) return out;
  const PageTables& t = kTables[index];
  for (unsigned b = 0x80; b < 0x100; ++b)
    if (t.high[b - 0x80]) out.emplace_back(t.high[b - 0x80], b);
  if (t.rowOf) {
    const auto& rows = Rows(index);
    const unsigned width = t.trailLast - t.trailFirst + 1;
    for (unsigned lead = 0x80; lead < 0x100; ++lead)
      for (unsigned row = t.rowOf[lead - 0x80], k = 0; row && k < width; ++k)
        if (const char16_t c = rows[(row - 1) * width + k]) out.emplace_back(c, lead << 8 | (t.trailFirst + k));
  }
  const auto rank = [&t](const std::pair<char16_t, std::uint16_t>& e) {
    return std::tuple(e.first,
                      std::find(t.preferred, t.preferred + t.preferredSize, e.second) == t.preferred + t.preferredSize,
                      e.second);
  };
  // A character's pairs stay, the one it goes back to first.
  std::sort(out.begin(), out.end(), [&](const auto& x, const auto& y) { return rank(x) < rank(y); });
  return out;
}

// The bytes of c in page `index` (one byte, or lead << 8 | trail), 0 if
// none; of several, the first that a kept lead byte before it does not join.
std::uint16_t BytesOf(int index, char32_t c, int keptLead = -1) {
  const Reverse& reverse = ReverseOf(index);
  const auto first = std::lower_bound(reverse.begin(), reverse.end(), c,
                                      [](const auto& e, char32_t v) { return char32_t{e.first} < v; });
  if (first == reverse.end() || first->first != c) return 0;
  for (auto at = first; keptLead >= 0 && at != reverse.end() && at->first == c; ++at) {
    const char pair[2] = {static_cast<char>(keptLead), static_cast<char>(at->second >> (at->second > 0xFF ? 8 : 0))};
    if (CharAt(index, std::string_view(pair, 2), 0).length == 1) return at->second;
  }
  return first->second;
}

char32_t Capital(char32_t c) {
  const auto* end = std::end(kCapitals);
  const auto* at = std::lower_bound(std::begin(kCapitals), end, c, [](const auto& e, char32_t v) { return e[0] < v; });
  return at != end && (*at)[0] == c ? (*at)[1] : c;
}

CharClass ClassOf(char32_t c) {
  if (IsKept(c)) return kOdd;
  if (c > 0xFFFF) return kLetter;
  const auto* at = std::upper_bound(std::begin(kClasses), std::end(kClasses), c,
                                    [](char32_t v, const ClassFrom& e) { return v < e.first; });
  return at == std::begin(kClasses) ? kOdd : at[-1].cls;
}

bool IsLetter(CharClass k) { return k >= kLetter; }
bool IsMark(char32_t c) { return ClassOf(c) == kMark; }

const char16_t* DecompositionOf(char32_t c) {
  for (const auto& p : kCanonicalPairs)
    if (p[0] == c) return p;
  return nullptr;
}

char32_t Composed(char32_t base, char32_t mark) {
  for (const auto& p : kCanonicalPairs)
    if (p[1] == base && p[2] == mark) return p[0];
  return 0;
}

int CombiningClass(char32_t mark) {
  for (const auto& m : kMarkClasses)
    if (m[0] == mark) return m[1];
  return 0;
}

}  // namespace

const CodePage CodePage::kAll[] = {
    {1252, 3, 1, "Windows-1252",
     "Western European: English, French, German, Spanish, Portuguese, Italian, Dutch, Danish, Norwegian, Swedish, "
     "Finnish, Icelandic, Catalan (Windows-1252)"},
    {1250, 1, 1, "Windows-1250",
     "Central European: Polish, Czech, Slovak, Hungarian, Slovenian, Croatian, Romanian, Albanian (Windows-1250)"},
    {1251, 2, 1, "Windows-1251",
     "Cyrillic: Russian, Ukrainian, Bulgarian, Serbian, Macedonian, Belarusian, Kazakh, Kyrgyz, Tatar, Mongolian "
     "(Windows-1251)"},
    {1253, 4, 1, "Windows-1253", "Greek (Windows-1253)"},
    {1254, 5, 1, "Windows-1254", "Turkish, and Azerbaijani and Uzbek in Latin letters (Windows-1254)"},
    {1257, 8, 1, "Windows-1257", "Baltic: Estonian, Latvian, Lithuanian (Windows-1257)"},
    {1255, 6, 1, "Windows-1255", "Hebrew (Windows-1255)"},
    {1256, 7, 1, "Windows-1256", "Arabic script: Arabic, Persian, Urdu (Windows-1256)"},
    {874, 0, 1, "Windows-874", "Thai (Windows-874)"},
    {1258, 9, 1, "Windows-1258", "Vietnamese (Windows-1258)"},
    {932, 10, 2, "Windows-932", "Japanese (Shift JIS, Windows-932)"},
    {936, 11, 2, "Windows-936", "Chinese, simplified: mainland China, Singapore (GBK, Windows-936)"},
    {950, 13, 2, "Windows-950", "Chinese, traditional: Taiwan, Hong Kong, Macao (Big5, Windows-950)"},
    {949, 12, 2, "Windows-949", "Korean (Windows-949)"},
    {65001, -1, 4, "UTF-8",
     "Unicode (UTF-8), any language: reaches only readers whose Windows (10 or 11) has \"Use Unicode UTF-8 for "
     "worldwide language support\" set; all others see wrong letters"},
};

const CodePage* CodePage::Get(int number) {
  for (const CodePage& page : kAll)
    if (page.number_ == number && (page.tables_ < 0 || kTables[page.tables_].number == number)) return &page;
  return nullptr;
}

const std::vector<int>& CodePage::Offered() {
  static const std::vector<int> numbers = [] {
    std::vector<int> out;
    for (const CodePage& page : kAll) out.push_back(page.number_);
    return out;
  }();
  return numbers;
}

std::string CodePage::ToText(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::size_t i = 0; i < bytes.size();) {
    const Char c = CharAt(tables_, bytes, i);
    AppendUtf8(out, c.c);
    i += c.length;
  }
  return out;
}

std::size_t CodePage::CharLength(std::string_view bytes, std::size_t i) const {
  return i < bytes.size() ? CharAt(tables_, bytes, i).length : 0;
}

CodePage::Encoded CodePage::ToBytes(std::string_view text) const {
  std::string out, readsAs;  // the bytes, and the text they read back as
  int keptLead = -1;         // the byte just kept, which the next may join
  const auto put = [&](char32_t c) {
    if (c < 0x80 || tables_ < 0 || IsKept(c)) {
      if (IsKept(c)) out += static_cast<char>(c - kKept);
      else
        AppendUtf8(out, c);
    } else {
      const std::uint16_t b = BytesOf(tables_, c, keptLead);
      if (b > 0xFF) out += static_cast<char>(b >> 8);
      out += static_cast<char>(b & 0xFF);
    }
    AppendUtf8(readsAs, c);
    keptLead = IsKept(c) ? static_cast<int>(c - kKept) : -1;
  };
  const auto has = [&](char32_t c) { return c < 0x80 || tables_ < 0 || IsKept(c) || BytesOf(tables_, c); };
  struct Start {
    std::size_t text, readsAs;
  };
  std::vector<Start> starts;  // where each letter with its marks starts
  for (std::size_t i = 0; i < text.size();) {
    // A character and the marks after it.
    std::u32string unit;
    const std::size_t at = i;
    std::size_t lacking = text.size();
    for (std::size_t j = i; j < text.size();) {
      const std::size_t from = j;
      const auto c = NextUtf8(text, j);
      if (!c) {
        if (unit.empty()) return {std::nullopt, at, {}};
        break;
      }
      if (!unit.empty() && !IsMark(*c)) break;
      if (lacking == text.size() && !has(*c)) lacking = from;
      unit += *c;
      i = j;
    }
    starts.push_back({at, readsAs.size()});
    if (lacking == text.size()) {
      for (char32_t c : unit) put(c);
      continue;
    }
    // Precomposed letters taken apart, then joined again as far as the page
    // holds the results: each way to join the marks, the shortest that fits.
    std::u32string marks(unit.begin() + 1, unit.end());
    char32_t base = unit[0];
    while (const char16_t* pair = DecompositionOf(base)) base = pair[1], marks.insert(marks.begin(), pair[2]);
    std::stable_sort(marks.begin(), marks.end(),
                     [](char32_t x, char32_t y) { return CombiningClass(x) < CombiningClass(y); });
    std::u32string best;
    for (unsigned join = 0; marks.size() <= 4 && join < (1u << marks.size()); ++join) {
      std::u32string written(1, base);
      for (std::size_t k = 0; k < marks.size() && !written.empty(); ++k) {
        // A mark joins the letter unless a mark left between them blocks it.
        const bool blocked = written.size() > 1 && CombiningClass(written.back()) >= CombiningClass(marks[k]);
        if (!(join >> k & 1)) written += marks[k];
        else if (blocked || !Composed(written[0], marks[k]))
          written.clear();
        else
          written[0] = Composed(written[0], marks[k]);
      }
      if (!written.empty() && std::all_of(written.begin(), written.end(), has) &&
          (best.empty() || written.size() < best.size()))
        best = written;
    }
    if (best.empty()) {
      std::size_t end = lacking;
      NextUtf8(text, end);
      return {std::nullopt, lacking, std::string(text.substr(lacking, end - lacking))};
    }
    for (char32_t c : best) put(c);
  }
  // Bytes that join differently than the characters they were written for.
  const std::string back = ToText(out);
  if (back != readsAs) {
    const auto differ = static_cast<std::size_t>(
        std::mismatch(back.begin(), back.end(), readsAs.begin(), readsAs.end()).second - readsAs.begin());
    std::size_t k = 0;
    while (k + 1 < starts.size() && starts[k + 1].readsAs <= differ) ++k;
    std::size_t end = starts[k].text;
    NextUtf8(text, end);
    return {std::nullopt, starts[k].text, std::string(text.substr(starts[k].text, end - starts[k].text))};
  }
  return {std::move(out), 0, {}};
}

int CodePageForLanguage(std::string_view tag) {
  // The language, and its script or region where those decide.
  std::string parts[3];
  for (std::size_t i = 0, n = 0; i < tag.size() && n < 3; ++i) {
    if (tag[i] == '-' || tag[i] == '_') ++n;
    else if (n < 3)
      parts[n] += LowerAscii(tag[i]);
  }
  const std::string& language = parts[0];
  std::string script, region;
  for (int n = 1; n < 3; ++n)
    if (!parts[n].empty()) (parts[n].size() == 4 ? script : region) = parts[n];
  if (language == "zh")
    return script == "hant" || (script.empty() && (region == "tw" || region == "hk" || region == "mo")) ? 950 : 936;
  if (script == "cyrl") return 1251;
  if (script == "latn" && (language == "sr" || language == "bs")) return 1250;
  static constexpr std::pair<int, std::string_view> kByLanguage[] = {
      {1250, " cs sk hu pl sl hr ro sq bs tk "},
      {1251, " ru uk bg sr mk be kk ky tt mn ba tg sah "},
      {1253, " el "},
      {1254, " tr az uz "},
      {1255, " he iw yi "},
      {1256, " ar fa ur ps ug ckb prs "},
      {1257, " et lv lt "},
      {1258, " vi "},
      {874, " th "},
      {932, " ja "},
      {949, " ko "},
  };
  if (language.empty()) return 1252;
  for (const auto& [number, languages] : kByLanguage)
    if (languages.find(" " + language + " ") != std::string_view::npos) return number;
  return 1252;
}

namespace {

// Scripts as the guess tells them apart; Latin letters beyond ASCII apart
// from ASCII's, and full-width Latin with the ideographs it is written among.
enum Script { kNoScript, kAscii, kLatin, kGreek, kCyrillic, kHebrew, kArabic, kThai, kKana, kHalfKana, kHan, kHangul };

Script ScriptOf(char32_t c) {
  if (c < 0x80) return kAscii;
  if (c < 0x250 || (c >= 0x1E00 && c < 0x1F00)) return kLatin;
  if (c < 0x370) return kNoScript;
  if (c < 0x400 || (c >= 0x1F00 && c < 0x2000)) return kGreek;
  if (c < 0x530) return kCyrillic;
  if (c >= 0x590 && c < 0x600) return kHebrew;
  if ((c >= 0x600 && c < 0x780) || (c >= 0xFB50 && c < 0xFF00)) return kArabic;
  if (c >= 0xE00 && c < 0xE80) return kThai;
  if (c >= 0xFF66 && c < 0xFFA0) return kHalfKana;
  if ((c >= 0x3040 && c < 0x3100) || (c >= 0x31F0 && c < 0x3200)) return kKana;
  if ((c >= 0x1100 && c < 0x1200) || (c >= 0x3130 && c < 0x3190) || (c >= 0xAC00 && c < 0xD7B0)) return kHangul;
  if ((c >= 0x3005 && c < 0x3008) || (c >= 0x3400 && c < 0xA000) || (c >= 0xF900 && c < 0xFB00) ||
      (c >= 0xFF00 && c < 0xFF66) || c >= 0x20000)
    return kHan;
  return kNoScript;
}

// Scripts a word may mix: ASCII letters with accented Latin or with East
// Asian scripts, ideographs with kana.
bool Mixes(unsigned scripts) {
  const unsigned eastAsian = 1u << kKana | 1u << kHalfKana | 1u << kHan | 1u << kHangul;
  if ((scripts & 1u << kAscii) && (scripts & ~(1u << kAscii | 1u << kLatin | 1u << kNoScript | eastAsian))) return true;
  scripts &= ~(1u << kAscii | 1u << kNoScript);
  return (scripts & (scripts - 1)) && (scripts & ~(1u << kKana | 1u << kHan));
}

// The letters beyond ASCII of the languages each page serves, the common
// ones and the rarer: a text should read as one language of its page.
struct Language {
  std::string_view common, rare;
};
constexpr Language kFrench{"éèàçê", "âîôûùëïüÿœæ"}, kGerman{"äöüß", ""}, kSpanish{"áéíñóú", "ü"},
    kPortuguese{"ãçéáíóõúâêô", "à"}, kItalian{"àèéìòù", "íîó"}, kDutch{"éëï", "áóöü"}, kSwedish{"äåö", "éšž"},
    kDanish{"æøå", "é"}, kIcelandic{"áðéíóúýþæö", ""}, kCatalan{"àçèéíïòóú", ""}, kPolish{"ąćęłńóśźż", ""},
    kCzech{"áčďéěíňóřšťúůýž", ""}, kSlovak{"áäčďéíľňóôšťúýž", "ĺŕ"}, kHungarian{"áéíóöőúüű", ""},
    kCroatian{"čćđšž", ""}, kRomanian{"ăâîşţ", ""}, kAlbanian{"çë", ""}, kTurkish{"çğıöşü", "âîû"},
    kLithuanian{"ąčęėįšųūž", ""}, kLatvian{"āčēģīķļņšūž", ""}, kEstonian{"äõöüšž", ""},
    kVietnamese{"àáâãèéêìíòóôõùúýăđĩũơư", ""};
#define TAVLIN_WESTERN \
  &kFrench, &kGerman, &kSpanish, &kPortuguese, &kItalian, &kDutch, &kSwedish, &kDanish, &kIcelandic, &kCatalan
struct PageLanguages {
  int page;
  const Language* languages[12];
};
constexpr PageLanguages kLanguages[] = {
    {1252, {TAVLIN_WESTERN}},
    {1250, {&kPolish, &kCzech, &kSlovak, &kHungarian, &kCroatian, &kRomanian, &kAlbanian, &kGerman}},
    {1254, {&kTurkish, TAVLIN_WESTERN}},
    {1257, {&kLithuanian, &kLatvian, &kEstonian, &kGerman, &kSwedish, &kPolish}},
    {1258, {&kVietnamese, TAVLIN_WESTERN}},
    {1256, {&kFrench}},
};
#undef TAVLIN_WESTERN

bool Holds(std::string_view letters, char32_t c) {
  for (std::size_t k = 0; k < letters.size();)
    if (Capital(NextUtf8(letters, k).value_or(0)) == Capital(c)) return true;
  return false;
}

// What the Latin letters beyond ASCII of a text cost on a page: each that
// the best fitting language lacks, and less each that it rarely has.
long LanguageCost(int page, const std::vector<char32_t>& letters) {
  long fewest = 3 * static_cast<long>(letters.size());
  for (const PageLanguages& p : kLanguages)
    for (const Language* l : p.languages) {
      if (p.page != page || !l) continue;
      long cost = 0;
      for (char32_t c : letters) cost += Holds(l->common, c) ? 0 : Holds(l->rare, c) ? 1 : 3;
      fewest = std::min(fewest, cost);
    }
  return fewest;
}

// Letters of a double-byte page and what they are worth: each page's common
// part (kana and the first level of ideographs, common Hangul) above its
// second level, the rest (extensions, Greek or Cyrillic among ideographs)
// below.
struct Region {
  int page;
  unsigned char leadFirst, leadLast, trailFirst, trailLast;
  int worth;
};
constexpr Region kRegions[] = {
    {932, 0x82, 0x82, 0x9F, 0xF1, 3}, {932, 0x83, 0x83, 0x40, 0x96, 3}, {932, 0x88, 0x98, 0x40, 0xFC, 2},
    {932, 0x99, 0xEA, 0x40, 0xFC, 0}, {936, 0xB0, 0xD7, 0xA1, 0xFE, 2}, {936, 0xD8, 0xF7, 0xA1, 0xFE, 0},
    {949, 0xB0, 0xC8, 0xA1, 0xFE, 3}, {949, 0xCA, 0xFD, 0xA1, 0xFE, 0}, {950, 0xA4, 0xC6, 0x40, 0xFE, 2},
    {950, 0xC9, 0xF9, 0x40, 0xFE, 0},
};

int PairWorth(int page, unsigned char lead, unsigned char trail) {
  for (const Region& r : kRegions)
    if (r.page == page && lead >= r.leadFirst && lead <= r.leadLast && trail >= r.trailFirst && trail <= r.trailLast)
      return r.worth;
  return -1;
}

// Marks and dots that may stand between letters.
constexpr bool JoinsLetters(char32_t c) { return c == 0x2019 || c == 0xB7 || c == 0x2010 || c == 0x30FB || c == 0xAD; }

struct Reading {
  long score = 0;
  long undefined = 0;
};

// How plausibly page `number` reads the bytes as menu text: letters count
// for it; words that mix scripts, change case inside, are all accents or
// hold symbols count against it.
Reading Read(int number, std::string_view bytes) {
  int index = -1;
  for (int k = 0; k < static_cast<int>(kTableCount); ++k)
    if (kTables[k].number == number) index = k;
  struct Item {
    char32_t c;
    CharClass cls;
    int worth;
  };
  std::vector<Item> items;
  items.reserve(bytes.size());
  Reading r;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto [c, n] = CharAt(index, bytes, i);
    const CharClass cls = ClassOf(c);
    int worth = 1;
    if (IsKept(c)) ++r.undefined;
    else if (n == 2 && index >= 0)
      worth = PairWorth(number, static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1]));
    else if (ScriptOf(c) == kHalfKana)
      worth = -1;
    if (c >= 0x80 && cls == kOdd) r.score -= 3;
    // Well-formed UTF-8 beyond ASCII hardly ever happens to other text.
    if (index < 0 && n > 1) r.score += 3;
    items.push_back({c, cls, worth});
    i += n;
  }
  // Letters beyond ASCII that the text holds, for the language check.
  std::vector<char32_t> latin;
  bool lineStart = true;
  for (std::size_t i = 0; i < items.size();) {
    const Item& it = items[i];
    if (!IsLetter(it.cls) && it.cls != kMark) {
      if (it.c == '\r' || it.c == '\n') lineStart = true;
      if (it.c >= 0x80 && it.cls == kSymbol && i > 0 && i + 1 < items.size() && IsLetter(items[i - 1].cls) &&
          IsLetter(items[i + 1].cls) && !JoinsLetters(it.c))
        r.score -= 3;
      ++i;
      continue;
    }
    // A word: letters and marks.
    std::size_t end = i;
    unsigned scripts = 0;
    long worth = 0, beyond = 0, latinBeyond = 0, letters = 0, breaks = 0, capitals = 0, smalls = 0;
    // A mark with no letter to sit on; a line that starts with a small
    // letter, which menu text hardly does.
    bool odd = it.cls == kMark || (lineStart && it.cls == kSmall && it.c >= 0x80);
    lineStart = false;
    for (; end < items.size() && (IsLetter(items[end].cls) || items[end].cls == kMark); ++end) {
      const Item& e = items[end];
      if (e.cls == kMark) continue;
      ++letters;
      const Script s = ScriptOf(e.c);
      scripts |= 1u << s;
      if (e.c >= 0x80) {
        ++beyond;
        worth += e.worth;
        if (s == kLatin) {
          ++latinBeyond;
          if (std::find(latin.begin(), latin.end(), e.c) == latin.end()) latin.push_back(e.c);
        }
      }
      // Case as words have it: all small, all capitals, or one capital first.
      if (e.cls == kCapital) {
        if (smalls) ++breaks;
        ++capitals;
      } else if (e.cls == kSmall) {
        if (capitals > 1 && !smalls) ++breaks;
        ++smalls;
      }
      if (e.c == 0x3C2 && end + 1 < items.size() && IsLetter(items[end + 1].cls)) odd = true;  // final sigma
    }
    if (beyond) {
      if (Mixes(scripts)) worth = -2 * beyond;
      else if (latinBeyond == letters && letters > 1)
        worth = -latinBeyond;
      else if (scripts == 1u << kThai && end - i == 1)  // a Thai letter alone is no word
        worth = -1;
      r.score += worth - 2 * breaks - (odd ? 2 : 0);
    }
    i = end;
  }
  if (number != 65001) r.score -= LanguageCost(number, latin);
  return r;
}

}  // namespace

int GuessCodePage(std::string_view bytes, int preferred) {
  if (!CodePage::Get(preferred)) preferred = 1252;
  if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }))
    return preferred;
  // Each undefined byte outweighs a few plausible words.
  const auto total = [&](int number) {
    const Reading r = Read(number, bytes);
    return std::pair(r.score - 20 * r.undefined, -r.undefined);
  };
  int best = preferred;
  auto bestTotal = total(preferred);
  for (int number : CodePage::Offered()) {
    if (number == preferred) continue;
    const auto t = total(number);
    if (t > bestTotal) best = number, bestTotal = t;
  }
  if (best != preferred && CodePage::Get(best)->ToText(bytes) == CodePage::Get(preferred)->ToText(bytes))
    return preferred;
  return best;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  // Characters taken to their capitals; a byte that is not UTF-8 as itself,
  // apart from every character.
  const auto next = [](std::string_view s, std::size_t& i) -> char32_t {
    if (const auto c = NextUtf8(s, i)) return Capital(*c);
    return 0x110000 + static_cast<unsigned char>(s[i++]);
  };
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (next(a, i) != next(b, j)) return false;
  return i == a.size() && j == b.size();
}

}  // namespace tavlin
