// The main window's apply: writing the selected setting into the system
// (ApplyFlow, under the switch journal) and the restart decision
// (RestartDecision); the journal's preview, undo and recovery; the trial
// apply and its confirmation.
#include <algorithm>
#include <exception>

#include "journal/Change.h"
#include "switch/ApplyFlow.h"
#include "switch/RestartDecision.h"
#include "switch/SwitchJournal.h"
#include "network/ChgWINS.h"
#include "system/IntegerText.h"
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
using switching::ApplyRunning;
using switching::RegistryNotSaved;
using switching::SwitchJournal;
using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

constexpr char kJournalCaption[] = "反映の記録";
constexpr char kTrialCaption[] = "設定の試用";
// The logon choice of a window that shows no workgroup: "他" (other).
constexpr int kLogonOther = 2;

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

ApplyRequest TForm1::StoredRequest(const std::string& name) {
  // What recalling `name` into the window and RequestOf would give: the
  // window's ShowSetting drops a printer that is not installed and gives a
  // fixed address without a node type WINS off.
  ApplyRequest request;
  request.settingName = name;
  core::InitRegList(request.setting, PmOpt6.Checked(), system_);
  Settings.RecallSetting(name, &request.setting);
  core::TRegList& setting = request.setting;
  if (setting[core::kIp].IsSet && setting[core::kNt].Value.empty() &&
      setting[core::kIp].Value != "0.0.0.0") {
    setting[core::kNt].Value = network::kNodeTypeWinsOff;
  }
  const int printer = setting[core::kPr].Value.empty() ? -1 : pcbPr.IndexOf(setting[core::kPr].Value);
  if (printer < 0) setting[core::kPr].IsSet = false;
  if (printer >= 0) request.printer = pcbPr.Item(printer);
  request.settingsFile = IniGT.Path();
  request.forceWin98Mode = PmOpt6.Checked();
  request.flushRegistry = PmOpt7.Checked();
  request.changeLogon = setting[core::kWg].IsSet;
  request.logonChoice =
      request.changeLogon
          ? std::clamp(system::TextToInteger(setting[core::kLo].Value), -1, static_cast<int>(RgLogon.Items().size()) - 1)
          : kLogonOther;
  request.hosts = {setting[core::kHh].IsSet ? setting[core::kHh].Value : "", fcbtHosts.CopyDst(),
                   fcbtHosts.CopyOverWrite()};
  request.lmhosts = {setting[core::kHl].IsSet ? setting[core::kHl].Value : "",
                     fcbtLmhosts.CopyDst(), fcbtLmhosts.CopyOverWrite()};
  if (setting[core::kEe].IsSet) {
    request.launchFile = setting[core::kEe].Value;
    request.launchOptions = setting[core::kEo].Value;
  }
  request.runControlPanel = setting[core::kCp].Value == "1";
  request.answerConflicts = [this] { return PmOpt3.Checked(); };
  return request;
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

  toolkit::Application& app = *GetApplication();
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  Hide();
  try {
    journal.Apply(request, trial);
  } catch (const RegistryNotSaved& error) {
    OfferUndoOfUnsaved(journal, error);
    Show();
    return;
  } catch (const std::exception& error) {
    // The apply stopped: the user learns why and what was not done, and
    // gets the window back rather than a program running without one.
    app.HandleException(error);
    Show();
    return;
  }
  Show();
  DecideRestart(RestartCaption(name), NeedsRestart(CurrentSetting),
                trial ? TrialNotice(Settings.ReadTrialSeconds()) : "");
}

void TForm1::OfferUndoOfUnsaved(SwitchJournal& journal, const RegistryNotSaved& error) {
  // The files an apply writes are on the disk, the registry is not: the
  // machine would come up half switched. The journal stays pending, so the
  // next start asks again; the user may go back at once instead.
  toolkit::Application& app = *GetApplication();
  const std::string text = std::string(error.what()) +
                           "\r\n\r\n反映した分を今すぐ元に戻しますか？\r\n"
                           "(いいえ: 次に起動したときにもう一度たずねます)";
  if (app.Ui().ShowMessageBox(text, kJournalCaption, MessageIcon::kWarning,
                              MessageButtons::kYesNo) != MessageResult::kYes) {
    return;
  }
  try {
    journal::Journal cut;
    if (journal.Load(&cut)) journal.RunToward(cut, journal::JournalRun::kUndo);
  } catch (const std::exception& undoError) {
    app.HandleException(undoError);
  }
}

void TForm1::DecideRestart(const std::string& caption, bool restartNeeded,
                           const std::string& notice) {
  toolkit::Application& app = *GetApplication();
  RestartInputs inputs;
  inputs.restartNeeded = restartNeeded;
  inputs.askBeforeRestart = PmOpt5.Checked();
  inputs.askEvenWhenNotNeeded = PmOpt2.Checked();
  inputs.restartWindowsOnly = PmOpt4.Checked();
  inputs.noRestartQuestion = NoRestartQuestion;
  inputs.powerOffInstead = PowerOffInstead;
  const ExitAction action = DecideExit(inputs, [&] {
    const RestartAnswer answer = AskRestart(app.Ui(), caption, notice);
    if (answer == RestartAnswer::kNo) PowerOffInstead = true;
    return answer;
  });
  // A request that fails raises EExitError: the window, shown again, stays.
  PerformExit(system_, action);
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
  try {
    if (!journal.Lock()) throw ApplyRunning();
    if (!journal.Load(&last)) {
      system::ShowInfoBox(app.Ui(), "元に戻せる反映がありません");
      return;
    }
  } catch (const std::exception& error) {
    app.HandleException(error);
    return;
  }
  // A run cut short has no "since": what it left is no one else's change.
  // A value whose form alone changed since is no one's loss: it is listed
  // apart, and asks nothing by itself.
  const switching::ChangedValues changed = last.state == journal::JournalState::kDone
                                               ? journal.ChangedSince(last)
                                               : switching::ChangedValues();
  if (!changed.values.empty()) {
    std::string text = "前回の反映の後に次の値が変更されています。元に戻すと上書きされます:";
    for (const std::string& line : changed.values) text += "\r\n" + line;
    if (!changed.formOnly.empty()) {
      text += std::string("\r\n\r\n") + switching::kFormOnlyHeading;
      for (const std::string& line : changed.formOnly) text += "\r\n" + line;
    }
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
  // Undoing an undo applies the setting again.
  const bool reapplied =
      last.state == journal::JournalState::kDone && last.run == journal::JournalRun::kUndo;
  DecideRestart(reapplied ? RestartCaption(last.settingName) : UndoneCaption(last.settingName),
                last.restartNeeded);
}

void TForm1::RecoverCutShortApply() {
  toolkit::Application& app = *GetApplication();
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  journal::Journal cut;
  try {
    if (!journal.Load(&cut) || cut.state == journal::JournalState::kDone) return;
    // A run that still goes on in another process holds the lock: its
    // journal is not one cut short, and is left alone. Once the lock is
    // ours, the journal is read again: that run may have ended meanwhile.
    if (!journal.Lock() || !journal.Load(&cut) || cut.state == journal::JournalState::kDone) {
      return;
    }
  } catch (const std::exception& error) {
    app.HandleException(error);
    return;
  }
  // The question is about the apply, whichever run was cut short, and its
  // answers go to the apply's two sides.
  const std::string what = cut.run == journal::JournalRun::kUndo ? "】 の反映の取り消しが"
                                                                 : "】 の反映が";
  const std::string text = "【" + cut.settingName + what +
                           "途中で終わっています。\r\n\r\nはい\t:  反映を最後まで行う\r\n"
                           "いいえ\t:  反映する前の状態に戻す";
  const bool finish = app.Ui().ShowMessageBox(text, kJournalCaption, MessageIcon::kQuestion,
                                              MessageButtons::kYesNo) == MessageResult::kYes;
  try {
    journal.RunToward(cut, finish ? journal::JournalRun::kApply : journal::JournalRun::kUndo);
  } catch (const std::exception& error) {
    app.HandleException(error);
  }
}

void TForm1::ConfirmTrial() {
  toolkit::Application& app = *GetApplication();
  SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                        JournalPathFor(IniGT.Path()));
  journal::Journal trial;
  auto onTrial = [&trial] {
    return trial.trial && trial.state == journal::JournalState::kDone &&
           trial.run == journal::JournalRun::kApply;
  };
  try {
    if (!journal.Load(&trial) || !onTrial()) return;
    // The lock first, and the journal read again under it: another start
    // may be answering the same question.
    if (!journal.Lock() || !journal.Load(&trial) || !onTrial()) return;
  } catch (const std::exception& error) {
    app.HandleException(error);
    return;
  }
  // What the trial wrote, read back before anything else touches it:
  // something that ran during the start may have rewritten it.
  const std::vector<std::string> differences = journal.DifferencesSince(trial);
  toolkit::TimedQuestion question;
  question.text = "【" + trial.settingName + "】 を試しに反映しています。";
  if (differences.empty()) {
    question.text += "\r\n反映した値はすべてそのままです。";
  } else {
    question.text += "\r\n反映した後に次の値が書き換えられています:";
    for (const std::string& line : differences) question.text += "\r\n" + line;
  }
  question.text += "\r\n\r\nこの設定を使い続けますか？\r\n\r\nはい\t:  使い続ける\r\n"
                   "いいえ\t:  反映する前の状態に戻す";
  question.caption = kTrialCaption;
  question.icon = MessageIcon::kQuestion;
  question.buttons = MessageButtons::kYesNo;
  question.seconds = Settings.ReadTrialSeconds();
  question.timeoutAnswer = MessageResult::kNo;
  question.countdown = "%1 秒以内に答えがなければ元に戻します";
  const bool keep = app.Ui().ShowTimedMessageBox(question) == MessageResult::kYes;
  try {
    if (keep) {
      journal.Keep(trial);
      return;
    }
    journal.RunToward(trial, journal::JournalRun::kUndo);
  } catch (const std::exception& error) {
    app.HandleException(error);
    return;
  }
  trialUndone_ = true;
  trialName_ = trial.settingName;
  trialRestartNeeded_ = trial.restartNeeded;
}

}  // namespace zuba::ui
