// Every operation the forms and the reader may ask of the system. Nothing
// above this layer sees windows.h: native handles cross as opaque numbers.
//
// Operations report failure in their result and never throw. What a failure
// means is decided by the calling handler's error mode.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/design.h"
#include "platform/form.h"
#include "base/line_reader.h"

namespace tavlin {

using NativeHandle = std::uintptr_t;  // HWND on Windows

inline constexpr int kSwShowNormal = 1;
inline constexpr unsigned kSndAsync = 1;
inline constexpr int kMsgBoxOkOnly = 0;

// The application's fixed description, handed to the window system once.
struct ApplicationDescription {
  std::string_view title;  // on every message box
  Form* startup = nullptr;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- window system -------------------------------------------------------
  // Loads the start-up form (its Load runs), shows it if Load left it
  // loaded, and delivers events until no window is loaded any more.
  virtual int Run(const ApplicationDescription& app) = 0;

  // Modeless, no owner. Creates the window from its design and runs its Load
  // first if it is not loaded; an open window is only brought to the front.
  [[nodiscard]] virtual bool Show(Form& form) = 0;
  // Destroys the window with its controls and timers. The form object stays
  // usable and a later Show starts again from the design state.
  [[nodiscard]] virtual bool Unload(Form& form) = 0;

  // Control properties. An empty control name means the window itself.
  [[nodiscard]] virtual bool SetCaption(Form& form, std::string_view control, const std::string& text) = 0;
  [[nodiscard]] virtual bool SetText(Form& form, std::string_view control, const std::string& text) = 0;
  [[nodiscard]] virtual bool SetVisible(Form& form, std::string_view control, bool visible) = 0;
  [[nodiscard]] virtual bool SetForeColor(Form& form, std::string_view control, Rgb color) = 0;
  [[nodiscard]] virtual bool AddItem(Form& form, std::string_view list, const std::string& entry) = 0;
  // Position of the current entry, -1 when none is current.
  [[nodiscard]] virtual std::optional<int> ListIndex(Form& form, std::string_view list) = 0;
  [[nodiscard]] virtual bool SetFocus(Form& form, std::string_view control) = 0;
  [[nodiscard]] virtual std::optional<NativeHandle> WindowHandle(Form& form) = 0;
  // Loads a picture file by relative name (format from its content) and makes
  // it the window's picture. On failure the window keeps the picture it had.
  [[nodiscard]] virtual bool SetPictureFromFile(Form& form, const std::string& file) = 0;

  // Modal, titled with the application title.
  [[nodiscard]] virtual bool MsgBox(const std::string& text, int style) = 0;

  // --- files and folders ---------------------------------------------------
  // An ordinary file in the current directory: folders, hidden and system
  // files do not count; read-only files do.
  [[nodiscard]] virtual bool FileExists(const std::string& name) = 0;
  // Sequential line input; nullptr when the file cannot be opened. The file
  // is closed when the reader goes.
  [[nodiscard]] virtual std::unique_ptr<LineReader> OpenForInput(const std::string& name) = 0;
  [[nodiscard]] virtual bool ChangeDirectory(const std::string& folder) = 0;
  [[nodiscard]] virtual std::optional<std::string> ProgramFolder() = 0;

  // --- shell and sound -----------------------------------------------------
  // ShellExecuteA with its six arguments; null pointers where the caller
  // passes none. Its result is the caller's to ignore.
  [[nodiscard]] virtual bool ShellExecuteA(NativeHandle owner, const char* operation, const char* file,
                                           const char* parameters, const char* directory, int showCommand) = 0;
  // sndPlaySoundA of winmm, winmm taken from the system folder only.
  [[nodiscard]] virtual bool SndPlaySoundA(const std::string& name, unsigned flags) = 0;

  // --- ending --------------------------------------------------------------
  // Stops at once: no further handler of any window runs, every window
  // goes, the process exits. Where the process cannot be ended from here
  // (in memory), the call returns and so must the handler that made it.
  virtual void End() = 0;
};

}  // namespace tavlin
