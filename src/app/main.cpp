// The process entry: no command line, no settings. It hands the application
// to the window system, which runs until no window is left.
#include "app/application.h"
#include "platform/win32/win32_platform.h"

int main() {
  const std::unique_ptr<tavlin::Platform> platform = tavlin::CreateWin32Platform();
  tavlin::Application app(*platform);
  return app.Run();
}
