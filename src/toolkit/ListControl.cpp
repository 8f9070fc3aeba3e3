#include "toolkit/ListControl.h"

#include <algorithm>
#include <numeric>

#include "toolkit/Cp932Text.h"

namespace zuba::toolkit {

ListControl::ListControl() {
  SetTabStop(true);
  SetColor(kClWindow);
}

int ListControl::SortedPlace(const std::string& item) const {
  auto it = std::upper_bound(
      items_.begin(), items_.end(), item,
      [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) < 0; });
  return static_cast<int>(it - items_.begin());
}

int ListControl::AddItem(const std::string& item) {
  return InsertItem(sorted_ ? SortedPlace(item) : ItemCount(), item);
}

int ListControl::InsertItem(int index, const std::string& item) {
  index = sorted_ ? SortedPlace(item) : std::clamp(index, 0, ItemCount());
  items_.insert(items_.begin() + index, item);
  marks_.insert(marks_.begin() + index, 0);
  Notify(Change::kItems);
  if (itemIndex_ >= index) {
    ++itemIndex_;
    SelectionChanged();
  }
  return index;
}

bool ListControl::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return false;
  items_.erase(items_.begin() + index);
  marks_.erase(marks_.begin() + index);
  Notify(Change::kItems);
  if (itemIndex_ == index) {
    itemIndex_ = -1;
    SelectionChanged();
  } else if (itemIndex_ > index) {
    --itemIndex_;
    SelectionChanged();
  }
  return true;
}

void ListControl::ClearItems() { SetItems({}); }

void ListControl::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (sorted_) {
    // Lists mostly come sorted already (the setting list does): checking
    // costs one comparison an item, sorting a dozen.
    const auto less = [](const std::string& a, const std::string& b) {
      return CompareTextNoCase(a, b) < 0;
    };
    if (!std::is_sorted(items_.begin(), items_.end(), less)) {
      std::stable_sort(items_.begin(), items_.end(), less);
    }
  }
  marks_.assign(items_.size(), 0);
  Notify(Change::kItems);
  if (itemIndex_ != -1) {
    itemIndex_ = -1;
    SelectionChanged();
  }
}

int ListControl::IndexOf(const std::string& item) const {
  for (int i = 0; i < ItemCount(); ++i) {
    if (SameTextNoCase(items_[i], item)) return i;
  }
  return -1;
}

void ListControl::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (!sorted_) return;
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this](int a, int b) { return CompareTextNoCase(items_[a], items_[b]) < 0; });
  std::vector<std::string> items;
  std::vector<char> marks;
  int selected = -1;
  for (int i = 0; i < static_cast<int>(order.size()); ++i) {
    items.push_back(items_[order[i]]);
    marks.push_back(marks_[order[i]]);
    if (order[i] == itemIndex_) selected = i;
  }
  items_ = std::move(items);
  marks_ = std::move(marks);
  Notify(Change::kItems);
  if (selected != itemIndex_) {
    itemIndex_ = selected;
    SelectionChanged();
  }
}

void ListControl::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  SelectionChanged();
}

void ListControl::SelectionChanged() { Notify(Change::kItemIndex); }

void ListControl::SetMarked(int index, bool marked) {
  if (index < 0 || index >= ItemCount() || (marks_[index] != 0) == marked) return;
  marks_[index] = marked ? 1 : 0;
  SelectionChanged();
}

void ListControl::ClearMarks() {
  if (std::none_of(marks_.begin(), marks_.end(), [](char m) { return m != 0; })) return;
  std::fill(marks_.begin(), marks_.end(), 0);
  SelectionChanged();
}

bool ListControl::Choose(int index) {
  if (index < 0 || index >= ItemCount() || !Reachable()) return false;
  Dispatch([this, index] {
    if (CanFocus() && !Focused()) TakeFocus();
    UserChoose(index);
  });
  return true;
}

void ListControl::UserChoose(int index) {
  if (MultiSelection()) {
    ClearMarks();
    SetMarked(index, true);
  }
  SetItemIndex(index);
  FireChange();
}

void ListControl::FireChange() {
  if (!onChange_) return;
  NotifyEvent handler = onChange_;
  RunHandler([&] { handler(*this); });
}

bool ListControl::HandleKey(std::uint16_t key, ShiftState) {
  int count = ItemCount();
  int index = itemIndex_;
  switch (key) {
    case vk::kUp:
      index = index < 0 ? 0 : index - 1;
      break;
    case vk::kDown:
      index = index + 1;
      break;
    case vk::kHome:
      index = 0;
      break;
    case vk::kEnd:
      index = count - 1;
      break;
    case vk::kPrior:
      index = index < 0 ? 0 : index - 8;
      break;
    case vk::kNext:
      index = index + 8;
      break;
    default:
      return false;
  }
  if (count == 0) return true;
  index = std::clamp(index, 0, count - 1);
  if (index != itemIndex_) UserChoose(index);
  return true;
}

}  // namespace zuba::toolkit
