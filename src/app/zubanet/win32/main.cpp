// ZUBANET.EXE: the windowed program (Win32Run.h).
#include "app/zubanet/win32/Win32Run.h"

int main(int argc, char** argv) {
  return zuba::app::RunOnWin32(zuba::app::Win32Program::kWindowed, argc, argv);
}
