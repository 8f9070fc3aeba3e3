// Bringing the machine to one side of a journal: every change to the state
// the apply wrote (finishing an apply that was cut short) or to the state
// before it (undoing it), and telling where the machine stands.
//
// Both directions set each thing to a state named in the journal, whatever
// it holds now, so they may run again after a crash of their own: running
// one twice gives what running it once gives.
#ifndef ZUBA_JOURNAL_REPLAY_H_
#define ZUBA_JOURNAL_REPLAY_H_

#include <string>
#include <vector>

#include "journal/Change.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"

namespace zuba::journal {

struct MachineServices {
  platform::Registry& registry;
  platform::Files& files;
  platform::Profiles& profiles;
};

// Where one change stands on the machine now.
enum class ChangeStanding { kOld, kNew, kOther };

ChangeStanding StandingOf(MachineServices machine, const Change& change);

// How the target of `change` was changed since the change: from the state
// the change left (its state after) to the one the machine holds now.
Change ChangeSince(MachineServices machine, const Change& change);

// A profile key's value as the profile functions read it, or absent.
TextState ProfileKeyState(platform::Profiles& profiles, const std::string& file,
                          const std::string& section, const std::string& key);

// Where a profile file lives: a bare name names a file of the Windows
// directory, as the profile functions take it.
std::string ProfileFilePath(platform::Files& files, const std::string& file);

// Sets every change to its state after the apply, in the journal's order,
// whatever the machine holds now. False when a write is refused (the rest
// is still tried); `*failed` then names what could not be written.
bool Finish(MachineServices machine, const Journal& journal, std::vector<std::string>* failed);

// The journal whose Finish undoes `journal` on the machine as it stands:
// the changes last to first with before and after swapped, each profile
// file given back its exact old bytes, and the values of a key that lost
// one set again in the key's old order, so that the registry files come
// back byte for byte. Finishing it, then the inverse of that, restores again.
Journal Inverse(MachineServices machine, const Journal& journal);

// The change of each target that leaves it in its final state: the last
// one of the target, in the journal's order.
std::vector<const Change*> FinalChanges(const Journal& journal);

// One line for the user: what the change is, from what to what.
std::string DescribeChange(const Change& change);

}  // namespace zuba::journal

#endif  // ZUBA_JOURNAL_REPLAY_H_
