// A list box, with single or multiple selection. In a multi-select list
// the user's choice selects one entry only and ToggleChoice adds or removes
// one (a Ctrl click); ItemIndex is the entry chosen last.
#ifndef ZUBA_TOOLKIT_LISTBOX_H_
#define ZUBA_TOOLKIT_LISTBOX_H_

#include "toolkit/ListControl.h"

namespace zuba::toolkit {

class ListBox : public ListControl {
 public:
  ListBox() { SetBounds(0, 0, 121, 97); }

  ControlKind Kind() const override { return ControlKind::kListBox; }

  bool MultiSelect() const { return multiSelect_; }
  // Switching clears every selection.
  void SetMultiSelect(bool multiSelect);

  // Whether entry `index` is selected (false out of range).
  bool Selected(int index) const;
  // Selects or deselects an entry by program (no OnChange). In a
  // single-select list selecting an entry makes it the ItemIndex.
  void SetSelected(int index, bool selected);
  int SelCount() const;

  // The user adds entry `index` to the selection or removes it from it (a
  // single-select list: Choose). OnChange follows.
  bool ToggleChoice(int index);

 protected:
  bool MultiSelection() const override { return multiSelect_; }

 private:
  bool multiSelect_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_LISTBOX_H_
