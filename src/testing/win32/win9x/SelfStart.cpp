// Linked into every Windows test program: with ZUBA_WIN9X set, the program
// runs under the Windows 9x personality from its start (its static
// objects' construction) to its end.
#include <windows.h>

#include "testing/win32/win9x/Personality.h"

namespace {

struct SelfStart {
  SelfStart() {
    char value[8];
    on = GetEnvironmentVariableA("ZUBA_WIN9X", value, sizeof value) > 0;
    if (on) zuba::testing::win9x::InstallPersonality(GetModuleHandleA(nullptr));
  }
  ~SelfStart() {
    if (on) zuba::testing::win9x::ReportCalls();
  }
  bool on = false;
};

SelfStart selfStart;

}  // namespace
