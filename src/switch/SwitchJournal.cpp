#include "switch/SwitchJournal.h"

#include "journal/JournalText.h"
#include "journal/Recorder.h"
#include "journal/Replay.h"
#include "switch/RestartDecision.h"
#include "switch/TrialEntry.h"
#include "system/Errors.h"

namespace zuba::switching {
namespace {

// A plan shows nothing to the user: a message the apply would show (an
// item of an unknown type, say) appears when the apply really runs.
class QuietShell : public system::AppShell {
 public:
  void ShowPlainMessage(const std::string&) override {}
  void ProcessMessages() override {}
};

}  // namespace

std::string JournalPathFor(const std::string& settingsFile) {
  const std::size_t slash = settingsFile.rfind('\\');
  const std::size_t dot = settingsFile.rfind('.');
  const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                               ? settingsFile.substr(0, dot)
                               : settingsFile;
  return stem + ".JNL";
}

SwitchJournal::SwitchJournal(const ApplyServices& services, system::AppShell& shell,
                             std::string path)
    : services_(services), shell_(shell), path_(std::move(path)) {}

SwitchJournal::~SwitchJournal() = default;

bool SwitchJournal::Lock() {
  if (!lock_) {
    auto lock = std::make_unique<ApplyLock>(services_.system, kApplyLockWaitMs);
    if (!lock->Held()) return false;
    lock_ = std::move(lock);
  }
  return true;
}

void SwitchJournal::RequireLock() {
  if (!Lock()) throw ApplyRunning();
}

journal::Journal SwitchJournal::Plan(const ApplyRequest& request, bool trial) {
  journal::Journal plan;
  plan.settingName = request.settingName;
  plan.restartNeeded = NeedsRestart(request.setting);
  plan.trial = trial;
  journal::Recorder recorder(journal::RecorderMode::kPlan, plan, services_.registry,
                             services_.files, services_.profiles, services_.system, nullptr);
  ApplyRequest planned = request;
  planned.launchFile.clear();
  planned.runControlPanel = false;
  QuietShell quiet;
  ApplyFlow flow({recorder.registry(), recorder.files(), recorder.profiles(), recorder.system()},
                 quiet);
  const core::TRegList setting = flow.Prepare(planned);
  RunApplySteps(flow.Plan(planned, setting));
  if (trial) WriteTrialEntry(recorder.registry(), services_.files.ProgramPath());
  return plan;
}

void SwitchJournal::Apply(const ApplyRequest& request, bool trial) {
  // The plan reads the machine: no other run may change it meanwhile.
  RequireLock();
  journal::Journal journal = Plan(request, trial);
  Save(journal);
  journal::Recorder recorder(journal::RecorderMode::kRecord, journal, services_.registry,
                             services_.files, services_.profiles, services_.system,
                             [this](const journal::Journal& j) { Save(j); });
  ApplyFlow({recorder.registry(), recorder.files(), recorder.profiles(), recorder.system()},
            shell_)
      .Run(request);
  if (trial) WriteTrialEntry(recorder.registry(), services_.files.ProgramPath());
  MarkDone(journal, journal);
}

void SwitchJournal::Keep(journal::Journal journal) {
  RequireLock();
  journal.trial = false;
  Save(journal);
  // A start of the program from an entry still there finds no trial and
  // asks nothing, so a flush that fails here costs nothing; the entry goes
  // all the same.
  RemoveTrialEntry(services_.registry);
  services_.registry.FlushKey(platform::kHkeyLocalMachine);
}

std::vector<std::string> SwitchJournal::DifferencesSince(const journal::Journal& journal) {
  const journal::MachineServices machine{services_.registry, services_.files, services_.profiles};
  const journal::Journal side = RunJournal(services_, journal, journal.run);
  std::vector<std::string> differences;
  for (const journal::Change* c : journal::FinalChanges(side)) {
    if (IsTrialEntry(*c) || journal::StandingOf(machine, *c) == journal::ChangeStanding::kNew) {
      continue;
    }
    differences.push_back(journal::DescribeChange(journal::ChangeSince(machine, *c)));
  }
  return differences;
}

void SwitchJournal::MarkDone(journal::Journal& journal, const journal::Journal& written) {
  // The registry's writes reach the disk at its flush: only then may the
  // journal say that the run is done.
  long rc = services_.registry.FlushKey(platform::kHkeyLocalMachine);
  const long userRc = services_.registry.FlushKey(platform::kHkeyCurrentUser);
  if (rc == platform::kErrorSuccess) rc = userRc;
  if (rc != platform::kErrorSuccess) {
    std::string message = "レジストリの変更を保存できませんでした (エラー " + std::to_string(rc) +
                          ")。次の変更は保存されていません:";
    for (const journal::Change* c : journal::FinalChanges(written)) {
      if ((c->kind == journal::ChangeKind::kRegistryKey ||
           c->kind == journal::ChangeKind::kRegistryValue) &&
          !journal::ChangesNothing(*c)) {
        message += "\r\n" + journal::DescribeChange(*c);
      }
    }
    throw RegistryNotSaved(message);
  }
  if (journal.run == journal::JournalRun::kApply) {
    for (journal::Change& c : journal.changes) c.done = true;
  }
  journal.state = journal::JournalState::kDone;
  Save(journal);
}

bool SwitchJournal::Load(journal::Journal* journal) {
  if (services_.files.GetAttributes(path_) == platform::kInvalidAttributes) return false;
  std::string text, error;
  if (!services_.files.ReadBytes(path_, &text)) {
    throw system::Exception(path_ + " を読めません");
  }
  if (!journal::ParseJournal(text, journal, &error)) {
    throw system::Exception(path_ + " は壊れています (" + error + ")。反映にも取り消しにも使いません");
  }
  return true;
}

journal::Journal RunJournal(const ApplyServices& services, const journal::Journal& journal,
                            journal::JournalRun run) {
  if (run == journal::JournalRun::kApply) {
    if (journal.trial) return journal;
    // A trial kept or undone needs no confirmation: finishing its apply
    // again leaves no RunOnce entry behind.
    journal::Journal side = journal;
    for (journal::Change& c : side.changes) {
      if (IsTrialEntry(c)) c.valueAfter.reset();
    }
    return side;
  }
  return journal::Inverse({services.registry, services.files, services.profiles}, journal);
}

const char kFormOnlyHeading[] = "値は同じで型だけが変わるもの、空の値が作られるもの:";

ChangedValues SwitchJournal::ChangedSince(const journal::Journal& journal) {
  const journal::MachineServices machine{services_.registry, services_.files, services_.profiles};
  const journal::Journal side = RunJournal(services_, journal, journal.run);
  // What counts is each target's last state in the run: an earlier change
  // of the same target was passed on the way.
  ChangedValues changed;
  for (const journal::Change* c : journal::FinalChanges(side)) {
    if (IsTrialEntry(*c) || journal::StandingOf(machine, *c) == journal::ChangeStanding::kNew) {
      continue;
    }
    const bool formOnly = journal::ChangesFormOnly(journal::ChangeSince(machine, *c));
    (formOnly ? changed.formOnly : changed.values).push_back(journal::DescribeChange(*c));
  }
  return changed;
}

void SwitchJournal::RunToward(journal::Journal journal, journal::JournalRun run) {
  RequireLock();
  journal.run = run;
  journal.state = journal::JournalState::kPending;
  // A trial undone is no longer on trial, whoever undid it.
  if (run == journal::JournalRun::kUndo) journal.trial = false;
  Save(journal);
  const journal::Journal target = RunJournal(services_, journal, run);
  std::vector<std::string> failed;
  if (!journal::Finish({services_.registry, services_.files, services_.profiles}, target,
                       &failed)) {
    std::string message = "次の変更を書き込めませんでした:";
    for (const std::string& line : failed) message += "\r\n" + line;
    throw system::Exception(message);
  }
  MarkDone(journal, target);
}

void SwitchJournal::Undo(const journal::Journal& journal) {
  const bool backToApply =
      journal.state == journal::JournalState::kDone && journal.run == journal::JournalRun::kUndo;
  RunToward(journal, backToApply ? journal::JournalRun::kApply : journal::JournalRun::kUndo);
}

void SwitchJournal::Save(const journal::Journal& journal) {
  if (!services_.files.WriteBytes(path_, journal::FormatJournal(journal))) {
    throw system::Exception(path_ + " に書き込めません");
  }
}

std::string PreviewText(const journal::Journal& plan) {
  ChangedValues changes;
  for (const journal::Change& c : plan.changes) {
    if (journal::ChangesNothing(c)) continue;
    (journal::ChangesFormOnly(c) ? changes.formOnly : changes.values)
        .push_back(journal::DescribeChange(c));
  }
  std::string text = "【" + plan.settingName + "】 を反映すると:";
  for (const std::string& line : changes.values) text += "\r\n" + line;
  if (changes.values.empty()) {
    text += changes.formOnly.empty() ? "\r\n変更はありません (この設定の状態です)"
                                     : "\r\n値の変わる変更はありません (この設定の状態です)";
  }
  if (!changes.formOnly.empty()) {
    text += std::string("\r\n\r\n") + kFormOnlyHeading;
    for (const std::string& line : changes.formOnly) text += "\r\n" + line;
  }
  text += plan.restartNeeded ? "\r\n\r\n反映後に再起動が必要です" : "\r\n\r\n再起動は不要です";
  return text;
}

}  // namespace zuba::switching
