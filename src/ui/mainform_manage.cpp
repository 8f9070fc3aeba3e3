// The main window's setting management: the setting list, recall, save,
// delete, reorder, the adapter choice, the TCP/IP group's enabling rules and
// the conversion of a settings file of the first layout.
//
// A save, a delete and a reorder each end with the settings file flushed,
// so what they wrote is on the disk when they return. Every write replaces
// the file atomically, and a setting's keys, the list and an adapter entry
// are each written in one change, so an error or a crash leaves the file as
// it was before one of these writes or after it.
#include <exception>
#include <string>

#include "core/SettingWarnings.h"
#include "core/SettingsConversion.h"
#include "network/CurrentConfig.h"
#include "platform/Cp932.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/DualListDlg.h"
#include "ui/FCheck.h"
#include "ui/FClear.h"
#include "ui/FExtract.h"
#include "ui/StartUpQuestions.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kReplaceQuestionEnd[] = "】　を置き換えますか？";
constexpr char kReplaceCaption[] = "既に登録されています";
constexpr char kDeleteQuestionEnd[] = "】　を削除しますか？";
constexpr char kDeleteCaption[] = "削除の確認";
constexpr char kNameOpen[] = "【";
constexpr char kVtypeError[] = "BbOkClick: vtype error\r\n";
constexpr char kReorderMessage[] =
    "全ての項目を右側のリストに加えてください。\r\n項目の削除は削除ボタンで行います。";
constexpr char kReorderCaption[] = "並べ替えが不正です";
constexpr char kReadCurrentQuestion[] = "現在のTCP/IP設定を読み取りますか？";
constexpr char kReadCurrentCaption[] = "ZubaNet";
constexpr char kDnsNotUsed[] = "DNS（使用しない）";
constexpr char kDnsSet[] = "DNS（設定する）";
constexpr char kDnsUnchanged[] = "DNS（何も変更しない）";

// The name the list shows as selected; empty when none is.
std::string SelectedName(const ComboBox& list) {
  return list.ItemIndex() < 0 ? std::string() : list.Item(list.ItemIndex());
}

}  // namespace

void TForm1::LoadSettingList() {
  CbSetting.ClearItems();
  const bool edited = Settings.ReadListEdited();
  CbSetting.SetSorted(!edited);
  CbSetting.SetItems(edited ? Settings.ReadSettingList() : Settings.RebuildSettingList());
  const std::string previous = Settings.ReadPrevious();
  CbSetting.SetItemIndex(previous.empty() ? -1 : CbSetting.IndexOf(previous));
  CbSettingChange(CbSetting);
}

void TForm1::CbSettingChange(Component&) {
  if (CbSetting.ItemIndex() < 0) return;
  core::InitRegList(CurrentSetting, PmOpt6.Checked(), system_);
  Settings.RecallSetting(SelectedName(CbSetting), &CurrentSetting);
  ShowSetting(*this, CurrentSetting, BindingForm::kFull);
  if (CurrentSetting[core::kIp].IsSet && CbTnc.ItemIndex() < 0) {
    ShowAdapterChanged(App().Ui());
  }
}

void TForm1::BbOkClick(Component&) {
  UiServices& ui = App().Ui();
  std::string message;
  if (!CaptureSetting(*this, CurrentSetting, message, PmOpt6.Checked())) {
    ui.ShowMessageBox(message, kInputErrorCaption, MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  const std::string name = EdNm.Text();
  if (!ConfirmSaveWarnings(name)) return;
  const bool replace = Settings.SettingExists(name);
  if (replace &&
      ui.ShowMessageBox(kNameOpen + name + kReplaceQuestionEnd, kReplaceCaption,
                        MessageIcon::kQuestion, MessageButtons::kOkCancel) != MessageResult::kOk) {
    return;
  }
  core::SettingsFile::Change change(Settings);
  if (replace) {
    Settings.DeleteSetting(name);
    RemoveAdapterEntry(name);
  }
  for (int skipped : Settings.SaveSetting(name, CurrentSetting)) {
    ui.ShowPlainMessage(kVtypeError + CurrentSetting[skipped].ValueName);
  }
  if (CbTcp.Checked()) Settings.WriteAdapter(name, CbTrg.Item(CbTnc.ItemIndex()));
  // The name goes into its sorted place, or last in a list ordered by
  // hand. A name listed already (a replaced setting, or one a hand-edited
  // list names without its section) is listed once.
  const int selected = CbSetting.ItemIndex();
  const int listed = CbSetting.IndexOf(name);
  const std::string listedAs = listed >= 0 ? CbSetting.Item(listed) : std::string();
  if (listed >= 0) CbSetting.DeleteItem(listed);
  CbSetting.SetItemIndex(CbSetting.AddItem(name));
  try {
    Settings.WriteSettingList(CbSetting.Items());
    change.Commit();
  } catch (const std::exception&) {
    // The file has none of the save: neither has the list.
    CbSetting.DeleteItem(CbSetting.ItemIndex());
    if (listed >= 0) CbSetting.InsertItem(listed, listedAs);
    CbSetting.SetItemIndex(selected);
    throw;
  }
  BbCanClick(BbCan);
}

bool TForm1::ConfirmSaveWarnings(const std::string& name) {
  if (!pmSaveWarnings.Checked()) return true;
  // The capture has made sure that an adapter is selected with TCP/IP on.
  const int adapterIndex = CbTnc.ItemIndex();
  const std::string adapter =
      CbTcp.Checked() && adapterIndex >= 0 && adapterIndex < CbTrg.ItemCount()
          ? CbTrg.Item(adapterIndex)
          : std::string();
  // Only the settings of the same adapter can share the address: their
  // addresses alone are read.
  std::vector<core::SavedAddress> others;
  if (!adapter.empty() && core::HasFixedAddress(CurrentSetting)) {
    for (auto& [other, otherAdapter] : Settings.ReadAdapterEntries()) {
      if (!platform::EqualsNoCaseCp932(otherAdapter, adapter)) continue;
      std::string address = Settings.ReadSettingText(other, CurrentSetting[core::kIp].KeyCode);
      others.push_back({std::move(other), std::move(otherAdapter), std::move(address)});
    }
  }
  const std::vector<core::SettingWarning> warnings =
      core::FindSettingWarnings(CurrentSetting, name, adapter, others);
  if (warnings.empty()) return true;
  if (App().Ui().ShowMessageBox(core::SettingWarningsQuestion(warnings),
                                core::kSettingWarningsCaption, MessageIcon::kWarning,
                                MessageButtons::kYesNo) == MessageResult::kYes) {
    return true;
  }
  Control* field = nullptr;
  switch (warnings.front().field) {
    case core::WarningField::kAddress: field = &EdTip; break;
    case core::WarningField::kMask: field = &EdTms; break;
    case core::WarningField::kGateways: field = &LbTgw; break;
    case core::WarningField::kDnsServers: field = &LbDip; break;
    // The WINS servers are edited in the WINS dialog that this button opens.
    case core::WarningField::kWinsServers: field = &BtWins; break;
  }
  if (field != nullptr && field->CanFocus()) field->SetFocus();
  return false;
}

void TForm1::BtDeleteClick(Component&) {
  const int index = CbSetting.ItemIndex();
  if (index < 0) return;
  const std::string name = CbSetting.Item(index);
  core::SettingsFile::Change change(Settings);
  std::vector<std::string> names = CbSetting.Items();
  const bool confirmed = App().Ui().ShowMessageBox(kNameOpen + name + kDeleteQuestionEnd,
                                                   kDeleteCaption, MessageIcon::kWarning,
                                                   MessageButtons::kOkCancel) == MessageResult::kOk;
  if (confirmed) {
    // The adapter entry goes with its setting, whatever the TCP/IP box shows
    // now: a setting saved without TCP/IP has none to remove.
    RemoveAdapterEntry(name);
    Settings.DeleteSetting(name);
    names.erase(names.begin() + index);
  }
  Settings.WriteSettingList(names);
  change.Commit();
  if (confirmed) {
    CbSetting.DeleteItem(index);
    CbSetting.SetItemIndex(-1);
    CbSetting.Invalidate();
    EdNm.SetText("");
  }
}

void TForm1::pmEditListClick(Component&) {
  const bool wasSelected = CbSetting.ItemIndex() >= 0;
  const std::string remembered = SelectedName(CbSetting);
  DualListDlg->Prepare(CbSetting.Items());
  if (DualListDlg->ShowModal() != ModalResult::kOk) return;
  const std::vector<std::string> ordered = DualListDlg->DstList.Items();
  if (ordered.size() < CbSetting.Items().size()) {
    App().Ui().ShowMessageBox(kReorderMessage, kReorderCaption, MessageIcon::kError,
                              MessageButtons::kOk);
    return;
  }
  core::SettingsFile::Change change(Settings);
  Settings.WriteSettingList(ordered);
  Settings.WriteListEdited(true);
  change.Commit();
  CbSetting.SetSorted(false);
  CbSetting.SetItems(ordered);
  CbSetting.SetItemIndex(wasSelected ? CbSetting.IndexOf(remembered) : -1);
}

void TForm1::CbTncChange(Component&) {
  CbTrg.SetItemIndex(CbTnc.ItemIndex());
  CbTrgChange(CbTrg);
}

void TForm1::CbTrgChange(Component&) {
  if (CbTnc.ItemIndex() < 0) return;
  if (PmOpt1.Checked() &&
      App().Ui().ShowMessageBox(kReadCurrentQuestion, kReadCurrentCaption, MessageIcon::kQuestion,
                                MessageButtons::kYesNo) != MessageResult::kYes) {
    return;
  }
  core::TRegList current;
  network::CurrentConfig reader(registry_, system_, pcbPr, zbPPP, ZbProxy);
  reader.ReadCurrentConfig(SelectedName(CbTrg), PmOpt6.Checked(), current);
  ShowSetting(*this, current, BindingForm::kPartial);
}

void TForm1::CbTcpClick(Component& sender) {
  if (sender.Tag() != 1) return;
  // The panel follows the box; the panel passes its state on to every
  // control in it, so the dependent states are set again after it.
  PnTcp.SetEnabled(CbTcp.Checked());
  if (!PnTcp.Enabled()) return;
  PnTcp2.SetEnabled(!CbTdh.Checked());
  CbWiDh.SetEnabled(CbTdh.Checked());
  if (CbWiDh.Checked()) BtWins.SetEnabled(false);
}

void TForm1::CbTdhClick(Component&) {
  PnTcp2.SetEnabled(!CbTdh.Checked());
  CbWiDh.SetEnabled(CbTdh.Checked());
  if (!CbWiDh.Enabled()) {
    BtWins.SetEnabled(true);
  } else if (CbWiDh.Checked()) {
    BtWins.SetEnabled(false);
  }
}

void TForm1::CbWiDhClick(Component&) { BtWins.SetEnabled(!CbWiDh.Checked()); }

void TForm1::CbDdeClick(Component&) {
  switch (CbDde.State()) {
    case CheckState::kUnchecked:
      CbDde.SetCaption(kDnsNotUsed);
      break;
    case CheckState::kChecked:
      CbDde.SetCaption(kDnsSet);
      break;
    case CheckState::kGrayed:
      CbDde.SetCaption(kDnsUnchanged);
      break;
  }
}

void TForm1::RemoveAdapterEntry(const std::string& name) { Settings.RemoveAdapterEntry(name); }

void TForm1::ConvertSettingsFile() {
  OfferSettingsConversion(App(), IniGT, files_, CbSetting.Items());
}

void TForm1::CreateDualListDlg() { DualListDlg = &Add<TDualListDlg>("DualListDlg", App()); }

}  // namespace zuba::ui
