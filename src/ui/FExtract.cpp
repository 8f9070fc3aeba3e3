#include "ui/FExtract.h"

#include "ui/YesNoState.h"
#include "network/ChgWINS.h"
#include "system/IntegerText.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {

using core::TRegList;
using toolkit::CheckState;

namespace {

// The address that stands for "obtained by DHCP".
constexpr char kDhcpAddress[] = "0.0.0.0";

bool IsOne(const core::TNetReg& item) { return item.Value == "1"; }
bool IsZero(const core::TNetReg& item) { return item.Value == "0"; }

}  // namespace

void ShowSetting(TForm1& form, TRegList& setting, BindingForm which) {
  ClearSettingControls(form, which);
  form.EdNm.SetText(form.CbSetting.Text());
  ShowTcpIp(form, setting, which);
  ShowPrinter(form, setting);
  ShowDns(form, setting);
  ShowDialUp(form, setting);
  ShowProxy(form, setting);
  ShowWorkgroup(form, setting);
  if (which == BindingForm::kFull) {
    ShowLauncher(form, setting);
    ShowHostsFiles(form, setting);
    ShowControlPanelSwitch(form, setting);
  }
}

void ShowTcpIp(TForm1& form, TRegList& setting, BindingForm which) {
  if (!setting[core::kIp].IsSet) return;
  form.CbTcp.SetChecked(true);
  if (which == BindingForm::kFull) {
    // CbTrg holds the adapters' subkeys in CbTnc's order; CbTrg's own
    // selection stays.
    const std::string subkey = form.Settings.ReadAdapter(form.CbSetting.Text());
    form.CbTnc.SetItemIndex(form.CbTrg.IndexOf(subkey));
  }
  form.EdTip.SetText(setting[core::kIp].Value);
  form.EdTms.SetText(setting[core::kMs].Value);
  if (!setting[core::kGw].Value.empty()) {
    FillListBox(setting[core::kGw], form.LbTgw, form.EdTgw, form.GetLeadBytes());
  }
  if (form.EdTip.Text() == kDhcpAddress) form.CbTdh.SetChecked(true);
  ShowWins(form, setting);
}

void ShowWins(TForm1& form, TRegList& setting) {
  core::TNetReg& nodeType = setting[core::kNt];
  if (nodeType.Value == network::kNodeTypeWinsOn) {
    form.FmWins->EdWpr.SetText(setting[core::kWp].Value);
    form.FmWins->EdWsc.SetText(setting[core::kWs].Value);
    form.FmWins->EdWid.SetText(setting[core::kWi].Value);
  } else if (nodeType.Value.empty()) {
    if (form.CbTdh.Checked()) {
      form.CbWiDh.SetChecked(true);
    } else {
      nodeType.Value = network::kNodeTypeWinsOff;
    }
  }
}

void ShowPrinter(TForm1& form, TRegList& setting) {
  core::TNetReg& printer = setting[core::kPr];
  form.pcbPr.SetItemIndex(form.pcbPr.IndexOf(printer.Value));
  if (form.pcbPr.ItemIndex() < 0) printer.IsSet = false;
}

void ShowDns(TForm1& form, TRegList& setting) {
  const core::TNetReg& enable = setting[core::kDe];
  if (!enable.IsSet) return;
  if (!IsOne(enable)) {
    form.CbDde.SetState(CheckState::kUnchecked);
    return;
  }
  form.CbDde.SetState(CheckState::kChecked);
  form.EdDhs.SetText(setting[core::kDh].Value);
  form.EdDdm.SetText(setting[core::kDd].Value);
  FillListBox(setting[core::kDi], form.LbDip, form.EdDip, form.GetLeadBytes());
  FillListBox(setting[core::kDs], form.LbDsf, form.EdDsf, form.GetLeadBytes());
}

void ShowDialUp(TForm1& form, TRegList& setting) {
  if (!setting[core::kPc].IsSet) return;
  form.CbPpp.SetChecked(true);
  form.zbPPP.ShowValues(!IsZero(setting[core::kPc]), !IsZero(setting[core::kPd]),
                        setting[core::kPf].Value, setting[core::kTl].Value);
}

void ShowProxy(TForm1& form, TRegList& setting) {
  if (!setting[core::kPe].IsSet) return;
  form.CbPpe.SetChecked(true);
  form.ZbProxy.ShowValues(IsOne(setting[core::kPe]), setting[core::kPv].Value,
                          setting[core::kPa].Value);
}

void ShowWorkgroup(TForm1& form, TRegList& setting) {
  if (!setting[core::kWg].IsSet) return;
  form.CbWgp.SetChecked(true);
  form.EdWgp.SetText(setting[core::kWg].Value);
  form.EdWld.SetText(setting[core::kLd].Value);
  form.EdWlc.SetText(setting[core::kLc].Value);
  form.EdWli.SetText(setting[core::kLi].Value);
  form.EdWcc.SetText(setting[core::kCc].Value);
  // The radio group keeps the index within -1 .. the last entry.
  form.RgLogon.SetItemIndex(system::TextToInteger(setting[core::kLo].Value));
  form.CbWfs.SetState(YesNoToCheckState(setting[core::kFs].Value));
  form.CbWps.SetState(YesNoToCheckState(setting[core::kPs].Value));
}

void ShowLauncher(TForm1& form, TRegList& setting) {
  if (!setting[core::kEe].IsSet) return;
  form.CbEex.SetChecked(true);
  form.zbExec.SetFileName(setting[core::kEe].Value);
  form.zbExec.SetOptions(setting[core::kEo].Value);
}

void ShowHostsFiles(TForm1& form, TRegList& setting) {
  if (setting[core::kHh].IsSet) form.fcbtHosts.SetCopySrc(setting[core::kHh].Value);
  if (setting[core::kHl].IsSet) form.fcbtLmhosts.SetCopySrc(setting[core::kHl].Value);
}

void ShowControlPanelSwitch(TForm1& form, TRegList& setting) {
  if (IsOne(setting[core::kCp])) form.CbCpl.SetChecked(true);
}

std::vector<std::string> SplitListValue(const core::TNetReg& item, const system::LeadBytes& lead) {
  const std::string& text = item.Value;
  std::vector<std::string> entries;
  std::size_t start = 0;
  if (item.Separator != '\0') {
    for (std::size_t at = 0; at < text.size(); at += system::CharLength(text, at, lead)) {
      if (text[at] != item.Separator) continue;
      entries.push_back(text.substr(start, at - start));
      start = at + 1;
    }
  }
  // The last entry, unless a separator ended the text; at least one entry.
  if (start < text.size() || entries.empty()) entries.push_back(text.substr(start));
  return entries;
}

void FillListBox(const core::TNetReg& item, toolkit::ListBox& list, toolkit::Edit& entry,
                 const system::LeadBytes& lead) {
  entry.SetText("");
  list.SetItems(SplitListValue(item, lead));
}

}  // namespace zuba::ui
