// A one-line edit. Typed characters go through the key-press handlers
// (which may change or swallow them) and are appended to the text;
// Backspace removes the last character (a double-byte character whole).
// Any change of the text, by the user or by program, raises OnChange.
#ifndef ZUBA_TOOLKIT_EDIT_H_
#define ZUBA_TOOLKIT_EDIT_H_

#include <cstddef>
#include <string>

#include "toolkit/Control.h"

namespace zuba::toolkit {

// The input method's state while the edit has the focus.
enum class ImeMode { kDontCare, kDisable, kClose, kOpen };

class Edit : public Control {
 public:
  Edit();

  ControlKind Kind() const override { return ControlKind::kEdit; }

  // Longest text in bytes the user can type (0: no limit). The program's
  // assignments are not limited.
  std::size_t MaxLength() const { return maxLength_; }
  void SetMaxLength(std::size_t maxLength) { maxLength_ = maxLength; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  ImeMode GetImeMode() const { return imeMode_; }
  void SetImeMode(ImeMode mode) { imeMode_ = mode; }

  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }

  // The user replaces the whole text (editing in place, pasting). False
  // when the edit cannot be reached or is read-only.
  bool EditText(const std::string& text);

 protected:
  void TextChanged() override;
  bool FocusOnClick() const override { return true; }
  void HandleChar(char key) override;

 private:
  std::size_t maxLength_ = 0;
  bool readOnly_ = false;
  ImeMode imeMode_ = ImeMode::kDontCare;
  char pendingLead_ = 0;  // first byte of a double-byte character being typed
  NotifyEvent onChange_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_EDIT_H_
