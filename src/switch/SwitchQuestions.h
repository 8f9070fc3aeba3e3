// What the switch asks and tells the user, implemented above it (ui) on
// whatever shows the program: the window's message boxes, or the headless
// script. The plain message box and the message loop come from AppShell.
//
// Where the window's own state decides something (the control-panel
// option, where the window goes while the switch writes), it enters
// here too.
#ifndef ZUBA_SWITCH_SWITCHQUESTIONS_H_
#define ZUBA_SWITCH_SWITCHQUESTIONS_H_

#include <exception>
#include <string>

#include "switch/RestartDecision.h"
#include "system/AppShell.h"

namespace zuba::switching {

// The icon of a yes/no question.
enum class QuestionKind { kQuestion, kWarning };

// A question that answers itself No when the user gives no answer in time.
struct TimedYesNo {
  std::string text;
  std::string caption;
  int seconds = 0;
  std::string countdown;  // "%1" stands for the seconds left
};

class SwitchQuestions : public system::AppShell {
 public:
  // True for Yes; closing the box answers No.
  virtual bool AskYesNo(const std::string& text, const std::string& caption,
                        QuestionKind kind) = 0;
  virtual bool AskYesNoTimed(const TimedYesNo& question) = 0;
  // kRestartQuestion after `notice`, with `caption`.
  virtual RestartAnswer AskRestart(const std::string& caption, const std::string& notice) = 0;
  // A report the user reads and closes.
  virtual void ShowReport(const std::string& text, const std::string& caption) = 0;
  // An error that ended what the user asked for, shown as the application's
  // default error handler shows it.
  virtual void ReportError(const std::exception& error) = 0;
  // Whether the control panel's version conflicts are answered (the option
  // PmOpt3), asked each time one shows.
  virtual bool AnswerConflicts() = 0;
  // The switch is about to write the machine, and has done so: the window
  // gets out of the way meanwhile.
  virtual void WritesBegin() {}
  virtual void WritesEnd() {}
};

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_SWITCHQUESTIONS_H_
