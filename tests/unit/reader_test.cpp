// The menu definition reader: what an author's file, well or badly written,
// puts into the menu table and the settings.
#include <gtest/gtest.h>

#include <cstdio>

#include "menu/menu_definition.h"
#include "menu_file.h"
#include "platform/fake/fake_platform.h"

namespace tavlin {
namespace {

using test::MenuFile;
using test::MenuItem;

struct Read {
  Module1 m;
  MenuStartValues v;
};

Read ReadText(const std::string& text) {
  Read r;
  auto reader = LineReaderFromString(text);
  r.v = ReadMenuDefinition(reader.get(), r.m);
  return r;
}

void ExpectItem(const Module1& m, int k, const MenuItem& want) {
  SCOPED_TRACE("item " + std::to_string(k));
  EXPECT_EQ(m.ItemName.Get(k), want.name);
  EXPECT_EQ(m.ItemPath.Get(k), want.path);
  EXPECT_EQ(m.ItemFile.Get(k), want.file);
  EXPECT_EQ(m.ItemButtonCaption.Get(k), want.buttonCaption);
  EXPECT_EQ(m.ItemInformation.Get(k), want.information);
  EXPECT_EQ(m.ItemDescription.Get(k), want.description);
}

void ExpectSlotEmpty(const Module1& m, int k) { ExpectItem(m, k, MenuItem{}); }

TEST(Reader, ExampleFileFillsSettingsAndTable) {
  const MenuFile f = MenuFile::Example();
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.v.ItemCount, "2");
  EXPECT_EQ(r.v.TitleColorIndex, "14");
  EXPECT_EQ(r.v.MenuTitle, "Welcome to the disc");
  EXPECT_EQ(r.m.LabelColorFlag, "yes");
  EXPECT_EQ(r.m.ApplicationCaption, "Application");
  EXPECT_EQ(r.m.PathCaption, "Folder");
  EXPECT_EQ(r.m.FilenameCaption, "x");
  EXPECT_EQ(r.m.InformationCaption, "Information");
  EXPECT_EQ(r.m.DescriptionCaption, "Description");
  EXPECT_EQ(r.m.DefaultDescription, "Choose an item from the list.");
  ExpectItem(r.m, 1, f.items[0]);
  ExpectItem(r.m, 2, f.items[1]);
  ExpectSlotEmpty(r.m, 0);
  ExpectSlotEmpty(r.m, 3);
}

TEST(Reader, TheBundledExampleDiscReadsAsDocumented) {
  FILE* in = std::fopen(TAVLIN_SOURCE_DIR "/examples/disc/tavlin.ini", "rb");
  ASSERT_NE(in, nullptr);
  std::string bytes;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) bytes.append(buf, n);
  std::fclose(in);
  const Read r = ReadText(bytes);
  EXPECT_EQ(r.v.ItemCount, "2");
  EXPECT_EQ(r.v.TitleColorIndex, "14");
  EXPECT_EQ(r.m.FilenameCaption, "x");
  EXPECT_EQ(r.m.ItemName.Get(1), "Install");
  EXPECT_EQ(r.m.ItemName.Get(2), "Read me");
  EXPECT_EQ(r.m.ItemPath.Get(2), "docs");
  EXPECT_EQ(r.m.ItemFile.Get(2), "readme.txt");
}

// --- the file is not there, or cannot be read ---------------------------------

TEST(ReaderMissingFile, LeavesEverythingEmptyAndUnset) {
  FakePlatform p;
  Module1 m;
  const MenuStartValues v = ReadMenuDefinition(p, m);
  EXPECT_FALSE(v.ItemCount.has_value());
  EXPECT_FALSE(v.TitleColorIndex.has_value());
  EXPECT_FALSE(v.MenuTitle.has_value());
  for (const std::string* s : {&m.LabelColorFlag, &m.ApplicationCaption, &m.PathCaption, &m.FilenameCaption,
                               &m.InformationCaption, &m.DescriptionCaption, &m.DefaultDescription})
    EXPECT_EQ(*s, "");
  ExpectSlotEmpty(m, 1);
  EXPECT_EQ(p.LogOf("OpenForInput"), std::vector<std::string>{"OpenForInput tavlin.ini"});
}

TEST(ReaderMissingFile, AFolderOrAnUnreadableFileReadsAsMissing) {
  for (bool folder : {true, false}) {
    FakePlatform p;
    if (folder) p.AddFolder("tavlin.ini");
    else
      p.AddFile("tavlin.ini", MenuFile::Example().Text(), {.unreadable = true});
    Module1 m;
    const MenuStartValues v = ReadMenuDefinition(p, m);
    EXPECT_FALSE(v.ItemCount.has_value()) << folder;
    EXPECT_EQ(m.ItemName.Get(1), "") << folder;
  }
}

TEST(ReaderMissingFile, IsLookedUpInTheCurrentDirectoryOnly) {
  FakePlatform p;
  p.AddFile("C:\\program\\tavlin.ini", MenuFile::Example().Text());
  p.SetProgramFolder("C:\\program");
  p.SetCurrentDirectory("C:\\elsewhere");
  Module1 m;
  EXPECT_FALSE(ReadMenuDefinition(p, m).ItemCount.has_value());
  p.SetCurrentDirectory("C:\\program");
  EXPECT_EQ(ReadMenuDefinition(p, m).ItemCount, "2");
}

// --- short files ----------------------------------------------------------------

TEST(ReaderShortFile, FewerThanTwoLinesLeavesTheCountUnset) {
  const Read r = ReadText("only line 1\r\n");
  EXPECT_FALSE(r.v.ItemCount.has_value());
  EXPECT_FALSE(r.v.TitleColorIndex.has_value());
}

TEST(ReaderShortFile, FourLinesGiveACountButNoColour) {
  MenuFile f = MenuFile::Example();
  const Read r = ReadText(f.FirstLines(4));
  EXPECT_EQ(r.v.ItemCount, "2");
  EXPECT_FALSE(r.v.TitleColorIndex.has_value());
  EXPECT_FALSE(r.v.MenuTitle.has_value());
  EXPECT_EQ(r.m.DefaultDescription, "");
  ExpectSlotEmpty(r.m, 1);
}

TEST(ReaderShortFile, CutInsideABlockKeepsWhatWasRead) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = "3";
  f.items.push_back({"Third", "t", "t.exe", "Go", "i", "d"});
  // Line 34 is item 2's file line: the block is cut after it.
  const Read r = ReadText(f.FirstLines(34));
  ExpectItem(r.m, 1, f.items[0]);
  ExpectItem(r.m, 2, {"Read me", "docs", "readme.txt", "", "", ""});
  ExpectSlotEmpty(r.m, 3);
  EXPECT_EQ(r.v.ItemCount, "3");  // item 3 still counts for the list
}

TEST(ReaderShortFile, LastLineWithoutLineEndIsRead) {
  MenuFile f = MenuFile::Example();
  std::string text = f.FirstLines(27);
  text += "Version 1.0";  // line 28, no line end
  const Read r = ReadText(text);
  EXPECT_EQ(r.m.ItemInformation.Get(1), "Version 1.0");
  EXPECT_EQ(r.m.ItemDescription.Get(1), "");
}

TEST(ReaderShortFile, EmptyFileReadsNothing) {
  const Read r = ReadText("");
  EXPECT_FALSE(r.v.ItemCount.has_value());
  EXPECT_FALSE(r.v.MenuTitle.has_value());
}

// --- line ends and blank lines -----------------------------------------------------

TEST(ReaderLineEnds, LoneCrCrLfAndLoneLfReadTheSame) {
  MenuFile f = MenuFile::Example();
  const Read crlf = ReadText(f.Text());
  for (const char* eol : {"\r", "\n"}) {
    f.eol = eol;
    const Read r = ReadText(f.Text());
    EXPECT_EQ(r.v.MenuTitle, crlf.v.MenuTitle);
    EXPECT_EQ(r.m.DefaultDescription, crlf.m.DefaultDescription);
    ExpectItem(r.m, 2, MenuFile::Example().items[1]);
  }
}

TEST(ReaderLineEnds, MixedLineEndsInOneFile) {
  MenuFile f = MenuFile::Example();
  // No blank lines here: a lone CR before a blank line's LF is a CR LF.
  for (auto& line : f.header)
    if (line.empty()) line = "note";
  auto lines = f.Lines();
  for (auto& line : lines)
    if (line.empty()) line = "note";
  const char* ends[] = {"\r\n", "\r", "\n"};
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i] + ends[i % 3];
  const Read r = ReadText(text);
  EXPECT_EQ(r.v.MenuTitle, "Welcome to the disc");
  ExpectItem(r.m, 2, f.items[1]);
}

TEST(ReaderLineEnds, BlankLinesCountAndGiveEmptyValues) {
  MenuFile f = MenuFile::Example();
  f.Line(15) = "";
  f.items[0].file = "";
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.PathCaption, "");  // a caption, not the hide marker
  EXPECT_EQ(r.m.ItemFile.Get(1), "");
  EXPECT_EQ(r.m.ItemButtonCaption.Get(1), "Install now");  // numbering did not slip
}

TEST(ReaderLineEnds, ByteOrderMarkBelongsToTheIgnoredFirstLine) {
  const Read r = ReadText("\xEF\xBB\xBF" + MenuFile::Example().Text());
  EXPECT_EQ(r.v.ItemCount, "2");
  EXPECT_EQ(r.m.ItemName.Get(1), "Install");
}

// --- the item count ----------------------------------------------------------------

MenuFile WithItems(const std::string& count, int blocks) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = count;
  f.items.clear();
  for (int k = 1; k <= blocks; ++k)
    f.items.push_back({"Item " + std::to_string(k), "p" + std::to_string(k), "f", "b", "i", "d"});
  return f;
}

TEST(ReaderCount, ZeroGivesAnEmptyTableButEverySetting) {
  const Read r = ReadText(WithItems("0", 2).Text());
  ExpectSlotEmpty(r.m, 1);
  EXPECT_EQ(r.m.DefaultDescription, "Choose an item from the list.");
  EXPECT_EQ(r.v.MenuTitle, "Welcome to the disc");
}

TEST(ReaderCount, NegativeOrNotANumberReadsNoItem) {
  for (const char* count : {"-1", "-0", "", "abc", "1e3", "0x10", "  12abc", "+2", "2,5"}) {
    const Read r = ReadText(WithItems(count, 3).Text());
    EXPECT_EQ(r.m.ItemName.Get(1), "") << '"' << count << '"';
    ExpectSlotEmpty(r.m, 0);
  }
}

TEST(ReaderCount, FractionCountsAsItsWholePartAndBlanksAreAccepted) {
  for (const char* count : {"2.9", " 2 ", "\t2", "2.0", "02"}) {
    const Read r = ReadText(WithItems(count, 3).Text());
    EXPECT_EQ(r.m.ItemName.Get(2), "Item 2") << '"' << count << '"';
    EXPECT_EQ(r.m.ItemName.Get(3), "") << '"' << count << '"';
  }
}

TEST(ReaderCount, MoreThanTheFileHoldsLeavesEmptyItems) {
  const Read r = ReadText(WithItems("5", 3).Text());
  EXPECT_EQ(r.m.ItemName.Get(3), "Item 3");
  ExpectSlotEmpty(r.m, 4);
}

TEST(ReaderCount, AtMostOneThousandItemsAreStored) {
  for (int count : {1001, 1500}) {
    const Read r = ReadText(WithItems(std::to_string(count), count).Text());
    EXPECT_EQ(r.m.ItemName.Get(1000), "Item 1000") << count;
    EXPECT_EQ(r.m.ItemPath.Get(1000), "p1000") << count;
    EXPECT_FALSE(r.m.ItemName.Get(1001).has_value()) << count;  // no such slot
    ExpectSlotEmpty(r.m, 0);
  }
}

TEST(ReaderCount, AHugeCountReadsTheThousandSlotsAndStops) {
  for (const char* count : {"2147483648", "99999999999999999999999", "1000.5"}) {
    const Read r = ReadText(WithItems(count, 3).Text());
    EXPECT_EQ(r.m.ItemName.Get(3), "Item 3") << count;
    EXPECT_EQ(r.m.ItemName.Get(1000), "") << count;
  }
}

// --- values are bytes, exactly as written ------------------------------------------

TEST(ReaderValues, NothingIsTrimmedUnquotedOrInterpreted) {
  MenuFile f = MenuFile::Example();
  f.Line(15) = " x";
  f.Line(14) = "  Application  ";
  f.items[0].name = "\"Quoted\" [x] a=b; c";
  f.items[0].path = "setup ";
  f.items[0].file = "setup.exe /silent \"C:\\a b\"";
  f.items[1].description = "\t tab\t";
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.PathCaption, " x");
  EXPECT_EQ(r.m.ApplicationCaption, "  Application  ");
  EXPECT_EQ(r.m.ItemName.Get(1), "\"Quoted\" [x] a=b; c");
  EXPECT_EQ(r.m.ItemPath.Get(1), "setup ");
  EXPECT_EQ(r.m.ItemFile.Get(1), "setup.exe /silent \"C:\\a b\"");
  EXPECT_EQ(r.m.ItemDescription.Get(2), "\t tab\t");
}

TEST(ReaderValues, AnsiBytesAndNulBytesStayAsTheyAre) {
  MenuFile f = MenuFile::Example();
  f.items[0].name = "Caf\xE9 \xA9";
  f.items[1].name = std::string("a\0b", 3);
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.ItemName.Get(1), "Caf\xE9 \xA9");
  EXPECT_EQ(r.m.ItemName.Get(2), std::string("a\0b", 3));
}

TEST(ReaderValues, TextAfterTheLastBlockIsIgnored) {
  MenuFile f = MenuFile::Example();
  std::string text = f.Text() + "-- item 3\r\nGhost\r\nghost\r\nghost.exe\r\n";
  const Read r = ReadText(text);
  ExpectSlotEmpty(r.m, 3);
}

TEST(ReaderValues, AHugeLineKeepsItsStartAndTheNextLinesStillRead) {
  MenuFile f = MenuFile::Example();
  f.items[0].description = std::string(3 * 1024 * 1024, 'D');
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.ItemDescription.Get(1)->size(), LineReader::kMaxLineLength);
  ExpectItem(r.m, 2, f.items[1]);
}

}  // namespace
}  // namespace tavlin
