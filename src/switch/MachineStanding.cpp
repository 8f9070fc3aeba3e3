#include "switch/MachineStanding.h"

#include "platform/Cp932.h"

namespace zuba::switching {
namespace {

bool IsSettingsFile(const journal::Change& c, const std::string& settingsFile) {
  return (c.kind == journal::ChangeKind::kProfileKey || c.kind == journal::ChangeKind::kFile) &&
         platform::EqualsNoCaseCp932(c.path, settingsFile);
}

}  // namespace

bool MachineHolds(const journal::Journal& plan, const std::string& settingsFile) {
  const std::vector<journal::Change>& changes = plan.changes;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const journal::Change& c = changes[i];
    if (journal::ChangesNothing(c) || IsSettingsFile(c, settingsFile)) continue;
    // A step's clean-up may set a target back: the target's first state
    // and its last one decide.
    std::size_t first = i, last = i;
    for (std::size_t j = 0; j < i; ++j) {
      if (journal::SameTarget(changes[j], c)) {
        first = j;
        break;
      }
    }
    for (std::size_t j = i + 1; j < changes.size(); ++j) {
      if (journal::SameTarget(changes[j], c)) last = j;
    }
    journal::Change overall = changes[first];
    overall.valueAfter = changes[last].valueAfter;
    overall.textAfter = changes[last].textAfter;
    if (!journal::ChangesNothing(overall)) return false;
  }
  return true;
}

std::string StandingText(const MachineStanding& standing) {
  std::string text = "現在の状態と一致する設定:";
  for (const std::string& name : standing.matching) text += "\r\n・" + name;
  if (standing.matching.empty()) text += "\r\n(保存してある設定のどれとも一致しません)";
  text += "\r\n\r\n";
  if (!standing.lastError.empty()) return text + standing.lastError;
  if (!standing.last) return text + "反映した記録はありません";
  const journal::Journal& last = *standing.last;
  const bool undone = last.run == journal::JournalRun::kUndo;
  text += "前回反映した設定: 【" + last.settingName + "】";
  if (last.trial) text += " (試用中)";
  if (last.state != journal::JournalState::kDone) {
    return text + "\r\n" + (undone ? "反映の取り消しが途中で終わっています" : "反映が途中で終わっています");
  }
  if (undone) text += "\r\n反映は取り消されています";
  if (standing.lastDifferences.empty()) {
    return text + (undone ? "\r\n取り消したときのままです" : "\r\n反映したときのままです");
  }
  text += undone ? "\r\n取り消した後に次の値が変更されています:"
                 : "\r\n反映した後に次の値が変更されています:";
  for (const std::string& line : standing.lastDifferences) text += "\r\n" + line;
  return text;
}

}  // namespace zuba::switching
