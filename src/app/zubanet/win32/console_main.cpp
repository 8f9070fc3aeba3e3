// ZUBANETC.EXE: the console companion of ZUBANET.EXE for scripts
// (Win32Run.h).
#include "app/zubanet/win32/Win32Run.h"

int main(int argc, char** argv) {
  return zuba::app::RunOnWin32(zuba::app::Win32Program::kConsoleCompanion, argc, argv);
}
