// Windows asks the user about a drive that is not ready ("insert a disc")
// unless the process says it handles such errors itself. The menu does, for
// its own directory changes, file tests and reads: a missing disc in an
// item's drive just makes the step fail. What it launches must not inherit
// that, or an installer on the disc would never be asked for its next disc.
#pragma once

#include <windows.h>

namespace tavlin {

class SystemErrorMode {
 public:
  static constexpr UINT kQuiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

  // From here on the process fails quietly, on top of the mode it started in.
  SystemErrorMode() : start_(GetErrorMode()) { SetErrorMode(start_ | kQuiet); }

  // Runs `call` in the mode the process started with, since a child takes
  // the mode its parent has when it is created, and is quiet again after.
  template <typename Call>
  void InStartMode(Call&& call) const {
    const UINT quiet = SetErrorMode(start_);
    call();
    SetErrorMode(quiet);
  }

 private:
  UINT start_;
};

}  // namespace tavlin
