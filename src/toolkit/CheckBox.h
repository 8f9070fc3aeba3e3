// A check box with two or three states. Every assignment of the state, by
// the user's click or by program, runs the reaction of subclasses
// (CheckStateSet); OnClick runs exactly when the state really changes. A
// user's click cycles unchecked -> checked -> unchecked, or with AllowGrayed
// unchecked -> grayed -> checked -> unchecked.
#ifndef ZUBA_TOOLKIT_CHECKBOX_H_
#define ZUBA_TOOLKIT_CHECKBOX_H_

#include "toolkit/Control.h"

namespace zuba::toolkit {

enum class CheckState { kUnchecked, kChecked, kGrayed };

class CheckBox : public Control {
 public:
  CheckBox();

  ControlKind Kind() const override { return ControlKind::kCheckBox; }

  CheckState State() const { return state_; }
  // Stores the state (OnClick when it changed), then runs CheckStateSet.
  void SetState(CheckState state);
  // Checked is the checked state; a grayed box is not checked.
  bool Checked() const { return state_ == CheckState::kChecked; }
  void SetChecked(bool checked) {
    SetState(checked ? CheckState::kChecked : CheckState::kUnchecked);
  }

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allowGrayed) { allowGrayed_ = allowGrayed; }

  // The side of the caption: kRightJustify (the default) puts the caption
  // right of the box, kLeftJustify left of it.
  Alignment CaptionSide() const { return captionSide_; }
  void SetCaptionSide(Alignment side);

  // Window-style properties the renderer honours: the caption wraps over
  // several lines, and its vertical placement in the box's height.
  bool WordWrap() const { return wordWrap_; }
  VerticalPlacement CaptionPlacement() const { return placement_; }

 protected:
  // The state has just been assigned (changed or not), after the base
  // handling. Base: nothing.
  virtual void CheckStateSet();

  // Set the window-style properties (kStyle when they change).
  void SetWordWrapStyle(bool wordWrap);
  void SetCaptionPlacementStyle(VerticalPlacement placement);

  void UserClick() override;
  bool FocusOnClick() const override { return true; }
  // Space clicks the box.
  bool HandleKey(std::uint16_t key, ShiftState shift) override;

 private:
  CheckState state_ = CheckState::kUnchecked;
  bool allowGrayed_ = false;
  Alignment captionSide_ = Alignment::kRightJustify;
  bool wordWrap_ = false;
  VerticalPlacement placement_ = VerticalPlacement::kCenter;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_CHECKBOX_H_
