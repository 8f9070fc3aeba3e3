// A panel: a custom-drawn container with bevels. Its enabled state limits
// its children's (they are usable only while it is enabled); passing the
// state on to the children's own flags is the group widgets' work.
#ifndef ZUBA_TOOLKIT_PANEL_H_
#define ZUBA_TOOLKIT_PANEL_H_

#include "toolkit/Control.h"

namespace zuba::toolkit {

enum class Bevel { kNone, kLowered, kRaised };

class Panel : public Control {
 public:
  Panel() { SetBounds(0, 0, 185, 41); }

  ControlKind Kind() const override { return ControlKind::kPanel; }
  bool IsCustomDrawnContainer() const override { return true; }

  Bevel BevelInner() const { return bevelInner_; }
  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevels(Bevel inner, Bevel outer) {
    bevelInner_ = inner;
    bevelOuter_ = outer;
    Notify(Change::kStyle);
  }
  // The placement of the panel's caption.
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Notify(Change::kStyle);
  }

 private:
  Bevel bevelInner_ = Bevel::kNone;
  Bevel bevelOuter_ = Bevel::kRaised;
  Alignment alignment_ = Alignment::kCenter;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_PANEL_H_
