// The main window's start-up: what the user sees once Load has run.
#include "app_fixture.h"

namespace tavlin {
namespace {

using namespace test;

TEST(Form1Load, ExampleFileGivesTheDocumentedWindow) {
  Disc d;
  const WindowState* w = d.Window(d.form1());
  ASSERT_NE(w, nullptr);
  // The file field is marked x: its label and box are hidden, the label with its design caption.
  EXPECT_EQ(d.Shown({"Label6", "Label1", "Label2", "Text1", "Label3", "Text2", "Text3", "Text4", "Command1"}),
            (std::vector<std::string>{"Welcome to the disc", "Application", "Folder", "", "hidden Filename", "hidden ",
                                      "", "Choose an item from the list.", "Click"}));
  for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
    EXPECT_EQ(d.Ctl(label).foreColor, kLightYellow) << label;
  EXPECT_EQ(d.Ctl("List1").items, (std::vector<std::string>{"Install", "Read me"}));
  EXPECT_EQ(w->focus, "List1");
  EXPECT_EQ(d.module1().StartDirectory, "D:\\");
  EXPECT_TRUE(d.p.Sounds().empty());
}

TEST(Form1Load, MissingMenuFileStillOpensTheWindow) {
  Disc d(std::nullopt);
  EXPECT_TRUE(d.Window(d.form1()) && d.Window(d.form1())->visible);
  EXPECT_EQ(d.Shown({"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Text1", "Text2", "Text3", "Text4"}),
            std::vector<std::string>(10, ""));
  EXPECT_EQ(d.Ctl("Label6").foreColor, kBlack);  // an unset colour counts as 0
  EXPECT_EQ(d.Ctl("Label1").foreColor, kDesignLabel);
  EXPECT_TRUE(d.Ctl("List1").items.empty());
}

// The title and Label1 cannot be hidden; a hidden field keeps its label's
// design caption, and its box is still written.
TEST(Form1Load, HideMarkerIsAnXInEitherCaseAndNothingElse) {
  MenuFile f = MenuFile::Example();
  for (auto [n, value] : std::initializer_list<std::pair<int, const char*>>{
           {11, "x"}, {14, "x"}, {15, "X"}, {16, " x"}, {17, "xx"}, {18, "x"}})
    f.Line(n) = value;
  Disc d(f);
  EXPECT_EQ(d.Shown({"Label6", "Label1", "Label2", "Text1", "Label3", "Label4", "Label5", "Text4"}),
            (std::vector<std::string>{"x", "x", "hidden Path", "hidden ", " x", "xx", "hidden Description",
                                      "hidden Choose an item from the list."}));
}

// Line 5's number rule is the numbers' tests'; here, that each outcome
// reaches the title and the labels. Line 8 colours the labels when it is
// exactly yes, in any case.
TEST(Form1Load, TitleAndLabelColours) {
  MenuFile f = MenuFile::Example();
  const std::pair<const char*, Rgb> titles[] = {{"14", kLightYellow}, {"13.5", kLightYellow}, {"0", kBlack},
                                                {"16", kDesignTitle}, {"abc", kDesignTitle},  {"", kDesignTitle}};
  for (auto [colour, want] : titles) {
    f.Line(5) = colour;
    Disc d(f);
    EXPECT_EQ(d.Ctl("Label6").foreColor, want) << '"' << colour << '"';
    EXPECT_EQ(d.Ctl("Label1").foreColor, want == kDesignTitle ? kDesignLabel : want) << '"' << colour << '"';
  }
  f.Line(5) = "14";
  const char* flags[] = {"yes", "Yes", "YES", "yEs", /* the rest do not colour */ "y", "yes.", "yes ", " yes", ""};
  for (std::size_t i = 0; i < std::size(flags); ++i) {
    f.Line(8) = flags[i];
    EXPECT_EQ(Disc(f).Ctl("Label4").foreColor, i < 4 ? kLightYellow : kDesignLabel) << flags[i];
  }
}

TEST(Form1Load, ListHoldsOneEntryPerItemPassUpToAThousand) {
  MenuFile f = MenuFile::Example();
  f.items.push_back({"Third", "t", "t.exe", "", "", ""});
  for (auto [count, entries] : std::initializer_list<std::pair<const char*, std::size_t>>{
           {"1500", 1000}, {"0", 0}, {"-4", 0}, {"abc", 0}, {"3.7", 3}, {"2147483648", 1000}}) {
    f.Line(2) = count;
    EXPECT_EQ(Disc(f).Ctl("List1").items.size(), entries) << count;
  }
  f.Line(2) = "5";  // the last two declared but not in the file
  EXPECT_EQ(Disc(f).Ctl("List1").items, (std::vector<std::string>{"Install", "Read me", "Third", "", ""}));
}

// Files on a disc are read-only; a hidden one is not there for the program.
TEST(Form1Load, SoundPlaysOnlyForAnOrdinaryFile) {
  for (bool hidden : {false, true}) {
    Disc d(MenuFile::Example(),
           [&](FakePlatform& p) { p.AddFile("tavlin.wav", "RIFF", {.hidden = hidden, .readOnly = true}); });
    std::vector<std::string> played;  // name and flags: 1 is asynchronous, with no default-sound suppression
    for (const SoundCall& s : d.p.Sounds()) played.push_back(s.name + " " + std::to_string(s.flags));
    EXPECT_EQ(played, hidden ? std::vector<std::string>{} : std::vector<std::string>{"tavlin.wav 1"});
  }
}

TEST(Form1Load, EveryStepFailsAloneAndTheRestStillRun) {
  for (const std::string failed :
       {"SetCaption Form1", "SetPictureFromFile", "ProgramFolder", "OpenForInput", "SetCaption Form1.Label1",
        "SetVisible Form1.Label3", "SetForeColor Form1.Label6", "SetCaption Form1.Label6", "SetForeColor Form1.Label2",
        "AddItem Form1.List1", "SetText Form1.Text4", "FileExists tavlin.wav", "SndPlaySoundA"}) {
    SCOPED_TRACE(failed);
    const std::size_t space = failed.find(' ');
    const std::string op = failed.substr(0, space), target = space == std::string::npos ? "" : failed.substr(space + 1);
    Disc d(MenuFile::Example(), [&](FakePlatform& p) {
      p.AddFile("tavlin.wav", "RIFF");
      p.Fail(op, target, 1);
    });
    EXPECT_TRUE(d.Window(d.form1()) && d.Window(d.form1())->visible);
    EXPECT_EQ(d.p.LogOf("FileExists").size(), 2u);  // splash.jpg, and the last step's tavlin.wav
    const bool noDescription = failed == "SetText Form1.Text4" || failed == "OpenForInput";
    EXPECT_EQ(d.Ctl("Text4").text, noDescription ? "" : "Choose an item from the list.");
    const std::size_t entries = failed == "OpenForInput" ? 0 : failed == "AddItem Form1.List1" ? 1 : 2;
    EXPECT_EQ(d.Ctl("List1").items.size(), entries);
  }
}

}  // namespace
}  // namespace tavlin
