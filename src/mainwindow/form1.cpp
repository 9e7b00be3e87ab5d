#include "mainwindow/form1.h"

#include <algorithm>

#include "menu/words.h"
#include "menu/menu_definition.h"
#include "menu/numbers.h"
#include "base/error_modes.h"

namespace tavlin {

void Form1::Form_Load() {
  // Skip-on-error throughout: each step fails alone and the window opens.
  Platform& p = platform_;
  Module1& m = module1_;
  SkipOnError(p.SetCaption(*this, "", kMainWindowCaption));
  SkipOnError(p.SetPictureFromFile(*this, kBackgroundFile));  // else the built-in picture stays
  if (auto folder = p.ProgramFolder()) m.StartDirectory = *folder;
  // The only input file, closed when `menu` goes, after the last block.
  const std::unique_ptr<LineReader> menu = p.OpenForInput(kMenuDefinitionFile);
  const MenuStartValues start = ReadMenuDefinition(menu.get(), m);

  // Field labels: a caption, or the hide marker for a label and its box.
  SkipOnError(p.SetCaption(*this, "Label1", m.ApplicationCaption));
  ApplyFieldCaption("Label2", "Text1", m.PathCaption);
  ApplyFieldCaption("Label3", "Text2", m.FilenameCaption);
  ApplyFieldCaption("Label4", "Text3", m.InformationCaption);
  ApplyFieldCaption("Label5", "Text4", m.DescriptionCaption);

  // Title: a colour that is not one of the sixteen fails the step.
  if (auto color = TitleColor(start.TitleColorIndex)) SkipOnError(p.SetForeColor(*this, "Label6", *color));
  SkipOnError(p.SetCaption(*this, "Label6", start.MenuTitle.value_or("")));

  // Label colour: the title's, for hidden labels too.
  if (TurnsLabelColorOn(m.LabelColorFlag)) {
    for (std::string_view label : {"Label1", "Label2", "Label3", "Label4", "Label5"})
      if (auto color = TitleColor(start.TitleColorIndex)) SkipOnError(p.SetForeColor(*this, label, *color));
  }

  // The list: one entry per item pass of the reader, in table order.
  const long long entries = std::min<long long>(ItemCountValue(start.ItemCount), kMaxMenuItems);
  for (long long j = 1; j <= entries; ++j)
    if (auto name = m.ItemName.Get(j)) SkipOnError(p.AddItem(*this, "List1", *name));

  SkipOnError(p.SetText(*this, "Text4", m.DefaultDescription));  // even when hidden

  // Sound: asynchronous, so the window comes up while it plays.
  if (p.FileExists(kSoundFile)) SkipOnError(p.SndPlaySoundA(kSoundFile, kSndAsync));
}

void Form1::ApplyFieldCaption(std::string_view label, std::string_view textBox, const std::string& setting) {
  if (IsHideMarker(setting)) {
    SkipOnError(platform_.SetVisible(*this, label, false));  // the caption stays as designed
    SkipOnError(platform_.SetVisible(*this, textBox, false));
  } else {
    SkipOnError(platform_.SetCaption(*this, label, setting));
  }
}

void Form1::OnClick(std::string_view control) {
  if (control == "List1") List1_Click();
  else if (control == "Command1")
    Command1_Click();
  else if (control == "Label2")
    Label2_Click();
  else if (control == "Label7")
    Label7_Click();
}

void Form1::List1_Click() {
  // Skip-on-error: a step that fails leaves its target and the next one runs.
  // No current entry is position -1, which reads the empty row 0.
  Platform& p = platform_;
  Module1& m = module1_;
  const std::optional<int> index = p.ListIndex(*this, "List1");
  auto row = [&](const MenuList& list) -> std::optional<std::string> {
    if (!index) return std::nullopt;
    return list.Get(static_cast<long long>(*index) + 1);
  };
  if (auto v = row(m.ItemButtonCaption)) SkipOnError(p.SetCaption(*this, "Command1", *v));
  if (auto v = row(m.ItemPath)) m.SelectedPath = *v;
  SkipOnError(p.SetText(*this, "Text1", m.SelectedPath));
  if (auto v = row(m.ItemFile)) m.SelectedFile = *v;
  SkipOnError(p.SetText(*this, "Text2", m.SelectedFile));
  if (auto v = row(m.ItemInformation)) SkipOnError(p.SetText(*this, "Text3", *v));
  if (auto v = row(m.ItemDescription)) SkipOnError(p.SetText(*this, "Text4", *v));
}

void Form1::Command1_Click() {
  // Error trap: the first step that fails ends the handler quietly.
  Platform& p = platform_;
  Module1& m = module1_;
  if (!p.SetFocus(*this, "List1")) return;
  if (m.SelectedPath.empty()) {
    // The button pressed is not looked at, and the handler ends either way.
    SkipOnError(p.MsgBox(kNoSelectionMessage, kMsgBoxOkOnly));
    return;
  }
  if (!p.ChangeDirectory(m.SelectedPath)) return;
  const std::optional<NativeHandle> owner = p.WindowHandle(*this);
  if (!owner) return;
  // The 8-bit strings handed to the shell; nothing is split off the file.
  const std::string path = m.SelectedPath;
  const std::string file = m.SelectedFile;
  if (!p.ShellExecuteA(*owner, nullptr, file.c_str(), nullptr, path.c_str(), kSwShowNormal)) return;
  // What went to the shell is the selection from now on. The menu's text is
  // 8-bit already, so this changes nothing, but it keeps the selection what
  // was launched, should the conversion ever not be the identity.
  m.SelectedFile = file;
  m.SelectedPath = path;
  // The last step: if it fails, the current directory stays at SelectedPath.
  SkipOnError(p.ChangeDirectory(m.StartDirectory));
}

void Form1::Form_QueryUnload(int& /*cancel: never set, a close is never refused*/, int /*unloadMode*/) {
  // Every close reason, from the close box to shut-down, ends the application.
  Form_Terminate();  // the application ends here
}

void Form1::Form_Terminate() { platform_.End(); }

void Form1::Label2_Click() { ShowAbout(); }
void Form1::Label7_Click() { ShowAbout(); }  // opens no web address

void Form1::ShowAbout() {
  // Skip-on-error: if the About window cannot be shown, nothing happens.
  SkipOnError(platform_.Show(form3_));
}

}  // namespace tavlin
