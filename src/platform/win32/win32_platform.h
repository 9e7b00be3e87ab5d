// The Windows backend. This header stays free of windows.h so that the
// process entry can create the backend without seeing it.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace tavlin {

std::unique_ptr<Platform> CreateWin32Platform();

}  // namespace tavlin
