#include "switch/SwitchJournal.h"

#include "journal/JournalText.h"
#include "journal/Recorder.h"
#include "journal/Replay.h"
#include "switch/RestartDecision.h"
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

journal::Journal SwitchJournal::Plan(const ApplyRequest& request) {
  journal::Journal plan;
  plan.settingName = request.settingName;
  plan.restartNeeded = NeedsRestart(request.setting);
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
  return plan;
}

void SwitchJournal::Apply(const ApplyRequest& request) {
  journal::Journal journal = Plan(request);
  Save(journal);
  journal::Recorder recorder(journal::RecorderMode::kRecord, journal, services_.registry,
                             services_.files, services_.profiles, services_.system,
                             [this](const journal::Journal& j) { Save(j); });
  ApplyFlow({recorder.registry(), recorder.files(), recorder.profiles(), recorder.system()},
            shell_)
      .Run(request);
  MarkDone(journal);
}

void SwitchJournal::MarkDone(journal::Journal& journal) {
  // The registry's writes reach the disk at its flush: only then may the
  // journal say that they are done.
  services_.registry.FlushKey(platform::kHkeyLocalMachine);
  services_.registry.FlushKey(platform::kHkeyCurrentUser);
  for (journal::Change& c : journal.changes) c.done = true;
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

std::vector<std::string> SwitchJournal::ChangedSince(const journal::Journal& journal) {
  std::vector<std::string> changed;
  const journal::MachineServices machine{services_.registry, services_.files, services_.profiles};
  for (const journal::Change& c : journal.changes) {
    if (journal::StandingOf(machine, c) != journal::ChangeStanding::kNew) {
      changed.push_back(journal::DescribeChange(c));
    }
  }
  return changed;
}

void SwitchJournal::Finish(journal::Journal journal) { Run(journal); }

void SwitchJournal::Undo(const journal::Journal& journal) {
  journal::Journal inverse = journal::Inverse(
      {services_.registry, services_.files, services_.profiles}, journal);
  Save(inverse);
  Run(inverse);
}

void SwitchJournal::Run(journal::Journal& journal) {
  std::vector<std::string> failed;
  const bool ok = journal::Finish({services_.registry, services_.files, services_.profiles},
                                  journal, &failed);
  if (!ok) {
    std::string message = "次の変更を書き込めませんでした:";
    for (const std::string& line : failed) message += "\r\n" + line;
    throw system::Exception(message);
  }
  MarkDone(journal);
}

void SwitchJournal::Save(const journal::Journal& journal) {
  if (!services_.files.WriteBytes(path_, journal::FormatJournal(journal))) {
    throw system::Exception(path_ + " に書き込めません");
  }
}

std::string PreviewText(const journal::Journal& plan) {
  std::string text = "【" + plan.settingName + "】 を反映すると:";
  bool any = false;
  for (const journal::Change& c : plan.changes) {
    if (journal::ChangesNothing(c)) continue;
    text += "\r\n" + journal::DescribeChange(c);
    any = true;
  }
  if (!any) text += "\r\n変更はありません (この設定の状態です)";
  text += plan.restartNeeded ? "\r\n反映後に再起動が必要です" : "\r\n再起動は不要です";
  return text;
}

}  // namespace zuba::switching
