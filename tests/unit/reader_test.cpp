// The menu definition reader: what an author's file, well or badly written,
// puts into the menu table and the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "check/menu_check.h"
#include "menu/menu_definition.h"
#include "menu/words.h"
#include "menu_file.h"
#include "platform/fake/fake_platform.h"

namespace tavlin {
namespace {

using test::MenuFile;

// What the reader made of a file, as text: the header values by name, then
// every slot of the table that holds anything. Values are shown as the
// checker shows them, control bytes spelled out.
std::string Dump(Module1 m, const MenuStartValues& v) {
  const auto quote = [](const std::optional<std::string>& s) { return s ? EscapedValue(*s, SIZE_MAX) : "(unset)"; };
  const std::map<MenuField, std::optional<std::string>> start = {{MenuField::ItemCount, v.ItemCount},
                                                                 {MenuField::TitleColorIndex, v.TitleColorIndex},
                                                                 {MenuField::MenuTitle, v.MenuTitle}};
  std::string out;
  for (MenuField f : kHeaderFields)
    out += std::string(FieldName(f)) + ": " + quote(start.count(f) ? start.at(f) : *m.Setting(f)) + "\n";
  for (int k = 0; k <= kMaxMenuItems; ++k) {
    std::string row;
    bool any = false;
    for (MenuField f : kItemFields) {
      row += " " + quote(m.Items(f).Get(k));
      any = any || !m.Items(f).Get(k)->empty();
    }
    if (any) out += "item " + std::to_string(k) + ":" + row + "\n";
  }
  return out;
}

std::string Read(const std::string& text) {
  Module1 m;
  auto reader = LineReaderFromString(text);
  const MenuStartValues v = ReadMenuDefinition(reader.get(), m);
  return Dump(m, v);
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Fixture files beside the text of what the reader makes of them, compared
// whole: tests/unit/reader/NAME.ini and NAME.txt.
TEST(Reader, FixtureFilesReadAsTheirTextSays) {
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TAVLIN_SOURCE_DIR "/tests/unit/reader")) {
    if (entry.path().extension() != ".ini") continue;
    const auto expected = std::filesystem::path(entry.path()).replace_extension(".txt");
    EXPECT_EQ(Read(FileBytes(entry.path())), FileBytes(expected)) << entry.path().filename();
    ++compared;
  }
  EXPECT_GE(compared, 10);
}

// Looked up in the current directory only; missing there, a folder, or
// unreadable, it leaves everything unset.
TEST(Reader, AMenuFileNotThereOrUnreadableLeavesEverythingUnset) {
  const std::string unset = FileBytes(TAVLIN_SOURCE_DIR "/tests/unit/reader/empty.txt");
  for (int kind = 0; kind < 3; ++kind) {
    FakePlatform p;
    p.AddFile("C:\\program\\tavlin.ini", MenuFile::Example().Text());
    p.SetProgramFolder("C:\\program");
    p.SetCurrentDirectory("C:\\elsewhere");
    if (kind == 1) p.AddFolder("tavlin.ini");
    if (kind == 2) p.AddFile("tavlin.ini", MenuFile::Example().Text(), {.unreadable = true});
    Module1 m;
    const auto file = p.OpenForInput(kMenuDefinitionFile);  // as the main window opens it
    const MenuStartValues v = ReadMenuDefinition(file.get(), m);
    EXPECT_EQ(Dump(m, v), unset) << kind;
  }
}

// Small counts are fixtures; here, a count beyond the table.
TEST(Reader, AThousandItemsAtMost) {
  MenuFile f = MenuFile::Example();
  f.Line(2) = "1001";
  f.items.clear();
  for (int k = 1; k <= 1001; ++k) f.items.push_back({"Item " + std::to_string(k), "p", "f", "b", "i", "d"});
  const std::string read = Read(f.Text());
  EXPECT_NE(read.find("\nitem 1000: \"Item 1000\""), std::string::npos) << read.substr(read.size() - 200);
}

}  // namespace
}  // namespace tavlin
