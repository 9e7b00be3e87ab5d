#include "editor/preview.h"

#include "about/form3.h"
#include "base/error_modes.h"
#include "mainwindow/form1.h"
#include "menu/words.h"
#include "platform/memory/memory_platform.h"

namespace tavlin {

MainWindowPreview PreviewMainWindow(std::string menu, std::optional<PictureSize> menupic, int select, int codePage) {
  MemoryPlatform p;
  p.AddFile(kMenuDefinitionFile, std::move(menu));
  if (menupic) p.AddPicture(kBackgroundFile, static_cast<int>(menupic->width), static_cast<int>(menupic->height));
  Module1 module;
  Form3 about(p);
  Form1 main(p, module, about);
  SkipOnError(p.Show(main));
  if (select >= 0) SkipOnError(p.Select(main, "List1", select));  // an entry the list lacks selects nothing

  MainWindowPreview out;
  const WindowState* w = p.Window(main);
  if (!w) return out;
  out.caption = w->caption;
  out.menupic = w->picture != "builtin" && !w->picture.empty();
  for (const ControlDesign& c : main.Design().controls) {
    const ControlState* s = p.FindControl(main, c.name);
    if (!s) continue;
    out.controls.push_back({c.name, s->text, s->visible, s->foreColor, s->items, s->listIndex,
                            SelfSize(main.Design(), c, s->text, codePage)});
  }
  return out;
}

std::optional<LabelSize> SelfSize(const FormDesign& form, const ControlDesign& control, std::string_view caption,
                                  int codePage) {
  if (control.kind != ControlKind::Label || !control.autoSize) return std::nullopt;
  return LabelSizeOf(control.font.value_or(form.font), caption, codePage);
}

std::optional<PictureSize> LoadedPictureSize(std::string_view bytes) {
  if (!PictureWithinLimits(bytes)) return std::nullopt;
  return ClaimedPictureSize(bytes);
}

}  // namespace tavlin
