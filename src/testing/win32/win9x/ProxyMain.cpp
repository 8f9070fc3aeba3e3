// zuba9x.dll: the Windows 9x personality for a program started by the
// launcher (Launcher.cpp). The launcher names it in place of one DLL of the
// program's import table (VERSION.dll, whose functions it forwards), so
// Windows loads it with the program and runs this before the program's
// first instruction, with every import of the program bound.
#include <windows.h>

#include "testing/win32/win9x/Personality.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    zuba::testing::win9x::InstallPersonality(GetModuleHandleA(nullptr));
  } else if (reason == DLL_PROCESS_DETACH) {
    zuba::testing::win9x::ReportCalls();
  }
  return TRUE;
}
