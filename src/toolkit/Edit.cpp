#include "toolkit/Edit.h"

#include "toolkit/Cp932Text.h"

namespace zuba::toolkit {

Edit::Edit() {
  SetTabStop(true);
  SetColor(kClWindow);
  SetBounds(0, 0, 121, 20);
}

void Edit::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  Notify(Change::kStyle);
}

bool Edit::EditText(const std::string& text) {
  if (!Reachable() || readOnly_) return false;
  Dispatch([this, text] { SetText(text); });
  return true;
}

void Edit::TextChanged() {
  Control::TextChanged();
  if (!onChange_) return;
  NotifyEvent handler = onChange_;
  RunHandler([&] { handler(*this); });
}

void Edit::HandleChar(char key) {
  if (key == 0 || readOnly_) {
    pendingLead_ = 0;  // half a character swallowed: none of it goes in
    return;
  }
  auto byte = static_cast<unsigned char>(key);
  if (pendingLead_ != 0) {
    char lead = pendingLead_;
    pendingLead_ = 0;
    if (byte >= 0x40) {
      if (maxLength_ == 0 || Text().size() + 2 <= maxLength_) SetText(Text() + lead + key);
      return;
    }
    // Not a trail byte: the lone lead byte is dropped.
  }
  if (key == '\b') {
    SetText(DropLastCharacter(Text()));
    return;
  }
  if (byte < 0x20 || byte == 0x7F) return;
  if (IsCp932LeadByte(byte)) {
    pendingLead_ = key;
    return;
  }
  if (maxLength_ == 0 || Text().size() < maxLength_) SetText(Text() + key);
}

}  // namespace zuba::toolkit
