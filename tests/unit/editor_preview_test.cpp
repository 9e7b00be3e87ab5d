// The editor's view of the program: the disc as the page hands it to the
// checker, and the main window as the preview shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "check/menu_check.h"
#include "editor/menu_document.h"
#include "editor/page_disc.h"
#include "editor/preview.h"
#include "menu/numbers.h"
#include "menu_file.h"

namespace tavlin {
namespace {

using test::MenuFile;

std::string FileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const ControlPreview& Control(const MainWindowPreview& w, std::string_view name) {
  for (const ControlPreview& c : w.controls)
    if (c.name == name) return c;
  throw std::logic_error("no " + std::string(name));
}

// Catches the menu checked instead of the one being edited, a menu file in
// other letter case listed twice, and a file read before the page loaded it
// going unnoticed (or noticed under a name the page does not know).
TEST(PageDisc, TheMenuBeingEditedStandsForTheDiscsAndUnloadedFilesAreAskedFor) {
  MenuFile f = MenuFile::Example();
  f.Line(16) = "File";
  const std::vector<PageEntry> listing = {{"TAVLIN.INI", false, 3},       {"setup", true, 0},
                                          {"setup/setup.exe", false, 10}, {"docs", true, 0},
                                          {"docs/readme.txt", false, 5},  {"menupic.jpg", false, 500},
                                          {"\xE4\xB8\xAD", true, 0},      {"\xE4\xB8\xAD/tavlin.wav", false, 9}};
  PageDisc disc(listing, {{"TAVLIN.INI", "0\r\n"}}, f.Text());
  const CheckReport r = CheckDisc(disc);
  EXPECT_EQ(r.items, 2);
  std::string said;
  for (const Finding& x : r.findings) said += x.file + ": " + x.message + "\n";
  EXPECT_EQ(said,
            "tavlin.ini: found only as \"TAVLIN.INI\" (other letter case), which a case-sensitive disc or "
            "stick will not find\ntavlin.ini: the disc's root holds \"<U+4E2D>\", which Windows-1252 cannot "
            "write: no line of the menu can name it\nmenupic.jpg: cannot be read: the built-in background stays\n");
  EXPECT_EQ(disc.Wanted(), std::vector<std::string>{"menupic.jpg"});
  EXPECT_EQ(disc.List("").value().size(), 5u);
  EXPECT_FALSE(disc.List("nowhere"));
  EXPECT_EQ(disc.Read("\xE4\xB8\xAD/tavlin.wav", 10), std::nullopt);
  EXPECT_EQ(disc.Wanted(), (std::vector<std::string>{"menupic.jpg", "\xE4\xB8\xAD/tavlin.wav"}));
}

// The preview is the program's own start-up: catches a preview that draws
// another list than Form1 fills, labels not sized to their caption, and any
// menu or fuzz seed that would stop the page.
TEST(Preview, ShowsWhatTheProgramShowsForEveryMenuItIsGiven) {
  const MainWindowPreview example = PreviewMainWindow(MenuFile::Example().Text(), PictureSize{400, 375}, 1);
  EXPECT_EQ(example.caption, "Tavlin v3.0");
  EXPECT_TRUE(example.menupic);
  EXPECT_EQ(Control(example, "List1").items, (std::vector<std::string>{"Install", "Read me"}));
  EXPECT_EQ(Control(example, "List1").listIndex, 1);
  EXPECT_EQ(Control(example, "Text1").text, "docs");
  EXPECT_FALSE(Control(example, "Text2").visible);
  EXPECT_EQ(Control(example, "Label6").foreColor, ColorOfNumber(14));
  const auto title = LabelSizeOf({"Arial", 2025, true}, "Welcome to the disc", 1252);
  ASSERT_TRUE(title && Control(example, "Label6").size);
  EXPECT_EQ(Control(example, "Label6").size->width, title->width);
  EXPECT_FALSE(Control(example, "Label7").size);  // keeps its designed box

  int menus = 0;
  for (const char* dir : {"tests/fuzz/corpus/menu", "tests/fuzz/corpus/check", "tests/unit/reader"}) {
    for (const auto& e : std::filesystem::directory_iterator(std::string(TAVLIN_SOURCE_DIR "/") + dir)) {
      const std::string bytes = FileBytes(e.path());
      const auto entries = static_cast<std::size_t>(MenuDocument(bytes).Items());
      for (int select : {-1, 0, 999, 5000}) {
        const MainWindowPreview w = PreviewMainWindow(bytes, std::nullopt, select);
        ASSERT_EQ(w.controls.size(), 13u) << e.path();
        EXPECT_EQ(Control(w, "List1").items.size(), entries) << e.path();
        EXPECT_EQ(Control(w, "List1").listIndex, select < static_cast<int>(entries) ? select : -1) << e.path();
      }
      ++menus;
    }
  }
  EXPECT_GE(menus, 30);
}

}  // namespace
}  // namespace tavlin
