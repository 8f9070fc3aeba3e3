#include "ui/MlChkbox.h"

namespace zuba::ui {

using toolkit::Component;
using toolkit::Control;
using toolkit::Operation;
using toolkit::VerticalPlacement;

namespace {

VerticalPlacement PlacementOf(TVertAlignment alignment) {
  switch (alignment) {
    case TVertAlignment::vaTop:
      return VerticalPlacement::kTop;
    case TVertAlignment::vaBottom:
      return VerticalPlacement::kBottom;
    case TVertAlignment::vaCenter:
      break;
  }
  return VerticalPlacement::kCenter;
}

}  // namespace

TMultiLineCheckBox::TMultiLineCheckBox() {
  SetHeight(33);
  SetWordWrapStyle(wordwrap_);
  SetCaptionPlacementStyle(PlacementOf(vertAlignment_));
}

void TMultiLineCheckBox::SetEnabledControl(Control* control) {
  if (control == enabledControl_) return;
  if (linked_ != nullptr) linked_->RemoveFreeNotification(*this);
  enabledControl_ = control;
  linked_ = control;
  if (control == nullptr) return;
  control->FreeNotification(*this);
  control->SetEnabled(Checked());
}

void TMultiLineCheckBox::SetVertAlignment(TVertAlignment alignment) {
  if (alignment == vertAlignment_) return;
  vertAlignment_ = alignment;
  SetCaptionPlacementStyle(PlacementOf(alignment));
}

void TMultiLineCheckBox::SetWordwrap(bool wordwrap) {
  if (wordwrap == wordwrap_) return;
  wordwrap_ = wordwrap;
  SetWordWrapStyle(wordwrap);
}

std::uint32_t TMultiLineCheckBox::WindowStyle() const {
  std::uint32_t style = wordwrap_ ? kBsMultiline : 0;
  switch (vertAlignment_) {
    case TVertAlignment::vaTop:
      return style | kBsTop;
    case TVertAlignment::vaCenter:
      return style | kBsVCenter;
    case TVertAlignment::vaBottom:
      return style | kBsBottom;
  }
  return style;
}

void TMultiLineCheckBox::CheckStateSet() {
  CheckBox::CheckStateSet();
  UpdateLinkedControl();
}

void TMultiLineCheckBox::EnabledChanged() {
  CheckBox::EnabledChanged();
  UpdateLinkedControl();
}

void TMultiLineCheckBox::UpdateLinkedControl() {
  // The model has no design state, and a control's window exists as long
  // as the control does.
  if (enabledControl_ != nullptr) enabledControl_->SetEnabled(Enabled() && Checked());
}

void TMultiLineCheckBox::Notification(Component& component, Operation operation) {
  CheckBox::Notification(component, operation);
  if (operation == Operation::kRemove && &component == linked_) {
    enabledControl_ = nullptr;
    linked_ = nullptr;
  }
}

}  // namespace zuba::ui
