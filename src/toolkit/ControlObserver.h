// The hook through which a renderer follows the control model. An observer
// attached to a control hears of every change of that control and of every
// control below it, so one observer on a form follows the whole form.
#ifndef ZUBA_TOOLKIT_CONTROLOBSERVER_H_
#define ZUBA_TOOLKIT_CONTROLOBSERVER_H_

namespace zuba::toolkit {

class Control;

enum class Change {
  kBounds,        // left, top, width or height
  kText,          // caption or text
  kEnabled,       // the control's own enabled flag
  kVisible,       // the control's own visible flag
  kChecked,       // check state of a check box or radio button
  kItems,         // entries of a list, drop-down list or radio group
  kItemIndex,     // the selected entry (or, in a multi-select list, a selection)
  kFocus,         // the control gained or lost the keyboard focus
  kChildAdded,    // the control was just added to its parent
  kChildRemoved,  // the control (or one above it) is about to leave its parent
  kTabOrder,      // tab order or tab stop
  kZOrder,        // the control's place among its siblings from the bottom up
  kFont,          // font
  kColor,         // colour
  kHint,          // hint or show-hint flags
  kStyle,         // a property the window style carries (word wrap, alignment, ...)
  kRepaint,       // the control asks to be painted again
  kModalEnded,    // a form's modal loop is to end
};

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  // `control` is the control that changed (the observed one or one below it).
  // Called after the change is in force (kChildRemoved: before the removal).
  virtual void ControlChanged(Control& control, Change change) = 0;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_CONTROLOBSERVER_H_
