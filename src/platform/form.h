// A form is its design table plus its handlers. The window system creates
// the real window from the design and delivers events to the handlers, one
// at a time, on the one UI thread.
#pragma once

#include <string_view>

#include "platform/design.h"

namespace tavlin {

// Why a window is being closed, as the window system reports it.
enum UnloadMode : int {
  kFormControlMenu = 0,  // close box, window menu, Alt+F4
  kFormCode = 1,
  kAppWindows = 2,  // Windows shuts down or the user logs off
  kAppTaskManager = 3,
  kFormMdiForm = 4,
  kFormOwner = 5,
};

struct NativeWindow;  // the backend's per-window state, opaque up here

class Form {
 public:
  explicit Form(const FormDesign& design) : design_(design) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormDesign& Design() const { return design_; }
  std::string_view Name() const { return design_.name; }

  // Events, as the window system delivers them. A form passes a click or a
  // tick on to the handler named after its control (List1_Click,
  // Timer1_Timer); the events a form does not handle do nothing.
  virtual void Form_Load() {}
  virtual void OnClick(std::string_view /*control: empty for the window*/) {}
  virtual void OnTimer(std::string_view /*timer*/) {}
  virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}

  // Set and cleared by the backend while the window is loaded.
  NativeWindow* native = nullptr;

 private:
  const FormDesign& design_;
};

}  // namespace tavlin
