#include "mainwindow/form1.h"

#include <algorithm>

#include "menu/markers.h"
#include "menu/menu_definition.h"
#include "menu/numbers.h"
#include "platform/error_modes.h"

namespace tavlin {

void Form1::Form_Load() {
  // Skip-on-error throughout: each step fails alone and the window opens.
  SkipOnError(p_.SetCaption(*this, "", kMainWindowCaption));              // 1
  SkipOnError(p_.SetPictureFromFile(*this, kBackgroundFile));   // 2
  if (auto folder = p_.ProgramFolder()) m_.StartDirectory = *folder;  // 3
  const MenuStartValues start = ReadMenuDefinition(p_, m_);     // 4

  SkipOnError(p_.SetCaption(*this, "Label1", m_.ApplicationCaption));  // 5
  ApplyFieldCaption("Label2", "Text1", m_.PathCaption);                // 6
  ApplyFieldCaption("Label3", "Text2", m_.FilenameCaption);
  ApplyFieldCaption("Label4", "Text3", m_.InformationCaption);
  ApplyFieldCaption("Label5", "Text4", m_.DescriptionCaption);

  // 7: a colour that is not one of the sixteen fails the step.
  if (auto color = TitleColor(start.TitleColorIndex)) SkipOnError(p_.SetForeColor(*this, "Label6", *color));
  SkipOnError(p_.SetCaption(*this, "Label6", start.MenuTitle.value_or("")));  // 8

  if (TurnsLabelColorOn(m_.LabelColorFlag)) {  // 9, hidden labels too
    for (std::string_view label : {"Label1", "Label2", "Label3", "Label4", "Label5"})
      if (auto color = TitleColor(start.TitleColorIndex)) SkipOnError(p_.SetForeColor(*this, label, *color));
  }

  // 10: one entry per item pass of the reader, in table order.
  const long long entries = std::min<long long>(ItemCountValue(start.ItemCount), kMaxMenuItems);
  for (long long j = 1; j <= entries; ++j)
    if (auto name = m_.ItemName.Get(j)) SkipOnError(p_.AddItem(*this, "List1", *name));

  SkipOnError(p_.SetText(*this, "Text4", m_.DefaultDescription));  // 11, even when hidden

  // 12: asynchronous, so the window comes up while it plays.
  if (p_.FileExists(kSoundFile)) SkipOnError(p_.SndPlaySoundA(kSoundFile, kSndAsync));
}

void Form1::ApplyFieldCaption(std::string_view label, std::string_view textBox, const std::string& setting) {
  if (IsHideMarker(setting)) {
    SkipOnError(p_.SetVisible(*this, label, false));  // the caption stays as designed
    SkipOnError(p_.SetVisible(*this, textBox, false));
  } else {
    SkipOnError(p_.SetCaption(*this, label, setting));
  }
}

void Form1::Click(std::string_view control) {
  if (control == "List1") List1_Click();
  else if (control == "Command1") Command1_Click();
  else if (control == "Label2") Label2_Click();
  else if (control == "Label7") Label7_Click();
}

void Form1::List1_Click() {
  // Skip-on-error: a step that fails leaves its target and the next one runs.
  // No current entry is position -1, which reads the empty row 0.
  const std::optional<int> index = p_.ListIndex(*this, "List1");
  auto row = [&](const MenuList& list) -> std::optional<std::string> {
    if (!index) return std::nullopt;
    return list.Get(static_cast<long long>(*index) + 1);
  };
  if (auto v = row(m_.ItemButtonCaption)) SkipOnError(p_.SetCaption(*this, "Command1", *v));
  if (auto v = row(m_.ItemPath)) m_.SelectedPath = *v;
  SkipOnError(p_.SetText(*this, "Text1", m_.SelectedPath));
  if (auto v = row(m_.ItemFile)) m_.SelectedFile = *v;
  SkipOnError(p_.SetText(*this, "Text2", m_.SelectedFile));
  if (auto v = row(m_.ItemInformation)) SkipOnError(p_.SetText(*this, "Text3", *v));
  if (auto v = row(m_.ItemDescription)) SkipOnError(p_.SetText(*this, "Text4", *v));
}

void Form1::Command1_Click() {
  // Error trap: the first step that fails ends the handler quietly.
  if (!p_.SetFocus(*this, "List1")) return;
  if (m_.SelectedPath.empty()) {
    (void)p_.MsgBox(kNoSelectionMessage, kMsgBoxOkOnly);  // the button pressed is not looked at
    return;
  }
  if (!p_.ChangeDirectory(m_.SelectedPath)) return;
  const std::optional<NativeHandle> owner = p_.WindowHandle(*this);
  if (!owner) return;
  // The 8-bit strings handed to the shell; nothing is split off the file.
  const std::string path = m_.SelectedPath;
  const std::string file = m_.SelectedFile;
  if (!p_.ShellExecuteA(*owner, nullptr, file.c_str(), nullptr, path.c_str(), kSwShowNormal)) return;
  m_.SelectedFile = file;
  m_.SelectedPath = path;
  if (!p_.ChangeDirectory(m_.StartDirectory)) return;
}

void Form1::Form_QueryUnload(int& /*cancel: never set, a close is never refused*/, int unloadMode) {
  // Every close reason, from the close box to shut-down, ends the application.
  if (unloadMode >= kFormControlMenu && unloadMode <= kFormOwner) Form_Terminate();  // does not return
}

void Form1::Form_Terminate() { p_.End(); }

void Form1::Label2_Click() { ShowAbout(); }
void Form1::Label7_Click() { ShowAbout(); }  // opens no web address

void Form1::ShowAbout() {
  // Skip-on-error: if the About window cannot be shown, nothing happens.
  SkipOnError(p_.Show(about_));
}

}  // namespace tavlin
