// The main window's buttons and menu entries of the switch: each builds the
// request from the window as it stands and calls the switch service, which
// runs the apply, the trial, the preview, the undo, the recovery and the
// restart decision.
#include <exception>
#include <functional>

#include "switch/ApplyFlow.h"
#include "switch/SwitchService.h"
#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "ui/RestartQuestion.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using switching::ApplyRequest;
using switching::FileReplacement;
using switching::SwitchOptions;

FileReplacement ReplacementOf(const TFileCopyBtn& button) {
  return {button.CopySrc(), button.CopyDst(), button.CopyOverWrite()};
}

}  // namespace

// What the apply consults, from the window as it stands.
static ApplyRequest RequestOf(TForm1& form, const std::string& name) {
  ApplyRequest request;
  request.settingName = name;
  request.setting = form.CurrentSetting;
  request.settingsFile = form.IniGT.Path();
  request.forceWin98Mode = form.PmOpt6.Checked();
  request.flushRegistry = form.PmOpt7.Checked();
  request.changeLogon = form.CbWgp.Checked();
  request.logonChoice = form.RgLogon.ItemIndex();
  request.hosts = ReplacementOf(form.fcbtHosts);
  request.lmhosts = ReplacementOf(form.fcbtLmhosts);
  if (form.pcbPr.ItemIndex() >= 0) request.printer = form.pcbPr.Item(form.pcbPr.ItemIndex());
  request.launchFile = form.zbExec.FileName();
  request.launchOptions = form.zbExec.Options();
  request.runControlPanel = form.CbCpl.Checked();
  request.answerConflicts = [&form] { return form.PmOpt3.Checked(); };
  return request;
}

ApplyRequest TForm1::StoredRequest(const std::string& name) {
  // What recalling `name` into the window and RequestOf would give.
  return Switch().StoredRequest(name, Options(), InstalledPrinter());
}

switching::PrinterLookup TForm1::InstalledPrinter() {
  return [this](const std::string& name) {
    const int index = pcbPr.IndexOf(name);
    return index < 0 ? std::string() : pcbPr.Item(index);
  };
}

switching::SwitchService TForm1::Switch() {
  return switching::SwitchService({registry_, files_, profiles_, system_}, questions_,
                                  IniGT.Path());
}

SwitchOptions TForm1::Options() const {
  SwitchOptions options;
  options.askEvenWhenNotNeeded = PmOpt2.Checked();
  options.restartWindowsOnly = PmOpt4.Checked();
  options.askBeforeRestart = PmOpt5.Checked();
  options.forceWin98Mode = PmOpt6.Checked();
  options.flushRegistry = PmOpt7.Checked();
  options.noRestartQuestion = NoRestartQuestion;
  options.powerOffInstead = PowerOffInstead;
  return options;
}

void TForm1::BtApplyClick(toolkit::Component&) { ApplySelected(false); }

void TForm1::ApplySelected(bool trial) {
  const int selected = CbSetting.ItemIndex();
  if (selected < 0) {
    Close();
    return;
  }
  const std::string name = CbSetting.Item(selected);
  if (system::IsAltKeyDown(system_) || system::IsCtrlKeyDown(system_)) PowerOffInstead = true;
  const ApplyRequest request = RequestOf(*this, name);
  SwitchOptions options = Options();
  // A failed request to end Windows leaves the window shown.
  const bool ended = KeepingPowerOff(options, [&] { return Switch().Apply(request, trial, options); });
  if (ended) Close();
}

bool TForm1::KeepingPowerOff(switching::SwitchOptions& options, const std::function<bool()>& run) {
  try {
    const bool ended = run();
    PowerOffInstead = options.powerOffInstead;
    return ended;
  } catch (...) {
    PowerOffInstead = options.powerOffInstead;
    throw;
  }
}

void TForm1::DecideRestart(const std::string& caption, bool restartNeeded,
                           const std::string& notice) {
  SwitchOptions options = Options();
  KeepingPowerOff(options, [&] {
    Switch().DecideRestart(caption, restartNeeded, options, notice);
    return true;
  });
  Close();
}

void TForm1::pmPreviewClick(toolkit::Component&) { RunHandler([this] { ShowPreview(); }); }

void TForm1::pmUndoClick(toolkit::Component&) { RunHandler([this] { UndoLastApply(); }); }

void TForm1::pmTrialClick(toolkit::Component&) {
  RunHandler([this] {
    if (CbSetting.ItemIndex() < 0) {
      system::ShowInfoBox(App().Ui(), "試しに反映する設定を選んでください");
      return;
    }
    ApplySelected(true);
  });
}

void TForm1::ShowPreview() {
  const int selected = CbSetting.ItemIndex();
  if (selected < 0) {
    system::ShowInfoBox(App().Ui(), "反映内容を確認する設定を選んでください");
    return;
  }
  Switch().Preview(RequestOf(*this, CbSetting.Item(selected)));
}

void TForm1::UndoLastApply() {
  SwitchOptions options = Options();
  if (KeepingPowerOff(options, [&] { return Switch().Undo(options); })) Close();
}

void TForm1::RecoverCutShortApply() { Switch().Recover(); }

void TForm1::ConfirmTrial() {
  const switching::UndoneTrial undone = Switch().ConfirmTrial();
  if (!undone.undone) return;
  trialUndone_ = true;
  trialName_ = undone.settingName;
  trialRestartNeeded_ = undone.restartNeeded;
}

}  // namespace zuba::ui
