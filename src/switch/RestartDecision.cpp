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

std::string RestartCaption(const std::string& name) { return "【" + name + "】 を反映しました"; }

std::string UndoneCaption(const std::string& name) {
  return "【" + name + "】 の反映を元に戻しました";
}

std::string TrialNotice(int seconds) {
  return "試しに反映しています。次に Windows を起動したとき、この設定を使い続けるかを"
         "たずねます。\r\n" +
         std::to_string(seconds) + " 秒以内に答えがなければ反映する前の状態に戻します。\r\n\r\n";
}

}  // namespace zuba::switching
