// The switch journal: every apply is first planned on recording services
// that write nothing, the plan saved beside the settings file (ZUBANET.JNL),
// and then applied with each write marked done as it happens, and the whole
// journal marked done at the end. The journal of the last completed apply
// stays for an undo; one that was never marked done tells at the next start
// that an apply was cut short, and lets the user finish or undo it.
#ifndef ZUBA_SWITCH_SWITCHJOURNAL_H_
#define ZUBA_SWITCH_SWITCHJOURNAL_H_

#include <string>
#include <vector>

#include "journal/Change.h"
#include "switch/ApplyFlow.h"
#include "system/AppShell.h"

namespace zuba::switching {

// The journal beside the settings file: its name with the extension ".JNL".
std::string JournalPathFor(const std::string& settingsFile);

class SwitchJournal {
 public:
  SwitchJournal(const ApplyServices& services, system::AppShell& shell, std::string path);

  // What applying `request` would change, found without writing anything
  // (no program is started, the control panel is not run).
  journal::Journal Plan(const ApplyRequest& request);

  // Applies `request` under the journal. Raises what the apply raises (the
  // journal then stays pending: the apply was cut short), and
  // system::Exception when the journal cannot be written (nothing of the
  // apply is written before the journal is).
  void Apply(const ApplyRequest& request);

  // Reads the journal. False when there is none; system::Exception with
  // the reason when it is damaged (it is never used then).
  bool Load(journal::Journal* journal);

  // The changes of a completed journal that the machine no longer holds as
  // the apply left them (someone changed them since), one line each.
  std::vector<std::string> ChangedSince(const journal::Journal& journal);

  // Brings the machine to the journal's new side and marks it done.
  void Finish(journal::Journal journal);

  // Puts back what `journal` changed, as an apply of its own: the inverse
  // journal is saved before its first write and marked done at the end, so
  // it is the journal an undo undoes next.
  void Undo(const journal::Journal& journal);

 private:
  void Save(const journal::Journal& journal);
  void Run(journal::Journal& journal);
  // Flushes the registry, then saves `journal` marked done throughout.
  void MarkDone(journal::Journal& journal);

  ApplyServices services_;
  system::AppShell& shell_;
  std::string path_;
};

// The preview of a plan for the user: one line per change, old and new, and
// whether a restart follows.
std::string PreviewText(const journal::Journal& plan);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_SWITCHJOURNAL_H_
