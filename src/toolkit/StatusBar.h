// A status bar along the bottom of its parent, showing one text
// (SimpleText); it has no panels.
#ifndef ZUBA_TOOLKIT_STATUSBAR_H_
#define ZUBA_TOOLKIT_STATUSBAR_H_

#include <string>

#include "toolkit/Control.h"

namespace zuba::toolkit {

class StatusBar : public Control {
 public:
  StatusBar() {
    SetBounds(0, 0, 0, 19);
    SetAlign(Align::kBottom);
  }

  ControlKind Kind() const override { return ControlKind::kStatusBar; }

  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text) {
    if (text == simpleText_) return;
    simpleText_ = text;
    Notify(Change::kText);
  }
  // The size grip at the right end.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool sizeGrip) {
    if (sizeGrip == sizeGrip_) return;
    sizeGrip_ = sizeGrip;
    Notify(Change::kStyle);
  }

 private:
  std::string simpleText_;
  bool sizeGrip_ = true;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_STATUSBAR_H_
