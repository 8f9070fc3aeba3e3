// A radio button. Checking one unchecks the radio buttons beside it (same
// parent); becoming checked, by the user or by program, raises OnClick.
// Assigning the state it already has does nothing.
#ifndef ZUBA_TOOLKIT_RADIOBUTTON_H_
#define ZUBA_TOOLKIT_RADIOBUTTON_H_

#include "toolkit/Control.h"

namespace zuba::toolkit {

class RadioButton : public Control {
 public:
  RadioButton();

  ControlKind Kind() const override { return ControlKind::kRadioButton; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

 protected:
  // The button has just become checked; base: OnClick.
  virtual void BecameChecked();

  void UserClick() override;
  bool FocusOnClick() const override { return true; }
  bool HandleKey(std::uint16_t key, ShiftState shift) override;

 private:
  bool checked_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_RADIOBUTTON_H_
