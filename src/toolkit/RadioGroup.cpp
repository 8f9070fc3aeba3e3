#include "toolkit/RadioGroup.h"

#include <algorithm>

namespace zuba::toolkit {

// A radio button of a group: becoming checked tells the group instead of
// raising its own OnClick.
class RadioGroup::GroupButton : public RadioButton {
 public:
  explicit GroupButton(RadioGroup& group) : group_(group) {}

 protected:
  void BecameChecked() override { group_.ButtonChecked(*this); }

 private:
  RadioGroup& group_;
};

void RadioGroup::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  UpdateButtons();
  Notify(Change::kItems);
}

void RadioGroup::AddItem(const std::string& item) {
  items_.push_back(item);
  UpdateButtons();
  Notify(Change::kItems);
}

void RadioGroup::SetItemIndex(int index) {
  int count = static_cast<int>(buttons_.size());
  index = std::clamp(index, -1, count - 1);
  if (index == itemIndex_) return;
  if (itemIndex_ >= 0) buttons_[itemIndex_]->SetChecked(false);
  itemIndex_ = index;
  Notify(Change::kItemIndex);
  // Checking the button raises the group's OnClick (ButtonChecked).
  if (itemIndex_ >= 0) buttons_[itemIndex_]->SetChecked(true);
}

void RadioGroup::SetColumns(int columns) {
  columns = std::clamp(columns, 1, 16);
  if (columns == columns_) return;
  columns_ = columns;
  ArrangeButtons();
}

RadioButton* RadioGroup::Button(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[index];
}

bool RadioGroup::Choose(int index) {
  RadioButton* button = Button(index);
  return button != nullptr && button->Click();
}

void RadioGroup::EnabledChanged() {
  GroupBox::EnabledChanged();
  for (RadioButton* button : buttons_) button->SetEnabled(Enabled());
}

void RadioGroup::BoundsChanged() {
  GroupBox::BoundsChanged();
  ArrangeButtons();
}

void RadioGroup::ButtonChecked(RadioButton& button) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), &button);
  if (it == buttons_.end()) return;
  int index = static_cast<int>(it - buttons_.begin());
  if (index != itemIndex_) {
    itemIndex_ = index;
    Notify(Change::kItemIndex);
  }
  FireClick();
}

void RadioGroup::UpdateButtons() {
  updating_ = true;
  while (buttons_.size() > items_.size()) {
    RadioButton* last = buttons_.back();
    buttons_.pop_back();
    DestroyChild(*last);
  }
  while (buttons_.size() < items_.size()) {
    auto& button = Add<GroupButton>(std::string(), *this);
    button.SetEnabled(Enabled());
    buttons_.push_back(&button);
  }
  itemIndex_ = std::min(itemIndex_, static_cast<int>(items_.size()) - 1);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->SetCaption(items_[i]);
    buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
  }
  updating_ = false;
  ArrangeButtons();
}

void RadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  int count = static_cast<int>(buttons_.size());
  int perColumn = (count + columns_ - 1) / columns_;
  int buttonWidth = (Width() - 10) / columns_;
  int textHeight = GetFont().size * 4 / 3;
  int room = std::max(Height() - textHeight - 5, 0);
  int buttonHeight = room / perColumn;
  int topMargin = textHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    buttons_[i]->SetBounds((i / perColumn) * buttonWidth + 8,
                           (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
  }
}

}  // namespace zuba::toolkit
