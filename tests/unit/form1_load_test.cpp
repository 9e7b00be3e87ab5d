// The main window's start-up: what the user sees once Load has run.
#include "app_fixture.h"

namespace tavlin {
namespace {

using test::AppTest;
using test::MenuFile;

constexpr Rgb kDesignLabel{224, 224, 224};
constexpr Rgb kDesignTitle{192, 0, 0};
constexpr Rgb kLightYellow{255, 255, 0};

using Form1Load = AppTest;

TEST_F(Form1Load, ExampleFileGivesTheDocumentedWindow) {
  StartWith(MenuFile::Example());
  const FakeWindow* w = p.Window(form1());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->visible);
  EXPECT_EQ(w->caption, "Tavlin v3.0");
  EXPECT_EQ(w->picture, "builtin");
  EXPECT_EQ(Ctl("Label6").text, "Welcome to the disc");
  EXPECT_EQ(Ctl("Label6").foreColor, kLightYellow);
  EXPECT_EQ(Ctl("Label1").text, "Application");
  for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5"})
    EXPECT_EQ(Ctl(label).foreColor, kLightYellow) << label;
  EXPECT_EQ(Ctl("Label2").text, "Folder");
  EXPECT_FALSE(Ctl("Label3").visible);
  EXPECT_FALSE(Ctl("Text2").visible);
  EXPECT_EQ(Ctl("Label3").text, "Filename");  // hidden with its design caption
  EXPECT_TRUE(Ctl("Label2").visible && Ctl("Text1").visible && Ctl("Text3").visible && Ctl("Text4").visible);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Install", "Read me"}));
  EXPECT_EQ(Ctl("Text4").text, "Choose an item from the list.");
  EXPECT_EQ(Ctl("Command1").text, "Click");
  EXPECT_EQ(w->focus, "List1");
  EXPECT_EQ(app.module1().StartDirectory, "D:\\");
  EXPECT_TRUE(p.Sounds().empty());
}

TEST_F(Form1Load, StepsRunInOrderAndTheFileIsReadAfterTheFolderIsKnown) {
  StartWith(MenuFile::Example());
  std::vector<std::string> order;
  for (const auto& line : p.Log())
    for (const char* op : {"SetCaption Form1 ", "SetPictureFromFile", "ProgramFolder", "OpenForInput",
                           "SetCaption Form1.Label1", "SetForeColor Form1.Label6", "SetCaption Form1.Label6", "AddItem",
                           "SetText Form1.Text4", "FileExists tavlin.wav", "Shown Form1"})
      if (line.rfind(op, 0) == 0 && (order.empty() || order.back() != op)) order.push_back(op);
  EXPECT_EQ(order,
            (std::vector<std::string>{"SetCaption Form1 ", "SetPictureFromFile", "ProgramFolder", "OpenForInput",
                                      "SetCaption Form1.Label1", "SetForeColor Form1.Label6", "SetCaption Form1.Label6",
                                      "AddItem", "SetText Form1.Text4", "FileExists tavlin.wav", "Shown Form1"}));
}

TEST_F(Form1Load, MissingMenuFileStillOpensTheWindow) {
  Start();
  const FakeWindow* w = p.Window(form1());
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->visible);
  EXPECT_EQ(w->caption, "Tavlin v3.0");
  for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
    EXPECT_TRUE(Ctl(label).visible) << label;
    EXPECT_EQ(Ctl(label).text, "") << label;
  }
  EXPECT_EQ(Ctl("Label6").foreColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(Ctl("Label1").foreColor, kDesignLabel);
  EXPECT_TRUE(Entries().empty());
  for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) EXPECT_EQ(Ctl(box).text, "") << box;
  EXPECT_EQ(Ctl("Command1").text, "Click");
  EXPECT_EQ(Ctl("Label7").text, Form1Design().controls.back().text);
}

TEST_F(Form1Load, FewerThanFiveLinesGiveABlackTitle) {
  p.AddFile("tavlin.ini", "menu\r\n2\r\n");
  Start();
  EXPECT_EQ(Ctl("Label6").foreColor, (Rgb{0, 0, 0}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"", ""}));  // two passes, nothing read
}

TEST_F(Form1Load, HideMarkerIsAnXInEitherCaseAndNothingElse) {
  MenuFile f = MenuFile::Example();
  f.Line(15) = "X";
  f.Line(16) = " x";
  f.Line(17) = "xx";
  f.Line(18) = "x";
  f.Line(14) = "x";  // Label1 cannot be hidden
  f.Line(11) = "x";  // nor the title
  StartWith(f);
  EXPECT_FALSE(Ctl("Label2").visible);
  EXPECT_FALSE(Ctl("Text1").visible);
  EXPECT_EQ(Ctl("Label2").text, "Path");
  EXPECT_TRUE(Ctl("Label3").visible);
  EXPECT_EQ(Ctl("Label3").text, " x");
  EXPECT_EQ(Ctl("Label4").text, "xx");
  EXPECT_FALSE(Ctl("Label5").visible);
  EXPECT_FALSE(Ctl("Text4").visible);
  EXPECT_EQ(Ctl("Text4").text, "Choose an item from the list.");  // written while hidden
  EXPECT_EQ(Ctl("Label1").text, "x");
  EXPECT_TRUE(Ctl("Label1").visible);
  EXPECT_EQ(Ctl("Label6").text, "x");
}

TEST_F(Form1Load, LabelColouringNeedsExactlyYesInAnyCase) {
  const std::pair<const char*, bool> cases[] = {{"yes", true},   {"Yes", true},   {"YES", true},
                                                {"yEs", true},   {"y", false},    {"yes.", false},
                                                {"yes ", false}, {" yes", false}, {"", false}};
  for (auto [flag, coloured] : cases) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    MenuFile f = MenuFile::Example();
    f.Line(8) = flag;
    fp.AddFile("tavlin.ini", f.Text());
    Application a(fp);
    a.Run();
    EXPECT_EQ(fp.Control(a.form1(), "Label4").foreColor, coloured ? kLightYellow : kDesignLabel) << '"' << flag << '"';
    EXPECT_EQ(fp.Control(a.form1(), "Label3").foreColor, coloured ? kLightYellow : kDesignLabel)
        << "hidden labels are coloured too: " << flag;
  }
}

TEST_F(Form1Load, ColourOutsideTheTableKeepsTheDesignColours) {
  for (const char* colour : {"16", "-1", "15.5", "40000", "abc", "", " 7x"}) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    MenuFile f = MenuFile::Example();
    f.Line(5) = colour;
    fp.AddFile("tavlin.ini", f.Text());
    Application a(fp);
    a.Run();
    EXPECT_EQ(fp.Control(a.form1(), "Label6").foreColor, kDesignTitle) << '"' << colour << '"';
    EXPECT_EQ(fp.Control(a.form1(), "Label1").foreColor, kDesignLabel) << '"' << colour << '"';
    EXPECT_EQ(fp.Control(a.form1(), "Label6").text, "Welcome to the disc");
  }
}

TEST_F(Form1Load, ListHoldsOneEntryPerItemPassUpToAThousand) {
  const std::pair<const char*, std::size_t> cases[] = {{"5", 5},   {"1500", 1000},      {"0", 0}, {"-4", 0}, {"abc", 0},
                                                       {"3.7", 3}, {"2147483648", 1000}};
  for (auto [count, entries] : cases) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    MenuFile f = MenuFile::Example();
    f.Line(2) = count;
    f.items.push_back({"Third", "t", "t.exe", "", "", ""});
    fp.AddFile("tavlin.ini", f.Text());
    Application a(fp);
    a.Run();
    const auto& items = fp.Control(a.form1(), "List1").items;
    EXPECT_EQ(items.size(), entries) << count;
    if (entries >= 5) {
      EXPECT_EQ(items[2], "Third");
      EXPECT_EQ(items[3], "");  // declared but not in the file
    }
  }
}

TEST_F(Form1Load, MenuPictureReplacesTheBuiltInOneOnlyWhenItLoads) {
  p.AddPicture("menupic.jpg", 640, 480);
  StartWith(MenuFile::Example());
  EXPECT_EQ(p.Window(form1())->picture, "D:\\menupic.jpg");

  FakePlatform fp;
  fp.SetCurrentDirectory("D:\\");
  fp.AddFile("menupic.jpg", "RIFF....WAVEfmt ");  // a sound named like a picture
  Application a(fp);
  a.Run();
  EXPECT_EQ(fp.Window(a.form1())->picture, "builtin");
}

TEST_F(Form1Load, SoundPlaysOnlyForAnOrdinaryFile) {
  const std::pair<FakeFileAttributes, bool> cases[] = {
      {{}, true}, {{.readOnly = true}, true}, {{.hidden = true}, false}, {{.system = true}, false}};
  for (auto [attributes, plays] : cases) {
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    fp.AddFile("tavlin.wav", "RIFF", attributes);
    Application a(fp);
    a.Run();
    ASSERT_EQ(fp.Sounds().size(), plays ? 1u : 0u);
    if (plays) {
      EXPECT_EQ(fp.Sounds()[0].name, "tavlin.wav");
      EXPECT_EQ(fp.Sounds()[0].flags, 1u);  // asynchronous, no default-sound suppression
    }
  }
  p.AddFolder("tavlin.wav");
  Start();
  EXPECT_TRUE(p.Sounds().empty());
}

TEST_F(Form1Load, EveryStepFailsAloneAndTheRestStillRun) {
  // One failing operation at a time: the window still opens with the rest done.
  const std::pair<const char*, const char*> failures[] = {
      {"SetCaption", "Form1"},
      {"SetPictureFromFile", ""},
      {"ProgramFolder", ""},
      {"OpenForInput", ""},
      {"SetCaption", "Form1.Label1"},
      {"SetVisible", "Form1.Label3"},
      {"SetForeColor", "Form1.Label6"},
      {"SetCaption", "Form1.Label6"},
      {"SetForeColor", "Form1.Label2"},
      {"AddItem", "Form1.List1"},
      {"SetText", "Form1.Text4"},
      {"FileExists", "tavlin.wav"},
      {"SndPlaySoundA", ""},
  };
  for (auto [op, target] : failures) {
    SCOPED_TRACE(std::string(op) + " " + target);
    FakePlatform fp;
    fp.SetCurrentDirectory("D:\\");
    fp.SetProgramFolder("D:\\");
    fp.AddFile("tavlin.ini", MenuFile::Example().Text());
    fp.AddFile("tavlin.wav", "RIFF");
    fp.Fail(op, target, 1);
    Application a(fp);
    a.Run();
    ASSERT_NE(fp.Window(a.form1()), nullptr);
    EXPECT_TRUE(fp.Window(a.form1())->visible);
    // The last step always runs, whatever failed before it.
    EXPECT_EQ(fp.LogOf("FileExists").size(), 2u);  // splash.jpg, tavlin.wav
    const std::string failed = std::string(op) + (std::string(target).empty() ? "" : " " + std::string(target));
    if (failed != "OpenForInput") {
      EXPECT_EQ(fp.Control(a.form1(), "Text4").text,
                failed == "SetText Form1.Text4" ? "" : "Choose an item from the list.");
    }
    if (failed == "AddItem Form1.List1") {
      EXPECT_EQ(fp.Control(a.form1(), "List1").items, std::vector<std::string>{"Read me"});
    }
    if (failed == "SetForeColor Form1.Label2") {
      EXPECT_EQ(fp.Control(a.form1(), "Label2").foreColor, kDesignLabel);
      EXPECT_EQ(fp.Control(a.form1(), "Label4").foreColor, kLightYellow);
    }
    if (failed == "ProgramFolder") {
      EXPECT_EQ(a.module1().StartDirectory, "");
    }
  }
}

}  // namespace
}  // namespace tavlin
