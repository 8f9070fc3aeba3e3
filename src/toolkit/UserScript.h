// The user's part of a run played from a script (zubanet --headless): the
// answers to message boxes and file dialogs, and the actions a user takes
// on the forms, each run exactly as the front-end runs a user's input.
//
// Actions, one text each (names are the Names of controls and menu items of
// the form the action goes to, compared without regard to case; TEXT is
// UTF-8 and runs to the end):
//
//   click NAME        a left click; a menu item is chosen from its menu
//   rclick NAME       a right click
//   type NAME TEXT    focus NAME, then replace its text through the
//                     key-press handlers (TEXT may be empty)
//   key NAME KEY      focus NAME and press KEY: Return, Escape, Delete, Tab,
//                     F1, Space, Back, Up, Down, Left, Right, Home, End,
//                     each optionally after Shift+, Ctrl+ and Alt+
//   choose NAME TEXT  the user chooses the entry TEXT of a drop-down list,
//                     list box or radio group
//   toggle NAME TEXT  a Ctrl click on the entry TEXT of a list box: a
//                     multi-select list adds it to its selection or takes
//                     it out
//   dblclick NAME     a double click
//   drag NAME TARGET  NAME dragged with the mouse and dropped on TARGET
//   dump              one line of JSON describing the form (FormDump.h)
//
// Answers: ok, cancel, yes, no (in any case) for message boxes, file=PATH
// (a Windows path) for a file-open dialog, where cancel cancels.
#ifndef ZUBA_TOOLKIT_USERSCRIPT_H_
#define ZUBA_TOOLKIT_USERSCRIPT_H_

#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {

struct ScriptAnswer {
  enum class Kind { kButton, kFile };
  Kind kind = Kind::kButton;
  MessageResult button = MessageResult::kOk;  // kButton; kCancel also cancels a file dialog
  std::string file;                           // kFile: the Windows path, CP932
};

// Parses one answer. False with a message in `*error` when it is none.
bool ParseScriptAnswer(const std::string& text, ScriptAnswer* answer, std::string* error);

struct UserAction {
  enum class Verb { kClick, kRightClick, kType, kKey, kChoose, kToggle, kDoubleClick, kDrag, kDump };
  Verb verb = Verb::kDump;
  std::string name;
  std::string text;  // kType, kChoose, kToggle: CP932; kDrag: the target's name
  std::uint16_t key = 0;
  ShiftState shift;
  std::string source;  // the action as given
};

// Parses one action (UTF-8). False with a message in `*error` naming it when
// it is malformed: an unknown verb or key, a missing NAME, TEXT or KEY, a
// TEXT that code page 932 cannot hold.
bool ParseUserAction(const std::string& text, UserAction* action, std::string* error);

class UserScript {
 public:
  // Dumps go to `out`, notes on actions that could not be done and usage
  // errors to `err`; both must outlive the script.
  UserScript(std::vector<ScriptAnswer> answers, std::vector<UserAction> actions, std::ostream& out,
             std::ostream& err);

  // --- Answers ------------------------------------------------------------

  // The next answer when it is one `buttons` offer (it is used up), else
  // nothing (the box takes its first button; the answer waits).
  std::optional<MessageResult> TakeButton(MessageButtons buttons);
  // For a file dialog: the next answer when it is a file (true, `*path`) or
  // cancel (false); either is used up. Any other answer waits, and the
  // dialog is cancelled.
  bool TakeFile(std::string* path);

  // --- Actions ------------------------------------------------------------

  // Whether actions are left and none failed.
  bool HasAction() const { return !failed_ && !actions_.empty(); }
  // Runs the next action as a user's action on `form`. An unknown name or an
  // action the control's kind has no meaning for is a usage error: it is
  // written to `err`, Failed() becomes true and no further action runs. An
  // action on a control the user cannot reach (disabled or hidden) does
  // nothing and says so on `err`.
  void RunNext(Form& form);
  // When the next action clicks an item of `menu`, uses it up and answers
  // the item (the user chooses it from the open menu); else nullptr.
  MenuItem* TakeMenuChoice(PopupMenu& menu);
  // A usage error ended the script.
  bool Failed() const { return failed_; }
  // Writes `utf8` and a line break where the dumps go.
  void Print(const std::string& utf8);

 private:
  void Fail(const UserAction& action, const std::string& why);
  void Unreachable(const UserAction& action, bool hidden);
  void Run(Form& form, const UserAction& action);

  std::deque<ScriptAnswer> answers_;
  std::deque<UserAction> actions_;
  std::ostream& out_;
  std::ostream& err_;
  bool failed_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_USERSCRIPT_H_
