// Laying out a dialog in code: a control created on a form at its bounds.
#ifndef ZUBA_UI_PLACE_H_
#define ZUBA_UI_PLACE_H_

#include <utility>

#include "toolkit/Form.h"

namespace zuba::ui {

// A new control of kind T (made from `args`) named `name` on `parent` (a
// form or a container), at left, top, width, height of its client area.
template <class T, class... Args>
T& Place(toolkit::Control& parent, const char* name, int left, int top, int width, int height,
         Args&&... args) {
  T& control = parent.Add<T>(name, std::forward<Args>(args)...);
  control.SetBounds(left, top, width, height);
  return control;
}

}  // namespace zuba::ui

#endif  // ZUBA_UI_PLACE_H_
