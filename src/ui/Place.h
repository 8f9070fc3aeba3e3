// Laying out a dialog in code: a control created on a form at its bounds.
#ifndef ZUBA_UI_PLACE_H_
#define ZUBA_UI_PLACE_H_

#include "ui/toolkit/Form.h"

namespace zuba::ui {

// A new control of kind T named `name` on `form`, at left, top, width,
// height of its client area.
template <class T>
T& Place(toolkit::Form& form, const char* name, int left, int top, int width, int height) {
  T& control = form.Add<T>(name);
  control.SetBounds(left, top, width, height);
  return control;
}

}  // namespace zuba::ui

#endif  // ZUBA_UI_PLACE_H_
