// Arbitrary bytes as tavlin.ini, through the reader and the main window's
// start-up, then a selection and a launch: none of it may crash, hang or
// break the window's promises.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/application.h"
#include "platform/fake/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavlin;
  FakePlatform p;
  p.SetCurrentDirectory("D:\\");
  p.SetProgramFolder("D:\\");
  p.AddFolder("D:\\setup");
  p.AddFile("tavlin.ini", std::string(reinterpret_cast<const char*>(data), size));
  Application app(p);
  app.Run();

  const FakeWindow* w = p.Window(app.form1());
  if (w == nullptr || !w->visible) std::abort();  // the menu always opens
  const auto& list = p.Control(app.form1(), "List1").items;
  if (list.size() > static_cast<std::size_t>(kMaxMenuItems)) std::abort();

  if (!list.empty()) {
    for (int i : {0, static_cast<int>(list.size()) - 1}) {
      p.Select(app.form1(), "List1", i);
      p.Click(app.form1(), "Command1");
    }
  }
  p.Click(app.form1(), "Label7");
  p.Close(app.form1(), kFormControlMenu);
  if (!p.HasEnded()) std::abort();
  return 0;
}
