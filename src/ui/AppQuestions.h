// The switch's questions on the application's UI services: message boxes
// with the program's captions and icons, the restart question, errors
// through the application's default error handler. The main window adds
// its own state (the option PmOpt3, hiding while the switch writes); the
// command line answers from the settings file.
#ifndef ZUBA_UI_APPQUESTIONS_H_
#define ZUBA_UI_APPQUESTIONS_H_

#include <functional>
#include <string>

#include "switch/SwitchQuestions.h"
#include "toolkit/Application.h"

namespace zuba::ui {

class AppQuestions : public switching::SwitchQuestions {
 public:
  // `app` must outlive the object. `answerConflicts` answers the
  // control-panel option each time it is asked.
  AppQuestions(toolkit::Application& app, std::function<bool()> answerConflicts)
      : app_(app), answerConflicts_(std::move(answerConflicts)) {}

  // What the window does while the switch writes (nothing by default).
  void OnWrites(std::function<void()> begin, std::function<void()> end) {
    writesBegin_ = std::move(begin);
    writesEnd_ = std::move(end);
  }

  void ShowPlainMessage(const std::string& text) override;
  void ProcessMessages() override;
  bool AskYesNo(const std::string& text, const std::string& caption,
                switching::QuestionKind kind) override;
  bool AskYesNoTimed(const switching::TimedYesNo& question) override;
  switching::RestartAnswer AskRestart(const std::string& caption,
                                      const std::string& notice) override;
  void ShowReport(const std::string& text, const std::string& caption) override;
  void ReportError(const std::exception& error) override;
  bool AnswerConflicts() override { return answerConflicts_(); }
  void WritesBegin() override;
  void WritesEnd() override;

 private:
  toolkit::Application& app_;
  std::function<bool()> answerConflicts_;
  std::function<void()> writesBegin_;
  std::function<void()> writesEnd_;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_APPQUESTIONS_H_
