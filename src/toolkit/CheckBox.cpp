#include "toolkit/CheckBox.h"

namespace zuba::toolkit {

CheckBox::CheckBox() {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

void CheckBox::SetState(CheckState state) {
  if (state != state_) {
    state_ = state;
    Notify(Change::kChecked);
    FireClick();
  }
  CheckStateSet();
}

void CheckBox::CheckStateSet() {}

void CheckBox::SetCaptionSide(Alignment side) {
  if (side == captionSide_) return;
  captionSide_ = side;
  Notify(Change::kStyle);
}

void CheckBox::SetWordWrapStyle(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  Notify(Change::kStyle);
}

void CheckBox::SetCaptionPlacementStyle(VerticalPlacement placement) {
  if (placement == placement_) return;
  placement_ = placement;
  Notify(Change::kStyle);
}

void CheckBox::UserClick() {
  switch (state_) {
    case CheckState::kUnchecked:
      SetState(allowGrayed_ ? CheckState::kGrayed : CheckState::kChecked);
      break;
    case CheckState::kGrayed:
      SetState(CheckState::kChecked);
      break;
    case CheckState::kChecked:
      SetState(CheckState::kUnchecked);
      break;
  }
}

bool CheckBox::HandleKey(std::uint16_t key, ShiftState shift) {
  if (key != vk::kSpace || !shift.NoKeys()) return false;
  UserClick();
  return true;
}

}  // namespace zuba::toolkit
