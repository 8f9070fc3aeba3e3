#include "toolkit/ListBox.h"

namespace zuba::toolkit {

void ListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == multiSelect_) return;
  multiSelect_ = multiSelect;
  ClearMarks();
  SetItemIndex(-1);
  Notify(Change::kStyle);
}

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= ItemCount()) return false;
  return multiSelect_ ? Marked(index) : index == ItemIndex();
}

void ListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= ItemCount()) return;
  if (multiSelect_) {
    SetMarked(index, selected);
  } else if (selected) {
    SetItemIndex(index);
  } else if (index == ItemIndex()) {
    SetItemIndex(-1);
  }
}

int ListBox::SelCount() const {
  if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
  int count = 0;
  for (int i = 0; i < ItemCount(); ++i) count += Marked(i) ? 1 : 0;
  return count;
}

bool ListBox::ToggleChoice(int index) {
  if (!multiSelect_) return Choose(index);
  if (index < 0 || index >= ItemCount() || !Reachable()) return false;
  Dispatch([this, index] {
    if (CanFocus() && !Focused()) TakeFocus();
    SetMarked(index, !Marked(index));
    SetItemIndex(index);
    FireChange();
  });
  return true;
}

}  // namespace zuba::toolkit
