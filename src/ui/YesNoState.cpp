#include "ui/YesNoState.h"

#include "platform/Cp932.h"

namespace zuba::ui {

toolkit::CheckState YesNoToCheckState(const std::string& text) {
  if (platform::EqualsNoCaseCp932(text, "YES")) return toolkit::CheckState::kChecked;
  if (platform::EqualsNoCaseCp932(text, "NO")) return toolkit::CheckState::kUnchecked;
  return toolkit::CheckState::kGrayed;
}

std::string CheckStateToYesNo(toolkit::CheckState state) {
  switch (state) {
    case toolkit::CheckState::kUnchecked:
      return "No";
    case toolkit::CheckState::kChecked:
      return "Yes";
    case toolkit::CheckState::kGrayed:
      break;
  }
  return "";
}

}  // namespace zuba::ui
