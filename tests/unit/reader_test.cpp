// The menu definition reader: what an author's file, well or badly written,
// puts into the menu table and the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

std::string Quote(const std::optional<std::string>& v) {
  if (!v) return "(unset)";
  std::string out = "\"";
  for (unsigned char c : *v) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (c == '"' || c == '\\') out += std::string("\\") + static_cast<char>(c);
    else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
  }
  return out + "\"";
}

// What the reader made of a file, as text: the header values by name, then
// every slot of the table that holds anything.
std::string Dump(const Read& r) {
  Module1 m = r.m;
  std::string out;
  for (MenuField f : kHeaderFields) {
    std::optional<std::string> v;
    if (f == MenuField::ItemCount) v = r.v.ItemCount;
    else if (f == MenuField::TitleColorIndex) v = r.v.TitleColorIndex;
    else if (f == MenuField::MenuTitle) v = r.v.MenuTitle;
    else v = *m.Setting(f);
    out += std::string(FieldName(f)) + ": " + Quote(v) + "\n";
  }
  for (int k = 0; k <= kMaxMenuItems; ++k) {
    std::string row;
    bool any = false;
    for (MenuField f : kItemFields) {
      const auto v = m.Items(f).Get(k);
      any = any || !v->empty();
      row += " " + Quote(v);
    }
    if (any) out += "item " + std::to_string(k) + ":" + row + "\n";
  }
  return out;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Fixture files beside the text of what the reader makes of them, compared
// whole: tests/unit/reader/NAME.ini and NAME.txt.
TEST(Reader, FixtureFilesReadAsTheirTextSays) {
  const std::filesystem::path dir = TAVLIN_SOURCE_DIR "/tests/unit/reader";
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".ini") continue;
    const auto expected = std::filesystem::path(entry.path()).replace_extension(".txt");
    const std::string got = Dump(ReadText(FileBytes(entry.path())));
    EXPECT_TRUE(std::filesystem::exists(expected)) << expected << " is missing; the reader gives:\n" << got;
    EXPECT_EQ(got, FileBytes(expected)) << entry.path().filename();
    ++compared;
  }
  EXPECT_GE(compared, 10);
}

TEST(Reader, TheBundledExampleDiscReadsAsTheExampleFixture) {
  const Read r = ReadText(FileBytes(TAVLIN_SOURCE_DIR "/examples/disc/tavlin.ini"));
  EXPECT_EQ(Dump(r), FileBytes(TAVLIN_SOURCE_DIR "/tests/unit/reader/example.txt"));
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

// --- the item count ----------------------------------------------------------------

MenuFile WithItems(const std::string& count, int blocks) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = count;
  f.items.clear();
  for (int k = 1; k <= blocks; ++k)
    f.items.push_back({"Item " + std::to_string(k), "p" + std::to_string(k), "f", "b", "i", "d"});
  return f;
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

TEST(ReaderValues, AHugeLineKeepsItsStartAndTheNextLinesStillRead) {
  MenuFile f = MenuFile::Example();
  f.items[0].description = std::string(3 * 1024 * 1024, 'D');
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.ItemDescription.Get(1)->size(), LineReader::kMaxLineLength);
  ExpectItem(r.m, 2, f.items[1]);
}

}  // namespace
}  // namespace tavlin
