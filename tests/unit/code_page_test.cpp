// Windows' code pages as the authors' tools read and write them: bytes that
// survive, characters refused rather than replaced, cuts, the guess.
#include <gtest/gtest.h>

#include <random>

#include "base/code_page.h"

namespace tavlin {
namespace {

const CodePage& Page(int number) { return *CodePage::Get(number); }

// Bytes that do not come back as they were (a lost undefined byte, a pair
// split or joined, a table read one row off) and cuts inside a character.
TEST(CodePage, EveryByteSequenceSurvivesTextAndCutsKeepCharactersWhole) {
  std::mt19937 random(7);
  for (int number : CodePage::Offered()) {
    const CodePage& page = Page(number);
    std::vector<std::string> samples;
    for (int b = 0; b < 256; ++b) samples.push_back(std::string(1, static_cast<char>(b)) + "@");
    if (page.MaxCharLength() > 1)
      for (int lead = 0x80; lead < 0x100; ++lead) {
        std::string row;
        for (int trail = 0; trail < 256; ++trail) row += {static_cast<char>(lead), static_cast<char>(trail)};
        samples.push_back(row);
      }
    for (int n = 0; n < 200; ++n) {
      std::string bytes(random() % 12, '\0');
      for (char& b : bytes) b = static_cast<char>(random() % 3 ? 0x80 + random() % 128 : random() % 128);
      samples.push_back(bytes);
    }
    for (const std::string& bytes : samples) {
      const std::string text = page.ToText(bytes);
      const auto back = page.ToBytes(text);
      ASSERT_TRUE(back.bytes) << number << " at " << back.at << testing::PrintToString(bytes);
      // 932 and 950 give some characters twice: those go back to one pair.
      if (*back.bytes != bytes) {
        ASSERT_TRUE(page.DoubleByte() && page.ToText(*back.bytes) == text) << number;
      }
      std::string pieces;
      for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = page.CharLength(bytes, i);
        ASSERT_TRUE(n >= 1 && n <= static_cast<std::size_t>(page.MaxCharLength()) && i + n <= bytes.size());
        pieces += page.ToText(bytes.substr(i, n));
        i += n;
      }
      ASSERT_EQ(pieces, text) << number;
    }
  }
  EXPECT_EQ(Page(932).ToBytes(Page(932).ToText("\xFA\x40")).bytes, "\xEE\xEF");  // as the codec writes U+2170
  EXPECT_EQ(Page(1252).ToText("\x80\x81\xE9"), "€\uF781é");  // undefined bytes are kept, not C1 controls
  EXPECT_EQ(Page(932).ToText("\x82\xA0\x83\x4E\xB1"), "あクｱ");
  EXPECT_EQ(Page(65001).ToText("\xEF\x9E\x80\xC3"), "\uF7EF\uF79E\uF780\uF7C3");  // U+F780 itself is kept bytes
  EXPECT_EQ(Page(65001).CharLength("\xF0\x9F\x98\x80", 0), 4u);
}

// A look-alike written for a character the page lacks, a refusal that names
// the wrong place, and bytes that read back as something else.
TEST(CodePage, WhatAPageLacksIsRefusedWhereItStands) {
  const std::tuple<int, std::string, std::size_t, std::string> refused[] = {
      {1252, "Łódź", 0, "Ł"},
      {1251, "Café", 3, "é"},
      {1250, "Ieșire", 2, "ș"},       // comma below; the page has only ş
      {1252, "1 − 2", 2, "−"},        // not "-"
      {1252, "ok \xC3", 3, ""},       // not UTF-8
      {932, "\uF781@", 0, "\uF781"},  // the kept lead byte would take "@" as its trail
      {65001, "\uF7C3\uF7A9", 0, "\uF7C3"},
      {1251, "e\u0301", 1, "\u0301"},
  };
  for (const auto& [number, text, at, character] : refused) {
    const auto got = Page(number).ToBytes(text);
    EXPECT_FALSE(got.bytes) << number << ' ' << text;
    EXPECT_EQ(std::pair(got.at, got.character), std::pair(at, character)) << number << ' ' << text;
  }
  // Letters written as the page holds them: Vietnamese as letter and tone
  // mark, letters with separate marks (file names from macOS) precomposed.
  const std::tuple<int, std::string, std::string> written[] = {
      {1258, "Cài đặt chương trình", "C\xE0i \xF0\xE3\xF2t ch\xFD\xF5ng tri\xCCnh"},
      {1258, "ộ", "\xF4\xF2"},
      {1252, "e\u0301te\u0301", "\xE9t\xE9"},
      {1250, "c\u030C", "\xE8"},
      {932, "\uF785@", "\x85@"},    // 0x85 leads no pair, so "@" stays itself
      {950, "\u5345", "\xA4\xCA"},  // the codec's own choice among the pairs that read so
  };
  for (const auto& [number, text, bytes] : written) EXPECT_EQ(Page(number).ToBytes(text).bytes, bytes) << text;
}

// The guess on a few lines of menu text in each language: the page it
// chooses must read them as the one they were written in.
TEST(CodePage, GuessReadsMenuTextAsItWasWritten) {
  const std::pair<int, std::string> samples[] = {
      {1251, "Диск «Весна»\r\nУстановить программу\r\nПросмотр диска\r\nВыход"},
      {1251, "Встановити програму\r\nПереглянути диск, довідка\r\nВихід"},
      {1250, "Płyta «Wiosna»\r\nZainstaluj program\r\nPrzeglądaj zawartość płyty\r\nWyjście"},
      {1250, "Disk «Jaro»\r\nNainstalovat program\r\nPřečíst návod k použití\r\nUkončit"},
      {1250, "Telepítő indítása\r\nA lemez tartalmának böngészése\r\nKilépés"},
      {1253, "Δίσκος «Άνοιξη»\r\nΕγκατάσταση προγράμματος\r\nΈξοδος"},
      {1254, "Bahar diski\r\nProgramı yükle\r\nDiskin içeriğine göz at\r\nÇıkış"},
      {1255, "תקליטור «אביב»\r\nהתקנת התוכנה\r\nיציאה"},
      {1256, "قرص «الربيع»\r\nتثبيت البرنامج\r\nخروج"},
      {1257, "Diskas „Pavasaris“\r\nĮdiegti programą\r\nNaršyti disko turinį"},
      {1257, "Instalēt programmu\r\nPārlūkot diska saturu\r\nLietošanas pamācība"},
      {1258, "Đĩa «Mùa xuân»\r\nCài đặt chương trình\r\nThoát"},
      {874, "แผ่นดิสก์ฤดูใบไม้ผลิ\r\nติดตั้งโปรแกรม\r\nออก"},
      {932, "ディスク「春」\r\nプログラムをインストール\r\n説明書を読む\r\n終了"},
      {936, "光盘《春天》\r\n安装程序\r\n浏览光盘内容\r\n退出"},
      {950, "光碟《春天》\r\n安裝程式\r\n瀏覽光碟內容\r\n結束"},
      {949, "봄 디스크\r\n프로그램 설치\r\n디스크 내용 보기\r\n종료"},
      {1252, "Disque « Printemps »\r\nInstaller le programme\r\nQuitter"},
      {1252, "Frühlings-CD\r\nProgramm installieren\r\nBeenden"},
      {1252, "Installera programmet\r\nBläddra på skivan"},
      {1252, "Setup – Version 2.0 © 2024"},
      {65001, "Disque « Été »\r\nInstaller le programme"},
      {65001, "Установить программу"},
  };
  for (const auto& [number, text] : samples) {
    const std::string bytes = *Page(number).ToBytes(text).bytes;
    EXPECT_EQ(GuessCodePage(bytes, number), number) << text;
    for (int preferred : {1252, 936, 1250})
      EXPECT_EQ(Page(GuessCodePage(bytes, preferred)).ToText(bytes), Page(number).ToText(bytes))
          << text << " preferred " << preferred;
  }
  // Ties, ASCII and a number not offered; a page that leaves a byte undefined
  // loses to one that reads the rest the same.
  EXPECT_EQ(GuessCodePage("Ukon\xE8it", 1250), 1250);
  EXPECT_EQ(GuessCodePage("Ukon\xE8it", 1252), 1252);
  EXPECT_EQ(GuessCodePage("Install", 949), 949);
  EXPECT_EQ(GuessCodePage("Install", 437), 1252);
  EXPECT_NE(GuessCodePage("\xE9t\xE9 \x8D", 1252), 1252);
}

// A browser language that lands on the wrong code page, and the pages offered.
TEST(CodePage, LanguagesMapToTheirWindowsCodePage) {
  const std::pair<std::string_view, int> tags[] = {
      {"pl-PL", 1250}, {"ru", 1251},        {"zh-TW", 950},    {"zh-Hant", 950},     {"zh-HK", 950},  {"zh", 936},
      {"zh-CN", 936},  {"zh-Hans-HK", 936}, {"ja", 932},       {"ko-KR", 949},       {"th", 874},     {"vi", 1258},
      {"tr", 1254},    {"az-Latn", 1254},   {"az-Cyrl", 1251}, {"he", 1255},         {"fa-IR", 1256}, {"ur", 1256},
      {"lt", 1257},    {"el", 1253},        {"sr", 1251},      {"sr-Latn-RS", 1250}, {"bs", 1250},    {"uk_UA", 1251},
      {"kk", 1251},    {"en-US", 1252},     {"pt-BR", 1252},   {"hi", 1252},         {"", 1252},      {"p", 1252},
  };
  for (const auto& [tag, number] : tags) EXPECT_EQ(CodePageForLanguage(tag), number) << tag;
  for (int number : CodePage::Offered()) {
    const CodePage* page = CodePage::Get(number);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Number(), number);
    EXPECT_NE(page->Description().find(number == 65001 ? "worldwide language support" : page->Name()),
              std::string_view::npos);
    EXPECT_EQ(page->DoubleByte(), number == 932 || number == 936 || number == 949 || number == 950) << number;
  }
  EXPECT_EQ(CodePage::Offered().size(), 15u);
  EXPECT_FALSE(CodePage::Get(437));
}

// Names that Windows finds in other letter case, and names it does not.
TEST(CodePage, NamesCompareAsWindowsFoldsLetterCase) {
  const std::tuple<std::string, std::string, bool> names[] = {
      {"Setup.EXE", "setup.exe", true}, {"ДИСК", "диск", true},   {"ΈΞΟΔΟΣ", "έξοδος", true},   {"ÉTÉ", "été", true},
      {"ＡＢ", "ａｂ", true},           {"a\xFF", "A\xFF", true}, {"straße", "STRASSE", false}, {"i", "İ", false},
      {"a\xFF", "a\xFE", false},        {"ab", "abc", false},     {"Łódź", "łodź", false},
  };
  for (const auto& [a, b, same] : names) EXPECT_EQ(SameNameIgnoringCase(a, b), same) << a << " / " << b;
}

}  // namespace
}  // namespace tavlin
