#include "toolkit/ScriptedUiServices.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace zuba::toolkit {

ScriptedUiServices::ScriptedUiServices(std::function<void(const Message&)> echo)
    : echo_(std::move(echo)) {}

void ScriptedUiServices::ClearRecords() {
  messages_.clear();
  fileRequests_.clear();
  helpRequests_.clear();
  menusShown_.clear();
  modalForms_.clear();
  processMessagesCalls_ = 0;
}

void ScriptedUiServices::Record(Message message) {
  messages_.push_back(std::move(message));
  if (echo_) echo_(messages_.back());
}

MessageResult ScriptedUiServices::ShowMessageBox(const std::string& text,
                                                 const std::string& caption, MessageIcon icon,
                                                 MessageButtons buttons) {
  MessageResult answer = FirstButton(buttons);
  if (!answers_.empty() && ButtonsOffer(buttons, answers_.front())) {
    answer = answers_.front();
    answers_.pop_front();
  }
  Record(Message{text, caption, icon, buttons, std::string(), answer});
  return answer;
}

MessageResult ScriptedUiServices::ShowTimedMessageBox(const TimedQuestion& question) {
  MessageResult answer = question.timeoutAnswer;
  if (!answers_.empty() && ButtonsOffer(question.buttons, answers_.front())) {
    answer = answers_.front();
    answers_.pop_front();
  }
  Record(Message{TimedQuestionText(question, question.seconds), question.caption, question.icon,
                 question.buttons, std::string(), answer});
  return answer;
}

void ScriptedUiServices::ShowWarningDialog(const std::string& title, const std::string& text,
                                           const std::string& button) {
  Record(
      Message{text, title, MessageIcon::kWarning, MessageButtons::kOk, button, MessageResult::kOk});
}

bool ScriptedUiServices::ShowOpenDialog(const OpenFileRequest& request, std::string* path) {
  fileRequests_.push_back(request);
  if (files_.empty()) return false;
  std::optional<std::string> answer = files_.front();
  files_.pop_front();
  if (!answer) return false;
  *path = *answer;
  return true;
}

void ScriptedUiServices::ShowHelpTopic(const std::string& helpFile, int context) {
  helpRequests_.push_back(HelpRequest{helpFile, context});
}

MenuItem* ScriptedUiServices::TrackPopup(PopupMenu& menu, int x, int y) {
  MenuItem* chosen = nullptr;
  if (!menuChoices_.empty()) {
    chosen = menu.FindItem(menuChoices_.front());
    menuChoices_.pop_front();
  }
  menusShown_.push_back(MenuShown{menu.Name(), x, y, chosen ? chosen->Name() : std::string()});
  return chosen;
}

void ScriptedUiServices::RunModal(Form& form) {
  modalForms_.push_back(form.Name());
  if (!modals_.empty()) {
    std::function<void(Form&)> script = std::move(modals_.front());
    modals_.pop_front();
    script(form);
  }
  if (form.ModalLoopRunning()) form.ClickCloseBox();
  if (form.ModalLoopRunning()) form.AbortModal();
}

void ScriptedUiServices::RunMessageLoop(Application& app) {
  while (!app.Terminated() && !loopSteps_.empty()) {
    std::function<void(Application&)> step = std::move(loopSteps_.front());
    loopSteps_.pop_front();
    step(app);
  }
}

void ScriptedUiServices::ProcessMessages() {
  ++processMessagesCalls_;
  if (idleSteps_.empty()) return;
  std::function<void()> step = std::move(idleSteps_.front());
  idleSteps_.pop_front();
  step();
}

}  // namespace zuba::toolkit
