#include "about/form3.h"

#include "base/error_modes.h"

namespace tavlin {

void Form3::OnClick(std::string_view control) {
  if (control.empty()) Form_Click();
  else if (control == "Frame1")
    Frame1_Click();
  else if (control == "Label1")
    Label1_Click();
  else if (control == "Picture1")
    Picture1_Click();
  else if (control == "Image1")
    Image1_Click();
  else if (control == "Label2")
    Label2_Click();
}

void Form3::OnTimer(std::string_view timer) {
  if (timer == "Timer1") Timer1_Timer();
}

void Form3::Form_Click() { CloseAbout(); }
void Form3::Frame1_Click() { CloseAbout(); }
void Form3::Label1_Click() { CloseAbout(); }
void Form3::Picture1_Click() { CloseAbout(); }
void Form3::Image1_Click() { CloseAbout(); }
void Form3::Label2_Click() { CloseAbout(); }
void Form3::Timer1_Timer() { CloseAbout(); }

void Form3::CloseAbout() {
  // Skip-on-error: if the window cannot be unloaded it simply stays open.
  SkipOnError(platform_.Unload(*this));
}

}  // namespace tavlin
