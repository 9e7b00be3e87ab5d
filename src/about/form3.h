// Form3, the About window: the maker's details on a small title-less panel
// that any click, or five seconds, closes.
#pragma once

#include "platform/form.h"
#include "platform/platform.h"

namespace tavlin {

const FormDesign& Form3Design();

class Form3 final : public Form {
 public:
  explicit Form3(Platform& platform) : Form(Form3Design()), p_(platform) {}

  void Click(std::string_view control) override;  // the window, Frame1 and its four items
  void Timer(std::string_view timer) override;

 private:
  void CloseAbout();
  Platform& p_;
};

}  // namespace tavlin
