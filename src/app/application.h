// The application: Module1 and the three windows, each once per process,
// and the description handed to the window system.
#pragma once

#include "about/form3.h"
#include "app/form6.h"
#include "mainwindow/form1.h"
#include "menu/module1.h"
#include "platform/platform.h"

namespace tavlin {

inline constexpr char kApplicationTitle[] = "Tavlin";

class Application {
 public:
  explicit Application(Platform& platform)
      : platform_(platform), form3_(platform), form1_(platform, module1_, form3_), form6_(platform, form1_) {}

  // Hands the description to the window system; returns when the process
  // would end with no window left.
  int Run();

  Module1& module1() { return module1_; }
  Form1& form1() { return form1_; }
  Form3& form3() { return form3_; }
  Form6& form6() { return form6_; }

 private:
  Platform& platform_;
  Module1 module1_;
  Form3 form3_;
  Form1 form1_;
  Form6 form6_;
};

}  // namespace tavlin
