// Inside the Windows backend: the state attached to each form's HWND and the
// pieces its files share. Only src/platform/win32 includes this.
//
//   win32_platform.cpp   the Platform: start and end, the event loop, files,
//                        the shell, sound, the message box; window operations
//                        find the control and hand over to the files below
//   form_windows.cpp     real windows built from design tables, and the
//                        window procedure that turns messages into events
//   form_properties.cpp  captions, texts, visibility, colours, the list, focus
//   label_painting.cpp   labels and frames drawn transparently over the form
//   picture.cpp          pictures through the system's loader
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/design.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/win32/system_error_mode.h"

namespace tavlin {

class Win32Platform;

// A picture rendered once into a bitmap, drawn unscaled from the top left.
struct RenderedPicture {
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;  // of the bitmap, in pixels
  RenderedPicture() = default;
  RenderedPicture(const RenderedPicture&) = delete;
  RenderedPicture& operator=(const RenderedPicture&) = delete;
  ~RenderedPicture() {
    if (bitmap) DeleteObject(bitmap);
  }
};

struct NativeControl {
  const ControlDesign* design = nullptr;
  HWND hwnd = nullptr;
  HFONT font = nullptr;  // owned by the window's font list
  COLORREF foreColor = 0;
  bool hasForeColor = false;
  HBRUSH backBrush = nullptr;  // owned; set when the design gives a background
  HBITMAP bitmap = nullptr;    // owned; the picture of a picture box or image
  UINT_PTR timerId = 0;
  WNDPROC baseProc = nullptr;  // the static's own procedure, for labels, frames and pictures
  bool pressed = false;        // the mouse button went down on it and has not come up
  struct NativeWindow* window = nullptr;
};

struct NativeWindow {
  Win32Platform* platform = nullptr;
  Form* form = nullptr;
  HWND hwnd = nullptr;
  std::vector<NativeControl> controls;  // parallel to the design's controls
  std::vector<HFONT> fonts;
  HFONT windowFont = nullptr;
  std::unique_ptr<RenderedPicture> picture;
  HWND lastFocus = nullptr;
  bool pressed = false;  // the mouse button went down on the form itself
};

inline COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// --- form_windows.cpp
// Builds the window and its controls from the form's design, hidden; nullptr
// when the window cannot be made.
NativeWindow* CreateFormWindow(Win32Platform& platform, Form& form);
// After Load: the window shown, the focus on the first control in tab order.
void ShowFormWindow(NativeWindow& w);
// True for the windows of our forms (not message boxes or the shell's).
bool IsFormWindow(HWND hwnd);
// Pictures are rendered only as far as any screen can show them.
SIZE RenderLimit(const NativeWindow& w);

// --- form_properties.cpp
bool SetControlCaption(NativeControl& c, const std::string& text);
bool SetControlVisible(NativeControl& c, bool visible);
void SetControlForeColor(NativeControl& c, Rgb color);
bool AddListEntry(NativeControl& list, const std::string& entry);
int CurrentListEntry(NativeControl& list);  // -1 when none is current
// Moves the focus as the dialog keys would.
void FocusControl(HWND target);
void SetFormPicture(NativeWindow& w, std::unique_ptr<RenderedPicture> picture);

// --- label_painting.cpp
bool IsTransparent(const NativeControl& c);  // labels and frames
// Handles the painting messages of a label or frame; false for the others.
bool PaintMessage(NativeControl& c, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
// The form's own face at `area` of a DC whose (0,0) lies at `origin` of the
// form's client area: its picture, and the background colour beyond.
void PaintFormBackground(NativeWindow& w, HDC dc, POINT origin, const RECT& area);
// The size a self-sizing label takes for its caption in its font.
SIZE LabelSize(const NativeControl& c);
// Marks a control's area of the form for repainting, with every control
// over or under it there, so overlapping labels stay in step.
void RepaintArea(const NativeControl& c);

// --- picture.cpp
// Decodes picture bytes (format from the content) into a bitmap of at most
// maxWidth x maxHeight pixels, the picture's top-left part, on `background`.
std::unique_ptr<RenderedPicture> RenderPicture(const std::string& bytes, int maxWidth, int maxHeight,
                                               COLORREF background);
// Reads a whole file by relative name; false when it cannot be read or is
// larger than a picture may be.
bool ReadPictureFile(const std::string& name, std::string& bytes);

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

  int Run(const ApplicationDescription& app) override;
  bool Show(Form& form) override;
  bool Unload(Form& form) override;
  bool SetCaption(Form& form, std::string_view control, const std::string& text) override;
  bool SetText(Form& form, std::string_view control, const std::string& text) override;
  bool SetVisible(Form& form, std::string_view control, bool visible) override;
  bool SetForeColor(Form& form, std::string_view control, Rgb color) override;
  bool AddItem(Form& form, std::string_view list, const std::string& entry) override;
  std::optional<int> ListIndex(Form& form, std::string_view list) override;
  bool SetFocus(Form& form, std::string_view control) override;
  std::optional<NativeHandle> WindowHandle(Form& form) override;
  bool SetPictureFromFile(Form& form, const std::string& file) override;
  bool MsgBox(const std::string& text, int style) override;
  bool FileExists(const std::string& name) override;
  std::unique_ptr<LineReader> OpenForInput(const std::string& name) override;
  bool ChangeDirectory(const std::string& folder) override;
  std::optional<std::string> ProgramFolder() override;
  bool ShellExecuteA(NativeHandle owner, const char* operation, const char* file, const char* parameters,
                     const char* directory, int showCommand) override;
  bool SndPlaySoundA(const std::string& name, unsigned flags) override;
  [[noreturn]] void End() override;

  // For the window code.
  HINSTANCE instance() const { return instance_; }
  int Pixels(Twips t) const { return tavlin::Pixels(t, dpi_); }
  int dpi() const { return dpi_; }
  void WindowMade() { ++loadedWindows_; }
  void WindowGone();  // a form's window was destroyed
  void EnsureCom();

 private:
  NativeControl* Find(Form& form, std::string_view control);

  SystemErrorMode errorMode_;  // first, so that every step after it fails quietly
  HINSTANCE instance_ = nullptr;
  int dpi_ = 96;
  int loadedWindows_ = 0;
  bool comReady_ = false;
  std::string title_;
  HMODULE winmm_ = nullptr;
  HMODULE shell32_ = nullptr;
};

}  // namespace tavlin
