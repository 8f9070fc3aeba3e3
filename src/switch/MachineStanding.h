// Where the machine stands: which saved settings it holds now, and how it
// differs from the last apply. A setting is held when applying it would
// change nothing: its plan (SwitchJournal::Plan, which writes nothing)
// finds every target already in the state the apply would write.
#ifndef ZUBA_SWITCH_MACHINESTANDING_H_
#define ZUBA_SWITCH_MACHINESTANDING_H_

#include <optional>
#include <string>
#include <vector>

#include "journal/Change.h"

namespace zuba::switching {

// Whether the machine already holds every state `plan` writes. The keys
// the apply writes into the settings file `settingsFile` (Previous, the
// flush results) are the program's own record, not the machine's state,
// and are not compared. A target the plan writes more than once counts by
// its state before the first write and after the last.
bool MachineHolds(const journal::Journal& plan, const std::string& settingsFile);

struct MachineStanding {
  std::vector<std::string> matching;  // the saved settings the machine holds
  // The journal of the last apply, when there is one.
  std::optional<journal::Journal> last;
  // How the machine differs from what the last run left (a run done).
  std::vector<std::string> lastDifferences;
  std::string lastError;  // the journal could not be read: why
};

// The report for the user, several lines (CR LF).
std::string StandingText(const MachineStanding& standing);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_MACHINESTANDING_H_
