// The RunOnce entry of a trial apply: Windows starts the program with /K
// once, at its next start, so that the user confirms the setting or the
// program goes back to the machine before it.
//
// The entry is written by the trial apply itself, under its journal, so an
// undo of the trial removes it when Windows has not yet. Windows removes it
// before it starts the program: it is the one change of the trial that is
// meant to be gone afterwards, and no comparison of the machine with the
// journal counts it.
#ifndef ZUBA_SWITCH_TRIALENTRY_H_
#define ZUBA_SWITCH_TRIALENTRY_H_

#include <string>

#include "journal/Change.h"
#include "platform/Registry.h"

namespace zuba::switching {

// Below HKEY_LOCAL_MACHINE.
constexpr char kRunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kTrialEntryName[] = "ZubaNetTrial";

// The entry's command line: the program's path in quotes (a path with
// blanks stays one), then /K.
std::string TrialCommand(const std::string& programPath);

// Writes the entry, creating the RunOnce key where it is missing. Raises
// system::ERegistryException when the registry refuses.
void WriteTrialEntry(platform::Registry& registry, const std::string& programPath);

// Removes the entry when it is there. Raises system::ERegistryException
// when the registry refuses the delete.
void RemoveTrialEntry(platform::Registry& registry);

// Whether `change` is the write of the entry.
bool IsTrialEntry(const journal::Change& change);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_TRIALENTRY_H_
