#include "switch/SwitchService.h"

#include <algorithm>
#include <utility>

#include "network/ChgWINS.h"
#include "switch/MachineStanding.h"
#include "switch/SettingsFileAt.h"
#include "system/IntegerText.h"
#include "system/ZubaUtil.h"

namespace zuba::switching {
namespace {

constexpr char kJournalCaption[] = "反映の記録";
constexpr char kTrialCaption[] = "設定の試用";
// The logon choices of the window: W9x, NT and "他" (other: no change).
constexpr int kLogonChoices = 3;
constexpr int kLogonOther = 2;

bool IsCutShort(const journal::Journal& journal) {
  return journal.state != journal::JournalState::kDone;
}

bool IsOnTrial(const journal::Journal& journal) {
  return journal.trial && journal.state == journal::JournalState::kDone &&
         journal.run == journal::JournalRun::kApply;
}

}  // namespace

SwitchOptions StoredOptions(core::SettingsFile& settings) {
  SwitchOptions options;
  options.askEvenWhenNotNeeded = settings.ReadOption(2);
  options.restartWindowsOnly = settings.ReadOption(4);
  options.askBeforeRestart = settings.ReadOption(5);
  options.forceWin98Mode = settings.ReadOption(6);
  options.flushRegistry = settings.ReadOption(7);
  return options;
}

SwitchService::SwitchService(const ApplyServices& services, SwitchQuestions& questions,
                             std::string settingsFile)
    : services_(services), questions_(questions), settingsFile_(std::move(settingsFile)) {}

SwitchJournal SwitchService::Journal() {
  return SwitchJournal(services_, questions_, JournalPathFor(settingsFile_));
}

ApplyRequest SwitchService::StoredRequest(const std::string& name, const SwitchOptions& options,
                                          const PrinterLookup& printers) {
  ApplyRequest request;
  request.settingName = name;
  core::InitRegList(request.setting, options.forceWin98Mode, services_.system);
  SettingsFileAt(services_, settingsFile_)->RecallSetting(name, &request.setting);
  core::TRegList& setting = request.setting;
  if (setting[core::kIp].IsSet && setting[core::kNt].Value.empty() &&
      setting[core::kIp].Value != "0.0.0.0") {
    setting[core::kNt].Value = network::kNodeTypeWinsOff;
  }
  request.printer = setting[core::kPr].Value.empty() ? "" : printers(setting[core::kPr].Value);
  if (request.printer.empty()) setting[core::kPr].IsSet = false;
  request.settingsFile = settingsFile_;
  request.forceWin98Mode = options.forceWin98Mode;
  request.flushRegistry = options.flushRegistry;
  request.changeLogon = setting[core::kWg].IsSet;
  request.logonChoice =
      request.changeLogon
          ? std::clamp(system::TextToInteger(setting[core::kLo].Value), -1, kLogonChoices - 1)
          : kLogonOther;
  const std::string windows = system::GetWindowsDir(services_.files);
  request.hosts = {setting[core::kHh].IsSet ? setting[core::kHh].Value : "", windows + "hosts",
                   true};
  request.lmhosts = {setting[core::kHl].IsSet ? setting[core::kHl].Value : "",
                     windows + "lmhosts", false};
  if (setting[core::kEe].IsSet) {
    request.launchFile = setting[core::kEe].Value;
    request.launchOptions = setting[core::kEo].Value;
  }
  request.runControlPanel = setting[core::kCp].Value == "1";
  request.answerConflicts = [this] { return questions_.AnswerConflicts(); };
  return request;
}

bool SwitchService::Apply(const ApplyRequest& request, bool trial, SwitchOptions& options) {
  SwitchJournal journal = Journal();
  questions_.WritesBegin();
  try {
    journal.Apply(request, trial);
  } catch (const RegistryNotSaved& error) {
    OfferUndoOfUnsaved(journal, error);
    questions_.WritesEnd();
    return false;
  } catch (const std::exception& error) {
    // The apply stopped: the user learns why and what was not done.
    questions_.ReportError(error);
    questions_.WritesEnd();
    return false;
  }
  questions_.WritesEnd();
  DecideRestart(RestartCaption(request.settingName), NeedsRestart(request.setting), options,
                trial ? TrialNotice(SettingsFileAt(services_, settingsFile_)->ReadTrialSeconds())
                      : "");
  return true;
}

void SwitchService::OfferUndoOfUnsaved(SwitchJournal& journal, const RegistryNotSaved& error) {
  // The files an apply writes are on the disk, the registry is not: the
  // machine would come up half switched. The journal stays pending, so the
  // next start asks again; the user may go back at once instead.
  const std::string text = std::string(error.what()) +
                           "\r\n\r\n反映した分を今すぐ元に戻しますか？\r\n"
                           "(いいえ: 次に起動したときにもう一度たずねます)";
  if (!questions_.AskYesNo(text, kJournalCaption, QuestionKind::kWarning)) return;
  try {
    journal::Journal cut;
    if (journal.Load(&cut)) journal.RunToward(cut, journal::JournalRun::kUndo);
  } catch (const std::exception& undoError) {
    questions_.ReportError(undoError);
  }
}

void SwitchService::DecideRestart(const std::string& caption, bool restartNeeded,
                                  SwitchOptions& options, const std::string& notice) {
  RestartInputs inputs;
  inputs.restartNeeded = restartNeeded;
  inputs.askBeforeRestart = options.askBeforeRestart;
  inputs.askEvenWhenNotNeeded = options.askEvenWhenNotNeeded;
  inputs.restartWindowsOnly = options.restartWindowsOnly;
  inputs.noRestartQuestion = options.noRestartQuestion;
  inputs.powerOffInstead = options.powerOffInstead;
  const ExitAction action = DecideExit(inputs, [&] {
    const RestartAnswer answer = questions_.AskRestart(caption, notice);
    if (answer == RestartAnswer::kNo) options.powerOffInstead = true;
    return answer;
  });
  PerformExit(services_.system, action);
}

void SwitchService::Preview(const ApplyRequest& request) {
  const journal::Journal plan = Journal().Plan(request);
  questions_.ShowReport(PreviewText(plan), "反映内容の確認");
}

bool SwitchService::Undo(SwitchOptions& options) {
  SwitchJournal journal = Journal();
  journal::Journal last;
  try {
    if (!journal.Lock()) throw ApplyRunning();
    if (!journal.Load(&last)) {
      system::ShowInfoBox(questions_, "元に戻せる反映がありません");
      return false;
    }
  } catch (const std::exception& error) {
    questions_.ReportError(error);
    return false;
  }
  // A run cut short has no "since": what it left is no one else's change.
  // A value whose form alone changed since is no one's loss: it is listed
  // apart, and asks nothing by itself.
  const ChangedValues changed =
      IsCutShort(last) ? ChangedValues() : journal.ChangedSince(last);
  if (!changed.values.empty()) {
    std::string text = "前回の反映の後に次の値が変更されています。元に戻すと上書きされます:";
    for (const std::string& line : changed.values) text += "\r\n" + line;
    if (!changed.formOnly.empty()) {
      text += std::string("\r\n\r\n") + kFormOnlyHeading;
      for (const std::string& line : changed.formOnly) text += "\r\n" + line;
    }
    text += "\r\n\r\n元に戻しますか？";
    if (!questions_.AskYesNo(text, kJournalCaption, QuestionKind::kWarning)) return false;
  }
  questions_.WritesBegin();
  try {
    journal.Undo(last);
  } catch (const std::exception& error) {
    questions_.ReportError(error);
    questions_.WritesEnd();
    return false;
  }
  questions_.WritesEnd();
  // Undoing an undo applies the setting again.
  const bool reapplied = !IsCutShort(last) && last.run == journal::JournalRun::kUndo;
  DecideRestart(reapplied ? RestartCaption(last.settingName) : UndoneCaption(last.settingName),
                last.restartNeeded, options);
  return true;
}

bool SwitchService::LoadUnderLock(SwitchJournal& journal, journal::Journal* read,
                                  const std::function<bool(const journal::Journal&)>& wanted) {
  try {
    return journal.Load(read) && wanted(*read) && journal.Lock() && journal.Load(read) &&
           wanted(*read);
  } catch (const std::exception& error) {
    questions_.ReportError(error);
    return false;
  }
}

void SwitchService::Recover() {
  SwitchJournal journal = Journal();
  journal::Journal cut;
  if (!LoadUnderLock(journal, &cut, IsCutShort)) return;
  // The question is about the apply, whichever run was cut short, and its
  // answers go to the apply's two sides.
  const std::string what = cut.run == journal::JournalRun::kUndo ? "】 の反映の取り消しが"
                                                                 : "】 の反映が";
  const std::string text = "【" + cut.settingName + what +
                           "途中で終わっています。\r\n\r\nはい\t:  反映を最後まで行う\r\n"
                           "いいえ\t:  反映する前の状態に戻す";
  const bool finish = questions_.AskYesNo(text, kJournalCaption, QuestionKind::kQuestion);
  try {
    journal.RunToward(cut, finish ? journal::JournalRun::kApply : journal::JournalRun::kUndo);
  } catch (const std::exception& error) {
    questions_.ReportError(error);
  }
}

UndoneTrial SwitchService::ConfirmTrial() {
  SwitchJournal journal = Journal();
  journal::Journal trial;
  if (!LoadUnderLock(journal, &trial, IsOnTrial)) return {};
  // What the trial wrote, read back before anything else touches it:
  // something that ran during the start may have rewritten it.
  const std::vector<std::string> differences = journal.DifferencesSince(trial);
  TimedYesNo question;
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
  question.seconds = SettingsFileAt(services_, settingsFile_)->ReadTrialSeconds();
  question.countdown = "%1 秒以内に答えがなければ元に戻します";
  const bool keep = questions_.AskYesNoTimed(question);
  try {
    if (keep) {
      journal.Keep(trial);
      return {};
    }
    journal.RunToward(trial, journal::JournalRun::kUndo);
  } catch (const std::exception& error) {
    questions_.ReportError(error);
    return {};
  }
  return {true, trial.settingName, trial.restartNeeded};
}

void SwitchService::ShowStanding(const std::vector<std::string>& names,
                                 const SwitchOptions& options,
                                 const PrinterLookup& printers) {
  SwitchJournal journal = Journal();
  MachineStanding standing;
  for (const std::string& name : names) {
    try {
      if (MachineHolds(journal.Plan(StoredRequest(name, options, printers)), settingsFile_)) {
        standing.matching.push_back(name);
      }
    } catch (const std::exception&) {
      // A setting the apply refuses (no adapter entry, a value that
      // cannot be written) is one the machine cannot hold.
    }
  }
  try {
    journal::Journal last;
    if (journal.Load(&last)) {
      if (last.state == journal::JournalState::kDone) {
        standing.lastDifferences = journal.DifferencesSince(last);
      }
      standing.last = std::move(last);
    }
  } catch (const std::exception& error) {
    standing.lastError = error.what();
  }
  questions_.ShowReport(StandingText(standing), "現在の状態");
}

}  // namespace zuba::switching
