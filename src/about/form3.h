// Form3, the About window: the maker's details on a small title-less panel
// that any click, or five seconds, closes.
#pragma once

#include "platform/form.h"
#include "platform/form_designs.h"
#include "platform/platform.h"

namespace tavlin {

class Form3 final : public Form {
 public:
  explicit Form3(Platform& platform) : Form(Form3Design()), platform_(platform) {}

  void OnClick(std::string_view control) override;
  void OnTimer(std::string_view timer) override;

  // Each closes the window: a click anywhere on it, or its five seconds.
  void Form_Click();
  void Frame1_Click();
  void Label1_Click();
  void Picture1_Click();
  void Image1_Click();
  void Label2_Click();
  void Timer1_Timer();

 private:
  void CloseAbout();
  Platform& platform_;
};

}  // namespace tavlin
