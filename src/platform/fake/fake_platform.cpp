#include "platform/fake/fake_platform.h"

#include <stdexcept>

namespace tavlin {

void FakePlatform::Fail(std::string operation, std::string target, int times) {
  failures_.push_back({std::move(operation), std::move(target), times});
}

bool FakePlatform::Allow(std::string_view operation, const std::string& target, const std::string& detail) {
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

void FakePlatform::Missing(const std::string& what) { throw std::logic_error(what); }

std::vector<std::string> FakePlatform::LogOf(std::string_view operation) const {
  std::vector<std::string> out;
  for (const auto& line : log_)
    if (line.compare(0, operation.size(), operation) == 0 &&
        (line.size() == operation.size() || line[operation.size()] == ' '))
      out.push_back(line);
  return out;
}

const ControlState& FakePlatform::Control(const Form& form, std::string_view control) const {
  const ControlState* c = FindControl(form, control);
  if (!c) throw std::logic_error("no control " + std::string(control) + " on a loaded " + std::string(form.Name()));
  return *c;
}

}  // namespace tavlin
