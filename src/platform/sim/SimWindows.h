// Top-level windows of the simulated machine: FindWindowA by title, posting a
// key-down, and the WM_WININICHANGE broadcast. Not simulated yet: there are
// no windows, and every call fails with kErrorCallNotImplemented.
#ifndef ZUBA_PLATFORM_SIM_SIMWINDOWS_H_
#define ZUBA_PLATFORM_SIM_SIMWINDOWS_H_

#include <cstdint>
#include <string>

#include "platform/System.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimWindows {
 public:
  explicit SimWindows(SimContext& context) : context_(context) {}

  // See System::FindTopLevelWindow, PostKeyDown, BroadcastWinIniChange.
  WindowHandle Find(const std::string& title);
  bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData);
  void BroadcastWinIniChange(const std::string& section);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMWINDOWS_H_
