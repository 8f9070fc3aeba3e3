// The main window's apply: writing the selected setting into the system
// (ApplyFlow) and the restart decision (RestartDecision).
#include <exception>

#include "system/ZubaUtil.h"
#include "ui/ApplyFlow.h"
#include "ui/RestartDecision.h"
#include "ui/mainform.h"
#include "ui/toolkit/Application.h"

namespace zuba::ui {
namespace {

FileReplacement ReplacementOf(const actions::TFileCopyBtn& button) {
  return {button.CopySrc(), button.CopyDst(), button.CopyOverWrite()};
}

}  // namespace

void TForm1::BtApplyClick(toolkit::Component&) {
  const int selected = CbSetting.ItemIndex();
  if (selected < 0) {
    Close();
    return;
  }
  const std::string name = CbSetting.Item(selected);
  if (system::IsAltKeyDown(system_) || system::IsCtrlKeyDown(system_)) PowerOffInstead = true;

  ApplyRequest request;
  request.settingName = name;
  request.setting = CurrentSetting;
  request.settingsFile = IniGT.Path();
  request.forceWin98Mode = PmOpt6.Checked();
  request.flushRegistry = PmOpt7.Checked();
  request.changeLogon = CbWgp.Checked();
  request.logonChoice = RgLogon.ItemIndex();
  request.hosts = ReplacementOf(fcbtHosts);
  request.lmhosts = ReplacementOf(fcbtLmhosts);
  if (pcbPr.ItemIndex() >= 0) request.printer = pcbPr.Item(pcbPr.ItemIndex());
  request.launchFile = zbExec.FileName();
  request.launchOptions = zbExec.Options();
  request.runControlPanel = CbCpl.Checked();
  request.answerConflicts = &PmOpt3;

  toolkit::Application& app = *GetApplication();
  Hide();
  try {
    ApplyFlow({registry_, files_, profiles_, system_}, app.Ui()).Run(request);
  } catch (const std::exception& error) {
    // The apply stopped: the user learns why and what was not done, and
    // gets the window back rather than a program running without one.
    app.HandleException(error);
    Show();
    return;
  }
  Show();

  RestartInputs inputs;
  inputs.restartNeeded = NeedsRestart(CurrentSetting);
  inputs.askBeforeRestart = PmOpt5.Checked();
  inputs.askEvenWhenNotNeeded = PmOpt2.Checked();
  inputs.restartWindowsOnly = PmOpt4.Checked();
  inputs.noRestartQuestion = NoRestartQuestion;
  inputs.powerOffInstead = PowerOffInstead;
  const ExitAction action = DecideExit(inputs, [&] {
    const toolkit::MessageResult answer = AskRestart(app.Ui(), name);
    if (answer == toolkit::MessageResult::kNo) PowerOffInstead = true;
    return answer;
  });
  // A request that fails raises EExitError: the window, shown again, stays.
  PerformExit(system_, action);
  Close();
}

}  // namespace zuba::ui
