// The switch service: the one road of every switch, whoever asks for it
// (the main window's buttons and menu, the command line, the start-up).
// Apply, trial, confirm, undo, preview, recovery and where the machine
// stands all run here, under the switch journal and its apply lock, and
// end in the restart decision; the user is asked through SwitchQuestions.
//
// A saved setting's request is built from the settings file
// (StoredRequest): no window is involved.
#ifndef ZUBA_SWITCH_SWITCHSERVICE_H_
#define ZUBA_SWITCH_SWITCHSERVICE_H_

#include <functional>
#include <string>
#include <vector>

#include "core/SettingsFile.h"
#include "journal/Change.h"
#include "switch/ApplyFlow.h"
#include "switch/SwitchJournal.h"
#include "switch/SwitchQuestions.h"

namespace zuba::switching {

// The options of a switch: the option menu's choices it uses (PmOpt2,
// PmOpt4 to PmOpt7; PmOpt3 is asked when it matters) and the command
// line's.
struct SwitchOptions {
  bool askEvenWhenNotNeeded = false;  // Opt2 (meaningful only with Opt5)
  bool restartWindowsOnly = true;     // Opt4
  bool askBeforeRestart = false;      // Opt5
  bool forceWin98Mode = false;        // Opt6
  bool flushRegistry = false;         // Opt7
  bool noRestartQuestion = false;     // /C
  bool powerOffInstead = false;       // /E, Alt or Ctrl held, or the restart question's No
};

// The options the settings file keeps ([Initialize] Opt1 ... Opt7).
SwitchOptions StoredOptions(core::SettingsFile& settings);

// The installed printer a setting names, as the printer list spells it;
// empty when it is not installed. The list compares names as the window's
// lists do.
using PrinterLookup = std::function<std::string(const std::string& name)>;

// A trial the start-up undid: the first show takes the restart decision.
struct UndoneTrial {
  bool undone = false;
  std::string settingName;
  bool restartNeeded = false;
};

class SwitchService {
 public:
  // `settingsFile` is the settings file's full path; the services and the
  // questions must outlive the service.
  SwitchService(const ApplyServices& services, SwitchQuestions& questions,
                std::string settingsFile);

  // The apply of the saved setting `name` as the settings file holds it:
  // a printer that is not installed (`printers`) is dropped, a fixed address without a node type gets WINS off,
  // the logon choice is clamped to the three choices, and the hosts files
  // go to the Windows directory (hosts replacing, lmhosts never).
  ApplyRequest StoredRequest(const std::string& name, const SwitchOptions& options,
                             const PrinterLookup& printers);

  // Applies `request` (a `trial` leaves the RunOnce entry of its
  // confirmation) and takes the restart decision. False when the apply
  // stopped: the user was told why (and, when the registry could not be
  // saved, offered to go back). A failed request to end Windows raises
  // EExitError.
  bool Apply(const ApplyRequest& request, bool trial, SwitchOptions& options);

  // What applying `request` would change, shown as a report.
  void Preview(const ApplyRequest& request);

  // Undoes the last completed apply (asking first when values were changed
  // since), then takes the restart decision as an apply does. False when
  // there was nothing to undo, the user declined, or the undo stopped.
  bool Undo(SwitchOptions& options);

  // At start-up: an apply that was cut short is finished or undone, as the
  // user answers; a damaged journal is reported and left alone.
  void Recover();

  // At start-up, after Recover: a trial apply not yet kept or undone is
  // compared with the machine and the user asked whether to keep it within
  // [Initialize] TrialSeconds; otherwise it is undone.
  UndoneTrial ConfirmTrial();

  // The saved settings among `names` the machine holds now and how it
  // differs from the last apply, as a report.
  void ShowStanding(const std::vector<std::string>& names, const SwitchOptions& options,
                    const PrinterLookup& printers);

  // The restart decision that ends an apply or an undo: `caption` says
  // which was done, `notice` comes before the restart question. A No to
  // the question sets options.powerOffInstead. A failed request to end
  // Windows raises EExitError.
  void DecideRestart(const std::string& caption, bool restartNeeded, SwitchOptions& options,
                     const std::string& notice = "");

 private:
  SwitchJournal Journal();
  // Reads the journal and, when `wanted` holds for it, takes the apply
  // lock and reads it again: a run of another process may have ended
  // meanwhile. False when there is none, it is not wanted, or another
  // process holds the lock (its run is not one cut short); a damaged
  // journal is reported and answers false.
  bool LoadUnderLock(SwitchJournal& journal, journal::Journal* read,
                     const std::function<bool(const journal::Journal&)>& wanted);
  void OfferUndoOfUnsaved(SwitchJournal& journal, const RegistryNotSaved& error);

  ApplyServices services_;
  SwitchQuestions& questions_;
  std::string settingsFile_;
};

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_SWITCHSERVICE_H_
