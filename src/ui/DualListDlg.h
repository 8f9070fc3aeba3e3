// The dialog that puts the setting names into an order of the user's
// choosing: two lists side by side, "変更前" (before) on the left and
// "新しい順番" (the new order) on the right, neither sorted, both allowing
// several entries to be selected. ">" moves the selected left entries to
// the right list, ">>" all of them, "<" and "<<" move back; a double click
// in a list and dragging one list onto the other move its selected entries
// the same way. Moved entries are appended to the other list in the order
// in which they stood, so the right list's order is the order in which the
// user moved them.
//
// The caller fills SrcList before ShowModal and reads DstList after OK.
#ifndef ZUBA_UI_DUALLISTDLG_H_
#define ZUBA_UI_DUALLISTDLG_H_

#include <string>
#include <vector>

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

namespace zuba::ui {

// The dialog's title and its help topic.
inline constexpr char kDualListTitle[] = "設定名の表示順を並び替える";
inline constexpr int kDualListHelpContext = 32;

class TDualListDlg : public toolkit::Form {
 public:
  explicit TDualListDlg(toolkit::Application& app);

  toolkit::Label& SrcLabel;
  toolkit::Label& DstLabel;
  toolkit::ListBox& SrcList;
  toolkit::ListBox& DstList;
  toolkit::Button& IncludeBtn;  // ">"
  toolkit::Button& IncAllBtn;   // ">>"
  toolkit::Button& ExcludeBtn;  // "<"
  toolkit::Button& ExAllBtn;    // "<<"
  toolkit::Button& OKBtn;
  toolkit::Button& CancelBtn;
  toolkit::Button& HelpBtn;

  // Fills the left list with `names` in their order and empties the right.
  void Prepare(const std::vector<std::string>& names);

  void IncludeBtnClick(toolkit::Component& sender);
  void IncAllBtnClick(toolkit::Component& sender);
  void ExcludeBtnClick(toolkit::Component& sender);
  void ExAllBtnClick(toolkit::Component& sender);
  void HelpBtnClick(toolkit::Component& sender);
  // A double click moves the selected entries of the list clicked.
  void ListDblClick(toolkit::Component& sender);
  // A list accepts only the other list dropped on it, and takes its
  // selected entries.
  void ListDragOver(toolkit::Component& sender, toolkit::Component& source, bool& accept);
  void ListDragDrop(toolkit::Component& sender, toolkit::Component& source);

  enum class Which { kSelected, kAll };
  // Moves the selected entries of `from` (or all of them) to the end of
  // `to`, in their order. The entry that followed the first one moved (or
  // the new last one) becomes selected in `from`, so that the same button
  // can be pressed again.
  void MoveEntries(toolkit::ListBox& from, toolkit::ListBox& to, Which which);

 private:
  toolkit::ListBox* OtherList(const toolkit::Component& list);
  // ">" and ">>" work while the left list has entries, "<" and "<<" while
  // the right one has.
  void SetButtons();
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_DUALLISTDLG_H_
