// A stand-in for the installer a real disc would carry, so that the example
// disc's first item opens something: it says where it was started from.
#include <windows.h>

int main() {
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, folder);
  char text[MAX_PATH + 128];
  wsprintfA(text, "This is where the disc's installer would run.\n\nStarted in: %s", folder);
  MessageBoxA(nullptr, text, "Example setup", MB_OK | MB_ICONINFORMATION);
  return 0;
}
