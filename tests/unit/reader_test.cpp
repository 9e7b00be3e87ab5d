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

std::string Quote(const std::optional<std::string>& v) {
  if (!v) return "(unset)";
  std::string out = "\"";
  for (unsigned char c : *v) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (c == '"' || c == '\\') out += std::string("\\") + static_cast<char>(c);
    else if (c >= 0x20 && c < 0x7F)
      out += static_cast<char>(c);
    else
      out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
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
    else if (f == MenuField::TitleColorIndex)
      v = r.v.TitleColorIndex;
    else if (f == MenuField::MenuTitle)
      v = r.v.MenuTitle;
    else
      v = *m.Setting(f);
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

TEST(ReaderMissingFile, AMissingFolderOrUnreadableFileLeavesEverythingUnset) {
  const std::string unset = FileBytes(TAVLIN_SOURCE_DIR "/tests/unit/reader/empty.txt");
  for (int kind = 0; kind < 3; ++kind) {
    FakePlatform p;
    if (kind == 1) p.AddFolder("tavlin.ini");
    if (kind == 2) p.AddFile("tavlin.ini", MenuFile::Example().Text(), {.unreadable = true});
    Read r;
    r.v = ReadMenuDefinition(p, r.m);
    EXPECT_EQ(Dump(r), unset) << kind;
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

// --- the item count: generated files too large for fixtures --------------------

MenuFile WithItems(const std::string& count, int blocks) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = count;
  f.items.clear();
  for (int k = 1; k <= blocks; ++k)
    f.items.push_back({"Item " + std::to_string(k), "p" + std::to_string(k), "f", "b", "i", "d"});
  return f;
}

// The count's number rule is the numbers' tests', small counts are fixtures;
// here, counts beyond the blocks and beyond the table.
TEST(ReaderCount, AHugeCountReadsWhatIsThereAndAThousandItemsAtMost) {
  for (const char* count : {"2147483648", "99999999999999999999999", "1000.5"}) {
    const Read r = ReadText(WithItems(count, 3).Text());
    EXPECT_EQ(r.m.ItemName.Get(3), "Item 3") << count;
    EXPECT_EQ(r.m.ItemName.Get(4), "") << count;
  }
  for (int count : {1001, 1500}) {
    const Read r = ReadText(WithItems(std::to_string(count), count).Text());
    EXPECT_EQ(r.m.ItemName.Get(1000), "Item 1000") << count;
    EXPECT_EQ(r.m.ItemPath.Get(1000), "p1000") << count;
    EXPECT_FALSE(r.m.ItemName.Get(1001).has_value()) << count;  // no such slot
    EXPECT_EQ(r.m.ItemName.Get(0), "") << count;
  }
}

TEST(ReaderValues, AHugeLineKeepsItsStartAndTheNextLinesStillRead) {
  MenuFile f = MenuFile::Example();
  f.items[0].description = std::string(3 * 1024 * 1024, 'D');
  const Read r = ReadText(f.Text());
  EXPECT_EQ(r.m.ItemDescription.Get(1)->size(), LineReader::kMaxLineLength);
  EXPECT_EQ(r.m.ItemName.Get(2), "Read me");
  EXPECT_EQ(r.m.ItemDescription.Get(2), "Notes on the disc.");
}

}  // namespace
}  // namespace tavlin
