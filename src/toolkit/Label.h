// A text label, drawn on its parent (it takes no focus).
#ifndef ZUBA_TOOLKIT_LABEL_H_
#define ZUBA_TOOLKIT_LABEL_H_

#include "toolkit/Control.h"

namespace zuba::toolkit {

class Label : public Control {
 public:
  Label() { SetBounds(0, 0, 32, 12); }

  ControlKind Kind() const override { return ControlKind::kLabel; }
  bool IsWindowed() const override { return false; }

  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment alignment) { SetStyle(&alignment_, alignment); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { SetStyle(&wordWrap_, wordWrap); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize) { SetStyle(&autoSize_, autoSize); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { SetStyle(&transparent_, transparent); }

 private:
  template <class T>
  void SetStyle(T* field, T value) {
    if (*field == value) return;
    *field = value;
    Notify(Change::kStyle);
  }

  Alignment alignment_ = Alignment::kLeftJustify;
  bool wordWrap_ = false;
  bool autoSize_ = true;
  bool transparent_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_LABEL_H_
