// What the user interface shows outside the forms themselves: message
// boxes, the warning dialog, the file-open dialog, help, pop-up menus, and
// the loops that wait for the user (modal forms, the main loop, pending
// messages). The Qt front-end implements it on a display;
// ScriptedUiServices answers from a script.
#ifndef ZUBA_TOOLKIT_UISERVICES_H_
#define ZUBA_TOOLKIT_UISERVICES_H_

#include <string>

#include "system/AppShell.h"

namespace zuba::toolkit {

class Application;
class Form;
class MenuItem;
class PopupMenu;

enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kError };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// The answer of a message box (the Windows IDOK ... IDNO values).
enum class MessageResult { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

// The answers a button set offers, first button first.
bool ButtonsOffer(MessageButtons buttons, MessageResult answer);
MessageResult FirstButton(MessageButtons buttons);

// Options of the file-open dialog (the OFN_* meanings).
enum OpenOption : unsigned {
  kOfReadOnly = 0x0001,      // the read-only box starts checked
  kOfHideReadOnly = 0x0004,  // no read-only box
  kOfNoChangeDir = 0x0008,   // the current directory stays
  kOfAllowMultiSelect = 0x0200,
  kOfPathMustExist = 0x0800,   // the directory of the answer exists
  kOfFileMustExist = 0x1000,   // the answer exists
  kOfNoLongNames = 0x40000,    // short (8.3) names only
  kOfEnableSizing = 0x800000,  // the dialog can be resized
};

struct OpenFileRequest {
  std::string title;
  // Pairs of a description and a pattern separated by "|":
  // "Exe File (*.exe)|*.exe|All files (*.*)|*.*".
  std::string filter;
  int filterIndex = 1;  // 1-based
  std::string initialDir;
  std::string fileName;
  std::string defaultExt;
  unsigned options = 0;
};

// A question that answers itself when its time runs out. The box shows
// `countdown` below the text, "%1" in it replaced by the seconds left.
struct TimedQuestion {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::kQuestion;
  MessageButtons buttons = MessageButtons::kYesNo;
  int seconds = 60;
  MessageResult timeoutAnswer = MessageResult::kNo;
  std::string countdown;
};

// The box's text with `secondsLeft` in the countdown line.
std::string TimedQuestionText(const TimedQuestion& question, int secondsLeft);

class UiServices : public system::AppShell {
 public:
  // A modal message box: the text (line breaks as CR LF or LF), the caption,
  // an icon and a button set. Answers the button pressed; closing the box
  // otherwise answers Cancel where the set has it, else its first button.
  virtual MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                       MessageIcon icon, MessageButtons buttons) = 0;

  // A report for the user to read (several lines, line breaks as CR LF):
  // by default an information box with OK; without a display it goes to
  // standard output.
  virtual void ShowReport(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption, MessageIcon::kInformation, MessageButtons::kOk);
  }

  // A message box that answers question.timeoutAnswer by itself once
  // question.seconds have passed, counting down in its text. By default a
  // message box with the full time in its text that waits for the user (a
  // front-end without a timer); the front-ends count down.
  virtual MessageResult ShowTimedMessageBox(const TimedQuestion& question) {
    return ShowMessageBox(TimedQuestionText(question, question.seconds), question.caption,
                          question.icon, question.buttons);
  }

  // A modal warning dialog with the warning icon, a title, a text and one
  // button with the caption `button` (an "&" marks its access key).
  virtual void ShowWarningDialog(const std::string& title, const std::string& text,
                                 const std::string& button) = 0;

  // The file-open dialog. True with the chosen file's Windows path in
  // `*path` when the user confirms; false (and `*path` untouched) when the
  // user cancels.
  virtual bool ShowOpenDialog(const OpenFileRequest& request, std::string* path) = 0;

  // Shows topic `context` of the help file `helpFile` (a Windows path).
  virtual void ShowHelpTopic(const std::string& helpFile, int context) = 0;

  // Shows `menu` with its top-left corner at the screen position x, y and
  // waits for the user. Answers the menu item chosen, or nullptr when the
  // menu was dismissed.
  virtual MenuItem* TrackPopup(PopupMenu& menu, int x, int y) = 0;

  // Runs the modal loop of `form`, which the model has just shown: lets the
  // user work in it and returns once form.ModalLoopRunning() is false. When
  // the services can take no more input they return earlier; the model then
  // ends the loop as cancelled.
  virtual void RunModal(Form& form) = 0;

  // Runs the main message loop until app.Terminated() (QuitMessageLoop is
  // called then), or until there is no more input.
  virtual void RunMessageLoop(Application& app) = 0;
  virtual void QuitMessageLoop() = 0;

  // The application's title, kept here for the plain message box.
  const std::string& ApplicationTitle() const { return applicationTitle_; }
  void SetApplicationTitle(const std::string& title) { applicationTitle_ = title; }

  // A message box with the application title as caption, no icon and OK.
  void ShowPlainMessage(const std::string& text) override;

 private:
  std::string applicationTitle_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_UISERVICES_H_
