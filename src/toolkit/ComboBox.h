// A combo box: a drop-down list (kDropDownList, no typing: its text is the
// selected entry) or an edit with a list (kDropDown).
#ifndef ZUBA_TOOLKIT_COMBOBOX_H_
#define ZUBA_TOOLKIT_COMBOBOX_H_

#include <string>

#include "toolkit/ListControl.h"

namespace zuba::toolkit {

enum class ComboStyle { kDropDown, kDropDownList };

class ComboBox : public ListControl {
 public:
  ComboBox();

  ControlKind Kind() const override { return ControlKind::kComboBox; }

  ComboStyle Style() const { return style_; }
  void SetStyle(ComboStyle style);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }

  // A drop-down list's text is its selected entry ("" for none); assigning
  // it selects the entry equal to it without regard to case, or none. A
  // kDropDown box keeps the text typed or assigned; selecting an entry puts
  // the entry's text there.
  const std::string& Text() const override;
  void SetText(const std::string& text) override;

 protected:
  void SelectionChanged() override;
  // A drop-down list selects the next entry starting with the typed
  // character (the user's choice); a kDropDown box appends it to its text
  // and raises OnChange.
  void HandleChar(char key) override;

 private:
  ComboStyle style_ = ComboStyle::kDropDown;
  int dropDownCount_ = 8;
  std::string editText_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_COMBOBOX_H_
