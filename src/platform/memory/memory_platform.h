// The platform held in memory: files and folders as a table, windows as
// their properties, events delivered when the caller asks. The editor's
// preview runs the forms on it, and the unit tests' recording fake is built
// over it. Deterministic, and it never throws or aborts: an operation it
// cannot carry out (a window that is not loaded, a control the design does
// not have, a file that is not there) fails, as a real system's call would.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tavlin {

struct ControlState {
  std::string text;  // caption or text
  bool visible = true;
  std::optional<Rgb> foreColor;
  std::vector<std::string> items;
  int listIndex = -1;
};

struct WindowState {
  std::string caption;
  std::string picture;  // "builtin", a file path, or empty
  bool visible = false;
  int showCount = 0;
  std::map<std::string, ControlState, std::less<>> controls;
  std::string focus;
  NativeHandle handle = 0;
};

// What the system was asked to do that a user would see or hear.
struct ShellCall {
  NativeHandle owner;
  std::optional<std::string> operation, file, parameters, directory;
  int showCommand;
  std::string currentDirectory;  // at the moment of the call
};
struct MsgBoxCall {
  std::string text;
  int style;
  std::string title;  // as shown
};
struct SoundCall {
  std::string name;
  unsigned flags;
};

struct FileAttributes {
  bool hidden = false;
  bool system = false;
  bool readOnly = false;
  bool unreadable = false;  // exists but cannot be opened (locked, bad sector)
};

class MemoryPlatform : public Platform {
 public:
  MemoryPlatform();

  // --- files and folders ---------------------------------------------------
  // Paths are Windows paths; relative ones are taken from the current
  // directory. Names compare without regard to case.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string content, FileAttributes attributes = {});
  // A file that the picture loader accepts, of the given pixel size.
  void AddPicture(const std::string& path, int width, int height);
  void SetCurrentDirectory(const std::string& path);  // creates the folder
  void SetProgramFolder(std::optional<std::string> path) { programFolder_ = std::move(path); }
  std::string CurrentDirectory() const { return cwd_; }
  bool FolderExists(const std::string& path) const;

  // --- events, as a user would cause them ------------------------------------
  void Click(Form& form, std::string_view control);
  // Makes entry `index` current (-1: none) and delivers the Click; false,
  // and nothing delivered, when the list has no such entry.
  bool Select(Form& form, std::string_view list, int index);
  void Tick(Form& form, std::string_view timer);
  // A close request for the window, with its close reason.
  void Close(Form& form, int unloadMode);

  // --- what the windows show and what was asked ------------------------------
  const WindowState* Window(const Form& form) const;  // nullptr: not loaded
  const ControlState* FindControl(const Form& form, std::string_view control) const;
  const std::vector<ShellCall>& ShellCalls() const { return shellCalls_; }
  const std::vector<MsgBoxCall>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<SoundCall>& Sounds() const { return sounds_; }
  bool HasEnded() const { return ended_; }
  // No window loaded and no handler running: the process would be over.
  bool ProcessOver() const { return ended_ || (started_ && loaded_.empty() && depth_ == 0); }
  std::string_view ApplicationTitle() const { return title_; }

  // --- Platform ------------------------------------------------------------
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
  // Marks the end: every window goes and no event reaches a handler again.
  // Nothing can stop the caller's code in memory, so the call returns and
  // the handler that made it returns at once.
  void End() override;

 protected:
  // Asked first by every operation, with its name, its target ("Form1",
  // "Form1.Label6", a path) and a detail; false makes the operation fail as
  // the system's call would. The recording fake logs here and fails on
  // demand.
  virtual bool Allow(std::string_view /*operation*/, const std::string& /*target*/, const std::string& /*detail*/) {
    return true;
  }
  // What happens besides the operations: windows loaded and shown, events,
  // why an allowed operation still failed (" -> no such folder").
  virtual void Note(const std::string& /*line*/) {}
  // A window or control the caller named that is not there: a mistake in
  // the forms' code, which the operation fails on. The fake fails loudly.
  virtual void Missing(const std::string& /*what*/) {}

 private:
  struct Entry {
    bool folder = false;
    std::string content;
    FileAttributes attributes;
  };

  bool IsLoaded(const Form& form) const { return loaded_.count(&form) != 0; }
  std::string Resolve(const std::string& path) const;
  const Entry* Find(const std::string& path) const;
  WindowState* Loaded(const Form& form);
  ControlState* ControlOf(Form& form, std::string_view control);
  const ControlDesign* DesignOf(Form& form, std::string_view control, ControlKind kind);
  std::string Target(const Form& form, std::string_view control) const;
  template <typename F>
  void Deliver(F&& handler);

  std::map<std::string, Entry> entries_;  // keyed by lower-cased full path
  std::string cwd_;
  std::optional<std::string> programFolder_;
  std::map<const Form*, WindowState> loaded_;
  std::vector<ShellCall> shellCalls_;
  std::vector<MsgBoxCall> messageBoxes_;
  std::vector<SoundCall> sounds_;
  std::string title_;
  NativeHandle nextHandle_ = 0x1000;
  int depth_ = 0;
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace tavlin
