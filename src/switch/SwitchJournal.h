// The switch journal: every apply is first planned on recording services
// that write nothing, the plan saved beside the settings file (ZUBANET.JNL),
// and then applied with each write marked done as it happens, and the whole
// journal marked done once the registry is on the disk. The journal of the
// last apply stays for an undo; one that was never marked done tells at the
// next start that an apply (or an undo) was cut short, and lets the user
// bring the machine to the setting as applied or back to the machine before
// it.
//
// The journal always holds the apply's own changes, with their states before
// and after it; an undo only notes that it runs toward the states before
// (JournalRun). So after any number of runs cut short, each side is still
// computed from the apply's states, never from a machine half changed.
//
// Every run that writes holds the machine's apply lock (ApplyLock) from its
// first read to its end; the object keeps the lock once it has it.
#ifndef ZUBA_SWITCH_SWITCHJOURNAL_H_
#define ZUBA_SWITCH_SWITCHJOURNAL_H_

#include <memory>
#include <string>
#include <vector>

#include "journal/Change.h"
#include "switch/ApplyFlow.h"
#include "switch/ApplyLock.h"
#include "system/AppShell.h"
#include "system/Errors.h"

namespace zuba::switching {

// The journal beside the settings file: its name with the extension ".JNL".
std::string JournalPathFor(const std::string& settingsFile);

// Another process holds the apply lock: nothing was written.
class ApplyRunning : public system::Exception {
 public:
  ApplyRunning() : system::Exception(kAnotherApplyRunning) {}
};

// The registry could not be saved at the end of a run: the journal stays
// pending. The message names the error and the registry changes not saved.
class RegistryNotSaved : public system::Exception {
 public:
  using system::Exception::Exception;
};

// Changes described for the user, one line each: those that change a value
// and those that change only its form (journal::ChangesFormOnly), shown
// apart under kFormOnlyHeading.
struct ChangedValues {
  std::vector<std::string> values;
  std::vector<std::string> formOnly;
};
extern const char kFormOnlyHeading[];

class SwitchJournal {
 public:
  SwitchJournal(const ApplyServices& services, system::AppShell& shell, std::string path);
  ~SwitchJournal();

  // Takes the apply lock for the rest of this object's life, waiting at
  // most kApplyLockWaitMs. False when another process keeps it.
  bool Lock();

  // What applying `request` would change, found without writing anything
  // (no program is started, the control panel is not run); a `trial`
  // apply also writes its RunOnce entry (TrialEntry.h).
  journal::Journal Plan(const ApplyRequest& request, bool trial = false);

  // Applies `request` under the journal. Raises ApplyRunning (nothing
  // written) when another apply holds the lock; what the apply raises (the
  // journal then stays pending: the apply was cut short);
  // RegistryNotSaved; and system::Exception when the journal cannot be
  // written (nothing of the apply is written before the journal is).
  // A `trial` apply ends by writing the RunOnce entry that starts the
  // program with /K, and its journal is on trial from the first save on.
  void Apply(const ApplyRequest& request, bool trial = false);

  // The user keeps the trial `journal` records: it is no longer on trial
  // (the journal stays for an undo), and its RunOnce entry goes where
  // Windows has not removed it yet. Raises as RunToward does.
  void Keep(journal::Journal journal);

  // How the machine differs from the states the journal's latest run left,
  // one line per target: "what the run wrote -> what the machine holds".
  // The RunOnce entry of a trial is not counted (Windows removes it).
  std::vector<std::string> DifferencesSince(const journal::Journal& journal);

  // Reads the journal. False when there is none; system::Exception with
  // the reason when it is damaged (it is never used then).
  bool Load(journal::Journal* journal);

  // The changes that the machine no longer holds as the journal's latest
  // run left them (someone changed them since), one line each; those where
  // only a value's form changed since (journal::ChangesFormOnly) apart.
  ChangedValues ChangedSince(const journal::Journal& journal);

  // Brings the machine to one side of the apply `journal` records: kApply
  // the setting as applied, kUndo the machine as it was before the apply.
  // The journal is saved pending with that run before the first write and
  // marked done at the end. A run toward kUndo ends a trial. Raises as
  // Apply does.
  void RunToward(journal::Journal journal, journal::JournalRun run);

  // The undo of the journal's latest run when it is done (undoing an undo
  // applies again); the way back to the machine before the apply when the
  // run was cut short.
  void Undo(const journal::Journal& journal);

 private:
  void RequireLock();
  void Save(const journal::Journal& journal);
  // Flushes the registry, then saves `journal` marked done; RegistryNotSaved
  // when a flush fails (`written` names what the run changed).
  void MarkDone(journal::Journal& journal, const journal::Journal& written);

  ApplyServices services_;
  system::AppShell& shell_;
  std::string path_;
  std::unique_ptr<ApplyLock> lock_;
};

// The journal a run toward `run` writes: the apply's own changes (the
// RunOnce entry of a trial only while the journal is on trial), or their
// inverse on the machine as it stands.
journal::Journal RunJournal(const ApplyServices& services, const journal::Journal& journal,
                            journal::JournalRun run);

// The preview of a plan for the user: one line per change, old and new, and
// whether a restart follows.
std::string PreviewText(const journal::Journal& plan);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_SWITCHJOURNAL_H_
