// The menu editor's window onto the program's own code, and nothing else:
// the document, the design tables, the number and marker rules, the preview
// of the main window and the checker over the files the page holds, each
// turned into what JavaScript takes. Bytes cross as Uint8Array, text as
// UTF-8 strings.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <map>
#include <vector>

#include "base/code_page.h"
#include "check/menu_check.h"
#include "check/menu_template.h"
#include "editor/menu_document.h"
#include "editor/page_disc.h"
#include "editor/preview.h"
#include "menu/menu_layout.h"
#include "menu/numbers.h"
#include "menu/words.h"
#include "platform/form_designs.h"

namespace tavlin {
namespace {

using emscripten::val;

val Bytes(std::string_view s) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(s.size(), reinterpret_cast<const unsigned char*>(s.data())));
}
// The menu's bytes as text in the readers' code page.
std::string Text(std::string_view bytes, int codePage) {
  const CodePage* page = CodePage::Get(codePage);
  return (page ? page : CodePage::Get(1252))->ToText(bytes);
}

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

MenuDocument* OpenDocument(std::string bytes, int codePage) { return new MenuDocument(std::move(bytes), codePage); }

val Encode(const MenuDocument& d) {
  const MenuDocument::Encoded e = d.Encode();
  val o = val::object();
  o.set("bytes", e.bytes ? Bytes(*e.bytes) : val::null());
  o.set("line", static_cast<double>(e.line));
  o.set("character", e.character);
  return o;
}

val Refusal(const MenuDocument& d) {
  const MenuDocument::Encoded e = d.Refusal();
  val o = val::object();
  o.set("line", static_cast<double>(e.line));
  o.set("character", e.character);
  return o;
}

val RoleOf(const MenuDocument& d, double line) {
  const LineRole r = d.RoleOf(static_cast<long long>(line));
  val o = val::object();
  o.set("value", r.kind == LineRole::Kind::Value);
  o.set("field", r.kind == LineRole::Kind::Value ? val(std::string(FieldName(r.field))) : val::null());
  o.set("item", static_cast<double>(r.item));
  o.set("holds", DescribeRole(r));
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

// null for a name that is no window of the program's.
val Design(const std::string& name) {
  const FormDesign* design = FormDesignNamed(name);
  if (!design) return val::null();
  const FormDesign& f = *design;
  val o = val::object();
  o.set("name", std::string(f.name));
  // The program's own texts are written in Windows-1252.
  o.set("caption", Text(f.caption, 1252));
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
          const auto own = SelfSize(f, c, c.text);
          d.set("left", at.left);
          d.set("top", at.top);
          d.set("width", own ? own->width : at.width);
          d.set("height", own ? own->height : at.height);
          d.set("text", Text(c.text, 1252));
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

// The rules take the values as text: the words and digits they look for are
// ASCII, which every code page writes as itself, so the text says what the
// bytes say.
std::optional<std::string> Setting(const val& v) {
  if (v.isNull() || v.isUndefined()) return std::nullopt;
  return v.as<std::string>();
}

val TitleColorOf(val text) { return Color(TitleColor(Setting(text))); }
val ColorNumberOf(std::string text) {
  const auto n = ColorNumber(text);
  return n ? val(*n) : val::null();
}
val ColorOf(int n) { return Color(ColorOfNumber(n)); }
double ItemCountOf(val text) { return static_cast<double>(ItemCountValue(Setting(text))); }
bool HideMarker(std::string s) { return IsHideMarker(s); }
bool LabelColorOn(std::string s) { return TurnsLabelColorOn(s); }

// --- code pages ----------------------------------------------------------------

val CodePages() {
  return Array(CodePage::Offered(), [](int n) {
    const CodePage* page = CodePage::Get(n);
    val o = val::object();
    o.set("number", n);
    o.set("name", std::string(page->Name()));
    o.set("description", std::string(page->Description()));
    o.set("doubleByte", page->DoubleByte());
    return o;
  });
}
val Template(int items) { return Bytes(MenuTemplate(items)); }

// The size the picture loader is handed, or null when the program does not
// load the picture.
val PictureSizeOf(std::string bytes) {
  const auto size = LoadedPictureSize(bytes);
  if (!size) return val::null();
  val o = val::object();
  o.set("width", static_cast<double>(size->width));
  o.set("height", static_cast<double>(size->height));
  return o;
}

// --- the main window as the program fills it ---------------------------------

val MainWindow(std::string menu, val menupic, int select, int codePage) {
  std::optional<PictureSize> picture;
  if (!menupic.isNull()) picture = LoadedPictureSize(menupic.as<std::string>());
  const MainWindowPreview run = PreviewMainWindow(std::move(menu), picture, select, codePage);
  const auto Text = [codePage](std::string_view bytes) { return tavlin::Text(bytes, codePage); };
  val o = val::object();
  o.set("caption", Text(run.caption));
  o.set("menupic", run.menupic);
  val controls = val::object();
  for (const ControlPreview& c : run.controls) {
    val s = val::object();
    s.set("text", Text(c.text));
    s.set("visible", c.visible);
    s.set("foreColor", Color(c.foreColor));
    s.set("items", Array(c.items, [&](const std::string& i) { return val(Text(i)); }));
    s.set("listIndex", c.listIndex);
    if (c.size) {
      s.set("width", c.size->width);
      s.set("height", c.size->height);
      s.set("approximate", c.size->approximate);
    }
    controls.set(std::string(c.name), s);
  }
  o.set("controls", controls);
  return o;
}

// --- the checker over the page's files ---------------------------------------

// entries: [{path, folder, size}], paths relative to the disc's root and
// joined with '/'; bytes: {path: Uint8Array} for the files loaded so far.
val Check(val entries, val bytes, std::string menu, int codePage) {
  std::vector<PageEntry> listed;
  std::map<std::string, std::string> loaded;
  const unsigned n = entries["length"].as<unsigned>();
  for (unsigned i = 0; i < n; ++i) {
    const val e = entries[i];
    PageEntry entry{e["path"].as<std::string>(), e["folder"].as<bool>(),
                    static_cast<unsigned long long>(e["size"].as<double>())};
    if (!bytes[entry.path].isUndefined()) loaded[entry.path] = bytes[entry.path].as<std::string>();
    listed.push_back(std::move(entry));
  }
  PageDisc disc(listed, loaded, std::move(menu));
  const CheckReport r = CheckDisc(disc, codePage);
  const auto Text = [codePage](std::string_view bytes) { return tavlin::Text(bytes, codePage); };
  val o = val::object();
  o.set("wanted", Array(disc.Wanted(), [](const std::string& p) { return val(p); }));
  o.set("items", static_cast<double>(r.items));
  o.set("lineCount", static_cast<double>(r.lineCount));
  o.set("map", Array(r.map, [&](const MapLine& m) {
          val l = val::object();
          l.set("number", static_cast<double>(m.number));
          l.set("field", Text(m.field));
          l.set("shown", Text(m.shown));
          return l;
        }));
  o.set("findings", Array(r.findings, [&](const Finding& f) {
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
      .function("refusal", &tavlin::Refusal)
      .function("codePage", optional_override([](const MenuDocument& d) { return d.Page().Number(); }))
      .function("setCodePage", &MenuDocument::SetCodePage)
      .function("markSaved", &MenuDocument::MarkSaved)
      .function("modified", &MenuDocument::Modified)
      .function("lineCount",
                optional_override([](const MenuDocument& d) { return static_cast<double>(d.LineCount()); }))
      .function("text", optional_override(
                            [](const MenuDocument& d, double line) { return d.Text(static_cast<long long>(line)); }))
      .function("roleOf", &tavlin::RoleOf)
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
  function("colorName", optional_override([](int n) { return std::string(tavlin::ColorName(n)); }));
  function("itemCountValue", &tavlin::ItemCountOf);
  function("isHideMarker", &tavlin::HideMarker);
  function("turnsLabelColorOn", &tavlin::LabelColorOn);
  function("menuTemplate", &tavlin::Template);
  function("pictureSize", &tavlin::PictureSizeOf);
  function("mainWindow", &tavlin::MainWindow);
  function("codePages", &tavlin::CodePages);
  function("guessCodePage",
           optional_override([](std::string bytes, int preferred) { return tavlin::GuessCodePage(bytes, preferred); }));
  function("codePageForLanguage", optional_override([](std::string tag) { return tavlin::CodePageForLanguage(tag); }));
  function("check", &tavlin::Check);
  constant("backgroundFile", std::string(tavlin::kBackgroundFile));
  constant("hideMarker", std::string(tavlin::kHideMarker));
  constant("labelColorOn", std::string(tavlin::kLabelColorOn));
  constant("splashFile", std::string(tavlin::kSplashFile));
  constant("menuFile", std::string(tavlin::kMenuDefinitionFile));
  constant("maxMenuItems", tavlin::kMaxMenuItems);
}
