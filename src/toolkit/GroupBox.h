// A group box: a custom-drawn container with a frame and a caption.
#ifndef ZUBA_TOOLKIT_GROUPBOX_H_
#define ZUBA_TOOLKIT_GROUPBOX_H_

#include "toolkit/Control.h"

namespace zuba::toolkit {

class GroupBox : public Control {
 public:
  GroupBox() { SetBounds(0, 0, 185, 105); }

  ControlKind Kind() const override { return ControlKind::kGroupBox; }
  bool IsCustomDrawnContainer() const override { return true; }
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_GROUPBOX_H_
