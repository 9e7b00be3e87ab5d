// Form6, the splash window: the first window of the process. It decides
// whether a splash picture is shown and hands over to the main window.
#pragma once

#include "platform/form.h"
#include "platform/form_designs.h"
#include "platform/platform.h"

namespace tavlin {

class Form6 final : public Form {
 public:
  Form6(Platform& platform, Form& form1) : Form(Form6Design()), platform_(platform), form1_(form1) {}

  void Form_Load() override;
  void OnTimer(std::string_view timer) override;
  void Timer1_Timer();

 private:
  void HandOver();
  Platform& platform_;
  Form& form1_;  // the main window
};

}  // namespace tavlin
