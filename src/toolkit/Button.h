// A push button, with or without a glyph. Escape presses the form's cancel
// button and Return its default button while they can take the focus; a
// button with a modal result sets it on its form before OnClick runs.
#ifndef ZUBA_TOOLKIT_BUTTON_H_
#define ZUBA_TOOLKIT_BUTTON_H_

#include <string>

#include "toolkit/Control.h"
#include "toolkit/Form.h"

namespace zuba::toolkit {

// Where the glyph sits relative to the caption.
enum class GlyphLayout { kLeft, kRight, kTop, kBottom };

class Button : public Control {
 public:
  Button();

  ControlKind Kind() const override { return ControlKind::kButton; }

  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult result) { modalResult_ = result; }

  // The name of the picture shown on the button (empty: none); the renderer
  // resolves it.
  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(const std::string& glyph);
  GlyphLayout Layout() const { return layout_; }
  void SetLayout(GlyphLayout layout);

 protected:
  // The form's modal result := this button's (when it has one), then OnClick.
  void UserClick() override;
  bool FocusOnClick() const override { return true; }
  // Space presses the button.
  bool HandleKey(std::uint16_t key, ShiftState shift) override;

 private:
  bool cancel_ = false;
  bool default_ = false;
  ModalResult modalResult_ = ModalResult::kNone;
  std::string glyph_;
  GlyphLayout layout_ = GlyphLayout::kLeft;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_BUTTON_H_
