#include "ui/RestartDecision.h"

#include "actions/ExitWin32.h"

namespace zuba::ui {

const char kRestartQuestion[] =
    "再起動しますか？\r\n\r\nはい\t:  再起動する\r\nいいえ\t:  Windowsを終了する\r\n"
    "キャンセル\t:  ZubaNetだけ終了する   ";

std::string RestartCaption(const std::string& name) { return "【" + name + "】 を反映しました"; }

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
      case toolkit::MessageResult::kYes:
        break;
      case toolkit::MessageResult::kNo:
        powerOff = true;
        break;
      default:
        return ExitAction::kEndProgram;
    }
  }
  if (powerOff) return ExitAction::kPowerOff;
  return inputs.restartWindowsOnly ? ExitAction::kRestartWindows : ExitAction::kReboot;
}

toolkit::MessageResult AskRestart(toolkit::UiServices& ui, const std::string& name) {
  return ui.ShowMessageBox(kRestartQuestion, RestartCaption(name), toolkit::MessageIcon::kQuestion,
                           toolkit::MessageButtons::kYesNoCancel);
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

}  // namespace zuba::ui
