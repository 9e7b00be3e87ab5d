// The menu editor's window onto the program's own code: the document, the
// design tables, the number and marker rules, the main window's start-up and
// list click run against the in-memory platform, and the checker over the
// files the page holds. Bytes cross as Uint8Array, text as UTF-8 strings.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <map>
#include <set>

#include "about/form3.h"
#include "app/form6.h"
#include "base/ascii.h"
#include "base/picture_limits.h"
#include "base/windows1252.h"
#include "check/menu_check.h"
#include "check/menu_template.h"
#include "editor/label_size.h"
#include "editor/menu_document.h"
#include "mainwindow/form1.h"
#include "menu/markers.h"
#include "menu/menu_definition.h"
#include "menu/numbers.h"
#include "platform/fake/fake_platform.h"

namespace tavlin {
namespace {

using emscripten::val;

val Bytes(std::string_view s) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(s.size(), reinterpret_cast<const unsigned char*>(s.data())));
}
std::string Text(std::string_view bytes) { return Windows1252ToUtf8(bytes); }

val Color(const std::optional<Rgb>& c) {
  if (!c) return val::null();
  val o = val::object();
  o.set("r", c->r);
  o.set("g", c->g);
  o.set("b", c->b);
  return o;
}

template <typename T, typename F>
val Array(const T& items, F&& each) {
  val a = val::array();
  for (const auto& i : items) a.call<void>("push", each(i));
  return a;
}

// --- the document ----------------------------------------------------------

MenuDocument* OpenDocument(std::string bytes) { return new MenuDocument(std::move(bytes)); }

val Encode(const MenuDocument& d) {
  const MenuDocument::Encoded e = d.Encode();
  val o = val::object();
  o.set("bytes", e.bytes ? Bytes(*e.bytes) : val::null());
  o.set("line", static_cast<double>(e.line));
  o.set("field", e.field);
  o.set("character", e.character);
  return o;
}

val RoleOf(const MenuDocument& d, double line) {
  const LineRole r = d.RoleOf(static_cast<long long>(line));
  val o = val::object();
  const char* kinds[] = {"value", "ignored", "after last item", "beyond 1000"};
  o.set("kind", std::string(kinds[static_cast<int>(r.kind)]));
  o.set("field", r.kind == LineRole::Kind::Value ? val(std::string(FieldName(r.field))) : val::null());
  o.set("item", static_cast<double>(r.item));
  return o;
}

// --- design tables ---------------------------------------------------------

val Font(const FontDesign& f) {
  val o = val::object();
  o.set("face", std::string(f.face));
  o.set("points", f.hundredthsOfPoint / 100.0);
  o.set("bold", f.bold);
  return o;
}

const char* KindName(ControlKind k) {
  switch (k) {
    case ControlKind::Label: return "Label";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::PictureBox: return "PictureBox";
    case ControlKind::Image: return "Image";
    case ControlKind::Timer: return "Timer";
  }
  return "";
}

const char* ArtworkName(Artwork a) {
  switch (a) {
    case Artwork::None: return "";
    case Artwork::Background: return "Background";
    case Artwork::Icon: return "Icon";
    case Artwork::AboutGrey: return "AboutGrey";
    case Artwork::Wordmark: return "Wordmark";
  }
  return "";
}

// A self-sizing label takes its caption's size, its left and top edges kept,
// as the program sizes it when made and on every change of caption.
std::optional<PixelSize> OwnSize(const FormDesign& f, const ControlDesign& c, std::string_view caption) {
  if (c.kind != ControlKind::Label || !c.autoSize) return std::nullopt;
  return LabelSizeOf(c.font.value_or(f.font), caption);
}

val Design(const std::string& name) {
  const FormDesign& f = name == "Form1" ? Form1Design() : name == "Form3" ? Form3Design() : Form6Design();
  val o = val::object();
  o.set("name", std::string(f.name));
  o.set("caption", Text(f.caption));
  o.set("clientWidth", Pixels(f.clientWidth));
  o.set("clientHeight", Pixels(f.clientHeight));
  o.set("titleBar", f.titleBar);
  o.set("minButton", f.minButton);
  o.set("maxButton", f.maxButton);
  o.set("picture", std::string(ArtworkName(f.picture)));
  o.set("font", Font(f.font));
  o.set("controls", Array(f.controls, [&](const ControlDesign& c) {
          val d = val::object();
          d.set("kind", std::string(KindName(c.kind)));
          d.set("name", std::string(c.name));
          d.set("container", std::string(c.container));
          d.set("twips", Array(std::vector<Twips>{c.left, c.top, c.width, c.height}, [](Twips t) { return val(t); }));
          // In the window's client area, placed as the backend places it.
          const PixelRect at = f.Placed(c);
          const auto own = OwnSize(f, c, c.text);
          d.set("left", at.left);
          d.set("top", at.top);
          d.set("width", own ? own->width : at.width);
          d.set("height", own ? own->height : at.height);
          d.set("text", Text(c.text));
          d.set("foreColor", Color(c.foreColor));
          d.set("backColor", Color(c.backColor));
          d.set("font", Font(c.font.value_or(f.font)));
          d.set("tabIndex", c.tabIndex);
          d.set("autoSize", c.autoSize);
          d.set("center", c.align == Align::Center);
          d.set("picture", std::string(ArtworkName(c.picture)));
          d.set("intervalMs", c.intervalMs);
          return d;
        }));
  return o;
}

// --- rules -----------------------------------------------------------------

std::optional<std::string> Setting(const val& v) {
  if (v.isNull() || v.isUndefined()) return std::nullopt;
  return InWindows1252OrAsIs(v.as<std::string>());
}

val TitleColorOf(val text) { return Color(TitleColor(Setting(text))); }
val ColorNumberOf(std::string text) {
  const auto n = ColorNumber(InWindows1252OrAsIs(text));
  return n ? val(*n) : val::null();
}
val ColorOf(int n) { return Color(ColorOfNumber(n)); }
double ItemCountOf(val text) { return static_cast<double>(ItemCountValue(Setting(text))); }
bool HideMarker(std::string s) { return IsHideMarker(InWindows1252OrAsIs(s)); }
bool LabelColorOn(std::string s) { return TurnsLabelColorOn(InWindows1252OrAsIs(s)); }
val Template(int items) { return Bytes(MenuTemplate(items)); }

// The size the picture loader would be handed, or null when the program
// does not load it.
val PictureSizeOf(std::string bytes) {
  const auto size = ClaimedPictureSize(bytes);
  if (!size || bytes.size() > kMaxPictureFileBytes || !PictureWithinLimits(bytes)) return val::null();
  val o = val::object();
  o.set("width", static_cast<double>(size->width));
  o.set("height", static_cast<double>(size->height));
  return o;
}

// --- the main window as the program fills it ---------------------------------

// Form1's Load over this menu (and a menupic.jpg when the bytes are given),
// then a click on list entry `select` when it is 0 or more.
val MainWindow(std::string menu, val menupic, int select) {
  FakePlatform p;
  p.AddFile(kMenuDefinitionFile, std::move(menu));
  if (!menupic.isNull()) {
    const val size = PictureSizeOf(menupic.as<std::string>());
    if (!size.isNull()) p.AddPicture(kBackgroundFile, size["width"].as<int>(), size["height"].as<int>());
  }
  Module1 module;
  Form3 about(p);
  Form1 main(p, module, about);
  p.Show(main);
  const FakeWindow* w = p.Window(main);
  if (select >= 0 && select < static_cast<int>(p.Control(main, "List1").items.size())) p.Select(main, "List1", select);
  val o = val::object();
  o.set("caption", Text(w->caption));
  o.set("menupic", w->picture != "builtin" && !w->picture.empty());
  val controls = val::object();
  for (const ControlDesign& c : main.Design().controls) {
    const FakeControl& fc = p.Control(main, c.name);
    val s = val::object();
    s.set("text", Text(fc.text));
    s.set("visible", fc.visible);
    s.set("foreColor", Color(fc.foreColor));
    s.set("items", Array(fc.items, [](const std::string& i) { return val(Text(i)); }));
    s.set("listIndex", fc.listIndex);
    if (const auto own = OwnSize(main.Design(), c, fc.text)) {
      s.set("width", own->width);
      s.set("height", own->height);
    }
    controls.set(std::string(c.name), s);
  }
  o.set("controls", controls);
  return o;
}

// --- the checker over the page's files ---------------------------------------

// The disc as the page has it: a listing, the bytes of the files it has
// read, and the menu being edited in place of the disc's own. A read of a
// file whose bytes the page has not loaded yet is noted, so that the page
// can load them and check again.
class PageDisc final : public DiscFiles {
 public:
  PageDisc(const val& entries, const val& bytes, std::string menu) {
    const unsigned n = entries["length"].as<unsigned>();
    std::string menuName = kMenuDefinitionFile;
    for (unsigned i = 0; i < n; ++i) {
      const val e = entries[i];
      const std::string path = e["path"].as<std::string>(), name = InWindows1252OrAsIs(path);
      const bool folder = e["folder"].as<bool>();
      const auto slash = name.rfind('/');
      const std::string parent = slash == std::string::npos ? "" : name.substr(0, slash);
      folders_[parent].push_back({name.substr(slash + 1), folder, false});
      if (folder) folders_[name];
      else
        sizes_[name] = e["size"].as<double>();
      if (!bytes[path].isUndefined()) files_[name] = bytes[path].as<std::string>();
      if (parent.empty() && !folder && LowerCase(name) == kMenuDefinitionFile) menuName = name;
    }
    auto& root = folders_[""];
    if (!sizes_.count(menuName)) root.push_back({menuName, false, false});
    sizes_[menuName] = static_cast<double>(menu.size());
    files_[menuName] = std::move(menu);
  }

  std::optional<std::vector<DiscEntry>> List(const std::string& folder) override {
    const auto it = folders_.find(folder);
    if (it == folders_.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> Read(const std::string& path, std::size_t limit) override {
    const auto it = files_.find(path);
    if (it == files_.end()) {
      if (sizes_.count(path)) wanted_.insert(path);
      return std::nullopt;
    }
    return it->second.substr(0, limit);
  }
  std::optional<unsigned long long> Size(const std::string& path) override {
    const auto it = sizes_.find(path);
    if (it == sizes_.end()) return std::nullopt;
    return static_cast<unsigned long long>(it->second);
  }
  const std::set<std::string>& Wanted() const { return wanted_; }

 private:
  std::map<std::string, std::vector<DiscEntry>> folders_;
  std::map<std::string, std::string> files_;
  std::map<std::string, double> sizes_;
  std::set<std::string> wanted_;
};

// entries: [{path, folder, size}], paths relative to the disc's root and
// joined with '/'; bytes: {path: Uint8Array} for the files loaded so far.
val Check(val entries, val bytes, std::string menu) {
  PageDisc disc(entries, bytes, std::move(menu));
  const CheckReport r = CheckDisc(disc);
  val o = val::object();
  o.set("wanted", Array(disc.Wanted(), [](const std::string& p) { return val(Text(p)); }));
  o.set("items", static_cast<double>(r.items));
  o.set("lineCount", static_cast<double>(r.lineCount));
  o.set("map", Array(r.map, [](const MapLine& m) {
          val l = val::object();
          l.set("number", static_cast<double>(m.number));
          l.set("field", Text(m.field));
          l.set("shown", Text(m.shown));
          return l;
        }));
  o.set("findings", Array(r.findings, [](const Finding& f) {
          val l = val::object();
          l.set("file", Text(f.file));
          l.set("line", static_cast<double>(f.line));
          l.set("severity", std::string(f.severity == Severity::Error ? "error" : "warning"));
          l.set("message", Text(f.message));
          return l;
        }));
  o.set("report", Text(FormatReport(r)));
  return o;
}

}  // namespace
}  // namespace tavlin

EMSCRIPTEN_BINDINGS(tavlin) {
  using namespace emscripten;
  using tavlin::MenuDocument;
  using tavlin::MenuField;
  enum_<MenuField>("MenuField")
      .value("ItemCount", MenuField::ItemCount)
      .value("TitleColorIndex", MenuField::TitleColorIndex)
      .value("LabelColorFlag", MenuField::LabelColorFlag)
      .value("MenuTitle", MenuField::MenuTitle)
      .value("ApplicationCaption", MenuField::ApplicationCaption)
      .value("PathCaption", MenuField::PathCaption)
      .value("FilenameCaption", MenuField::FilenameCaption)
      .value("InformationCaption", MenuField::InformationCaption)
      .value("DescriptionCaption", MenuField::DescriptionCaption)
      .value("DefaultDescription", MenuField::DefaultDescription)
      .value("ItemName", MenuField::ItemName)
      .value("ItemPath", MenuField::ItemPath)
      .value("ItemFile", MenuField::ItemFile)
      .value("ItemButtonCaption", MenuField::ItemButtonCaption)
      .value("ItemInformation", MenuField::ItemInformation)
      .value("ItemDescription", MenuField::ItemDescription);

  class_<MenuDocument>("MenuDocument")
      .constructor(&tavlin::OpenDocument, allow_raw_pointers())
      .function("encode", &tavlin::Encode)
      .function("markSaved", &MenuDocument::MarkSaved)
      .function("modified", &MenuDocument::Modified)
      .function("lineCount",
                optional_override([](const MenuDocument& d) { return static_cast<double>(d.LineCount()); }))
      .function("text", optional_override(
                            [](const MenuDocument& d, double line) { return d.Text(static_cast<long long>(line)); }))
      .function("roleOf", &tavlin::RoleOf)
      .function("whatLineHolds", optional_override([](const MenuDocument& d, double line) {
                  return d.WhatLineHolds(static_cast<long long>(line));
                }))
      .function("setLine", optional_override([](MenuDocument& d, double line, std::string t) {
                  d.SetLine(static_cast<long long>(line), t);
                }))
      .function("items", optional_override([](const MenuDocument& d) { return static_cast<double>(d.Items()); }))
      .function("addItem", &MenuDocument::AddItem)
      .function("duplicateItem",
                optional_override([](MenuDocument& d, double k) { return d.DuplicateItem(static_cast<long long>(k)); }))
      .function("removeItem",
                optional_override([](MenuDocument& d, double k) { return d.RemoveItem(static_cast<long long>(k)); }))
      .function("moveItem", optional_override([](MenuDocument& d, double from, double to) {
                  return d.MoveItem(static_cast<long long>(from), static_cast<long long>(to));
                }))
      .function("canUndo", &MenuDocument::CanUndo)
      .function("canRedo", &MenuDocument::CanRedo)
      .function("undo", &MenuDocument::Undo)
      .function("redo", &MenuDocument::Redo);

  // The line of a header field (item 0) or of an item's field.
  function("lineOf", optional_override([](MenuField f, double item) {
             return static_cast<double>(tavlin::IsItemField(f) ? tavlin::LineOf(f, static_cast<long long>(item))
                                                               : tavlin::LineOf(f));
           }));
  function("fieldName", optional_override([](MenuField f) { return std::string(tavlin::FieldName(f)); }));
  function("design", &tavlin::Design);
  function("titleColor", &tavlin::TitleColorOf);
  function("colorNumber", &tavlin::ColorNumberOf);
  function("colorOfNumber", &tavlin::ColorOf);
  function("itemCountValue", &tavlin::ItemCountOf);
  function("isHideMarker", &tavlin::HideMarker);
  function("turnsLabelColorOn", &tavlin::LabelColorOn);
  function("menuTemplate", &tavlin::Template);
  function("pictureSize", &tavlin::PictureSizeOf);
  function("mainWindow", &tavlin::MainWindow);
  function("check", &tavlin::Check);
  constant("backgroundFile", std::string(tavlin::kBackgroundFile));
  constant("hideMarker", std::string(tavlin::kHideMarker));
  constant("labelColorOn", std::string(tavlin::kLabelColorOn));
  constant("splashFile", std::string(tavlin::kSplashFile));
  constant("menuFile", std::string(tavlin::kMenuDefinitionFile));
}
