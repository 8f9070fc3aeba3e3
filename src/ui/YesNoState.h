// The sharing items (fs, ps) as three-state check boxes: "Yes", "No", or
// no change.
#ifndef ZUBA_UI_YESNOSTATE_H_
#define ZUBA_UI_YESNOSTATE_H_

#include <string>

#include "toolkit/CheckBox.h"

namespace zuba::ui {

// "YES" (any letter case) gives kChecked, "NO" kUnchecked, anything else
// (the empty text too) kGrayed.
toolkit::CheckState YesNoToCheckState(const std::string& text);

// kUnchecked gives "No", kChecked "Yes", kGrayed the empty text.
std::string CheckStateToYesNo(toolkit::CheckState state);

}  // namespace zuba::ui

#endif  // ZUBA_UI_YESNOSTATE_H_
