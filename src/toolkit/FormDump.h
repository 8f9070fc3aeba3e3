// A form as one line of JSON (UTF-8), for scripts that drive the program
// from outside and check what it shows:
//
//   {"form": NAME, "caption": TEXT, "client": [W, H],
//    "controls": [{"name", "kind", "visible", "enabled", "text", "state",
//                  "items", "index", "hint", "bounds": [L, T, W, H]}, ...],
//    "menus": [{"name", "caption", "checked", "enabled", "visible"}, ...],
//    "focus": NAME}
//
// Controls come depth first in creation order. "visible" is the control's
// own flag, "enabled" the effective state (it and every parent enabled).
// "text" is the text or caption (a status bar's simple text; pictures have
// none), "state" ("unchecked", "checked", "grayed") is only given for check
// boxes, "items" and "index" (-1 for none) only for lists, drop-down lists
// and radio groups. The menus are the items of every pop-up menu the form
// owns, depth first. "focus" names the form's active control, the one
// that has or gets the focus ("" for none).
#ifndef ZUBA_TOOLKIT_FORMDUMP_H_
#define ZUBA_TOOLKIT_FORMDUMP_H_

#include <string>

#include "toolkit/Form.h"

namespace zuba::toolkit {

// The kind's name in a dump: "form", "panel", "groupbox", "radiogroup",
// "label", "picture", "edit", "filenameedit", "button", "checkbox",
// "radiobutton", "combobox", "listbox", "statusbar".
const char* KindName(ControlKind kind);

// The JSON text, without a line end.
std::string DumpForm(const Form& form);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FORMDUMP_H_
