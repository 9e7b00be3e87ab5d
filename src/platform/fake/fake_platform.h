// The unit tests' platform: the in-memory one, with a log of every call and
// event, failures on demand, and a loud stop where the forms name a window
// or control that is not there.
#pragma once

#include <string>
#include <vector>

#include "platform/memory/memory_platform.h"

namespace tavlin {

class FakePlatform final : public MemoryPlatform {
 public:
  // Makes `operation` fail when its target matches (`Form1.Label6`, `Form1`,
  // a path as given; empty matches any), `times` times or for ever (-1).
  void Fail(std::string operation, std::string target = "", int times = -1);

  const std::vector<std::string>& Log() const { return log_; }
  // The log's lines of one operation or event ("FileExists", "Load Form3").
  std::vector<std::string> LogOf(std::string_view operation) const;
  // A control of a loaded window; anything else is a mistake in the test.
  const ControlState& Control(const Form& form, std::string_view control) const;

 protected:
  bool Allow(std::string_view operation, const std::string& target, const std::string& detail) override;
  void Note(const std::string& line) override { log_.push_back(line); }
  void Missing(const std::string& what) override;

 private:
  struct Failure {
    std::string operation, target;
    int times;
  };
  std::vector<Failure> failures_;
  std::vector<std::string> log_;
};

}  // namespace tavlin
