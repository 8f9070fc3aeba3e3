#include "ui/AppQuestions.h"

#include "ui/RestartQuestion.h"

namespace zuba::ui {

using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

void AppQuestions::ShowPlainMessage(const std::string& text) { app_.Ui().ShowPlainMessage(text); }

void AppQuestions::ProcessMessages() { app_.Ui().ProcessMessages(); }

bool AppQuestions::AskYesNo(const std::string& text, const std::string& caption,
                            switching::QuestionKind kind) {
  const MessageIcon icon =
      kind == switching::QuestionKind::kWarning ? MessageIcon::kWarning : MessageIcon::kQuestion;
  return app_.Ui().ShowMessageBox(text, caption, icon, MessageButtons::kYesNo) ==
         MessageResult::kYes;
}

bool AppQuestions::AskYesNoTimed(const switching::TimedYesNo& question) {
  toolkit::TimedQuestion box;
  box.text = question.text;
  box.caption = question.caption;
  box.icon = MessageIcon::kQuestion;
  box.buttons = MessageButtons::kYesNo;
  box.seconds = question.seconds;
  box.timeoutAnswer = MessageResult::kNo;
  box.countdown = question.countdown;
  return app_.Ui().ShowTimedMessageBox(box) == MessageResult::kYes;
}

switching::RestartAnswer AppQuestions::AskRestart(const std::string& caption,
                                                  const std::string& notice) {
  return ui::AskRestart(app_.Ui(), caption, notice);
}

void AppQuestions::ShowReport(const std::string& text, const std::string& caption) {
  app_.Ui().ShowReport(text, caption);
}

void AppQuestions::ReportError(const std::exception& error) { app_.HandleException(error); }

void AppQuestions::WritesBegin() {
  if (writesBegin_) writesBegin_();
}

void AppQuestions::WritesEnd() {
  if (writesEnd_) writesEnd_();
}

}  // namespace zuba::ui
