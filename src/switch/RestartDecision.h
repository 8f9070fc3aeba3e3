// What happens after a setting has been applied: the program ends, or
// Windows is restarted, the computer rebooted or switched off, possibly
// after asking the user. Every apply that got this far ends the program.
//
// A restart is needed when the setting carries the TCP/IP address (ip), the
// DNS switch (de) or the workgroup (wg). The options decide whether to ask:
//
//   needed  Opt5  Opt2  /C     result
//   no      off   any   any    the program ends, no question
//   no      on    off   any    the program ends, no question
//   no      on    on    clear  question: Yes restarts, No powers off, Cancel ends
//   no      on    on    set    restart without question
//   yes     off   any   any    restart without question
//   yes     on    any   clear  question as above
//   yes     on    any   set    restart without question
//
// A restart restarts Windows alone with Opt4 on, else reboots; it becomes a
// power-off when /E was given, Alt or Ctrl was held at the click, or the
// question was answered No.
#ifndef ZUBA_SWITCH_RESTARTDECISION_H_
#define ZUBA_SWITCH_RESTARTDECISION_H_

#include <functional>
#include <string>

#include "core/RegType.h"
#include "platform/System.h"

namespace zuba::switching {

// Whether applying `setting` needs Windows to restart: ip, de or wg is set.
bool NeedsRestart(const core::TRegList& setting);

// What the decision takes into account.
struct RestartInputs {
  bool restartNeeded = false;
  bool askBeforeRestart = false;      // Opt5
  bool askEvenWhenNotNeeded = false;  // Opt2 (meaningful only with Opt5)
  bool restartWindowsOnly = true;     // Opt4
  bool noRestartQuestion = false;     // switch /C
  bool powerOffInstead = false;       // switch /E, Alt or Ctrl held at the click
};

enum class ExitAction {
  kEndProgram,      // only the program ends
  kPowerOff,        // PowerOff
  kRestartWindows,  // RestartWindows
  kReboot,          // Reboot
};

// The user's answer to the restart question.
enum class RestartAnswer { kYes, kNo, kCancel };

// Asks the restart question.
using RestartAsker = std::function<RestartAnswer()>;

// The decision of the table above. `ask` is called at most once, and only
// where the table has the question.
ExitAction DecideExit(const RestartInputs& inputs, const RestartAsker& ask);

// The restart question's caption after the setting `name` was applied:
// "【name】 を反映しました".
std::string RestartCaption(const std::string& name);

// The caption after the apply of `name` was undone (by /U, or a trial
// that went back): "【name】 の反映を元に戻しました".
std::string UndoneCaption(const std::string& name);

// What a trial's question says before it: the next start asks whether to
// keep the setting, and goes back when `seconds` pass without an answer.
std::string TrialNotice(int seconds);

// Ends Windows as `action` says (nothing for kEndProgram). A request that
// fails raises EExitError (actions/ExitWin32.h).
void PerformExit(platform::System& system, ExitAction action);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_RESTARTDECISION_H_
