// A recording fake of the platform for unit tests: an in-memory file system,
// windows as property tables, a log of every call, and failures on demand.
// Deterministic; the tests drive events (clicks, ticks, closes) themselves.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tavlin {

struct FakeControl {
  std::string text;  // caption or text
  bool visible = true;
  std::optional<Rgb> foreColor;
  std::vector<std::string> items;
  int listIndex = -1;
};

struct FakeWindow {
  std::string caption;
  std::string picture;  // "builtin", a file path, or empty
  bool visible = false;
  int showCount = 0;
  std::map<std::string, FakeControl, std::less<>> controls;
  std::string focus;
  NativeHandle handle = 0;
};

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

// A file's attributes, as the fake file system keeps them.
struct FakeFileAttributes {
  bool hidden = false;
  bool system = false;
  bool readOnly = false;
  bool unreadable = false;  // exists but cannot be opened (locked, bad sector)
};

class FakePlatform final : public Platform {
 public:
  // Thrown by End() to unwind the handler that called it; the fake's event
  // drivers catch it. Tests never see it.
  struct Ended {};

  FakePlatform();

  // --- file system set-up --------------------------------------------------
  // Paths are Windows paths; relative ones are taken from the current
  // directory. Names compare without regard to case.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string content, FakeFileAttributes attributes = {});
  // A file that the picture loader accepts, of the given pixel size.
  void AddPicture(const std::string& path, int width, int height);
  void SetCurrentDirectory(const std::string& path);  // creates the folder
  void SetProgramFolder(std::optional<std::string> path) { programFolder_ = std::move(path); }
  std::string CurrentDirectory() const { return cwd_; }
  bool FolderExists(const std::string& path) const;

  // --- failures on demand --------------------------------------------------
  // Makes `operation` fail when its target matches (`Form1.Label6`, `Form1`,
  // a path as given; empty matches any), `times` times or for ever (-1).
  void Fail(std::string operation, std::string target = "", int times = -1);

  // --- events --------------------------------------------------------------
  void Click(Form& form, std::string_view control);
  // Makes entry `index` current, as the user would, and delivers the Click.
  void Select(Form& form, std::string_view list, int index);
  void Tick(Form& form, std::string_view timer);
  // A close request for the window, with its close reason.
  void Close(Form& form, int unloadMode);

  // --- what happened -------------------------------------------------------
  const FakeWindow* Window(const Form& form) const;
  const FakeControl& Control(const Form& form, std::string_view control) const;
  const std::vector<std::string>& Log() const { return log_; }
  std::vector<std::string> LogOf(std::string_view operation) const;
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
  [[noreturn]] void End() override;

 private:
  struct Entry {
    bool folder = false;
    std::string content;
    FakeFileAttributes attributes;
  };
  struct Failure {
    std::string operation, target;
    int times;
  };

  bool IsLoaded(const Form& form) const { return loaded_.count(&form) != 0; }
  std::string Resolve(const std::string& path) const;
  const Entry* Find(const std::string& path) const;
  // Records the call; false when a failure was asked for it.
  bool Call(std::string_view operation, const std::string& target, const std::string& detail = "");
  FakeWindow& Loaded(const Form& form);
  FakeControl& ControlOf(Form& form, std::string_view control);
  std::string Target(const Form& form, std::string_view control) const;
  template <typename F>
  void Deliver(F&& handler);

  std::map<std::string, Entry> entries_;  // keyed by lower-cased full path
  std::string cwd_;
  std::optional<std::string> programFolder_;
  std::vector<Failure> failures_;
  std::map<const Form*, FakeWindow> loaded_;
  std::vector<std::string> log_;
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
