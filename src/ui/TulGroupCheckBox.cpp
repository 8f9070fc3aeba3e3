#include "ui/TulGroupCheckBox.h"

#include <vector>

namespace zuba::ui {

using toolkit::CheckState;
using toolkit::Control;

void TTulGroupCheckBox::CheckStateSet() {
  CheckBox::CheckStateSet();
  if (Parent() == nullptr) return;
  if (Tag() == 0 && !activeTag0_) return;
  bool on = State() == CheckState::kChecked;
  std::vector<Control*> siblings = Parent()->Children();
  for (Control* sibling : siblings) {
    if (sibling != this && sibling->Tag() == Tag()) sibling->SetEnabled(on);
  }
}

}  // namespace zuba::ui
