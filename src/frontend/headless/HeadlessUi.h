// The UI services without a display (zubanet --headless): the scripted
// services, played from a UserScript.
//
// Standard error gets one UTF-8 line per message box,
//   [caption] (icon; buttons) text
// (line breaks shown as \n; a box without a caption of its own shows the
// application title; icon none, information, question, warning or error;
// buttons OK, OK/Cancel, Yes/No or Yes/No/Cancel; the warning dialog shows
// its one button's caption), one line per file-open dialog,
//   [title] (file; answer) filter
// with the answer (the path chosen, or cancel), and one line per help topic
// asked for,
//   [help] topic NUMBER: title
// (or a message box line when the help file cannot be read). Message boxes
// and file dialogs are answered from the script in order; a box whose
// buttons do not offer the next answer takes its first button.
//
// The message loop runs the script's actions on the main form; a modal form
// takes the actions that follow until it closes (it is closed by its close
// box when they run out), and an open pop-up menu the next action when that
// chooses one of its items. When the actions are done the main form is
// closed as by its close box.
#ifndef ZUBA_FRONTEND_HEADLESS_HEADLESSUI_H_
#define ZUBA_FRONTEND_HEADLESS_HEADLESSUI_H_

#include <ostream>
#include <string>

#include "platform/Files.h"
#include "toolkit/ScriptedUiServices.h"
#include "toolkit/UserScript.h"

namespace zuba::headless {

class HeadlessUi : public toolkit::ScriptedUiServices {
 public:
  // `err`, `files` (where the help file is read) and `script` must outlive
  // the services.
  HeadlessUi(std::ostream& err, platform::Files& files, toolkit::UserScript& script);

  toolkit::MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                        toolkit::MessageIcon icon,
                                        toolkit::MessageButtons buttons) override;
  // Answered from the script as a message box is; with no answer for it
  // left, its time runs out at once.
  toolkit::MessageResult ShowTimedMessageBox(const toolkit::TimedQuestion& question) override;
  // A report goes to standard output, in UTF-8, after its caption line.
  void ShowReport(const std::string& text, const std::string& caption) override;
  bool ShowOpenDialog(const toolkit::OpenFileRequest& request, std::string* path) override;
  void ShowHelpTopic(const std::string& helpFile, int context) override;
  toolkit::MenuItem* TrackPopup(toolkit::PopupMenu& menu, int x, int y) override;
  void RunModal(toolkit::Form& form) override;
  void RunMessageLoop(toolkit::Application& app) override;

 private:
  void WriteLine(const std::string& caption, const std::string& what, const std::string& text);

  std::ostream& err_;
  platform::Files& files_;
  toolkit::UserScript& script_;
};

// The texts of a message box line: "error", "Yes/No", ...
const char* IconName(toolkit::MessageIcon icon);
const char* ButtonsName(toolkit::MessageButtons buttons);

// `text` on one line: every line break (CR LF, LF or CR) shown as "\n".
std::string OneLine(const std::string& text);

}  // namespace zuba::headless

#endif  // ZUBA_FRONTEND_HEADLESS_HEADLESSUI_H_
