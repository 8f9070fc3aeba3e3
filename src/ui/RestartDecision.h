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
#ifndef ZUBA_UI_RESTARTDECISION_H_
#define ZUBA_UI_RESTARTDECISION_H_

#include <functional>
#include <string>

#include "core/RegType.h"
#include "platform/System.h"
#include "ui/toolkit/UiServices.h"

namespace zuba::ui {

// The restart question's text, byte for byte (it ends in three blanks).
extern const char kRestartQuestion[];

// The question's caption for the setting `name`: "【name】 を反映しました".
std::string RestartCaption(const std::string& name);

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

// Asks the restart question; answers Yes, No or Cancel.
using RestartAsker = std::function<toolkit::MessageResult()>;

// The decision of the table above. `ask` is called at most once, and only
// where the table has the question.
ExitAction DecideExit(const RestartInputs& inputs, const RestartAsker& ask);

// Asks kRestartQuestion with RestartCaption(name), the question icon and
// Yes, No and Cancel.
toolkit::MessageResult AskRestart(toolkit::UiServices& ui, const std::string& name);

// Ends Windows as `action` says (nothing for kEndProgram). A request that
// fails raises EExitError (actions/ExitWin32.h).
void PerformExit(platform::System& system, ExitAction action);

}  // namespace zuba::ui

#endif  // ZUBA_UI_RESTARTDECISION_H_
