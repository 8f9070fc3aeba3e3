// A picture, drawn on its parent; it raises OnClick and OnMouseDown.
#ifndef ZUBA_TOOLKIT_PICTURE_H_
#define ZUBA_TOOLKIT_PICTURE_H_

#include <string>

#include "toolkit/Control.h"

namespace zuba::toolkit {

class Picture : public Control {
 public:
  Picture() { SetBounds(0, 0, 105, 105); }

  ControlKind Kind() const override { return ControlKind::kPicture; }
  bool IsWindowed() const override { return false; }

  // The name of the image shown (empty: none); the renderer resolves it.
  const std::string& ImageName() const { return imageName_; }
  void SetImageName(const std::string& name) {
    if (name == imageName_) return;
    imageName_ = name;
    Notify(Change::kStyle);
  }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) {
    stretch_ = stretch;
    Notify(Change::kStyle);
  }
  bool Center() const { return center_; }
  void SetCenter(bool center) {
    center_ = center;
    Notify(Change::kStyle);
  }

 private:
  std::string imageName_;
  bool stretch_ = false;
  bool center_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_PICTURE_H_
