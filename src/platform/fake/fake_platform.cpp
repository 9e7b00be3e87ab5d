#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <stdexcept>

#include "base/ascii.h"
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

FakePlatform::FakePlatform() { SetCurrentDirectory("C:\\"); }

std::string FakePlatform::Resolve(const std::string& path) const {
  return Normalise(IsAbsolutePath(path) ? path : cwd_ + "\\" + path);
}

const FakePlatform::Entry* FakePlatform::Find(const std::string& path) const {
  auto it = entries_.find(LowerCase(Resolve(path)));
  return it == entries_.end() ? nullptr : &it->second;
}

void FakePlatform::AddFolder(const std::string& path) {
  std::string full = Resolve(path);
  // Every folder on the way exists too.
  for (std::size_t pos = 3; pos <= full.size(); ++pos) {
    if (pos == full.size() || full[pos] == '\\') entries_[LowerCase(full.substr(0, pos))].folder = true;
  }
  entries_[LowerCase(full.substr(0, 2) + "\\")].folder = true;
}

void FakePlatform::AddFile(const std::string& path, std::string content, FakeFileAttributes attributes) {
  const std::string full = Resolve(path);
  const auto slash = full.find_last_of('\\');
  AddFolder(full.substr(0, slash == 2 ? 3 : slash));
  entries_[LowerCase(full)] = Entry{false, std::move(content), attributes};
}

void FakePlatform::AddPicture(const std::string& path, int width, int height) {
  AddFile(path, kPictureMagic + std::to_string(width) + "x" + std::to_string(height));
}

void FakePlatform::SetCurrentDirectory(const std::string& path) {
  AddFolder(path);
  cwd_ = Resolve(path);
}

bool FakePlatform::FolderExists(const std::string& path) const {
  const Entry* e = Find(path);
  return e != nullptr && e->folder;
}

void FakePlatform::Fail(std::string operation, std::string target, int times) {
  failures_.push_back({std::move(operation), std::move(target), times});
}

bool FakePlatform::Call(std::string_view operation, const std::string& target, const std::string& detail) {
  std::string line(operation);
  if (!target.empty()) line += " " + target;
  if (!detail.empty()) line += " " + detail;
  for (auto& f : failures_) {
    if (f.times != 0 && f.operation == operation && (f.target.empty() || f.target == target)) {
      if (f.times > 0) --f.times;
      log_.push_back(line + " -> failed");
      return false;
    }
  }
  log_.push_back(line);
  return true;
}

std::vector<std::string> FakePlatform::LogOf(std::string_view operation) const {
  std::vector<std::string> out;
  for (const auto& line : log_)
    if (line.compare(0, operation.size(), operation) == 0 &&
        (line.size() == operation.size() || line[operation.size()] == ' '))
      out.push_back(line);
  return out;
}

std::string FakePlatform::Target(const Form& form, std::string_view control) const {
  std::string t(form.Name());
  if (!control.empty()) t += "." + std::string(control);
  return t;
}

FakeWindow& FakePlatform::Loaded(const Form& form) {
  auto it = loaded_.find(&form);
  if (it == loaded_.end()) throw std::logic_error("window not loaded: " + std::string(form.Name()));
  return it->second;
}

FakeControl& FakePlatform::ControlOf(Form& form, std::string_view control) {
  FakeWindow& w = Loaded(form);
  auto it = w.controls.find(control);
  if (it == w.controls.end())
    throw std::logic_error("no control " + std::string(control) + " on " + std::string(form.Name()));
  return it->second;
}

const FakeWindow* FakePlatform::Window(const Form& form) const {
  auto it = loaded_.find(&form);
  return it == loaded_.end() ? nullptr : &it->second;
}

const FakeControl& FakePlatform::Control(const Form& form, std::string_view control) const {
  const FakeWindow* w = Window(form);
  if (w == nullptr) throw std::logic_error("window not loaded: " + std::string(form.Name()));
  auto it = w->controls.find(control);
  if (it == w->controls.end()) throw std::logic_error("no control " + std::string(control));
  return it->second;
}

template <typename F>
void FakePlatform::Deliver(F&& handler) {
  if (ended_) return;  // nothing runs after the end
  ++depth_;
  try {
    handler();
  } catch (const Ended&) {
    ended_ = true;
    loaded_.clear();
  }
  --depth_;
}

// --- events ----------------------------------------------------------------

void FakePlatform::Click(Form& form, std::string_view control) {
  Deliver([&] {
    if (!IsLoaded(form)) return;
    if (!control.empty() && !ControlOf(form, control).visible) return;  // a hidden control takes no click
    log_.push_back("Event Click " + Target(form, control));
    form.OnClick(control);
  });
}

void FakePlatform::Select(Form& form, std::string_view list, int index) {
  FakeControl& c = ControlOf(form, list);
  if (index < -1 || index >= static_cast<int>(c.items.size())) throw std::logic_error("no such entry");
  c.listIndex = index;
  Click(form, list);
}

void FakePlatform::Tick(Form& form, std::string_view timer) {
  Deliver([&] {
    if (!IsLoaded(form)) return;  // a timer goes with its window
    const auto i = form.Design().IndexOf(timer);
    if (!i || form.Design().controls[*i].kind != ControlKind::Timer)
      throw std::logic_error("no timer " + std::string(timer));
    log_.push_back("Event Timer " + Target(form, timer));
    form.OnTimer(timer);
  });
}

void FakePlatform::Close(Form& form, int unloadMode) {
  Deliver([&] {
    if (!IsLoaded(form)) return;
    log_.push_back("Event QueryUnload " + Target(form, "") + " " + std::to_string(unloadMode));
    int cancel = 0;
    form.Form_QueryUnload(cancel, unloadMode);
    if (cancel == 0 && IsLoaded(form)) (void)Unload(form);
  });
}

// --- window system -----------------------------------------------------------

int FakePlatform::Run(const ApplicationDescription& app) {
  title_ = std::string(app.title);
  started_ = true;
  log_.push_back("Run " + std::string(app.startup->Name()));
  Deliver([&] { (void)Show(*app.startup); });
  return 0;
}

bool FakePlatform::Show(Form& form) {
  if (!Call("Show", Target(form, ""))) return false;
  if (auto it = loaded_.find(&form); it != loaded_.end()) {
    ++it->second.showCount;  // already open: only brought to the front
    return true;
  }
  FakeWindow w;
  w.caption = std::string(form.Design().caption);
  w.picture = form.Design().picture == Artwork::None ? "" : "builtin";
  w.handle = nextHandle_++;
  for (const ControlDesign& c : form.Design().controls) {
    FakeControl fc;
    fc.text = std::string(c.text);
    fc.foreColor = c.foreColor;
    w.controls.emplace(std::string(c.name), std::move(fc));
  }
  loaded_.emplace(&form, std::move(w));
  log_.push_back("Load " + Target(form, ""));
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
  log_.push_back("Shown " + Target(form, ""));
  return true;
}

bool FakePlatform::Unload(Form& form) {
  if (!Call("Unload", Target(form, ""))) return false;
  loaded_.erase(&form);
  return true;
}

bool FakePlatform::SetCaption(Form& form, std::string_view control, const std::string& text) {
  if (control.empty()) {
    Loaded(form);
    if (!Call("SetCaption", Target(form, ""), text)) return false;
    Loaded(form).caption = text;
    return true;
  }
  FakeControl& c = ControlOf(form, control);
  if (!Call("SetCaption", Target(form, control), text)) return false;
  c.text = text;
  return true;
}

bool FakePlatform::SetText(Form& form, std::string_view control, const std::string& text) {
  FakeControl& c = ControlOf(form, control);
  if (!Call("SetText", Target(form, control), text)) return false;
  c.text = text;
  return true;
}

bool FakePlatform::SetVisible(Form& form, std::string_view control, bool visible) {
  FakeControl& c = ControlOf(form, control);
  if (!Call("SetVisible", Target(form, control), visible ? "true" : "false")) return false;
  c.visible = visible;
  return true;
}

bool FakePlatform::SetForeColor(Form& form, std::string_view control, Rgb color) {
  FakeControl& c = ControlOf(form, control);
  const std::string rgb = std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b);
  if (!Call("SetForeColor", Target(form, control), rgb)) return false;
  c.foreColor = color;
  return true;
}

bool FakePlatform::AddItem(Form& form, std::string_view list, const std::string& entry) {
  FakeControl& c = ControlOf(form, list);
  const auto i = form.Design().IndexOf(list);
  if (form.Design().controls[*i].kind != ControlKind::ListBox) throw std::logic_error("not a list box");
  if (!Call("AddItem", Target(form, list), entry)) return false;
  c.items.push_back(entry);
  return true;
}

std::optional<int> FakePlatform::ListIndex(Form& form, std::string_view list) {
  FakeControl& c = ControlOf(form, list);
  if (!Call("ListIndex", Target(form, list))) return std::nullopt;
  return c.listIndex;
}

bool FakePlatform::SetFocus(Form& form, std::string_view control) {
  FakeControl& c = ControlOf(form, control);
  // As on Windows, a hidden control or a window not shown takes no focus.
  if (!c.visible || !Loaded(form).visible) {
    log_.push_back("SetFocus " + Target(form, control) + " -> failed");
    return false;
  }
  if (!Call("SetFocus", Target(form, control))) return false;
  Loaded(form).focus = std::string(control);
  return true;
}

std::optional<NativeHandle> FakePlatform::WindowHandle(Form& form) {
  FakeWindow& w = Loaded(form);
  if (!Call("WindowHandle", Target(form, ""))) return std::nullopt;
  return w.handle;
}

bool FakePlatform::SetPictureFromFile(Form& form, const std::string& file) {
  FakeWindow& w = Loaded(form);
  if (!Call("SetPictureFromFile", Target(form, ""), file)) return false;
  const Entry* e = Find(file);
  // Hidden files load like any other; what counts is readable picture content.
  if (e == nullptr || e->folder || e->attributes.unreadable || e->content.rfind(kPictureMagic, 0) != 0) {
    log_.push_back("SetPictureFromFile " + file + " -> not a picture");
    return false;
  }
  w.picture = Resolve(file);
  return true;
}

bool FakePlatform::MsgBox(const std::string& text, int style) {
  if (!Call("MsgBox", "", text)) return false;
  messageBoxes_.push_back({text, style, title_});
  return true;
}

// --- files and folders -------------------------------------------------------

bool FakePlatform::FileExists(const std::string& name) {
  if (!Call("FileExists", name)) return false;
  const Entry* e = Find(name);
  return e != nullptr && !e->folder && !e->attributes.hidden && !e->attributes.system;
}

std::unique_ptr<LineReader> FakePlatform::OpenForInput(const std::string& name) {
  if (!Call("OpenForInput", name)) return nullptr;
  const Entry* e = Find(name);
  if (e == nullptr || e->folder || e->attributes.unreadable) return nullptr;
  return LineReaderFromString(e->content);
}

bool FakePlatform::ChangeDirectory(const std::string& folder) {
  if (!Call("ChangeDirectory", folder)) return false;
  if (folder.empty() || !FolderExists(folder)) {
    log_.back() += " -> no such folder";
    return false;
  }
  cwd_ = Resolve(folder);
  return true;
}

std::optional<std::string> FakePlatform::ProgramFolder() {
  if (!Call("ProgramFolder", "")) return std::nullopt;
  return programFolder_;
}

// --- shell and sound -----------------------------------------------------------

bool FakePlatform::ShellExecuteA(NativeHandle owner, const char* operation, const char* file, const char* parameters,
                                 const char* directory, int showCommand) {
  auto opt = [](const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; };
  if (!Call("ShellExecuteA", file ? file : "(null)")) return false;
  shellCalls_.push_back({owner, opt(operation), opt(file), opt(parameters), opt(directory), showCommand, cwd_});
  return true;
}

bool FakePlatform::SndPlaySoundA(const std::string& name, unsigned flags) {
  if (!Call("SndPlaySoundA", name, std::to_string(flags))) return false;
  sounds_.push_back({name, flags});
  return true;
}

void FakePlatform::End() {
  log_.push_back("End");
  throw Ended{};
}

}  // namespace tavlin
