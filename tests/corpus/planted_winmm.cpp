// A winmm.dll of the tests' own, planted on a disc: if the menu ever loads
// it, it leaves a marker file where the test looks, and plays nothing.
#define WIN32_LEAN_AND_MEAN  // keeps the system's own declaration of sndPlaySoundA out
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  char path[MAX_PATH];
  if (reason == DLL_PROCESS_ATTACH && GetEnvironmentVariableA("TAVLIN_PLANTED_MARKER", path, MAX_PATH))
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI sndPlaySoundA(LPCSTR, UINT) { return TRUE; }
