#include "ui/FCheck.h"

#include "ui/YesNoState.h"
#include "core/SettingName.h"
#include "network/ChgWINS.h"
#include "platform/Cp932.h"
#include "system/ZubaUtil.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {

using core::TRegList;
using toolkit::CheckState;

namespace {

// What DHCP stores as address and mask.
constexpr char kDhcpAddress[] = "0.0.0.0";

const char* OneOrZero(bool on) { return on ? "1" : "0"; }

// A failed check: the message, and the focus on the control to correct. A
// control that cannot take the focus (hidden or disabled, which the window
// never lets happen while it saves) leaves it where it is rather than
// replacing the message by an error.
bool Fail(toolkit::Control& control, const std::string& text, std::string& message) {
  message = text;
  if (control.CanFocus()) control.SetFocus();
  return false;
}

// The edit's text trimmed of blanks, also put back into the edit.
std::string PutBackTrimmed(toolkit::Edit& edit, const system::LeadBytes& lead) {
  std::string text = system::TrimBlanks(edit.Text(), lead);
  edit.SetText(text);
  return text;
}

bool CaptureSettingName(TForm1& form, std::string& message) {
  const std::string& name = form.EdNm.Text();
  if (name.empty()) return Fail(form.EdNm, kNoSettingNameMessage, message);
  std::string refusal;
  if (!core::CheckSettingName(name, &refusal)) return Fail(form.EdNm, refusal, message);
  return true;
}

bool CaptureTcpIp(TForm1& form, TRegList& setting, std::string& message) {
  if (form.CbTnc.ItemIndex() < 0) return Fail(form.CbTnc, kNoAdapterMessage, message);
  JoinListBox(setting, core::kGw, form.LbTgw);
  if (form.PnTcp2.Enabled()) {
    const system::LeadBytes& lead = form.GetLeadBytes();
    const std::string address = PutBackTrimmed(form.EdTip, lead);
    if (system::IsBadAddress(address)) return Fail(form.EdTip, kBadIpMessage, message);
    SetItemValue(setting[core::kIp], address);
    const std::string mask = PutBackTrimmed(form.EdTms, lead);
    if (system::IsBadAddress(mask)) return Fail(form.EdTms, kBadMaskMessage, message);
    SetItemValue(setting[core::kMs], mask);
  } else {
    // DHCP: the disabled fields' texts do not count.
    SetItemValue(setting[core::kIp], kDhcpAddress);
    SetItemValue(setting[core::kMs], kDhcpAddress);
  }
  CaptureWins(form, setting);
  return true;
}

}  // namespace

bool CaptureSetting(TForm1& form, TRegList& setting, std::string& message, bool forceWin98) {
  core::InitRegList(setting, forceWin98, form.GetSystem());
  if (!CaptureSettingName(form, message)) return false;
  if (form.CbTcp.Checked() && !CaptureTcpIp(form, setting, message)) return false;
  CapturePrinter(form, setting);
  if (!CaptureDns(form, setting, message)) return false;
  CaptureDialUp(form, setting);
  CaptureLauncher(form, setting);
  CaptureProxy(form, setting);
  if (!CaptureWorkgroup(form, setting, message)) return false;
  CaptureHostsFiles(form, setting);
  CaptureControlPanelSwitch(form, setting);
  return true;
}

void CaptureWins(TForm1& form, TRegList& setting) {
  const bool byDhcp = form.CbTdh.Checked() && form.CbWiDh.Checked();
  if (byDhcp) {
    SetItemValue(setting[core::kWp], "");
    SetItemValue(setting[core::kWs], "");
    SetItemValue(setting[core::kWi], "");
  } else {
    SetItemValue(setting[core::kWp], form.FmWins->EdWpr.Text());
    SetItemValue(setting[core::kWs], form.FmWins->EdWsc.Text());
    SetItemValue(setting[core::kWi], form.FmWins->EdWid.Text());
  }
  SetItemValue(setting[core::kNt], network::NodeTypeFor(byDhcp, setting[core::kWp].Value));
}

void CapturePrinter(TForm1& form, TRegList& setting) {
  if (form.pcbPr.ItemIndex() >= 0) SetItemValue(setting[core::kPr], form.pcbPr.Text());
}

bool CaptureDns(TForm1& form, TRegList& setting, std::string& message) {
  switch (form.CbDde.State()) {
    case CheckState::kUnchecked:
      SetItemValue(setting[core::kDe], "0");
      return true;
    case CheckState::kGrayed:
      return true;  // DNS left as it is when the setting is applied
    case CheckState::kChecked:
      break;
  }
  const system::LeadBytes& lead = form.GetLeadBytes();
  const std::string host = PutBackTrimmed(form.EdDhs, lead);
  if (host.empty()) return Fail(form.EdDhs, kNoHostNameMessage, message);
  SetItemValue(setting[core::kDe], "1");
  SetItemValue(setting[core::kDh], host);
  SetItemValue(setting[core::kDd], system::TrimBlanks(form.EdDdm.Text(), lead));
  JoinListBox(setting, core::kDi, form.LbDip);
  JoinListBox(setting, core::kDs, form.LbDsf);
  return true;
}

void CaptureDialUp(TForm1& form, TRegList& setting) {
  if (!form.CbPpp.Checked()) return;
  const network::DialUpValues values = form.zbPPP.CaptureValues();
  SetItemValue(setting[core::kPc], OneOrZero(values.autoDial));
  SetItemValue(setting[core::kPd], OneOrZero(values.autoDisconnect));
  SetItemValue(setting[core::kPf], values.connectionName);
  SetItemValue(setting[core::kTl], values.locationName);
}

void CaptureLauncher(TForm1& form, TRegList& setting) {
  if (!form.CbEex.Checked()) return;
  // FileName and Options take the edits' texts; BuildCommandLine then
  // looks for the file.
  const std::string fileName = form.zbExec.FileName();
  const std::string options = form.zbExec.Options();
  if (platform::EqualsNoCaseCp932(fileName, form.GetFiles().ProgramPath())) return;
  std::string commandLine;
  std::string directory;
  if (!form.zbExec.BuildCommandLine(&commandLine, &directory)) return;
  SetItemValue(setting[core::kEe], fileName);
  SetItemValue(setting[core::kEo], options);
}

void CaptureProxy(TForm1& form, TRegList& setting) {
  if (!form.CbPpe.Checked()) return;
  const network::ProxyValues values = form.ZbProxy.CaptureValues();
  SetItemValue(setting[core::kPe], OneOrZero(values.enabled));
  SetItemValue(setting[core::kPv], values.server);
  SetItemValue(setting[core::kPa], values.autoConfigUrl);
}

bool CaptureWorkgroup(TForm1& form, TRegList& setting, std::string& message) {
  if (!form.CbWgp.Checked()) return true;
  const system::LeadBytes& lead = form.GetLeadBytes();
  const std::string group = PutBackTrimmed(form.EdWgp, lead);
  const std::string computer = PutBackTrimmed(form.EdWlc, lead);
  const std::string domain = PutBackTrimmed(form.EdWld, lead);
  const std::string logonId = PutBackTrimmed(form.EdWli, lead);
  const std::string comment = PutBackTrimmed(form.EdWcc, lead);
  if (computer.empty()) return Fail(form.EdWlc, kNoComputerNameMessage, message);
  if (group.empty()) return Fail(form.EdWgp, kNoGroupNameMessage, message);
  SetItemValue(setting[core::kWg], group);
  SetItemValue(setting[core::kLc], computer);
  SetItemValue(setting[core::kLo], std::to_string(form.RgLogon.ItemIndex()));
  SetItemValue(setting[core::kLd], domain);
  if (!logonId.empty()) SetItemValue(setting[core::kLi], logonId);
  if (!comment.empty()) SetItemValue(setting[core::kCc], comment);
  // Grayed: sharing stays as it is when the setting is applied.
  if (form.CbWfs.State() != CheckState::kGrayed) {
    SetItemValue(setting[core::kFs], CheckStateToYesNo(form.CbWfs.State()));
  }
  if (form.CbWps.State() != CheckState::kGrayed) {
    SetItemValue(setting[core::kPs], CheckStateToYesNo(form.CbWps.State()));
  }
  return true;
}

void CaptureHostsFiles(TForm1& form, TRegList& setting) {
  // A button shows its NoFileCaption while no file is chosen.
  if (form.fcbtHosts.Caption() != form.fcbtHosts.NoFileCaption()) {
    SetItemValue(setting[core::kHh], form.fcbtHosts.CopySrc());
  }
  if (form.fcbtLmhosts.Caption() != form.fcbtLmhosts.NoFileCaption()) {
    SetItemValue(setting[core::kHl], form.fcbtLmhosts.CopySrc());
  }
}

void CaptureControlPanelSwitch(TForm1& form, TRegList& setting) {
  SetItemValue(setting[core::kCp], OneOrZero(form.CbCpl.Checked()));
}

void SetItemValue(core::TNetReg& item, const std::string& text) {
  item.Value = text;
  item.IsSet = true;
}

void JoinListBox(TRegList& setting, int index, const toolkit::ListBox& list) {
  core::TNetReg& item = setting[static_cast<std::size_t>(index)];
  std::string joined;
  for (std::size_t i = 0; i < list.Items().size(); ++i) {
    if (i > 0) joined += item.Separator;
    joined += list.Items()[i];
  }
  SetItemValue(item, joined);
}

}  // namespace zuba::ui
