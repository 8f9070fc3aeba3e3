// The main window's apply: writing the selected setting into the system
// (ApplyFlow, under the switch journal) and the restart decision
// (RestartDecision); the journal's preview, undo and recovery.
#include <exception>

#include "journal/Change.h"
#include "switch/ApplyFlow.h"
#include "switch/RestartDecision.h"
#include "switch/SwitchJournal.h"
#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "ui/RestartQuestion.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using switching::ApplyRequest;
using switching::DecideExit;
using switching::ExitAction;
using switching::FileReplacement;
using switching::JournalPathFor;
using switching::NeedsRestart;
using switching::PerformExit;
using switching::PreviewText;
using switching::RestartAnswer;
using switching::RestartInputs;
using switching::SwitchJournal;
using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

constexpr char kJournalCaption[] = "反映の記録";

FileReplacement ReplacementOf(const actions::TFileCopyBtn& button) {
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

void TForm1::BtApplyClick(toolkit::Component&) {
  const int selected = CbSetting.ItemIndex();
  if (selected < 0) {
    Close();
    return;
  }
  const std::string name = CbSetting.Item(selected);
  if (system::IsAltKeyDown(system_) || system::IsCtrlKeyDown(system_)) PowerOffInstead = true;
  const ApplyRequest request = RequestOf(*this, name);

  toolkit::Application& app = *GetApplication();
  Hide();
  try {
    SwitchJournal({registry_, files_, profiles_, system_}, app.Ui(), JournalPathFor(IniGT.Path()))
        .Apply(request);
  } catch (const std::exception& error) {
    // The apply stopped: the user learns why and what was not done, and
    // gets the window back rather than a program running without one.
    app.HandleException(error);
    Show();
    return;
  }
  Show();
  DecideRestart(name, NeedsRestart(CurrentSetting));
}

void TForm1::DecideRestart(const std::string& name, bool restartNeeded) {
  toolkit::Application& app = *GetApplication();
  RestartInputs inputs;
  inputs.restartNeeded = restartNeeded;
  inputs.askBeforeRestart = PmOpt5.Checked();
  inputs.askEvenWhenNotNeeded = PmOpt2.Checked();
  inputs.restartWindowsOnly = PmOpt4.Checked();
  inputs.noRestartQuestion = NoRestartQuestion;
  inputs.powerOffInstead = PowerOffInstead;
  const ExitAction action = DecideExit(inputs, [&] {
    const RestartAnswer answer = AskRestart(app.Ui(), name);
    if (answer == RestartAnswer::kNo) PowerOffInstead = true;
    return answer;
  });
  // A request that fails raises EExitError: the window, shown again, stays.
  PerformExit(system_, action);
  Close();
}

void TForm1::pmPreviewClick(toolkit::Component&) { RunHandler([this] { ShowPreview(); }); }

void TForm1::pmUndoClick(toolkit::Component&) { RunHandler([this] { UndoLastApply(); }); }

void TForm1::ShowPreview() {
  toolkit::Application& app = *GetApplication();
  const int selected = CbSetting.ItemIndex();
  if (selected < 0) {
    system::ShowInfoBox(app.Ui(), "反映内容を確認する設定を選んでください");
    return;
  }
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  const journal::Journal plan = journal.Plan(RequestOf(*this, CbSetting.Item(selected)));
  app.Ui().ShowReport(PreviewText(plan), "反映内容の確認");
}

void TForm1::UndoLastApply() {
  toolkit::Application& app = *GetApplication();
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  journal::Journal last;
  if (!journal.Load(&last) || last.state != journal::JournalState::kDone) {
    system::ShowInfoBox(app.Ui(), "元に戻せる反映がありません");
    return;
  }
  const std::vector<std::string> changed = journal.ChangedSince(last);
  if (!changed.empty()) {
    std::string text = "前回の反映の後に次の値が変更されています。元に戻すと上書きされます:";
    for (const std::string& line : changed) text += "\r\n" + line;
    text += "\r\n\r\n元に戻しますか？";
    if (app.Ui().ShowMessageBox(text, kJournalCaption, MessageIcon::kWarning,
                                MessageButtons::kYesNo) != MessageResult::kYes) {
      return;
    }
  }
  Hide();
  try {
    journal.Undo(last);
  } catch (const std::exception& error) {
    app.HandleException(error);
    Show();
    return;
  }
  Show();
  DecideRestart(last.settingName, last.restartNeeded);
}

void TForm1::RecoverCutShortApply() {
  toolkit::Application& app = *GetApplication();
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  journal::Journal cut;
  try {
    if (!journal.Load(&cut) || cut.state == journal::JournalState::kDone) return;
  } catch (const std::exception& error) {
    app.HandleException(error);
    return;
  }
  const std::string text = "【" + cut.settingName +
                           "】 の反映が途中で終わっています。\r\n\r\nはい\t:  反映を最後まで行う\r\n"
                           "いいえ\t:  反映した分を元に戻す";
  const bool finish = app.Ui().ShowMessageBox(text, kJournalCaption, MessageIcon::kQuestion,
                                              MessageButtons::kYesNo) == MessageResult::kYes;
  try {
    if (finish) {
      journal.Finish(cut);
    } else {
      journal.Undo(cut);
    }
  } catch (const std::exception& error) {
    app.HandleException(error);
  }
}

}  // namespace zuba::ui
