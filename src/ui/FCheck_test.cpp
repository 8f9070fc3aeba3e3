#include "ui/FCheck.h"

#include <gtest/gtest.h>

#include "core/SettingName.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/FClear.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace core;
using toolkit::CheckState;

class FCheckTest : public ::testing::Test {
 protected:
  FCheckTest() {
    // Edit mode on a cleared window, with a name.
    form.BtConfig.Click();
    ClearSettingControls(form, BindingForm::kFull);
    form.EdNm.SetText("Office");
  }

  // The capture; the message stays "<none>" on success.
  bool Capture() {
    message = "<none>";
    return CaptureSetting(form, setting, message, false);
  }
  // TCP/IP on, the first adapter chosen, an address and a mask typed.
  void TcpIp(const std::string& address, const std::string& mask) {
    form.CbTcp.SetChecked(true);
    form.CbTnc.SetItemIndex(0);
    form.EdTip.SetText(address);
    form.EdTms.SetText(mask);
  }
  std::string Value(int index) { return setting[index].IsSet ? setting[index].Value : "<unset>"; }

  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  TForm1& form = app.CreateForm<TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                        machine.system());
  TFmWins& wins = *form.FmWins;
  TRegList setting;
  std::string message;
};

TEST_F(FCheckTest, TheSettingNameIsCheckedFirst) {
  form.EdNm.SetText("");
  form.CbTcp.SetChecked(true);  // no adapter either
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kNoSettingNameMessage);
  EXPECT_TRUE(form.EdNm.Focused());

  // A name the settings file could not hold is refused with the name rule's
  // own reason.
  for (const char* name : {"a]b", "Initialize", "a=b", " Office", "x|y"}) {
    form.EdNm.SetText(name);
    form.CbSetting.SetFocus();
    EXPECT_FALSE(Capture()) << name;
    std::string reason;
    EXPECT_FALSE(CheckSettingName(name, &reason));
    EXPECT_EQ(message, reason) << name;
    EXPECT_TRUE(form.EdNm.Focused()) << name;
  }
  // The name is not trimmed: it passes as typed or not at all.
  form.EdNm.SetText("Office 2");
  form.CbTcp.SetChecked(false);
  EXPECT_TRUE(Capture());
  EXPECT_EQ(message, "<none>");
}

TEST_F(FCheckTest, TcpIpNeedsAnAdapterBeforeAnythingIsCaptured) {
  form.CbTcp.SetChecked(true);
  form.LbTgw.AddItem("10.0.0.1");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kNoAdapterMessage);
  EXPECT_TRUE(form.CbTnc.Focused());
  EXPECT_EQ(Value(kGw), "<unset>");
}

TEST_F(FCheckTest, AddressAndMaskAreTrimmedPutBackAndChecked) {
  TcpIp("  192.168.1.10\x81\x40", " 255.255.255.0 ");
  form.LbTgw.AddItem("192.168.1.1");
  form.LbTgw.AddItem("192.168.1.254");
  EXPECT_TRUE(Capture()) << message;
  EXPECT_EQ(Value(kIp), "192.168.1.10");
  EXPECT_EQ(Value(kMs), "255.255.255.0");
  EXPECT_EQ(form.EdTip.Text(), "192.168.1.10");
  EXPECT_EQ(form.EdTms.Text(), "255.255.255.0");
  EXPECT_EQ(Value(kGw), "192.168.1.1,192.168.1.254");

  TcpIp(" 192.168.1 ", " 255.255.255.0 ");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kBadIpMessage);
  EXPECT_TRUE(form.EdTip.Focused());
  EXPECT_EQ(form.EdTip.Text(), "192.168.1");
  EXPECT_EQ(form.EdTms.Text(), " 255.255.255.0 ");  // not reached

  // Full-width digits are no address.
  TcpIp("192.168.1.10", "２５５.255.255.0");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kBadMaskMessage);
  EXPECT_TRUE(form.EdTms.Focused());
}

TEST_F(FCheckTest, DhcpStoresTheNullAddressWhateverTheFieldsHold) {
  TcpIp("garbage", "");
  form.PnTcp2.SetEnabled(false);  // as choosing DHCP leaves it
  EXPECT_TRUE(Capture()) << message;
  EXPECT_EQ(Value(kIp), "0.0.0.0");
  EXPECT_EQ(Value(kMs), "0.0.0.0");
  EXPECT_EQ(form.EdTip.Text(), "garbage");
}

TEST_F(FCheckTest, TheNodeTypeFollowsTheWinsChoices) {
  TcpIp("192.168.1.10", "255.255.255.0");
  wins.EdWpr.SetText("10.0.0.2");
  wins.EdWsc.SetText(" 10.0.0.3");  // taken as it stands
  wins.EdWid.SetText("scope");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kWp) + "|" + Value(kWs) + "|" + Value(kWi) + "|" + Value(kNt),
            "10.0.0.2| 10.0.0.3|scope|8");

  wins.EdWpr.SetText("");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kNt), "1");
  EXPECT_EQ(Value(kWs), " 10.0.0.3");

  // WINS by DHCP needs both boxes.
  form.CbWiDh.SetChecked(true);
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kNt), "1");
  form.CbTdh.SetChecked(true);
  form.PnTcp2.SetEnabled(false);
  wins.EdWpr.SetText("10.0.0.2");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kWp) + "|" + Value(kWs) + "|" + Value(kWi) + "|" + Value(kNt), "|||");

  // TCP/IP off: none of its items, whatever the fields hold.
  form.CbTcp.SetChecked(false);
  EXPECT_TRUE(Capture());
  for (int index : {kIp, kGw, kMs, kWp, kWs, kNt, kWi}) EXPECT_EQ(Value(index), "<unset>");
}

TEST_F(FCheckTest, DnsByTheStateOfItsBox) {
  form.EdDhs.SetText("host");
  form.LbDip.AddItem("10.0.0.1");
  EXPECT_TRUE(Capture());  // grayed
  for (int index : {kDe, kDh, kDd, kDi, kDs}) EXPECT_EQ(Value(index), "<unset>");

  form.CbDde.SetState(CheckState::kUnchecked);
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kDe), "0");
  EXPECT_EQ(Value(kDh), "<unset>");

  form.CbDde.SetState(CheckState::kChecked);
  form.EdDhs.SetText(" host ");
  form.EdDdm.SetText(" example.jp ");
  form.LbDsf.AddItem("");
  form.LbDsf.AddItem("b.example");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kDe) + "|" + Value(kDh) + "|" + Value(kDd), "1|host|example.jp");
  EXPECT_EQ(form.EdDhs.Text(), "host");
  EXPECT_EQ(form.EdDdm.Text(), " example.jp ");  // the domain is not put back
  EXPECT_EQ(Value(kDi), "10.0.0.1");
  EXPECT_EQ(Value(kDs), ",b.example");

  form.EdDhs.SetText("\x81\x40 ");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kNoHostNameMessage);
  EXPECT_TRUE(form.EdDhs.Focused());
  EXPECT_EQ(form.EdDhs.Text(), "");
}

TEST_F(FCheckTest, WorkgroupChecksTheComputerNameFirst) {
  form.CbWgp.SetChecked(true);
  form.EdWgp.SetText("  ");
  form.EdWlc.SetText("");
  form.EdWli.SetText(" user ");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kNoComputerNameMessage);
  EXPECT_TRUE(form.EdWlc.Focused());
  // Every text was trimmed and put back before the checks.
  EXPECT_EQ(form.EdWgp.Text(), "");
  EXPECT_EQ(form.EdWli.Text(), "user");

  form.EdWlc.SetText("PC01");
  EXPECT_FALSE(Capture());
  EXPECT_EQ(message, kNoGroupNameMessage);
  EXPECT_TRUE(form.EdWgp.Focused());
}

TEST_F(FCheckTest, WorkgroupItems) {
  form.CbWgp.SetChecked(true);
  form.EdWgp.SetText("WORKGROUP");
  form.EdWlc.SetText("PC01");
  form.RgLogon.SetItemIndex(-1);
  form.CbWfs.SetState(CheckState::kChecked);
  EXPECT_TRUE(Capture()) << message;
  EXPECT_EQ(Value(kWg) + "|" + Value(kLc) + "|" + Value(kLo) + "|" + Value(kLd),
            "WORKGROUP|PC01|-1|");
  EXPECT_EQ(Value(kLi), "<unset>");
  EXPECT_EQ(Value(kCc), "<unset>");
  EXPECT_EQ(Value(kFs), "Yes");
  EXPECT_EQ(Value(kPs), "<unset>");

  form.EdWli.SetText("user");
  form.EdWcc.SetText("comment");
  form.RgLogon.SetItemIndex(1);
  form.CbWps.SetState(CheckState::kUnchecked);
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kLi) + "|" + Value(kCc) + "|" + Value(kLo) + "|" + Value(kPs),
            "user|comment|1|No");
}

TEST_F(FCheckTest, ItemsWithoutChecks) {
  // Nothing chosen: only cp, always set.
  EXPECT_TRUE(Capture());
  for (int i = 0; i < kItemCount; ++i) {
    EXPECT_EQ(setting[i].IsSet, i == kCp) << setting[i].KeyCode;
  }
  EXPECT_EQ(Value(kCp), "0");
  EXPECT_EQ(Value(kLo), "<unset>");
  EXPECT_EQ(setting[kLo].Value, "0");

  form.CbCpl.SetChecked(true);
  form.pcbPr.SetItemIndex(1);
  form.fcbtHosts.SetCopySrc("C:\\WINDOWS\\hosts.office");
  form.CbPpp.SetChecked(true);
  form.CbPad.SetChecked(true);
  form.CbPtl.SetItemIndex(form.CbPtl.IndexOf("自宅"));
  form.CbPpe.SetChecked(true);
  form.cbPxyEnable.SetChecked(true);
  form.edPxyAddr.SetText("proxy");
  form.edPxyPort.SetText("8080");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kCp), "1");
  EXPECT_EQ(Value(kPr), form.pcbPr.Item(1));
  EXPECT_EQ(Value(kHh), "C:\\WINDOWS\\hosts.office");
  EXPECT_EQ(Value(kHl), "<unset>");
  EXPECT_EQ(Value(kPc) + "|" + Value(kPd) + "|" + Value(kPf) + "|" + Value(kTl), "0|1||自宅");
  EXPECT_EQ(Value(kPe) + "|" + Value(kPv) + "|" + Value(kPa), "1|proxy:8080|");
}

TEST_F(FCheckTest, TheLauncherDropsTheProgramItselfAndMissingFiles) {
  form.CbEex.SetChecked(true);
  form.fedExe.SetText("\"C:\\WINDOWS\\NOTEPAD.EXE\"");
  form.fedOpt.SetText("/p");
  EXPECT_TRUE(Capture());
  EXPECT_EQ(Value(kEe) + "|" + Value(kEo), "C:\\WINDOWS\\NOTEPAD.EXE|/p");

  for (const char* file : {"c:\\zubanet\\zubanet.exe", "C:\\WINDOWS\\GONE.EXE", ""}) {
    form.fedExe.SetText(file);
    EXPECT_TRUE(Capture()) << file;
    EXPECT_EQ(Value(kEe) + "|" + Value(kEo), "<unset>|<unset>") << file;
  }
}

TEST_F(FCheckTest, JoinListBoxKeepsEmptyEntries) {
  InitRegList(setting, false, machine.system());
  JoinListBox(setting, kGw, form.LbTgw);
  EXPECT_EQ(Value(kGw), "");
  form.LbTgw.AddItem("");
  JoinListBox(setting, kGw, form.LbTgw);
  EXPECT_EQ(Value(kGw), "");
  form.LbTgw.AddItem("b");
  form.LbTgw.AddItem("");
  JoinListBox(setting, kGw, form.LbTgw);
  EXPECT_EQ(Value(kGw), ",b,");
}

}  // namespace
}  // namespace zuba::ui
