#include "switch/RestartDecision.h"

#include "actions/ExitWin32.h"

namespace zuba::switching {

bool NeedsRestart(const core::TRegList& setting) {
  return setting[core::kIp].IsSet || setting[core::kDe].IsSet || setting[core::kWg].IsSet;
}

ExitAction DecideExit(const RestartInputs& inputs, const RestartAsker& ask) {
  if (!inputs.restartNeeded && !(inputs.askBeforeRestart && inputs.askEvenWhenNotNeeded)) {
    return ExitAction::kEndProgram;
  }
  bool powerOff = inputs.powerOffInstead;
  if (!inputs.noRestartQuestion && inputs.askBeforeRestart) {
    switch (ask()) {
      case RestartAnswer::kYes:
        break;
      case RestartAnswer::kNo:
        powerOff = true;
        break;
      default:
        return ExitAction::kEndProgram;
    }
  }
  if (powerOff) return ExitAction::kPowerOff;
  return inputs.restartWindowsOnly ? ExitAction::kRestartWindows : ExitAction::kReboot;
}

void PerformExit(platform::System& system, ExitAction action) {
  switch (action) {
    case ExitAction::kEndProgram:
      break;
    case ExitAction::kPowerOff:
      actions::PowerOff(system);
      break;
    case ExitAction::kRestartWindows:
      actions::RestartWindows(system);
      break;
    case ExitAction::kReboot:
      actions::Reboot(system);
      break;
  }
}

}  // namespace zuba::switching
