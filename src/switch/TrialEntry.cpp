#include "switch/TrialEntry.h"

#include "platform/Cp932.h"
#include "platform/WinError.h"
#include "system/Errors.h"
#include "system/MyRegs.h"

namespace zuba::switching {

std::string TrialCommand(const std::string& programPath) {
  return "\"" + programPath + "\" /K";
}

void WriteTrialEntry(platform::Registry& registry, const std::string& programPath) {
  platform::RegKey key;
  if (registry.CreateKey(platform::kHkeyLocalMachine, kRunOnceKeyPath, &key) !=
      platform::kErrorSuccess) {
    throw system::ERegistryException(std::string("HKEY_LOCAL_MACHINE\\") + kRunOnceKeyPath +
                                     " を作成できません");
  }
  registry.CloseKey(key);
  if (!system::WriteRegString(registry, platform::kHkeyLocalMachine,
                              std::string("\\") + kRunOnceKeyPath, kTrialEntryName,
                              TrialCommand(programPath))) {
    throw system::ERegistryException(std::string("HKEY_LOCAL_MACHINE\\") + kRunOnceKeyPath +
                                     " を開けません");
  }
}

void RemoveTrialEntry(platform::Registry& registry) {
  system::DeleteRegValue(registry, platform::kHkeyLocalMachine,
                         std::string("\\") + kRunOnceKeyPath, kTrialEntryName);
}

bool IsTrialEntry(const journal::Change& change) {
  return change.kind == journal::ChangeKind::kRegistryValue &&
         change.root == platform::kHkeyLocalMachine &&
         platform::EqualsNoCaseCp932(change.keyPath, kRunOnceKeyPath) &&
         platform::EqualsNoCaseCp932(change.valueName, kTrialEntryName);
}

}  // namespace zuba::switching
