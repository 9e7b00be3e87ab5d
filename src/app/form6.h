// Form6, the splash window: the first window of the process. It decides
// whether a splash picture is shown and hands over to the main window.
#pragma once

#include "platform/form.h"
#include "platform/platform.h"

namespace tavlin {

const FormDesign& Form6Design();

class Form6 final : public Form {
 public:
  Form6(Platform& platform, Form& mainWindow) : Form(Form6Design()), p_(platform), main_(mainWindow) {}

  void Form_Load() override;
  void Timer(std::string_view timer) override;

 private:
  void HandOver();
  Platform& p_;
  Form& main_;
};

}  // namespace tavlin
