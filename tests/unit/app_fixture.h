// A disc in the fake platform and the application started on it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "app/application.h"
#include "menu_file.h"
#include "platform/fake/fake_platform.h"

namespace tavlin::test {

inline constexpr Rgb kDesignLabel{224, 224, 224};
inline constexpr Rgb kDesignTitle{192, 0, 0};
inline constexpr Rgb kLightYellow{255, 255, 0};
inline constexpr Rgb kBlack{0, 0, 0};

// The disc is D:\, the program's folder and the current directory; `menu`
// is its tavlin.ini (none when nullopt); `more` adds files or failures
// before the program starts.
class Disc {
 public:
  explicit Disc(std::optional<MenuFile> menu = MenuFile::Example(),
                const std::function<void(FakePlatform&)>& more = {}) {
    p.SetCurrentDirectory("D:\\");
    p.SetProgramFolder("D:\\");
    if (menu) p.AddFile("tavlin.ini", menu->Text());
    if (more) more(p);
    app.Run();
  }
  Disc(const Disc&) = delete;
  Disc& operator=(const Disc&) = delete;

  Form1& form1() { return app.form1(); }
  Module1& module1() { return app.module1(); }
  const WindowState* Window(const Form& form) const { return p.Window(form); }
  const ControlState& Ctl(std::string_view name) { return p.Control(app.form1(), name); }
  // Each control's text, marked when the control is hidden.
  std::vector<std::string> Shown(std::initializer_list<const char*> names) {
    std::vector<std::string> out;
    for (const char* name : names) out.push_back((Ctl(name).visible ? "" : "hidden ") + Ctl(name).text);
    return out;
  }
  void Select(int index) { p.Select(app.form1(), "List1", index); }
  void Press() { p.Click(app.form1(), "Command1"); }

  FakePlatform p;
  Application app{p};
};

}  // namespace tavlin::test
