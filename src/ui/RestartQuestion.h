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

// The question's caption after the setting `name` was applied:
// "【name】 を反映しました".
std::string RestartCaption(const std::string& name);

// The caption after the apply of `name` was undone (by /U, or a trial
// that went back): "【name】 の反映を元に戻しました".
std::string UndoneCaption(const std::string& name);

// What a trial's question says before it: the next start asks whether to
// keep the setting, and goes back when `seconds` pass without an answer.
std::string TrialNotice(int seconds);

// Asks kRestartQuestion, after `notice` when there is one, with `caption`,
// the question icon and Yes, No and Cancel; closing the box counts as
// Cancel.
switching::RestartAnswer AskRestart(toolkit::UiServices& ui, const std::string& caption,
                                    const std::string& notice = "");

}  // namespace zuba::ui

#endif  // ZUBA_UI_RESTARTQUESTION_H_
