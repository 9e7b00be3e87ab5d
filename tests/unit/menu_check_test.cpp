// The menu checker over discs held in memory: one faulty disc per warning,
// the example disc clean, the template read back clean.
#include <gtest/gtest.h>

#include "check/menu_check.h"
#include "check/menu_template.h"
#include "memory_disc.h"
#include "menu_file.h"

namespace tavlin {
namespace {

using test::MemoryDisc;
using test::MenuFile;

// The example disc: its menu and the two items it opens.
MemoryDisc ExampleDisc(const MenuFile& menu = MenuFile::Example()) {
  MemoryDisc d;
  d.File("tavlin.ini", menu.Text()).File("setup/setup.exe", "MZ").File("docs/readme.txt", "notes");
  return d;
}

std::string Describe(const CheckReport& r) {
  std::string s;
  for (const auto& f : r.findings) s += f.file + ":" + std::to_string(f.line) + ": " + f.message + "\n";
  return s;
}

// The one finding of a disc, which must be a warning on `line` that says `words`.
void ExpectOnlyWarning(DiscFiles& disc, const std::string& file, long long line, const std::string& words) {
  const CheckReport r = CheckDisc(disc);
  ASSERT_EQ(r.findings.size(), 1u) << Describe(r);
  const Finding& f = r.findings[0];
  EXPECT_EQ(f.file, file);
  EXPECT_EQ(f.line, line) << f.message;
  EXPECT_EQ(f.severity, Severity::Warning);
  EXPECT_NE(f.message.find(words), std::string::npos) << f.message;
  EXPECT_EQ(r.ExitStatus(), 1);
}

TEST(MenuCheck, TheExampleDiscIsCleanAndItsLinesAreNamed) {
  MemoryDisc disc = ExampleDisc();
  const CheckReport r = CheckDisc(disc);
  EXPECT_TRUE(r.findings.empty()) << Describe(r);
  EXPECT_EQ(r.ExitStatus(), 0);
  ASSERT_EQ(r.map.size(), 38u);
  EXPECT_EQ(r.map[1].field, "ItemCount");
  EXPECT_EQ(r.map[1].shown, "\"2\"");
  EXPECT_EQ(r.map[15].field, "FilenameCaption");
  EXPECT_EQ(r.map[22].field, "ignored (label line)");
  EXPECT_EQ(r.map[25].field, "item 1 ItemFile");
  EXPECT_EQ(r.map[36].field, "item 2 ItemDescription");
  EXPECT_EQ(r.map[37].field, "ignored (label line)");
  EXPECT_NE(FormatReport(r).find("tavlin.ini: 38 lines, 2 items; the disc: clean"), std::string::npos);
}

TEST(MenuCheck, LinesAfterTheLastItemAndBeyondItem1000) {
  MenuFile m = MenuFile::Example();
  m.items.resize(1);
  m.Line(2) = "1";
  MemoryDisc disc = ExampleDisc(m);
  disc.File("tavlin.ini", m.Text() + "note one\r\nnote two\r\n");
  CheckReport r = CheckDisc(disc);
  ASSERT_EQ(r.map.size(), 32u);
  EXPECT_EQ(r.map[30].field, "ignored (after last item)");
  EXPECT_TRUE(r.findings.empty()) << Describe(r);

  // 1001 declared and present: the last block is read by nobody.
  m.items.assign(1001, {"n", ".", "tavlin.ini", "b", "i", "d"});
  m.Line(2) = "1001";
  MemoryDisc big;
  big.File("tavlin.ini", m.Text());
  r = CheckDisc(big);
  EXPECT_EQ(r.items, 1000);
  EXPECT_EQ(r.map[22 + 8000 + 1].field, "ignored (item beyond 1000)");
  ASSERT_EQ(r.findings.size(), 1u) << Describe(r);
  EXPECT_NE(r.findings[0].message.find("more than 1000 items"), std::string::npos);

  // A long tail is counted, not listed.
  MemoryDisc tail;
  std::string text = MenuFile::Example().FirstLines(22);
  for (int i = 0; i < 100000; ++i) text += "\r\n";
  tail.File("tavlin.ini", text);
  r = CheckDisc(tail);
  EXPECT_EQ(r.lineCount, 100022);
  EXPECT_EQ(r.unlistedLines, 100022 - (22 + 16) - 20);  // the header and two blocks are read, 20 more listed
  EXPECT_NE(FormatReport(r).find("(99964 more lines after the last item, ignored)"), std::string::npos);
}

TEST(MenuCheck, MissingOrUnreadableMenuIsAnError) {
  MemoryDisc none;
  none.File("readme.txt", "x");
  CheckReport r = CheckDisc(none);
  ASSERT_EQ(r.findings.size(), 1u);
  EXPECT_EQ(r.findings[0].severity, Severity::Error);
  EXPECT_EQ(r.ExitStatus(), 2);
  EXPECT_NE(FormatReport(r).find("tavlin.ini: not read; the disc: 1 error"), std::string::npos);

  MemoryDisc folder;
  folder.Folder("tavlin.ini");
  EXPECT_EQ(CheckDisc(folder).ExitStatus(), 2);

  MemoryDisc utf16;
  utf16.File("tavlin.ini", std::string("\xFF\xFE"
                                       "T\0a\0v\0\r\0\n\0"
                                       "2\0",
                                       14));
  r = CheckDisc(utf16);
  EXPECT_EQ(r.ExitStatus(), 2);
  ASSERT_EQ(r.findings.size(), 1u) << Describe(r);  // what its lines would say is beside the point
  EXPECT_NE(Describe(r).find("UTF-16"), std::string::npos);
  MemoryDisc utf16Plain;  // no byte order mark
  std::string wide;
  for (char c : MenuFile::Example().Text()) wide += std::string{c, '\0'};
  utf16Plain.File("tavlin.ini", wide);
  EXPECT_NE(Describe(CheckDisc(utf16Plain)).find("UTF-16"), std::string::npos);

  MemoryDisc binary;  // a program saved under the menu's name
  std::string exe = "MZ\x90";
  exe += std::string(60, '\0') + "\x80\x01\x02\x03PE\0\0" + std::string(40, '\x01');
  binary.File("tavlin.ini", exe);
  r = CheckDisc(binary);
  ASSERT_EQ(r.findings.size(), 1u) << Describe(r);
  EXPECT_NE(r.findings[0].message.find("not a text file"), std::string::npos);

  // Other letter case still reads, with a warning.
  MemoryDisc upper;
  upper.File("TAVLIN.INI", MenuFile::Example().Text()).File("setup/setup.exe", "").File("docs/readme.txt", "");
  ExpectOnlyWarning(upper, "tavlin.ini", 0, "TAVLIN.INI");
}

struct HeaderCase {
  int line;
  std::string value;
  std::string words;
};

TEST(MenuCheck, HeaderValuesThatDoNotDoWhatTheyLookLike) {
  const HeaderCase cases[] = {
      {5, "16", "outside 0 to 15"},
      {5, "-1", "outside 0 to 15"},
      {5, "red", "not a number"},
      {5, "", "not a number"},
      {5, "14.5", "taken as 14"},
      {8, "yes ", "blanks around"},
      {8, " Yes", "blanks around"},
      {14, "x", "cannot be hidden"},
      {11, "X", "cannot be hidden"},
      {15, " x", "hide marker with blanks"},
      {16, "X\t", "hide marker with blanks"},
      {17, "xx", "doubled x"},
      {18, "XXX", "doubled x"},
      {2, "2.9", "taken as 2"},
      {8, "true", "is not yes"},
      {8, "Y", "is not yes"},
      {11, "Tom & Jerry", "single &"},
      {15, "&Folder&", "single &"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + " \"" + c.value + "\"");
    MenuFile m = MenuFile::Example();
    m.Line(c.line) = c.value;
    MemoryDisc disc = ExampleDisc(m);
    ExpectOnlyWarning(disc, "tavlin.ini", c.line, c.words);
  }
  // What the program reads as meant is no warning.
  for (const auto& [line, value] : std::vector<std::pair<int, std::string>>{{5, " 14 "},
                                                                            {5, "0"},
                                                                            {5, "15"},
                                                                            {8, "YES"},
                                                                            {8, "no"},
                                                                            {15, "X"},
                                                                            {16, ""},
                                                                            {2, "2.0"},
                                                                            {11, "Tom && Jerry"}}) {
    MenuFile m = MenuFile::Example();
    m.Line(line) = value;
    MemoryDisc disc = ExampleDisc(m);
    EXPECT_TRUE(CheckDisc(disc).findings.empty()) << line << " \"" << value << "\"\n" << Describe(CheckDisc(disc));
  }
}

TEST(MenuCheck, CountAgainstTheBlocksInTheFile) {
  MenuFile m = MenuFile::Example();
  m.Line(2) = "3";  // one block too few
  MemoryDisc more = ExampleDisc(m);
  ExpectOnlyWarning(more, "tavlin.ini", 2, "the count is 3, but the file holds 2 complete item blocks");

  m.Line(2) = "1";  // one too many
  MemoryDisc fewer = ExampleDisc(m);
  ExpectOnlyWarning(fewer, "tavlin.ini", 2, "the last block is not listed");

  m.Line(2) = "two";
  MemoryDisc word = ExampleDisc(m);
  const CheckReport r = CheckDisc(word);
  ASSERT_EQ(r.findings.size(), 2u) << Describe(r);
  EXPECT_NE(r.findings[0].message.find("not a number"), std::string::npos);
  EXPECT_NE(r.findings[1].message.find("the count is 0"), std::string::npos);
  EXPECT_EQ(r.items, 0);

  m.Line(2) = "99999999999999999999999";
  MemoryDisc huge = ExampleDisc(m);
  EXPECT_NE(Describe(CheckDisc(huge)).find("the count is \"99999999999999999999999\""), std::string::npos)
      << Describe(CheckDisc(huge));

  m.Line(2) = "-2";
  MemoryDisc negative = ExampleDisc(m);
  EXPECT_NE(Describe(CheckDisc(negative)).find("ItemCount \"-2\" is negative"), std::string::npos);

  // The closing label line of the last block may be missing.
  MemoryDisc noLast;
  noLast.File("tavlin.ini", MenuFile::Example().FirstLines(37)).File("setup/setup.exe", "").File("docs/readme.txt", "");
  EXPECT_TRUE(CheckDisc(noLast).findings.empty()) << Describe(CheckDisc(noLast));
}

TEST(MenuCheck, FileEndingInsideABlockOrTheHeader) {
  // Declares 3, ends after item 2's ItemFile (line 34).
  MenuFile m = MenuFile::Example();
  m.Line(2) = "3";
  MemoryDisc cut = ExampleDisc();
  cut.File("tavlin.ini", m.FirstLines(34));
  CheckReport r = CheckDisc(cut);
  ASSERT_EQ(r.findings.size(), 2u) << Describe(r);
  EXPECT_EQ(r.findings[0].line, 2);
  EXPECT_EQ(r.findings[1].line, 34);
  EXPECT_NE(r.findings[1].message.find("ends inside item 2's block: its ItemButtonCaption, ItemInformation, "
                                       "ItemDescription stay empty"),
            std::string::npos)
      << r.findings[1].message;

  MemoryDisc header;
  header.File("tavlin.ini", MenuFile::Example().FirstLines(3));
  r = CheckDisc(header);
  EXPECT_NE(Describe(r).find("ends inside the header, after line 3: TitleColorIndex"), std::string::npos)
      << Describe(r);
  EXPECT_NE(Describe(r).find("the title is black"), std::string::npos);

  MemoryDisc empty;
  empty.File("tavlin.ini", "");
  ExpectOnlyWarning(empty, "tavlin.ini", 0, "empty");
}

TEST(MenuCheck, ItemFoldersAndFilesOnTheDisc) {
  struct Case {
    std::string path, file;
    long long line;  // item 1: ItemPath on 25, ItemFile on 26
    std::string words;
  };
  const Case cases[] = {
      {"setpu", "setup.exe", 25, "is not on the disc"},
      {"Setup", "setup.exe", 25, "only as \"setup\" (other letter case)"},
      {"setup", "SETUP.EXE", 26, "is in \"setup\" only as \"setup.exe\""},
      {"setup", "setup.ex", 26, "is not in \"setup\""},
      {"setup", "setup.exe /s", 26, "arguments cannot be given"},
      {"", "setup.exe", 25, "has an ItemFile but no ItemPath"},
      {"", "", 25, "has no ItemPath"},
      {"setup", "", 26, "has no ItemFile"},
      {"docs/readme.txt", "x", 25, "is a file, not a folder"},
      {"..", "setup.exe", 25, "leads out of the disc"},
      {"setup", "..\\..\\x.exe", 26, "leads out of the disc"},
      {"C:\\Program Files", "a.exe", 25, "names a place on the user's machine"},
      {"setup", "\\\\server\\a.exe", 26, "names a place on the user's machine"},
      {"setup. ", "setup.exe", 25, "Windows drops the blanks and dots at the end of \"setup. \""},
      {" setup", "setup.exe", 25, "starts with a blank"},
      {"setup", "what?.exe", 26, "holds the character ?"},
      {"con", "x", 25, "holds the device name con"},
      {"setup", "LPT1.txt", 26, "holds the device name lpt1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.path + "\" \"" + c.file + "\"");
    MenuFile m = MenuFile::Example();
    m.items[0].path = c.path;
    m.items[0].file = c.file;
    MemoryDisc disc = ExampleDisc(m);
    const CheckReport r = CheckDisc(disc);
    ASSERT_FALSE(r.findings.empty());
    EXPECT_EQ(r.findings[0].line, c.line) << Describe(r);
    EXPECT_NE(r.findings[0].message.find(c.words), std::string::npos) << Describe(r);
  }
  // Sound ways to name an item: a path inside the folder, the root, a folder
  // to open, a web address, backslashes.
  for (const auto& [folder, file] : std::vector<std::pair<std::string, std::string>>{{".", "docs\\readme.txt"},
                                                                                     {"setup\\..\\docs", "readme.txt"},
                                                                                     {"docs", "."},
                                                                                     {".", "https://example.org/"},
                                                                                     {"docs", "mailto:a@b.c"},
                                                                                     {"setup/", "./setup.exe"}}) {
    MenuFile m = MenuFile::Example();
    m.items[0].path = folder;
    m.items[0].file = file;
    MemoryDisc disc = ExampleDisc(m);
    EXPECT_TRUE(CheckDisc(disc).findings.empty()) << folder << " " << file << "\n" << Describe(CheckDisc(disc));
  }
  // Deep folders: Windows' path limit counts the drive too.
  std::string deep;
  for (int i = 0; i < 5; ++i) deep += (i ? "/" : "") + std::string(50, 'd');  // 254 characters
  for (const auto& [folder, file, line, words] :
       std::vector<std::tuple<std::string, std::string, long long, std::string>>{
           {deep + "/d", "f", 25, "256 characters long: Windows cannot enter"},
           {deep, "ff", 26, "257 characters long: beyond Windows' 260"}}) {
    MenuFile m = MenuFile::Example();
    m.items[0].path = folder;
    m.items[0].file = file;
    MemoryDisc disc = ExampleDisc(m);
    disc.File(folder + "/" + file, "");
    ExpectOnlyWarning(disc, "tavlin.ini", line, words);
  }
  MenuFile fits = MenuFile::Example();
  fits.items[0].path = deep;
  fits.items[0].file = "f";  // D:\ and 256 characters, and the NUL
  MemoryDisc fitsDisc = ExampleDisc(fits);
  fitsDisc.File(deep + "/f", "");
  EXPECT_TRUE(CheckDisc(fitsDisc).findings.empty()) << Describe(CheckDisc(fitsDisc));

  MenuFile m = MenuFile::Example();
  m.items[1].name = "";
  MemoryDisc noName = ExampleDisc(m);
  ExpectOnlyWarning(noName, "tavlin.ini", 32, "has no ItemName");

  m = MenuFile::Example();
  m.items[1].buttonCaption = "";
  MemoryDisc noButton = ExampleDisc(m);
  ExpectOnlyWarning(noButton, "tavlin.ini", 35, "has no ItemButtonCaption");
  m.items[1].buttonCaption = "Save & go";
  MemoryDisc amp = ExampleDisc(m);
  ExpectOnlyWarning(amp, "tavlin.ini", 35, "single &");

  MemoryDisc locked = ExampleDisc();
  locked.Unlistable("docs");
  ExpectOnlyWarning(locked, "tavlin.ini", 34, "the folder \"docs\" cannot be listed");
}

TEST(MenuCheck, TextThatIsNotWhatWindowsWillShow) {
  MenuFile m = MenuFile::Example();
  m.Line(11) = "Caf\xC3\xA9";  // UTF-8
  MemoryDisc utf8 = ExampleDisc(m);
  ExpectOnlyWarning(utf8, "tavlin.ini", 11, "UTF-8 text");

  m = MenuFile::Example();
  m.items[1].description = "Caf\xE9 cr\xE8me";  // Windows-1252, as it should be
  MemoryDisc ansi = ExampleDisc(m);
  EXPECT_TRUE(CheckDisc(ansi).findings.empty());

  m = MenuFile::Example();
  m.Line(1) = "\xEF\xBB\xBFTavlin";
  MemoryDisc bom = ExampleDisc(m);
  ExpectOnlyWarning(bom, "tavlin.ini", 1, "byte order mark");

  m = MenuFile::Example();
  m.items[0].information = std::string("Version\0 1", 10);
  MemoryDisc nul = ExampleDisc(m);
  ExpectOnlyWarning(nul, "tavlin.ini", 28, "NUL");

  m = MenuFile::Example();
  m.items[0].description = std::string(70000, 'a');
  MemoryDisc huge = ExampleDisc(m);
  ExpectOnlyWarning(huge, "tavlin.ini", 29, "70000 bytes long");
}

TEST(MenuCheck, LineEnds) {
  MenuFile m = MenuFile::Example();
  m.eol = "\n";
  MemoryDisc lf = ExampleDisc(m);
  ExpectOnlyWarning(lf, "tavlin.ini", 1, "lone LF");

  m.eol = "\r";  // read the same as CR LF
  MemoryDisc cr = ExampleDisc(m);
  EXPECT_TRUE(CheckDisc(cr).findings.empty());

  std::string text = MenuFile::Example().Text();
  text.replace(text.find("Folder\r\n"), 8, "Folder\n");
  MemoryDisc mixed = ExampleDisc();
  mixed.File("tavlin.ini", text);
  ExpectOnlyWarning(mixed, "tavlin.ini", 15, "mixed line ends: line 1 ends in CR LF, this one in a lone LF");
}

std::string Jpeg(unsigned width, unsigned height, bool whole = true) {
  std::string b = "\xFF\xD8\xFF\xC0";
  b += std::string("\x00\x11\x08", 3);
  b += static_cast<char>(height >> 8);
  b += static_cast<char>(height & 255);
  b += static_cast<char>(width >> 8);
  b += static_cast<char>(width & 255);
  b += std::string(12, '\x01');
  if (whole) b += "\xFF\xD9";
  return b;
}

std::string Wav(unsigned tag, unsigned long dataBytes, std::size_t present) {
  const auto le = [](unsigned long v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
    return s;
  };
  std::string b = "RIFF" + le(36 + dataBytes, 4) + "WAVE";
  b += "fmt " + le(16, 4) + le(tag, 2) + le(1, 2) + le(22050, 4) + le(22050, 4) + le(1, 2) + le(8, 2);
  b += "data" + le(dataBytes, 4) + std::string(present, '\x80');
  return b;
}

TEST(MenuCheck, PicturesAndTheSound) {
  struct Case {
    std::string file, bytes, words;
  };
  const Case cases[] = {
      {"menupic.jpg", Jpeg(640, 480), "only the top-left 400 x 375 are shown"},
      {"splash.jpg", Jpeg(300, 150), "only the top-left 200 x 100 are shown"},
      {"menupic.jpg", "RIFF....WAVE", "not a JPEG, BMP, GIF or icon"},
      {"splash.jpg", "", "is empty"},
      {"menupic.jpg", Jpeg(60000, 60000), "does not load it"},
      {"splash.jpg", Jpeg(200, 100, false), "cut short"},
      {"tavlin.wav", "just text", "not a WAV file: Windows plays its default sound instead"},
      {"tavlin.wav", Wav(1, 1000, 10), "cut short: its sound claims 1000 bytes, 10 are there"},
      {"tavlin.wav", Wav(0x1234, 4, 4), "format 4660"},
      {"tavlin.wav", Wav(1, 0, 0), "holds no sound"},
      {"tavlin.wav", Wav(1, 4, 4).substr(0, 30), "format chunk cut short"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + ": " + c.words);
    MemoryDisc disc = ExampleDisc();
    disc.File(c.file, c.bytes);
    ExpectOnlyWarning(disc, c.file, 0, c.words);
  }
  MemoryDisc good = ExampleDisc();
  good.File("menupic.jpg", Jpeg(400, 375)).File("splash.jpg", Jpeg(200, 100)).File("tavlin.wav", Wav(1, 8, 8));
  EXPECT_TRUE(CheckDisc(good).findings.empty()) << Describe(CheckDisc(good));

  MemoryDisc folder = ExampleDisc();
  folder.Folder("tavlin.wav");
  ExpectOnlyWarning(folder, "tavlin.wav", 0, "is a folder: no sound");
  MemoryDisc hidden = ExampleDisc();
  hidden.File("splash.jpg", Jpeg(200, 100)).Hidden("splash.jpg");
  ExpectOnlyWarning(hidden, "splash.jpg", 0, "is hidden: no splash");
  MemoryDisc upper = ExampleDisc();
  upper.File("MenuPic.JPG", Jpeg(400, 375));
  ExpectOnlyWarning(upper, "menupic.jpg", 0, "MenuPic.JPG");
}

TEST(MenuCheck, AutorunStartsTheMenu) {
  const std::pair<std::string, std::string> cases[] = {
      {"[autorun]\r\nopen=setup\\setup.exe\r\n", "starts \"setup\\setup.exe\", not tavlin.exe"},
      {"[AutoRun]\r\nicon=tavlin.exe\r\n", "has no open= line"},
      {"open=tavlin.exe\r\n", "has no [autorun] section"},
      {"[autorun]\r\nopen=menu.exe /s\r\n", "\"menu.exe /s\", not tavlin.exe; it is not on the disc either"},
      {"[autorun]\r\nopen=bin\\tavlin.exe\r\n", "\"bin\\tavlin.exe\", which is not on the disc"},
      {"[autorun]\r\nopen=tavlin.exe\r\nicon=disc.ico,0\r\n", "icon from \"disc.ico\", which is not on the disc"},
      {"[autorun]\r\nopen=\"my menu\\tavlin.exe\" /x\r\n", "starts \"my menu\\tavlin.exe\", which is not on the disc"},
  };
  for (const auto& [text, words] : cases) {
    SCOPED_TRACE(text);
    MemoryDisc disc = ExampleDisc();
    disc.File("autorun.inf", text);
    const CheckReport r = CheckDisc(disc);
    ASSERT_FALSE(r.findings.empty());
    EXPECT_EQ(r.findings[0].file, "autorun.inf");
    EXPECT_NE(r.findings[0].message.find(words), std::string::npos) << Describe(r);
  }
  // The example disc's own, in other spellings that Windows reads the same.
  for (const std::string& text : std::vector<std::string>{
           "[autorun]\r\nopen=tavlin.exe\r\nicon=tavlin.exe\r\nlabel=Tavlin example disc\r\n",
           "; notes\r\n[AUTORUN]\r\n Open = \"TAVLIN.EXE\"\r\nICON=setup/setup.exe,1\r\n",
           "[autorun]\r\nopen=\"tavlin.exe\"\r\nicon=\"setup\\setup.exe\",0\r\n",
           std::string("\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\r\0\n\0o\0p\0e\0n\0=\0t\0a\0v\0l\0i\0n\0.\0e\0x\0e\0",
                       54)}) {
    MemoryDisc disc = ExampleDisc();
    disc.File("AutoRun.inf", text);
    EXPECT_TRUE(CheckDisc(disc).findings.size() == 1 &&
                CheckDisc(disc).findings[0].message.find("other letter case") != std::string::npos)
        << Describe(CheckDisc(disc));
  }
}

TEST(MenuCheck, TheTemplateReadsBackCleanAndNamesEveryValue) {
  for (int n : {0, 1, 3, 1000}) {
    SCOPED_TRACE(n);
    const std::string text = MenuTemplate(n);
    MemoryDisc disc;
    disc.File("tavlin.ini", text);
    const CheckReport r = CheckDisc(disc);
    EXPECT_TRUE(r.findings.empty()) << Describe(r);
    EXPECT_EQ(r.items, n);
    EXPECT_EQ(r.lineCount, 22 + 8LL * n);
    // Each ignored line names the next value below it.
    for (std::size_t i = 0; i < r.map.size(); ++i) {
      if (r.map[i].field.rfind("ignored", 0) != 0) continue;
      std::size_t next = i + 1;
      while (next < r.map.size() && r.map[next].field.rfind("ignored", 0) == 0) ++next;
      if (next == r.map.size()) continue;
      std::string name = r.map[next].field;
      name = name.substr(name.rfind(' ') + 1);
      EXPECT_NE(r.map[i].shown.find(name), std::string::npos) << "line " << r.map[i].number << " " << r.map[i].shown;
    }
  }
}

TEST(MenuCheck, ValuesAreMadeVisible) {
  EXPECT_EQ(EscapedValue(" x", 60), "\" x\"");
  EXPECT_EQ(EscapedValue("a\tb", 60), "\"a<tab>b\"");
  EXPECT_EQ(EscapedValue("Caf\xE9\x01", 60), "\"Caf<e9><01>\"");
  EXPECT_EQ(EscapedValue("abcdef", 3), "\"abc...\"");
}

}  // namespace
}  // namespace tavlin
