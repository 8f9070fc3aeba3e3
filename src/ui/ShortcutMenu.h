// The option menu's "デスクトップにショートカットを作成...": the user picks
// settings (several at once) and whether they are applied without the
// restart question (/c); each gets a shortcut on the desktop, named after
// the setting, that starts this program with the setting's name quoted
// (a name with blanks arrives whole) and, when chosen, /c.
//
// A character a file name cannot hold (\ / : * ? " < > | and control
// characters) becomes "_" in the shortcut's file name only; the argument
// keeps the name as it is. A name the command line cannot carry whole (one
// holding '"', or starting with '/', which reads as a switch) gets no
// shortcut, and the user is told. A shortcut file of the same name already
// on the desktop is replaced only when the user says so.
#ifndef ZUBA_UI_SHORTCUTMENU_H_
#define ZUBA_UI_SHORTCUTMENU_H_

#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/PopupMenu.h"

namespace zuba::ui {

class TForm1;
class TChoiceDlg;

// The shortcut's file name for the setting `name`, ".lnk" included.
std::string ShortcutFileName(const std::string& name);
// Whether the command line carries `name` whole as one quoted argument.
bool PassableSettingName(const std::string& name);

class TShortcutMenu : public toolkit::Component {
 public:
  // Adds its entry at the end of the form's option menu.
  explicit TShortcutMenu(TForm1& form);

  toolkit::MenuItem& pmShortcut;
  TChoiceDlg& ChoiceDlg;

  void pmShortcutClick(toolkit::Component& sender);

  // Makes the shortcuts of `names` on the desktop (see above) and tells
  // the user what was made and what was not.
  void MakeShortcuts(const std::vector<std::string>& names, bool noRestartQuestion);

 private:
  TForm1& form_;
};

// Builds the entry on `form` (its constructor calls this).
void AddShortcutMenu(TForm1& form);

}  // namespace zuba::ui

#endif  // ZUBA_UI_SHORTCUTMENU_H_
