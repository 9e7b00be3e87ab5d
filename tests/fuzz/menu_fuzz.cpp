// Arbitrary bytes as tavlin.ini, through the reader and the main window's
// start-up, then a selection and a launch, and through the editor's preview
// of that window: none of it may crash, hang or break the window's promises.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/application.h"
#include "editor/preview.h"
#include "platform/fake/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavlin;
  FakePlatform p;
  p.SetCurrentDirectory("D:\\");
  p.SetProgramFolder("D:\\");
  p.AddFolder("D:\\setup");
  const std::string menu(reinterpret_cast<const char*>(data), size);
  p.AddFile("tavlin.ini", menu);
  Application app(p);
  app.Run();

  const WindowState* w = p.Window(app.form1());
  if (w == nullptr || !w->visible) std::abort();  // the menu always opens
  const auto& list = p.Control(app.form1(), "List1").items;
  if (list.size() > static_cast<std::size_t>(kMaxMenuItems)) std::abort();

  if (!list.empty()) {
    for (int i : {0, static_cast<int>(list.size()) - 1}) {
      p.Select(app.form1(), "List1", i);
      p.Click(app.form1(), "Command1");
    }
  }
  // The preview fills the same list as the program.
  const MainWindowPreview preview = PreviewMainWindow(menu, std::nullopt, list.empty() ? -1 : 0);
  for (const ControlPreview& c : preview.controls)
    if (c.name == "List1" && c.items != list) std::abort();
  p.Click(app.form1(), "Label7");
  p.Close(app.form1(), kFormControlMenu);
  if (!p.HasEnded()) std::abort();
  return 0;
}
