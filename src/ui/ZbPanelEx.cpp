#include "ui/ZbPanelEx.h"

#include <vector>

#include "toolkit/CheckBox.h"
#include "toolkit/RadioButton.h"

namespace zuba::ui {

using toolkit::CheckBox;
using toolkit::Control;
using toolkit::RadioButton;

void TZbPanelEx::SetChildrenEnabled(Control& parent, bool enabled) {
  // The children as they are before the walk; the walk comes back here for
  // every container below, so each level re-sets its own boxes.
  std::vector<Control*> children = parent.Children();
  TPanelEx::SetChildrenEnabled(parent, enabled);
  // Setting the state a box already has raises no click, but runs the
  // group reactions again. The three-valued state is kept as it is: setting
  // only "checked or not" would turn a grayed box into an unchecked one.
  for (Control* child : children) {
    if (auto* box = dynamic_cast<CheckBox*>(child)) box->SetState(box->State());
  }
  for (Control* child : children) {
    if (auto* radio = dynamic_cast<RadioButton*>(child)) radio->SetChecked(radio->Checked());
  }
}

}  // namespace zuba::ui
