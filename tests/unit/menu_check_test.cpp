// The menu checker over discs held in memory: the example disc clean, one
// faulty disc per warning, the errors, the template read back clean.
#include <gtest/gtest.h>

#include <functional>

#include "check/menu_check.h"
#include "check/menu_template.h"
#include "memory_disc.h"
#include "menu_file.h"

namespace tavlin {
namespace {

using namespace test;

std::string Describe(const CheckReport& r) {
  std::string s;
  for (const auto& f : r.findings) s += f.file + ":" + std::to_string(f.line) + ": " + f.message + "\n";
  return s;
}

std::string Wav(unsigned tag, unsigned long dataBytes, std::size_t present) {
  return "RIFF" + Le(36 + dataBytes, 4) + "WAVE" + "fmt " + Le(16, 4) + Le(tag, 2) + Le(1, 2) + Le(22050, 4) +
         Le(22050, 4) + Le(1, 2) + Le(8, 2) + "data" + Le(dataBytes, 4) + std::string(present, '\x80');
}

// A change to the example disc: to its menu before it is written, or to the
// disc after.
struct Change {
  std::function<void(MenuFile&)> menu;
  std::function<void(MemoryDisc&)> disc;
};
Change Line(int n, std::string v) {
  return {[=](MenuFile& m) { m.Line(n) = v; }, {}};
}
Change Path(std::string path, std::string file) {
  return {[=](MenuFile& m) { m.items[0].path = path, m.items[0].file = file; }, {}};
}
// Item 1 in a folder nested 254 characters deep (and more), its file there.
Change Deep(std::string more, std::string file) {
  std::string path;
  for (int i = 0; i < 5; ++i) path += (i ? "/" : "") + std::string(50, 'd');
  path += more;
  return {[=](MenuFile& m) { m.items[0].path = path, m.items[0].file = file; },
          [=](MemoryDisc& d) { d.File(path + "/" + file, ""); }};
}
Change Put(std::string name, std::string bytes, bool hidden = false) {
  return {{}, [=](MemoryDisc& d) { d.File(name, bytes, hidden); }};
}

// The checker's report on the example disc, its menu and the two items it
// opens, with a change.
CheckReport Checked(const Change& c = {}) {
  MenuFile m = MenuFile::Example();
  if (c.menu) c.menu(m);
  MemoryDisc d;
  d.File("tavlin.ini", m.Text()).File("setup/setup.exe", "MZ").File("docs/readme.txt", "notes");
  if (c.disc) c.disc(d);
  return CheckDisc(d);
}

TEST(MenuCheck, TheExampleDiscIsCleanAndItsLinesAreNamed) {
  const CheckReport r = Checked();
  EXPECT_TRUE(r.findings.empty()) << Describe(r);
  ASSERT_EQ(r.map.size(), 38u);
  const std::pair<int, const char*> named[] = {
      {1, "ItemCount"},        {15, "FilenameCaption"},        {22, "ignored (label line)"},
      {25, "item 1 ItemFile"}, {36, "item 2 ItemDescription"}, {37, "ignored (label line)"}};
  for (auto [i, field] : named) EXPECT_EQ(r.map[i].field, field) << i + 1;
  EXPECT_EQ(r.map[1].shown, "\"2\"");
  EXPECT_NE(FormatReport(r).find("tavlin.ini: 38 lines, 2 items; the disc: clean"), std::string::npos);
}

TEST(MenuCheck, LinesAfterTheLastItemAndBeyondItem1000) {
  MenuFile m = MenuFile::Example();
  m.items.assign(1001, {"n", ".", "tavlin.ini", "b", "i", "d"});
  m.Line(2) = "1001";
  MemoryDisc big = MemoryDisc().File("tavlin.ini", m.Text() + "note\r\n");
  CheckReport r = CheckDisc(big);
  EXPECT_EQ(r.items, 1000);
  EXPECT_EQ(r.map[22 + 8000 + 1].field, "ignored (item beyond 1000)");
  ASSERT_EQ(r.findings.size(), 1u) << Describe(r);
  EXPECT_NE(r.findings[0].message.find("more than 1000 items"), std::string::npos);

  // A long tail is counted, not listed.
  std::string text = MenuFile::Example().FirstLines(22);
  for (int i = 0; i < 100000; ++i) text += "\r\n";
  MemoryDisc tail = MemoryDisc().File("tavlin.ini", text);
  r = CheckDisc(tail);
  EXPECT_EQ(r.map[38].field, "ignored (after last item)");
  EXPECT_EQ(r.unlistedLines, 100022 - (22 + 16) - 20);  // the header and two blocks are read, 20 more listed
  EXPECT_NE(FormatReport(r).find("(99964 more lines after the last item, ignored)"), std::string::npos);
}

TEST(MenuCheck, EachFaultGivesItsOneWarningOnItsLine) {
  std::string mixed = MenuFile::Example().Text();
  mixed.replace(mixed.find("Folder\r\n"), 8, "Folder\n");
  const std::tuple<Change, std::string, std::string> cases[] = {
      // Header values that do not do what they look like.
      {Line(5, "16"), "tavlin.ini:5", "outside 0 to 15"},
      {Line(5, "-1"), "tavlin.ini:5", "outside 0 to 15"},
      {Line(5, "red"), "tavlin.ini:5", "not a number"},
      {Line(5, "14.5"), "tavlin.ini:5", "taken as 14"},
      {Line(8, "yes "), "tavlin.ini:8", "blanks around"},
      {Line(8, "Y"), "tavlin.ini:8", "is not yes"},
      {Line(14, "x"), "tavlin.ini:14", "cannot be hidden"},
      {Line(11, "X"), "tavlin.ini:11", "cannot be hidden"},
      {Line(16, "X\t"), "tavlin.ini:16", "hide marker with blanks"},
      {Line(17, "xx"), "tavlin.ini:17", "doubled x"},
      {Line(11, "Tom & Jerry"), "tavlin.ini:11", "single &"},
      {Line(2, "2.9"), "tavlin.ini:2", "taken as 2"},
      // The count against the blocks.
      {Line(2, "3"), "tavlin.ini:2", "the count is 3, but the file holds 2 complete item blocks"},
      {Line(2, "1"), "tavlin.ini:2", "the last block is not listed"},
      // Items.
      {{[](MenuFile& m) { m.items[1].name = ""; }, {}}, "tavlin.ini:32", "has no ItemName"},
      {{[](MenuFile& m) { m.items[1].buttonCaption = ""; }, {}}, "tavlin.ini:35", "has no ItemButtonCaption"},
      {{[](MenuFile& m) { m.items[1].buttonCaption = "Save & go"; }, {}}, "tavlin.ini:35", "single &"},
      {Path("setpu", "setup.exe"), "tavlin.ini:25", "is not on the disc"},
      {Path("Setup", "setup.exe"), "tavlin.ini:25", "only as \"setup\" (other letter case)"},
      {Path("setup", "SETUP.EXE"), "tavlin.ini:26", "is in \"setup\" only as \"setup.exe\""},
      {Path("setup", "setup.ex"), "tavlin.ini:26", "is not in \"setup\""},
      {Path("setup", "setup.exe /s"), "tavlin.ini:26", "arguments cannot be given"},
      {Path("", "setup.exe"), "tavlin.ini:25", "has an ItemFile but no ItemPath"},
      {Path("", ""), "tavlin.ini:25", "has no ItemPath"},
      {Path("setup", ""), "tavlin.ini:26", "has no ItemFile"},
      {Path("docs/readme.txt", "x"), "tavlin.ini:25", "is a file, not a folder"},
      {Path("..", "setup.exe"), "tavlin.ini:25", "leads out of the disc"},
      {Path("setup", "..\\..\\x.exe"), "tavlin.ini:26", "leads out of the disc"},
      {Path("C:\\Program Files", "a.exe"), "tavlin.ini:25", "names a place on the user's machine"},
      {Path("setup. ", "setup.exe"), "tavlin.ini:25", "Windows drops the blanks and dots at the end of \"setup. \""},
      {{[](MenuFile& m) { m.items[0].path = " setup"; }, [](MemoryDisc& d) { d.File(" setup/setup.exe", ""); }},
       "tavlin.ini:25",
       "starts with a blank"},
      {Path("setup", "what?.exe"), "tavlin.ini:26", "holds the character ?"},
      {Path("con", "x"), "tavlin.ini:25", "holds the device name con"},
      // Windows' path limit, with the drive's D:\ in front.
      {Deep("/d", "f"), "tavlin.ini:25", "256 characters long: Windows cannot enter"},
      {Deep("", "ff"), "tavlin.ini:26", "257 characters long: beyond Windows' 260"},
      {{{}, [](MemoryDisc& d) { d.Folder("docs", /*unlistable=*/true); }}, "tavlin.ini:34", "cannot be listed"},
      // Text that is not what Windows will show.
      {Line(11, "Caf\xC3\xA9"), "tavlin.ini:11", "UTF-8 text"},
      {Line(1, "\xEF\xBB\xBFTavlin"), "tavlin.ini:1", "byte order mark"},
      {{[](MenuFile& m) { m.items[0].information = std::string("Version\0 1", 10); }, {}}, "tavlin.ini:28", "NUL"},
      {{[](MenuFile& m) { m.items[0].description = std::string(70000, 'a'); }, {}}, "tavlin.ini:29", "70000 bytes"},
      {{[](MenuFile& m) { m.eol = "\n"; }, {}}, "tavlin.ini:1", "lone LF"},
      {Put("tavlin.ini", mixed), "tavlin.ini:15", "mixed line ends: line 1 ends in CR LF, this one in a lone LF"},
      {Put("tavlin.ini", ""), "tavlin.ini:0", "empty"},
      {{{}, [](MemoryDisc& d) { d.Rename("tavlin.ini", "TAVLIN.INI"); }}, "tavlin.ini:0", "TAVLIN.INI"},
      // The pictures and the sound.
      {Put("menupic.jpg", Jpeg(640, 480)), "menupic.jpg:0", "only the top-left 400 x 375 are shown"},
      {Put("splash.jpg", Jpeg(300, 150)), "splash.jpg:0", "only the top-left 200 x 100 are shown"},
      {Put("menupic.jpg", "RIFF....WAVE"), "menupic.jpg:0", "not a JPEG, BMP, GIF or icon"},
      {Put("splash.jpg", ""), "splash.jpg:0", "is empty"},
      {Put("menupic.jpg", Jpeg(60000, 60000)), "menupic.jpg:0", "does not load it"},
      {Put("splash.jpg", Jpeg(200, 100, false)), "splash.jpg:0", "cut short"},
      {Put("splash.jpg", Jpeg(200, 100), /*hidden=*/true), "splash.jpg:0", "is hidden: no splash"},
      {Put("MenuPic.JPG", Jpeg(400, 375)), "menupic.jpg:0", "MenuPic.JPG"},
      {Put("tavlin.wav", "just text"), "tavlin.wav:0", "not a WAV file: Windows plays its default sound instead"},
      {Put("tavlin.wav", Wav(1, 1000, 10)), "tavlin.wav:0", "cut short: its sound claims 1000 bytes, 10 are there"},
      {Put("tavlin.wav", Wav(0x1234, 4, 4)), "tavlin.wav:0", "format 4660"},
      {Put("tavlin.wav", Wav(1, 0, 0)), "tavlin.wav:0", "holds no sound"},
      {Put("tavlin.wav", Wav(1, 4, 4).substr(0, 30)), "tavlin.wav:0", "format chunk cut short"},
      {{{}, [](MemoryDisc& d) { d.Folder("tavlin.wav"); }}, "tavlin.wav:0", "is a folder: no sound"},
      // AutoPlay's file.
      {Put("autorun.inf", "[autorun]\r\nopen=setup\\setup.exe\r\n"), "autorun.inf:0", "not tavlin.exe"},
      {Put("autorun.inf", "[AutoRun]\r\nicon=tavlin.exe\r\n"), "autorun.inf:0", "has no open= line"},
      {Put("autorun.inf", "open=tavlin.exe\r\n"), "autorun.inf:0", "has no [autorun] section"},
      {Put("autorun.inf", "[autorun]\r\nopen=menu.exe /s\r\n"), "autorun.inf:0", "it is not on the disc either"},
      {Put("autorun.inf", "[autorun]\r\nopen=bin\\tavlin.exe\r\n"), "autorun.inf:0", "which is not on the disc"},
      {Put("autorun.inf", "[autorun]\r\nopen=tavlin.exe\r\nicon=disc.ico,0\r\n"), "autorun.inf:0",
       "icon from \"disc.ico\", which is not on the disc"},
  };
  for (const auto& [change, where, words] : cases) {
    SCOPED_TRACE(where + " " + words);
    const CheckReport r = Checked(change);
    const std::string said = Describe(r);
    ASSERT_EQ(r.findings.size(), 1u) << said;
    EXPECT_EQ(said.rfind(where + ": ", 0), 0u) << said;
    EXPECT_NE(said.find(words), std::string::npos) << said;
    EXPECT_EQ(r.ExitStatus(), 1);  // a warning, not an error
  }
}

TEST(MenuCheck, WhatTheProgramReadsAsMeantIsNoWarning) {
  const Change fine[] = {
      Line(5, " 14 "),
      Line(5, "0"),
      Line(5, "15"),
      Line(8, "YES"),
      Line(8, "no"),
      Line(15, "X"),
      Line(16, ""),
      Line(2, "2.0"),
      Line(11, "Tom && Jerry"),
      {[](MenuFile& m) { m.items[1].description = "Caf\xE9 cr\xE8me"; }, {}},  // Windows-1252, as it should be
      {[](MenuFile& m) { m.eol = "\r"; }, {}},                                 // read the same as CR LF
      Path(".", "docs\\readme.txt"),
      Path("setup\\..\\docs", "readme.txt"),
      Path("docs", "."),
      Path(".", "https://example.org/"),
      Path("docs", "mailto:a@b.c"),
      Path("setup/", "./setup.exe"),
      Deep("", "f"),                                          // D:\ and 256 characters, and the NUL
      Put("tavlin.ini", MenuFile::Example().FirstLines(37)),  // the last block's closing line may be missing
      Put("menupic.jpg", Jpeg(400, 375)),
      Put("splash.jpg", Jpeg(200, 100)),
      Put("tavlin.wav", Wav(1, 8, 8)),
      Put("autorun.inf", "[autorun]\r\nopen=tavlin.exe\r\nicon=tavlin.exe\r\nlabel=Tavlin example disc\r\n"),
      Put("autorun.inf", "; notes\r\n[AUTORUN]\r\n Open = \"TAVLIN.EXE\"\r\nICON=setup/setup.exe,1\r\n"),
      Put("autorun.inf",
          std::string("\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\r\0\n\0o\0p\0e\0n\0=\0t\0a\0v\0l\0i\0n\0.\0e\0x\0e\0", 54))};
  for (std::size_t i = 0; i < std::size(fine); ++i)
    EXPECT_TRUE(Checked(fine[i]).findings.empty()) << i << "\n" << Describe(Checked(fine[i]));
}

// Faults that say more than one thing, each said; a menu that cannot be read
// as text is an error, and what its garbled lines would say is beside the point.
TEST(MenuCheck, WhatAFaultyMenuSaysInAllAndItsExitStatus) {
  MenuFile three = MenuFile::Example();
  three.Line(2) = "3";
  std::string wide;
  for (char c : MenuFile::Example().Text()) wide += std::string{c, '\0'};
  std::string exe =
      "MZ\x90" + std::string(60, '\0') + "\x80\x01\x02\x03PE" + std::string(2, '\0') + std::string(40, '\x01');
  const std::tuple<Change, std::vector<std::string>, int> cases[] = {
      {Line(2, "two"), {"tavlin.ini:2: ItemCount \"two\" is not a number", "tavlin.ini:2: the count is 0"}, 1},
      {Line(2, "-2"), {"tavlin.ini:2: ItemCount \"-2\" is negative", "tavlin.ini:2: the count is 0"}, 1},
      // A value too long to show is cut.
      {Line(2, std::string(70, '9')), {"more than 1000", "the count is \"" + std::string(60, '9') + "...\""}, 1},
      {Put("tavlin.ini", three.FirstLines(34)),
       {"tavlin.ini:2: ",
        "tavlin.ini:34: the file ends inside item 2's block: its ItemButtonCaption, "
        "ItemInformation, ItemDescription stay empty"},
       1},
      {Put("tavlin.ini", MenuFile::Example().FirstLines(3)),
       {"ends inside the header, after line 3: TitleColorIndex", "the title is black"},
       1},
      {{{}, [](MemoryDisc& d) { d.Rename("tavlin.ini", "notes.txt"); }}, {"not found"}, 2},
      {{{}, [](MemoryDisc& d) { d.Rename("tavlin.ini", "notes.txt").Folder("tavlin.ini"); }}, {"is a folder"}, 2},
      {Put("tavlin.ini", "\xFF\xFE" + wide), {"UTF-16"}, 2},
      {Put("tavlin.ini", wide), {"UTF-16"}, 2},  // and without a byte order mark
      {Put("tavlin.ini", exe), {"not a text file"}, 2},
  };
  for (const auto& [change, words, status] : cases) {
    const CheckReport r = Checked(change);
    const std::string said = Describe(r);
    EXPECT_EQ(r.findings.size(), words.size()) << said;
    for (const auto& w : words) EXPECT_NE(said.find(w), std::string::npos) << w << "\n" << said;
    EXPECT_EQ(r.ExitStatus(), status) << said;
  }
  MemoryDisc none;
  EXPECT_NE(FormatReport(CheckDisc(none)).find("tavlin.ini: not read; the disc: 1 error"), std::string::npos);
}

TEST(MenuCheck, TheTemplateReadsBackCleanAndNamesEveryValue) {
  for (int n : {0, 1, 3, 1000}) {
    SCOPED_TRACE(n);
    MemoryDisc disc = MemoryDisc().File("tavlin.ini", MenuTemplate(n));
    const CheckReport r = CheckDisc(disc);
    EXPECT_TRUE(r.findings.empty()) << Describe(r);
    EXPECT_EQ(r.lineCount, 22 + 8LL * n);  // n whole blocks
    // Each ignored line names the next value below it.
    std::string below;
    for (auto line = r.map.rbegin(); line != r.map.rend(); ++line) {
      const bool ignored = line->field.starts_with("ignored");
      if (!ignored) below = line->field.substr(line->field.rfind(' ') + 1);
      EXPECT_TRUE(!ignored || line->shown.find(below) != std::string::npos) << line->number << ": " << line->shown;
    }
  }
}

}  // namespace
}  // namespace tavlin

namespace tavlin {
namespace {

// Catches a shown value cut between the two bytes of a character, and a
// disc name the code page cannot write shown as its UTF-8 bytes.
TEST(MenuCheck, ShownTextIsCutBetweenCharactersOfItsCodePage) {
  const std::string kana = "\x82\xA0\x82\xA2\x82\xA4";  // three kana in Windows-932
  EXPECT_EQ(EscapedValue(kana, 2, 932), "\"<82><a0><82><a2>...\"");
  EXPECT_EQ(EscapedValue(kana, 2, 1252), "\"<82><a0>...\"");
  EXPECT_EQ(EscapedName("\xCE\x91.txt", 60, 1251), "\"<U+0391>.txt\"");
  EXPECT_EQ(EscapedName("\xD0\x90.txt", 60, 1251), "\"<c0>.txt\"");
}

}  // namespace
}  // namespace tavlin
