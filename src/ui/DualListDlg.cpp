#include "ui/DualListDlg.h"

#include "toolkit/Application.h"
#include "ui/Place.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

Label& MakeLabel(Form& form, const char* name, int left, const char* caption) {
  Label& label = Place<Label>(form, name, left, 8, 145, 16);
  label.SetAutoSize(false);
  label.SetCaption(caption);
  return label;
}

ListBox& MakeList(Form& form, const char* name, int left) {
  ListBox& list = Place<ListBox>(form, name, left, 24, 144, 145);
  list.SetMultiSelect(true);
  return list;
}

Button& MakeButton(Form& form, const char* name, int left, int top, int width,
                   const char* caption) {
  Button& button = Place<Button>(form, name, left, top, width, width == 24 ? 24 : 25);
  button.SetCaption(caption);
  return button;
}

}  // namespace

TDualListDlg::TDualListDlg(Application& app)
    : Form(app),
      SrcLabel(MakeLabel(*this, "SrcLabel", 8, "変更前")),
      DstLabel(MakeLabel(*this, "DstLabel", 192, "新しい順番")),
      SrcList(MakeList(*this, "SrcList", 8)),
      DstList(MakeList(*this, "DstList", 192)),
      IncludeBtn(MakeButton(*this, "IncludeBtn", 160, 32, 24, ">")),
      IncAllBtn(MakeButton(*this, "IncAllBtn", 160, 64, 24, ">>")),
      ExcludeBtn(MakeButton(*this, "ExcludeBtn", 160, 96, 24, "<")),
      ExAllBtn(MakeButton(*this, "ExAllBtn", 160, 128, 24, "<<")),
      OKBtn(MakeButton(*this, "OKBtn", 111, 178, 75, "OK")),
      CancelBtn(MakeButton(*this, "CancelBtn", 191, 178, 75, "キャンセル")),
      HelpBtn(MakeButton(*this, "HelpBtn", 271, 178, 75, "ヘルプ")) {
  SetName("DualListDlg");
  SetCaption(kDualListTitle);
  SetBorderStyle(BorderStyle::kDialog);
  SetBorderIcons(kBiSystemMenu);
  SetPosition(FormPosition::kScreenCenter);
  SetClientSize(351, 211);
  SetHelpContext(kDualListHelpContext);

  OKBtn.SetDefault(true);
  OKBtn.SetModalResult(ModalResult::kOk);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ModalResult::kCancel);

  auto notify = [this](void (TDualListDlg::*handler)(Component&)) -> NotifyEvent {
    return [this, handler](Component& sender) { (this->*handler)(sender); };
  };
  IncludeBtn.SetOnClick(notify(&TDualListDlg::IncludeBtnClick));
  IncAllBtn.SetOnClick(notify(&TDualListDlg::IncAllBtnClick));
  ExcludeBtn.SetOnClick(notify(&TDualListDlg::ExcludeBtnClick));
  ExAllBtn.SetOnClick(notify(&TDualListDlg::ExAllBtnClick));
  HelpBtn.SetOnClick(notify(&TDualListDlg::HelpBtnClick));
  for (ListBox* list : {&SrcList, &DstList}) {
    list->SetOnDblClick(notify(&TDualListDlg::ListDblClick));
    list->SetOnDragOver([this](Component& sender, Component& source, int, int, bool& accept) {
      ListDragOver(sender, source, accept);
    });
    list->SetOnDragDrop([this](Component& sender, Component& source, int, int) {
      ListDragDrop(sender, source);
    });
  }
  SetButtons();
  // A form made outside Application::CreateForm is complete here.
  FinishCreation();
}

void TDualListDlg::Prepare(const std::vector<std::string>& names) {
  SrcList.SetItems(names);
  DstList.ClearItems();
  SetButtons();
}

void TDualListDlg::IncludeBtnClick(Component&) { MoveEntries(SrcList, DstList, Which::kSelected); }

void TDualListDlg::IncAllBtnClick(Component&) { MoveEntries(SrcList, DstList, Which::kAll); }

void TDualListDlg::ExcludeBtnClick(Component&) { MoveEntries(DstList, SrcList, Which::kSelected); }

void TDualListDlg::ExAllBtnClick(Component&) { MoveEntries(DstList, SrcList, Which::kAll); }

void TDualListDlg::HelpBtnClick(Component&) { App().HelpContext(HelpContext()); }

void TDualListDlg::ListDblClick(Component& sender) {
  ListBox* to = OtherList(sender);
  if (to != nullptr) MoveEntries(static_cast<ListBox&>(sender), *to, Which::kSelected);
}

void TDualListDlg::ListDragOver(Component& sender, Component& source, bool& accept) {
  accept = OtherList(sender) == &source;
}

void TDualListDlg::ListDragDrop(Component& sender, Component& source) {
  ListBox* to = OtherList(source);
  if (to == &sender) MoveEntries(static_cast<ListBox&>(source), *to, Which::kSelected);
}

ListBox* TDualListDlg::OtherList(const Component& list) {
  if (&list == &SrcList) return &DstList;
  if (&list == &DstList) return &SrcList;
  return nullptr;
}

void TDualListDlg::MoveEntries(ListBox& from, ListBox& to, Which which) {
  int first = -1;
  for (int i = 0; i < from.ItemCount();) {
    if (which == Which::kAll || from.Selected(i)) {
      if (first < 0) first = i;
      to.AddItem(from.Item(i));
      from.DeleteItem(i);
    } else {
      ++i;
    }
  }
  if (first >= 0 && from.ItemCount() > 0) {
    from.SetSelected(first < from.ItemCount() ? first : from.ItemCount() - 1, true);
  }
  SetButtons();
}

void TDualListDlg::SetButtons() {
  const bool left = SrcList.ItemCount() > 0;
  const bool right = DstList.ItemCount() > 0;
  IncludeBtn.SetEnabled(left);
  IncAllBtn.SetEnabled(left);
  ExcludeBtn.SetEnabled(right);
  ExAllBtn.SetEnabled(right);
}

}  // namespace zuba::ui
