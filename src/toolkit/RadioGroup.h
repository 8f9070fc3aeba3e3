// A radio group: a group box whose entries are radio buttons it creates
// and arranges itself (one child per entry). ItemIndex is clamped to -1 ..
// count - 1; a button becoming checked, by the user or by program, raises
// the group's OnClick.
#ifndef ZUBA_TOOLKIT_RADIOGROUP_H_
#define ZUBA_TOOLKIT_RADIOGROUP_H_

#include <string>
#include <vector>

#include "toolkit/GroupBox.h"
#include "toolkit/RadioButton.h"

namespace zuba::toolkit {

class RadioGroup : public GroupBox {
 public:
  RadioGroup() = default;

  ControlKind Kind() const override { return ControlKind::kRadioGroup; }

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the entries; ItemIndex is kept, clamped to the new count.
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);

  int ItemIndex() const { return itemIndex_; }
  // Below -1 becomes -1, beyond the last entry the last entry.
  void SetItemIndex(int index);

  int Columns() const { return columns_; }
  void SetColumns(int columns);

  // The radio button of entry `index` (nullptr when out of range).
  RadioButton* Button(int index) const;

  // The user chooses entry `index` (clicks its button). False when the
  // entry does not exist or cannot be reached.
  bool Choose(int index);

 protected:
  // The buttons follow the group's own enabled flag.
  void EnabledChanged() override;
  void BoundsChanged() override;

 private:
  class GroupButton;
  friend class GroupButton;

  void ButtonChecked(RadioButton& button);
  void UpdateButtons();
  void ArrangeButtons();

  std::vector<std::string> items_;
  std::vector<RadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_RADIOGROUP_H_
