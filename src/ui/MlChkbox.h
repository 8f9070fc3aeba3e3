// A check box whose caption wraps over several lines and sits at the top,
// middle or bottom of its height, and which can enable one linked control
// while it is checked and enabled.
#ifndef ZUBA_UI_MLCHKBOX_H_
#define ZUBA_UI_MLCHKBOX_H_

#include <cstdint>

#include "toolkit/CheckBox.h"

namespace zuba::ui {

enum class TVertAlignment { vaTop = 0, vaCenter = 1, vaBottom = 2 };

// The button window styles the box sets.
constexpr std::uint32_t kBsMultiline = 0x2000;
constexpr std::uint32_t kBsTop = 0x0400;
constexpr std::uint32_t kBsBottom = 0x0800;
constexpr std::uint32_t kBsVCenter = 0x0C00;

class TMultiLineCheckBox : public toolkit::CheckBox {
 public:
  // Height 33, VertAlignment vaCenter, Wordwrap true.
  TMultiLineCheckBox();

  // The control enabled while this box is checked and enabled; nullptr for
  // none. Assigning a different control stores it and sets that control's
  // enabled state to the box's checked state (the box's own enabled state
  // is not considered then). The link is dropped when the control goes.
  toolkit::Control* EnabledControl() const { return enabledControl_; }
  void SetEnabledControl(toolkit::Control* control);

  TVertAlignment VertAlignment() const { return vertAlignment_; }
  void SetVertAlignment(TVertAlignment alignment);
  bool Wordwrap() const { return wordwrap_; }
  void SetWordwrap(bool wordwrap);

  // The style bits the window carries: kBsMultiline with Wordwrap, and
  // kBsTop, kBsVCenter or kBsBottom. A change of either property re-creates
  // the window (observers hear Change::kStyle); the renderer reads the same
  // through WordWrap() and CaptionPlacement().
  std::uint32_t WindowStyle() const;

 protected:
  void CheckStateSet() override;
  void EnabledChanged() override;
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  void UpdateLinkedControl();

  toolkit::Control* enabledControl_ = nullptr;
  toolkit::Component* linked_ = nullptr;  // the same object, for the removal notification
  TVertAlignment vertAlignment_ = TVertAlignment::vaCenter;
  bool wordwrap_ = true;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_MLCHKBOX_H_
