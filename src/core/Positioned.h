// What the INI store needs of a control whose position it keeps: its left
// and top edge in pixels (relative to the parent; for a window, in screen
// coordinates). The forms' controls implement it.
#ifndef ZUBA_CORE_POSITIONED_H_
#define ZUBA_CORE_POSITIONED_H_

namespace zuba::core {

class TPositioned {
 public:
  virtual ~TPositioned() = default;

  virtual int Left() const = 0;
  virtual int Top() const = 0;
  // Move the control's left (top) edge; its width and height stay.
  virtual void SetLeft(int left) = 0;
  virtual void SetTop(int top) = 0;
};

}  // namespace zuba::core

#endif  // ZUBA_CORE_POSITIONED_H_
