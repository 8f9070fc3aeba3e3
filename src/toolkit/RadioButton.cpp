#include "toolkit/RadioButton.h"

namespace zuba::toolkit {

RadioButton::RadioButton() { SetBounds(0, 0, 113, 17); }

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SetTabStop(checked);
  Notify(Change::kChecked);
  if (!checked) return;
  if (Parent() != nullptr) {
    for (Control* sibling : Parent()->Children()) {
      if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && radio != this) {
        radio->SetChecked(false);
      }
    }
  }
  BecameChecked();
}

void RadioButton::BecameChecked() { FireClick(); }

void RadioButton::UserClick() { SetChecked(true); }

bool RadioButton::HandleKey(std::uint16_t key, ShiftState shift) {
  if (key != vk::kSpace || !shift.NoKeys()) return false;
  UserClick();
  return true;
}

}  // namespace zuba::toolkit
