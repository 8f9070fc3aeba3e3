#include "ui/PanelEx.h"

#include <vector>

namespace zuba::ui {

using toolkit::Control;
using toolkit::ControlKind;

void TPanelEx::EnabledChanged() {
  Panel::EnabledChanged();
  if (updateParent_ && Parent() != nullptr) {
    Parent()->SetEnabled(Enabled());
    if (Parent()->Kind() == ControlKind::kGroupBox) Parent()->Invalidate();
  }
  SetChildrenEnabled(*this, Enabled());
}

void TPanelEx::SetChildrenEnabled(Control& parent, bool enabled) {
  // A copy: the reactions of the children must not disturb the walk.
  std::vector<Control*> children = parent.Children();
  for (Control* child : children) {
    child->SetEnabled(enabled);
    if (child->Kind() == ControlKind::kGroupBox) child->Invalidate();
    if (child->IsCustomDrawnContainer()) SetChildrenEnabled(*child, enabled);
  }
}

}  // namespace zuba::ui
