#include "toolkit/Button.h"

namespace zuba::toolkit {

Button::Button() {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void Button::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  Notify(Change::kStyle);
}

void Button::SetGlyph(const std::string& glyph) {
  if (glyph == glyph_) return;
  glyph_ = glyph;
  Notify(Change::kStyle);
}

void Button::SetLayout(GlyphLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Notify(Change::kStyle);
}

void Button::UserClick() {
  if (modalResult_ != ModalResult::kNone) {
    if (Form* form = ParentForm()) form->SetModalResult(modalResult_);
  }
  FireClick();
}

bool Button::HandleKey(std::uint16_t key, ShiftState shift) {
  if (key != vk::kSpace || !shift.NoKeys()) return false;
  UserClick();
  return true;
}

}  // namespace zuba::toolkit
