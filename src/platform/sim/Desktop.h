// The top-level windows of the simulated machine. They live in
// DIR/desktop.log, so every process that opens the machine sees the same
// windows at the same moment: the log holds each start of the Network
// control panel (with the script it follows) and each key posted to a
// window, and the windows open at a moment follow from it and the clock
// (NetworkPanel.h). Lines are appended whole (O_APPEND); a panel start takes
// an advisory lock so that two processes never give two runs one number.
// machine.ini's [Desktop] adds windows that are always open, one per entry
// ("Window=title"): other programs' windows that happen to be on the screen.
//
//   panel NUMBER START OPENAFTER CLOSEAFTER COPYAFTER COPYFOR CONFLICTS
//         CONFLICTAFTER CONFLICTCLOSEAFTER TITLE          (one line)
//   key TIME WINDOW VIRTUALKEY KEYDATA
//
// Times are milliseconds of the host's wall clock, numbers decimal, the
// title code page 932 to the end of the line.
#ifndef ZUBA_PLATFORM_SIM_DESKTOP_H_
#define ZUBA_PLATFORM_SIM_DESKTOP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/MachineConfig.h"
#include "platform/sim/NetworkPanel.h"

namespace zuba::platform::sim {

// The machine's clock for windows: milliseconds of the host's wall clock.
MachineTime MachineNow();

class Desktop {
 public:
  // `config` must outlive the object.
  Desktop(std::string machineDirectory, MachineConfig& config);

  // Records a start of the Network control panel at `start` following
  // `script`. Answers the run's number (1 for the first run since the
  // machine's last boot), or 0 when the log cannot be written.
  std::uint32_t StartPanel(const NetworkPanelScript& script, MachineTime start);

  // Records a key posted to a window. False when the log cannot be written.
  bool RecordKey(const PostedKey& key);

  // The windows open at `now`, topmost first: the panel's windows, the one
  // shown last first, then the [Desktop] windows in their order.
  std::vector<WindowSpan> OpenWindows(MachineTime now);

  // When the process of panel run `number` ends: kNever while its windows
  // may still come or go, and for a run that the log does not know.
  MachineTime PanelProcessEnd(std::uint32_t number);

  const std::string& path() const { return path_; }

 private:
  struct State {
    std::vector<PanelRun> runs;
    std::vector<PostedKey> keys;
  };
  const State& Load();

  std::string path_;
  MachineConfig& config_;
  State state_;
  std::uint64_t loadedIno_ = 0;
  std::int64_t loadedSize_ = -1;  // -1: nothing loaded yet
};

// Closes every window of the machine, as its restart does: removes
// DIR/desktop.log. False when it exists and cannot be removed.
bool CloseAllWindows(const std::string& machineDirectory);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_DESKTOP_H_
