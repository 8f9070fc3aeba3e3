// The restart question the main window asks after an apply, when the
// options want it asked: Yes restarts, No powers off, Cancel ends the
// program alone.
#ifndef ZUBA_UI_RESTARTQUESTION_H_
#define ZUBA_UI_RESTARTQUESTION_H_

#include <string>

#include "switch/RestartDecision.h"
#include "toolkit/UiServices.h"

namespace zuba::ui {

// The question's text, byte for byte (it ends in three blanks).
extern const char kRestartQuestion[];

// The captions and the trial's notice (switch/RestartDecision.h).
using switching::RestartCaption;
using switching::TrialNotice;
using switching::UndoneCaption;

// Asks kRestartQuestion, after `notice` when there is one, with `caption`,
// the question icon and Yes, No and Cancel; closing the box counts as
// Cancel.
switching::RestartAnswer AskRestart(toolkit::UiServices& ui, const std::string& caption,
                                    const std::string& notice = "");

}  // namespace zuba::ui

#endif  // ZUBA_UI_RESTARTQUESTION_H_
