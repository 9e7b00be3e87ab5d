// Form1, the main menu window: the title, the item list, the detail fields
// and the launch button.
#pragma once

#include "menu/module1.h"
#include "platform/form.h"
#include "platform/form_designs.h"
#include "platform/platform.h"

namespace tavlin {

inline constexpr char kMainWindowCaption[] = "Tavlin v3.0";

class Form1 final : public Form {
 public:
  Form1(Platform& platform, Module1& module1, Form& form3)
      : Form(Form1Design()), platform_(platform), module1_(module1), form3_(form3) {}

  void Form_Load() override;
  void OnClick(std::string_view control) override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Terminate();

  void List1_Click();
  void Command1_Click();
  void Label2_Click();
  void Label7_Click();

 private:
  void ApplyFieldCaption(std::string_view label, std::string_view textBox, const std::string& setting);
  void ShowAbout();

  Platform& platform_;
  Module1& module1_;
  Form& form3_;  // the About window
};

}  // namespace tavlin
