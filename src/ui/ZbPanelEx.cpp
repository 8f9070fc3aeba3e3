#include "ui/ZbPanelEx.h"

#include <vector>

#include "ui/toolkit/CheckBox.h"
#include "ui/toolkit/RadioButton.h"

namespace zuba::ui {

using toolkit::CheckBox;
using toolkit::Control;
using toolkit::ControlKind;
using toolkit::RadioButton;

void TZbPanelEx::SetChildrenEnabled(Control& parent, bool enabled) {
  std::vector<CheckBox*> boxes;
  std::vector<RadioButton*> radios;
  std::vector<Control*> children = parent.Children();
  for (Control* child : children) {
    child->SetEnabled(enabled);
    if (child->Kind() == ControlKind::kGroupBox) child->Invalidate();
    if (auto* box = dynamic_cast<CheckBox*>(child)) boxes.push_back(box);
    if (auto* radio = dynamic_cast<RadioButton*>(child)) radios.push_back(radio);
    if (child->IsCustomDrawnContainer()) SetChildrenEnabled(*child, enabled);
  }
  // Setting the state a box already has raises no click, but runs the
  // group reactions again. The three-valued state is kept as it is: setting
  // only "checked or not" would turn a grayed box into an unchecked one.
  for (CheckBox* box : boxes) box->SetState(box->State());
  for (RadioButton* radio : radios) radio->SetChecked(radio->Checked());
}

}  // namespace zuba::ui
