#include "platform/memory/memory_platform.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/error_modes.h"
#include "base/windows_names.h"

namespace tavlin {

namespace {

constexpr char kPictureMagic[] = "PICTURE ";

// Joins and normalises a Windows path: separators, "." and "..".
std::string Normalise(const std::string& path) {
  std::string root;
  std::size_t i = 0;
  if (path.size() >= 2 && path[1] == ':') {
    root = path.substr(0, 2);
    i = 2;
  }
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (; i < path.size(); ++i) {
    if (path[i] == '\\' || path[i] == '/') flush();
    else
      part += path[i];
  }
  flush();
  std::string out = root;
  for (const auto& p : parts) out += "\\" + p;
  return out.empty() || out == root ? root + "\\" : out;
}

bool IsFocusable(ControlKind k) {
  return k == ControlKind::ListBox || k == ControlKind::TextBox || k == ControlKind::CommandButton ||
         k == ControlKind::PictureBox;
}

}  // namespace

MemoryPlatform::MemoryPlatform() { SetCurrentDirectory("C:\\"); }

std::string MemoryPlatform::Resolve(const std::string& path) const {
  return Normalise(IsAbsolutePath(path) ? path : cwd_ + "\\" + path);
}

const MemoryPlatform::Entry* MemoryPlatform::Find(const std::string& path) const {
  auto it = entries_.find(LowerCase(Resolve(path)));
  return it == entries_.end() ? nullptr : &it->second;
}

void MemoryPlatform::AddFolder(const std::string& path) {
  std::string full = Resolve(path);
  // Every folder on the way exists too.
  for (std::size_t pos = 3; pos <= full.size(); ++pos) {
    if (pos == full.size() || full[pos] == '\\') entries_[LowerCase(full.substr(0, pos))].folder = true;
  }
  entries_[LowerCase(full.substr(0, 2) + "\\")].folder = true;
}

void MemoryPlatform::AddFile(const std::string& path, std::string content, FileAttributes attributes) {
  const std::string full = Resolve(path);
  const auto slash = full.find_last_of('\\');
  AddFolder(full.substr(0, slash == 2 ? 3 : slash));
  entries_[LowerCase(full)] = Entry{false, std::move(content), attributes};
}

void MemoryPlatform::AddPicture(const std::string& path, int width, int height) {
  AddFile(path, kPictureMagic + std::to_string(width) + "x" + std::to_string(height));
}

void MemoryPlatform::SetCurrentDirectory(const std::string& path) {
  AddFolder(path);
  cwd_ = Resolve(path);
}

bool MemoryPlatform::FolderExists(const std::string& path) const {
  const Entry* e = Find(path);
  return e != nullptr && e->folder;
}

std::string MemoryPlatform::Target(const Form& form, std::string_view control) const {
  std::string t(form.Name());
  if (!control.empty()) t += "." + std::string(control);
  return t;
}

WindowState* MemoryPlatform::Loaded(const Form& form) {
  auto it = loaded_.find(&form);
  if (it != loaded_.end()) return &it->second;
  Missing("window not loaded: " + std::string(form.Name()));
  return nullptr;
}

ControlState* MemoryPlatform::ControlOf(Form& form, std::string_view control) {
  WindowState* w = Loaded(form);
  if (!w) return nullptr;
  auto it = w->controls.find(control);
  if (it != w->controls.end()) return &it->second;
  Missing("no control " + std::string(control) + " on " + std::string(form.Name()));
  return nullptr;
}

const ControlDesign* MemoryPlatform::DesignOf(Form& form, std::string_view control, ControlKind kind) {
  const auto i = form.Design().IndexOf(control);
  if (i && form.Design().controls[*i].kind == kind) return &form.Design().controls[*i];
  Missing(Target(form, control) + " is no control of the kind asked for");
  return nullptr;
}

const WindowState* MemoryPlatform::Window(const Form& form) const {
  auto it = loaded_.find(&form);
  return it == loaded_.end() ? nullptr : &it->second;
}

const ControlState* MemoryPlatform::FindControl(const Form& form, std::string_view control) const {
  const WindowState* w = Window(form);
  if (!w) return nullptr;
  auto it = w->controls.find(control);
  return it == w->controls.end() ? nullptr : &it->second;
}

template <typename F>
void MemoryPlatform::Deliver(F&& handler) {
  if (ended_) return;  // nothing runs after the end
  ++depth_;
  handler();
  --depth_;
}

// --- events ----------------------------------------------------------------

void MemoryPlatform::Click(Form& form, std::string_view control) {
  Deliver([&] {
    if (!IsLoaded(form)) return;
    if (!control.empty()) {
      const ControlState* c = ControlOf(form, control);
      if (!c || !c->visible) return;  // a hidden control takes no click
    }
    Note("Event Click " + Target(form, control));
    form.OnClick(control);
  });
}

bool MemoryPlatform::Select(Form& form, std::string_view list, int index) {
  ControlState* c = ControlOf(form, list);
  if (!c || index < -1 || index >= static_cast<int>(c->items.size())) return false;
  c->listIndex = index;
  Click(form, list);
  return true;
}

void MemoryPlatform::Tick(Form& form, std::string_view timer) {
  Deliver([&] {
    if (!IsLoaded(form) || !DesignOf(form, timer, ControlKind::Timer)) return;  // a timer goes with its window
    Note("Event Timer " + Target(form, timer));
    form.OnTimer(timer);
  });
}

void MemoryPlatform::Close(Form& form, int unloadMode) {
  Deliver([&] {
    if (!IsLoaded(form)) return;
    Note("Event QueryUnload " + Target(form, "") + " " + std::to_string(unloadMode));
    int cancel = 0;
    form.Form_QueryUnload(cancel, unloadMode);
    if (cancel == 0 && IsLoaded(form)) SkipOnError(Unload(form));  // a window that will not go stays
  });
}

// --- window system -----------------------------------------------------------

int MemoryPlatform::Run(const ApplicationDescription& app) {
  title_ = std::string(app.title);
  started_ = true;
  Note("Run " + std::string(app.startup->Name()));
  Deliver([&] { SkipOnError(Show(*app.startup)); });  // a start-up window that cannot be made leaves none
  return 0;
}

bool MemoryPlatform::Show(Form& form) {
  if (!Allow("Show", Target(form, ""), "")) return false;
  if (auto it = loaded_.find(&form); it != loaded_.end()) {
    ++it->second.showCount;  // already open: only brought to the front
    return true;
  }
  WindowState w;
  w.caption = std::string(form.Design().caption);
  w.picture = form.Design().picture == Artwork::None ? "" : "builtin";
  w.handle = nextHandle_++;
  for (const ControlDesign& c : form.Design().controls) {
    ControlState s;
    s.text = std::string(c.text);
    s.foreColor = c.foreColor;
    w.controls.emplace(std::string(c.name), std::move(s));
  }
  loaded_.emplace(&form, std::move(w));
  Note("Load " + Target(form, ""));
  form.Form_Load();
  auto it = loaded_.find(&form);
  if (it == loaded_.end()) return true;  // unloaded in its own Load: never shown
  it->second.visible = true;
  it->second.showCount = 1;
  // The focus goes to the first control in tab order that can take it.
  int best = -1;
  for (const ControlDesign& c : form.Design().controls)
    if (IsFocusable(c.kind) && c.tabIndex >= 0 && it->second.controls[std::string(c.name)].visible &&
        (best < 0 || c.tabIndex < best)) {
      best = c.tabIndex;
      it->second.focus = std::string(c.name);
    }
  Note("Shown " + Target(form, ""));
  return true;
}

bool MemoryPlatform::Unload(Form& form) {
  if (!Allow("Unload", Target(form, ""), "")) return false;
  loaded_.erase(&form);
  return true;
}

bool MemoryPlatform::SetCaption(Form& form, std::string_view control, const std::string& text) {
  if (control.empty()) {
    WindowState* w = Loaded(form);
    if (!w || !Allow("SetCaption", Target(form, ""), text)) return false;
    w->caption = text;
    return true;
  }
  ControlState* c = ControlOf(form, control);
  if (!c || !Allow("SetCaption", Target(form, control), text)) return false;
  c->text = text;
  return true;
}

bool MemoryPlatform::SetText(Form& form, std::string_view control, const std::string& text) {
  ControlState* c = ControlOf(form, control);
  if (!c || !Allow("SetText", Target(form, control), text)) return false;
  c->text = text;
  return true;
}

bool MemoryPlatform::SetVisible(Form& form, std::string_view control, bool visible) {
  ControlState* c = ControlOf(form, control);
  if (!c || !Allow("SetVisible", Target(form, control), visible ? "true" : "false")) return false;
  c->visible = visible;
  return true;
}

bool MemoryPlatform::SetForeColor(Form& form, std::string_view control, Rgb color) {
  ControlState* c = ControlOf(form, control);
  const std::string rgb = std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b);
  if (!c || !Allow("SetForeColor", Target(form, control), rgb)) return false;
  c->foreColor = color;
  return true;
}

bool MemoryPlatform::AddItem(Form& form, std::string_view list, const std::string& entry) {
  ControlState* c = ControlOf(form, list);
  if (!c || !DesignOf(form, list, ControlKind::ListBox) || !Allow("AddItem", Target(form, list), entry)) return false;
  c->items.push_back(entry);
  return true;
}

std::optional<int> MemoryPlatform::ListIndex(Form& form, std::string_view list) {
  ControlState* c = ControlOf(form, list);
  if (!c || !Allow("ListIndex", Target(form, list), "")) return std::nullopt;
  return c->listIndex;
}

bool MemoryPlatform::SetFocus(Form& form, std::string_view control) {
  ControlState* c = ControlOf(form, control);
  if (!c) return false;
  // As on Windows, a hidden control or a window not shown takes no focus.
  WindowState* w = Loaded(form);
  if (!c->visible || !w->visible) {
    Note("SetFocus " + Target(form, control) + " -> failed");
    return false;
  }
  if (!Allow("SetFocus", Target(form, control), "")) return false;
  w->focus = std::string(control);
  return true;
}

std::optional<NativeHandle> MemoryPlatform::WindowHandle(Form& form) {
  WindowState* w = Loaded(form);
  if (!w || !Allow("WindowHandle", Target(form, ""), "")) return std::nullopt;
  return w->handle;
}

bool MemoryPlatform::SetPictureFromFile(Form& form, const std::string& file) {
  WindowState* w = Loaded(form);
  if (!w || !Allow("SetPictureFromFile", Target(form, ""), file)) return false;
  const Entry* e = Find(file);
  // Hidden files load like any other; what counts is readable picture content.
  if (e == nullptr || e->folder || e->attributes.unreadable || e->content.rfind(kPictureMagic, 0) != 0) {
    Note("SetPictureFromFile " + file + " -> not a picture");
    return false;
  }
  w->picture = Resolve(file);
  return true;
}

bool MemoryPlatform::MsgBox(const std::string& text, int style) {
  if (!Allow("MsgBox", "", text)) return false;
  messageBoxes_.push_back({text, style, title_});
  return true;
}

// --- files and folders -------------------------------------------------------

bool MemoryPlatform::FileExists(const std::string& name) {
  if (!Allow("FileExists", name, "")) return false;
  const Entry* e = Find(name);
  return e != nullptr && !e->folder && !e->attributes.hidden && !e->attributes.system;
}

std::unique_ptr<LineReader> MemoryPlatform::OpenForInput(const std::string& name) {
  if (!Allow("OpenForInput", name, "")) return nullptr;
  const Entry* e = Find(name);
  if (e == nullptr || e->folder || e->attributes.unreadable) return nullptr;
  return LineReaderFromString(e->content);
}

bool MemoryPlatform::ChangeDirectory(const std::string& folder) {
  if (!Allow("ChangeDirectory", folder, "")) return false;
  if (folder.empty() || !FolderExists(folder)) {
    Note("ChangeDirectory " + folder + " -> no such folder");
    return false;
  }
  cwd_ = Resolve(folder);
  return true;
}

std::optional<std::string> MemoryPlatform::ProgramFolder() {
  if (!Allow("ProgramFolder", "", "")) return std::nullopt;
  return programFolder_;
}

// --- shell and sound -----------------------------------------------------------

bool MemoryPlatform::ShellExecuteA(NativeHandle owner, const char* operation, const char* file, const char* parameters,
                                   const char* directory, int showCommand) {
  auto opt = [](const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; };
  if (!Allow("ShellExecuteA", file ? file : "(null)", "")) return false;
  shellCalls_.push_back({owner, opt(operation), opt(file), opt(parameters), opt(directory), showCommand, cwd_});
  return true;
}

bool MemoryPlatform::SndPlaySoundA(const std::string& name, unsigned flags) {
  if (!Allow("SndPlaySoundA", name, std::to_string(flags))) return false;
  sounds_.push_back({name, flags});
  return true;
}

void MemoryPlatform::End() {
  Note("End");
  ended_ = true;
  loaded_.clear();
}

}  // namespace tavlin
