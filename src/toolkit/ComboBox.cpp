#include "toolkit/ComboBox.h"

#include "toolkit/Cp932Text.h"

namespace zuba::toolkit {
namespace {

const std::string kNoText;

// The first character of `text`, upper-cased when it is an ASCII letter.
unsigned char FirstFolded(const std::string& text) {
  if (text.empty()) return 0;
  unsigned char c = static_cast<unsigned char>(text[0]);
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

ComboBox::ComboBox() { SetBounds(0, 0, 145, 20); }

void ComboBox::SetStyle(ComboStyle style) {
  if (style == style_) return;
  style_ = style;
  Notify(Change::kStyle);
}

const std::string& ComboBox::Text() const {
  if (style_ == ComboStyle::kDropDown) return editText_;
  return ItemIndex() >= 0 ? Item(ItemIndex()) : kNoText;
}

void ComboBox::SetText(const std::string& text) {
  if (style_ == ComboStyle::kDropDownList) {
    SetItemIndex(IndexOf(text));
    return;
  }
  if (text == editText_) return;
  editText_ = text;
  Notify(Change::kText);
}

void ComboBox::SelectionChanged() {
  ListControl::SelectionChanged();
  if (style_ == ComboStyle::kDropDown && ItemIndex() >= 0 && editText_ != Item(ItemIndex())) {
    editText_ = Item(ItemIndex());
    Notify(Change::kText);
  }
}

void ComboBox::HandleChar(char key) {
  auto byte = static_cast<unsigned char>(key);
  if (style_ == ComboStyle::kDropDownList) {
    if (byte < 0x20 || ItemCount() == 0) return;
    unsigned char wanted = FirstFolded(std::string(1, key));
    for (int step = 1; step <= ItemCount(); ++step) {
      int index = (ItemIndex() + step) % ItemCount();
      if (index < 0) index += ItemCount();
      if (FirstFolded(Item(index)) == wanted) {
        UserChoose(index);
        return;
      }
    }
    return;
  }
  std::string text = editText_;
  if (key == '\b') {
    text = DropLastCharacter(text);
  } else if (byte >= 0x20) {
    text += key;
  } else {
    return;
  }
  SetText(text);
  if (ItemIndex() >= 0 && text != Item(ItemIndex())) SetItemIndex(-1);
  FireChange();
}

}  // namespace zuba::toolkit
