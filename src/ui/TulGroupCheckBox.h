// A check box that enables the sibling controls carrying the same Tag
// while it is checked and disables them otherwise (grayed counts as not
// checked). It acts at every assignment of its state, by the user or by
// program, on the siblings present at that moment.
#ifndef ZUBA_UI_TULGROUPCHECKBOX_H_
#define ZUBA_UI_TULGROUPCHECKBOX_H_

#include "toolkit/CheckBox.h"

namespace zuba::ui {

class TTulGroupCheckBox : public toolkit::CheckBox {
 public:
  TTulGroupCheckBox() = default;

  // When false (the default), a box whose Tag is 0 switches nothing.
  bool ActiveTag0() const { return activeTag0_; }
  void SetActiveTag0(bool activeTag0) { activeTag0_ = activeTag0; }

 protected:
  void CheckStateSet() override;

 private:
  bool activeTag0_ = false;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_TULGROUPCHECKBOX_H_
