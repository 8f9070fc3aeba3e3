// UI services without a display: every message box, dialog, help request,
// pop-up menu and modal form is recorded, and the user's part is played by
// queues filled in advance. Tests and the headless program use it.
//
// Answers: a message box takes the next queued answer when its buttons
// offer it; otherwise (or when the queue is empty) it answers its first
// button and leaves the queue as it is. A timed box takes the next queued
// answer the same way; without one its time runs out at once (it is
// recorded with its full time in the text). The file-open dialog takes the next
// queued file (or cancel); empty, it is cancelled. A modal form runs the
// next queued modal script, which acts on the form as a user would; a form
// still open afterwards is closed with its close box (and ended as
// cancelled if it refuses). A pop-up menu chooses the next queued item
// name; empty, it is dismissed. ProcessMessages runs the next queued idle
// step, if any; the message loop runs the queued loop steps.
#ifndef ZUBA_TOOLKIT_SCRIPTEDUISERVICES_H_
#define ZUBA_TOOLKIT_SCRIPTEDUISERVICES_H_

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/UiServices.h"

namespace zuba::toolkit {

class ScriptedUiServices : public UiServices {
 public:
  // One box shown: a message box, or the warning dialog (button set kOk,
  // `button` its one button's caption).
  struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::kNone;
    MessageButtons buttons = MessageButtons::kOk;
    std::string button;  // the warning dialog's button; empty for a message box
    MessageResult answer = MessageResult::kOk;
  };
  struct HelpRequest {
    std::string helpFile;
    int context = 0;
  };
  struct MenuShown {
    std::string menu;  // the menu's name
    int x = 0;
    int y = 0;
    std::string chosen;  // the item name chosen; empty when dismissed
  };

  // Every box shown is also handed to `echo` when given (the headless
  // program writes it to standard error).
  explicit ScriptedUiServices(std::function<void(const Message&)> echo = nullptr);

  // --- The script ---------------------------------------------------------
  void QueueAnswer(MessageResult answer) { answers_.push_back(answer); }
  void QueueFile(const std::string& windowsPath) { files_.push_back(windowsPath); }
  void QueueFileCancel() { files_.push_back(std::nullopt); }
  void QueueModal(std::function<void(Form&)> script) { modals_.push_back(std::move(script)); }
  void QueueMenuChoice(const std::string& itemName) { menuChoices_.push_back(itemName); }
  void QueueIdle(std::function<void()> step) { idleSteps_.push_back(std::move(step)); }
  void QueueLoopStep(std::function<void(Application&)> step) {
    loopSteps_.push_back(std::move(step));
  }
  std::size_t PendingAnswers() const { return answers_.size(); }

  // --- What happened ------------------------------------------------------
  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<OpenFileRequest>& FileRequests() const { return fileRequests_; }
  const std::vector<HelpRequest>& HelpRequests() const { return helpRequests_; }
  const std::vector<MenuShown>& MenusShown() const { return menusShown_; }
  // The names of the forms shown modally, in order.
  const std::vector<std::string>& ModalForms() const { return modalForms_; }
  int ProcessMessagesCalls() const { return processMessagesCalls_; }
  bool QuitRequested() const { return quitRequested_; }
  void ClearRecords();

  // --- UiServices ---------------------------------------------------------
  MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                               MessageIcon icon, MessageButtons buttons) override;
  MessageResult ShowTimedMessageBox(const TimedQuestion& question) override;
  void ShowWarningDialog(const std::string& title, const std::string& text,
                         const std::string& button) override;
  bool ShowOpenDialog(const OpenFileRequest& request, std::string* path) override;
  void ShowHelpTopic(const std::string& helpFile, int context) override;
  MenuItem* TrackPopup(PopupMenu& menu, int x, int y) override;
  void RunModal(Form& form) override;
  void RunMessageLoop(Application& app) override;
  void QuitMessageLoop() override { quitRequested_ = true; }
  void ProcessMessages() override;

 private:
  void Record(Message message);

  std::function<void(const Message&)> echo_;
  std::deque<MessageResult> answers_;
  std::deque<std::optional<std::string>> files_;
  std::deque<std::function<void(Form&)>> modals_;
  std::deque<std::string> menuChoices_;
  std::deque<std::function<void()>> idleSteps_;
  std::deque<std::function<void(Application&)>> loopSteps_;

  std::vector<Message> messages_;
  std::vector<OpenFileRequest> fileRequests_;
  std::vector<HelpRequest> helpRequests_;
  std::vector<MenuShown> menusShown_;
  std::vector<std::string> modalForms_;
  int processMessagesCalls_ = 0;
  bool quitRequested_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_SCRIPTEDUISERVICES_H_
