// The editor's document: bytes that survive, values where the program reads
// them, item blocks that move whole, and undo.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/menu_document.h"
#include "menu/menu_definition.h"
#include "menu_file.h"

namespace tavlin {
namespace {

using test::MenuFile;

std::string Saved(const MenuDocument& d) { return d.Encode().bytes.value_or("<refused>"); }

// What the program makes of the saved file.
Module1 ReadBack(const MenuDocument& d) {
  Module1 m;
  auto reader = LineReaderFromString(Saved(d));
  ReadMenuDefinition(reader.get(), m);
  return m;
}

// Written out line by line around a changed line, each line keeps its end.
TEST(MenuDocument, UnchangedBytesComeBackAsTheyWere) {
  static constexpr char kControls[] = "n\0ul\r\r\n\n\xE9\x81\xFF";
  for (const std::string& bytes :
       {std::string(""), std::string("a\r\nb\nc\rd"), std::string("\xEF\xBB\xBF\x31\r\n2\r\n"),
        std::string(kControls, sizeof kControls - 1), "a\r\n" + std::string(70000, 'x') + "\r\nb"}) {
    EXPECT_EQ(Saved(MenuDocument(bytes)), bytes);
    MenuDocument changed(bytes);
    if (changed.LineCount() < 2) continue;
    changed.SetLine(1, changed.Text(1) + "!");
    const std::size_t cut = bytes.find_first_of("\r\n");
    EXPECT_EQ(Saved(changed), bytes.substr(0, cut) + "!" + bytes.substr(cut));
  }
}

TEST(MenuDocument, AValueBeyondTheEndPadsInTheFilesOwnLineEnd) {
  MenuDocument d("note\n2");
  d.Set(MenuField::MenuTitle, "Title");
  EXPECT_EQ(Saved(d), "note\n2\n" + std::string(8, '\n') + "Title\n");
  MenuDocument fresh;
  fresh.Set(MenuField::ItemCount, "0");
  EXPECT_EQ(Saved(fresh), "\r\n0\r\n");
}

TEST(MenuDocument, ValuesLandWhereTheProgramReadsThemAndItemBlocksMoveWhole) {
  MenuFile f = MenuFile::Example();
  f.items.push_back({"Third", "c", "c.txt", "Go", "i3", "d3"});
  f.Line(2) = "3";
  MenuDocument d(f.Text() + "tail note\r\n");
  const auto names = [&] {
    const Module1 m = ReadBack(d);
    std::string s;
    for (long long k = 1; k <= d.Items(); ++k) s += m.ItemName.Get(k).value() + "|" + m.ItemPath.Get(k).value() + ";";
    return s;
  };
  EXPECT_EQ(d.Items(), 3);
  EXPECT_EQ(d.Value(MenuField::ItemFile, 2), "readme.txt");
  d.Set(MenuField::ItemDescription, 2, "two\r\nlines");
  EXPECT_EQ(ReadBack(d).ItemDescription.Get(2), "twolines");
  ASSERT_TRUE(d.MoveItem(3, 1));
  EXPECT_EQ(names(), "Third|c;Install|setup;Read me|docs;");
  EXPECT_EQ(d.Text(23), "-- item 3");  // the notes go with their block
  EXPECT_EQ(d.RoleOf(23).kind, LineRole::Kind::Ignored);
  ASSERT_TRUE(d.DuplicateItem(2));
  EXPECT_EQ(names(), "Third|c;Install|setup;Install|setup;Read me|docs;");
  ASSERT_TRUE(d.RemoveItem(1));
  ASSERT_TRUE(d.AddItem());
  EXPECT_EQ(names(), "Install|setup;Install|setup;Read me|docs;|;");
  EXPECT_EQ(d.Value(MenuField::ItemCount), "4");
  EXPECT_EQ(d.Text(d.LineCount()), "tail note");
  EXPECT_FALSE(d.MoveItem(1, 5));
  EXPECT_FALSE(d.RemoveItem(0));
  while (d.Undo()) {}
  EXPECT_EQ(Saved(d), f.Text() + "tail note\r\n");
}

TEST(MenuDocument, ABlockCutShortIsMadeWholeBeforeItMoves) {
  MenuDocument d(MenuFile::Example().FirstLines(34));  // item 2 ends after its file
  ASSERT_TRUE(d.MoveItem(2, 1));
  const Module1 m = ReadBack(d);
  EXPECT_EQ(m.ItemFile.Get(1), "readme.txt");
  EXPECT_EQ(m.ItemName.Get(2), "Install");
  EXPECT_EQ(d.LineCount(), 38);
}

TEST(MenuDocument, TypingIsOneChangeAndSavingMarksTheState) {
  MenuDocument d(MenuFile::Example().Text());
  EXPECT_FALSE(d.Modified());
  d.Set(MenuField::MenuTitle, "W");
  d.Set(MenuField::MenuTitle, "Wo");
  d.MarkSaved();
  d.Set(MenuField::MenuTitle, "Wow");
  EXPECT_TRUE(d.Modified());
  d.Undo();
  EXPECT_FALSE(d.Modified());
  EXPECT_EQ(d.Value(MenuField::MenuTitle), "Wo");
  d.Undo();
  EXPECT_EQ(d.Value(MenuField::MenuTitle), "Welcome to the disc");
  EXPECT_FALSE(d.CanUndo());
  d.Redo();
  d.Set(MenuField::PathCaption, "x");  // a new change drops what could be redone
  EXPECT_FALSE(d.CanRedo());
}

}  // namespace
}  // namespace tavlin

namespace tavlin {
namespace {

std::string FileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Catches a code page that changes a byte it only had to show: every menu of
// the corpora, in every code page, and after a switch to each other one,
// comes back byte for byte, and typing a line's own text changes nothing.
TEST(MenuDocument, EveryMenuInEveryCodePageComesBackByteForByte) {
  int menus = 0;
  for (const char* dir : {"tests/fuzz/corpus/menu", "tests/fuzz/corpus/check", "tests/unit/reader"}) {
    for (const auto& e : std::filesystem::directory_iterator(std::string(TAVLIN_SOURCE_DIR "/") + dir)) {
      const std::string bytes = FileBytes(e.path());
      for (int page : CodePage::Offered()) {
        MenuDocument d(bytes, page);
        EXPECT_TRUE(d.SetCodePage(page == 1252 ? 932 : 1252));
        for (long long n = 1; n <= d.LineCount(); ++n) d.SetLine(n, d.Text(n));
        EXPECT_FALSE(d.Modified()) << e.path() << " " << page;
        EXPECT_EQ(Saved(d), bytes) << e.path() << " " << page;
      }
      ++menus;
    }
  }
  EXPECT_GE(menus, 30);
}

// Catches a switch that rewrites the bytes, a typed letter that the first
// code page lacked being lost instead of saved in the right one, and the
// editor's quick refusal check disagreeing with what Save refuses.
TEST(MenuDocument, SwitchingTheCodePageReadsTheSameBytesAgain) {
  MenuFile f = MenuFile::Example();
  f.Line(11) = "\xC4\xE8\xF1\xEA";  // "Диск" in Windows-1251
  MenuDocument d(f.Text(), 1252);
  EXPECT_EQ(d.Value(MenuField::MenuTitle), "\xC3\x84\xC3\xA8\xC3\xB1\xC3\xAA");  // "Äèñê"
  d.Set(MenuField::ApplicationCaption, "\xD0\x9F\xD1\x80\xD0\xBE");              // "Про"
  EXPECT_EQ(d.Encode().line, LineOf(MenuField::ApplicationCaption));
  EXPECT_EQ(d.Refusal().line, LineOf(MenuField::ApplicationCaption));
  EXPECT_EQ(d.Refusal().character, "\xD0\x9F");
  ASSERT_TRUE(d.SetCodePage(1251));
  EXPECT_EQ(d.Refusal().line, 0);
  EXPECT_EQ(d.Value(MenuField::MenuTitle), "\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA");
  f.Line(14) = "\xCF\xF0\xEE";
  EXPECT_EQ(Saved(d), f.Text());
  EXPECT_FALSE(d.SetCodePage(437));
}

// Caught by the fuzzer: a line made empty at the end, or an empty line ended
// by LF after a lone CR, was read back as no line at all.
TEST(MenuDocument, NoEditMakesALineVanish) {
  MenuDocument last("a\r\nb", 1252);
  last.SetLine(2, "");
  EXPECT_EQ(Saved(last), "a\r\n\r\n");
  MenuDocument afterCr("a\nb\r", 1252);
  afterCr.SetLine(4, "d");
  EXPECT_EQ(Saved(afterCr), "a\nb\r\r\nd\n");
}

}  // namespace
}  // namespace tavlin
