// Top-level windows of the simulated machine: FindWindowA by title, posting
// a key-down, and the WM_WININICHANGE broadcast. The windows are those of
// the Desktop (the scripted Network control panel and machine.ini's
// [Desktop] windows). Titles compare as FindWindowA compares them: ASCII
// letters without regard to case, everything else byte for byte; of several
// windows with one title the topmost (the one shown last) is found.
//
// Every key posted and every broadcast is written to events.log. machine.ini's
// [Fail] PostMessage=CODE makes every post fail with the last error CODE; a
// post to a window that is not open fails with ERROR_INVALID_WINDOW_HANDLE.
#ifndef ZUBA_PLATFORM_SIM_SIMWINDOWS_H_
#define ZUBA_PLATFORM_SIM_SIMWINDOWS_H_

#include <cstdint>
#include <string>

#include "platform/System.h"
#include "platform/sim/Desktop.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimWindows {
 public:
  // Both must outlive the object.
  SimWindows(SimContext& context, Desktop& desktop) : context_(context), desktop_(desktop) {}

  // See System::FindTopLevelWindow, PostKeyDown, BroadcastWinIniChange.
  WindowHandle Find(const std::string& title);
  bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData);
  void BroadcastWinIniChange(const std::string& section);

 private:
  SimContext& context_;
  Desktop& desktop_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMWINDOWS_H_
