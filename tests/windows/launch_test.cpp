// The error mode around a launch (what the shell is handed: the use test).
#include "harness.h"
#include "platform/win32/system_error_mode.h"

namespace wt {
namespace {

// Wine does not hand a parent's error mode on to its children, so no probe
// can tell; this checks the backend's own switch, in the driver's process.
TEST(SystemErrorMode, QuietForTheMenuAndTheStartModeForWhatItLaunches) {
  const UINT saved = SetErrorMode(SEM_NOGPFAULTERRORBOX);  // a start mode of the user's own
  {
    const tavlin::SystemErrorMode mode;
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
    UINT during = 0;
    mode.InStartMode([&] { during = GetErrorMode(); });
    EXPECT_EQ(during, UINT(SEM_NOGPFAULTERRORBOX));
    EXPECT_EQ(GetErrorMode(), SEM_NOGPFAULTERRORBOX | tavlin::SystemErrorMode::kQuiet);
  }
  SetErrorMode(saved);
}

}  // namespace
}  // namespace wt
