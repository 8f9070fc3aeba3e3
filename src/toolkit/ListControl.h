// What a drop-down list and a list box share: the entries, the selected
// entry (ItemIndex, -1 for none), sorting without regard to case, and the
// user's choice. Assigning ItemIndex by program raises no OnChange; a
// user's choice does, also of the entry already selected.
#ifndef ZUBA_TOOLKIT_LISTCONTROL_H_
#define ZUBA_TOOLKIT_LISTCONTROL_H_

#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace zuba::toolkit {

class ListControl : public Control {
 public:
  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // The entry at `index`; throws std::out_of_range when there is none.
  const std::string& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }

  // Adds an entry: in its sorted place when Sorted (after equal ones), else
  // at the end. Answers its index.
  int AddItem(const std::string& item);
  // Inserts an entry at `index` (clamped to 0 .. count); a sorted list puts
  // it in its sorted place instead. Answers its index.
  int InsertItem(int index, const std::string& item);
  // Removes entry `index`. False when there is none. The selected entry
  // stays selected; removing it leaves none selected.
  bool DeleteItem(int index);
  // Removes every entry; none is selected.
  void ClearItems();
  // Replaces every entry (sorted when Sorted); none is selected.
  void SetItems(const std::vector<std::string>& items);
  // The first entry equal to `item` without regard to case; -1 when none.
  int IndexOf(const std::string& item) const;

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts the entries at once (equal ones keep their
  // order); the selected entry stays selected.
  void SetSorted(bool sorted);

  int ItemIndex() const { return itemIndex_; }
  // Selects an entry by program (no OnChange); an index out of range
  // selects none.
  void SetItemIndex(int index);

  void SetOnChange(NotifyEvent handler) { onChange_ = std::move(handler); }

  // The user chooses entry `index`: it is selected and OnChange is raised.
  // False when the entry does not exist or the control cannot be reached.
  bool Choose(int index);
  // The user chooses the entry equal to `item` without regard to case.
  bool Choose(const std::string& item) { return Choose(IndexOf(item)); }

 protected:
  ListControl();

  // The selection as the user makes it: select, then OnChange.
  void UserChoose(int index);
  void FireChange();
  bool FocusOnClick() const override { return true; }
  // Up, Down, Home, End, Page Up and Page Down move the selection as the
  // user's choice.
  bool HandleKey(std::uint16_t key, ShiftState shift) override;

  // Whether entry `index` is marked selected (multi-select lists).
  bool Marked(int index) const { return marks_.at(static_cast<std::size_t>(index)) != 0; }
  void SetMarked(int index, bool marked);
  void ClearMarks();
  // The selection changed (ItemIndex or marks); base: tells the observers.
  virtual void SelectionChanged();
  // Whether `index` stands for a selected entry when the selection is moved;
  // base: single selection.
  virtual bool MultiSelection() const { return false; }

 private:
  int SortedPlace(const std::string& item) const;

  std::vector<std::string> items_;
  std::vector<char> marks_;
  bool sorted_ = false;
  int itemIndex_ = -1;
  NotifyEvent onChange_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_LISTCONTROL_H_
