#include "ui/FExtract.h"

#include <gtest/gtest.h>

#include <random>

#include "system/Errors.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/FCheck.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace core;
using toolkit::CheckState;

constexpr char kLaser[] = "レーザー プリンタ";  // installed on the template machine

class FExtractTest : public ::testing::Test {
 protected:
  FExtractTest() { InitRegList(setting, false, machine.system()); }

  void Set(int index, const std::string& value) { SetItemValue(setting[index], value); }
  void Set(std::initializer_list<std::pair<int, const char*>> values) {
    for (const auto& [index, value] : values) Set(index, value);
  }
  // `name` listed and selected in CbSetting, with `subkey` as its adapter.
  void Select(const std::string& name, const std::string& subkey) {
    form.Settings.WriteAdapter(name, subkey);
    form.CbSetting.SetItemIndex(form.CbSetting.AddItem(name));
  }
  std::vector<std::string> Entries(const std::string& value, char separator = ',') {
    TNetReg item;
    item.Value = value;
    item.Separator = separator;
    return SplitListValue(item, form.GetLeadBytes());
  }

  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  TForm1& form = app.CreateForm<TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                        machine.system());
  TFmWins& wins = *form.FmWins;
  TRegList setting;
};

TEST_F(FExtractTest, AnEmptySettingClearsEveryGroup) {
  Select("Office", "0000");
  // Something shown first, in every group.
  Set({{kIp, "10.0.0.5"},
       {kMs, "255.0.0.0"},
       {kGw, "10.0.0.1"},
       {kNt, "8"},
       {kWp, "10.0.0.2"},
       {kDe, "1"},
       {kDh, "host"},
       {kDi, "10.0.0.3"},
       {kWg, "WG"},
       {kFs, "Yes"},
       {kPc, "1"},
       {kPe, "1"},
       {kPv, "proxy:8080"},
       {kEe, "C:\\WINDOWS\\NOTEPAD.EXE"},
       {kHh, "C:\\WINDOWS\\hosts.office"},
       {kCp, "1"},
       {kPr, kLaser}});
  ShowSetting(form, setting, BindingForm::kFull);
  ASSERT_TRUE(form.CbTcp.Checked());

  TRegList empty;
  InitRegList(empty, false, machine.system());
  const TRegList before = empty;
  form.CbSetting.SetItemIndex(-1);
  ShowSetting(form, empty, BindingForm::kFull);
  for (toolkit::CheckBox* box : std::initializer_list<toolkit::CheckBox*>{
           &form.CbTcp, &form.CbTdh, &form.CbWiDh, &form.CbPpp, &form.CbPpe, &form.CbWgp,
           &form.CbEex, &form.CbCpl, &form.CbPac, &form.cbPxyEnable}) {
    EXPECT_EQ(box->State(), CheckState::kUnchecked) << box->Name();
  }
  EXPECT_EQ(form.CbDde.State(), CheckState::kGrayed);
  EXPECT_EQ(form.CbWfs.State(), CheckState::kGrayed);
  EXPECT_EQ(form.CbWps.State(), CheckState::kGrayed);
  EXPECT_EQ(form.RgLogon.ItemIndex(), 2);
  EXPECT_EQ(form.pcbPr.ItemIndex(), -1);
  EXPECT_EQ(form.CbTnc.ItemIndex(), -1);
  EXPECT_EQ(form.EdNm.Text(), "");
  for (toolkit::Edit* edit : {&form.EdTip, &form.EdTms, &form.EdDhs, &form.EdWgp, &form.edPxyAddr,
                              &form.edPxyPort, &wins.EdWpr, &wins.EdWsc, &wins.EdWid}) {
    EXPECT_EQ(edit->Text(), "") << edit->Name();
  }
  EXPECT_EQ(form.fedExe.Text(), "");
  EXPECT_EQ(form.LbTgw.ItemCount() + form.LbDip.ItemCount() + form.LbDsf.ItemCount(), 0);
  EXPECT_EQ(form.fcbtHosts.CopySrc(), "");
  EXPECT_EQ(form.fcbtHosts.Caption(), form.fcbtHosts.NoFileCaption());
  // Nothing set: the binding has nothing to change.
  for (int i = 0; i < kRegListSize; ++i) EXPECT_EQ(empty[i].IsSet, before[i].IsSet) << i;
}

TEST_F(FExtractTest, TheNameFieldTakesTheSelectedNameInBothForms) {
  Select("Office", "0000");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.EdNm.Text(), "Office");
  form.CbSetting.SetItemIndex(-1);
  form.EdNm.SetText("typed");
  ShowSetting(form, setting, BindingForm::kPartial);
  EXPECT_EQ(form.EdNm.Text(), "");
}

TEST_F(FExtractTest, TcpIpAndTheNodeType) {
  Select("Office", "0000");
  Set({{kIp, "192.168.1.10"}, {kMs, "255.255.255.0"}, {kGw, "192.168.1.1,192.168.1.254"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbTcp.Checked());
  EXPECT_FALSE(form.CbTdh.Checked());
  EXPECT_EQ(form.EdTms.Text(), "255.255.255.0");
  EXPECT_EQ(form.LbTgw.Items(), (std::vector<std::string>{"192.168.1.1", "192.168.1.254"}));
  // No node type and no DHCP: WINS off, the item's IsSet untouched.
  EXPECT_EQ(setting[kNt].Value, "1");
  EXPECT_FALSE(setting[kNt].IsSet);
  EXPECT_EQ(wins.EdWpr.Text(), "");

  // The DHCP address checks CbTdh, and with no node type CbWiDh too.
  Set(kIp, "0.0.0.0");
  setting[kNt].Value = "";
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbTdh.Checked());
  EXPECT_TRUE(form.CbWiDh.Checked());
  EXPECT_EQ(setting[kNt].Value, "");

  // WINS on: the dialog shows the servers and the scope, only then.
  Set({{kNt, "8"}, {kWp, "10.0.0.2"}, {kWs, "10.0.0.3"}, {kWi, "scope"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_FALSE(form.CbWiDh.Checked());
  EXPECT_EQ(wins.EdWpr.Text() + "|" + wins.EdWsc.Text() + "|" + wins.EdWid.Text(),
            "10.0.0.2|10.0.0.3|scope");
  Set(kNt, "2");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(wins.EdWpr.Text() + wins.EdWid.Text(), "");
  EXPECT_EQ(setting[kNt].Value, "2");

  // Without ip nothing of TCP/IP or WINS is shown.
  setting[kIp].IsSet = false;
  Set(kNt, "8");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_FALSE(form.CbTcp.Checked());
  EXPECT_FALSE(form.CbTdh.Checked());
  EXPECT_EQ(wins.EdWpr.Text(), "");
  EXPECT_EQ(form.LbTgw.ItemCount(), 0);
}

TEST_F(FExtractTest, TheAdapterComesFromTheSettingsFileInTheFullFormOnly) {
  ASSERT_GE(form.CbTrg.ItemCount(), 2);
  const std::string second = form.CbTrg.Item(1);
  Select("Office", second);
  Set(kIp, "192.168.1.10");
  form.CbTrg.SetItemIndex(0);
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.CbTnc.ItemIndex(), 1);
  EXPECT_EQ(form.CbTrg.ItemIndex(), -1);  // cleared, and not selected again

  // A subkey that is no longer there selects no adapter.
  form.Settings.WriteAdapter("Office", "0099");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.CbTnc.ItemIndex(), -1);

  // Partial: the user's choice stays.
  form.CbTnc.SetItemIndex(1);
  form.CbTrg.SetItemIndex(1);
  ShowSetting(form, setting, BindingForm::kPartial);
  EXPECT_EQ(form.CbTnc.ItemIndex(), 1);
  EXPECT_EQ(form.CbTrg.ItemIndex(), 1);
}

TEST_F(FExtractTest, ListValuesSplitAtTheSeparator) {
  EXPECT_EQ(Entries("a,b"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Entries(""), (std::vector<std::string>{""}));
  EXPECT_EQ(Entries("a,"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(Entries(","), (std::vector<std::string>{""}));
  EXPECT_EQ(Entries("a,,b"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Entries(",a"), (std::vector<std::string>{"", "a"}));
  EXPECT_EQ(Entries("a,b", '\0'), (std::vector<std::string>{"a,b"}));
  // A separator that is the second byte of a double-byte character does not
  // split; a lead byte at the very end stands alone.
  EXPECT_EQ(Entries("\x83\x5C,x", '\\'), (std::vector<std::string>{"\x83\x5C,x"}));
  EXPECT_EQ(Entries("ab\x83", ','), (std::vector<std::string>{"ab\x83"}));

  // The same entries as cutting tokens off one by one, on random texts.
  std::mt19937 random(13);
  const char bytes[] = {',', 'a', '\x81', '\x83', '\x5C', '\x40', '\xE0', '.'};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int n = random() % 12; n > 0; --n) text += bytes[random() % sizeof bytes];
    std::vector<std::string> expected;
    std::string rest = text;
    do {
      expected.push_back(system::TakeToken(rest, ",", form.GetLeadBytes()));
    } while (!rest.empty());
    EXPECT_EQ(Entries(text), expected) << text;
  }
}

TEST_F(FExtractTest, TheGatewayListStaysEmptyForAnEmptyValueUnlikeTheDnsLists) {
  Select("Office", "0000");
  Set({{kIp, "192.168.1.10"}, {kGw, ""}, {kDe, "1"}, {kDi, ""}, {kDs, "a.example,b.example"}});
  form.EdTgw.SetText("typed");
  form.EdDip.SetText("typed");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.LbTgw.ItemCount(), 0);
  EXPECT_EQ(form.LbDip.Items(), (std::vector<std::string>{""}));
  EXPECT_EQ(form.LbDsf.Items(), (std::vector<std::string>{"a.example", "b.example"}));
  EXPECT_EQ(form.EdTgw.Text() + form.EdDip.Text(), "");
}

TEST_F(FExtractTest, DnsByItsSwitch) {
  Set({{kDe, "0"}, {kDh, "host"}, {kDi, "10.0.0.1"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.CbDde.State(), CheckState::kUnchecked);
  EXPECT_EQ(form.EdDhs.Text(), "");
  EXPECT_EQ(form.LbDip.ItemCount(), 0);

  Set(kDe, "1");
  Set(kDd, "example.jp");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.CbDde.State(), CheckState::kChecked);
  EXPECT_EQ(form.EdDhs.Text(), "host");
  EXPECT_EQ(form.EdDdm.Text(), "example.jp");
  EXPECT_EQ(form.LbDip.Items(), (std::vector<std::string>{"10.0.0.1"}));
}

TEST_F(FExtractTest, WorkgroupLogonChoiceAndSharing) {
  Set({{kWg, "WORKGROUP"},
       {kLc, "PC01"},
       {kLd, "NTDOM"},
       {kLi, "user"},
       {kCc, "comment"},
       {kLo, "1"},
       {kFs, "yes"},
       {kPs, "NO"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbWgp.Checked());
  EXPECT_EQ(form.EdWgp.Text() + form.EdWlc.Text() + form.EdWld.Text() + form.EdWli.Text() +
                form.EdWcc.Text(),
            "WORKGROUPPC01NTDOMusercomment");
  EXPECT_EQ(form.RgLogon.ItemIndex(), 1);
  EXPECT_EQ(form.CbWfs.State(), CheckState::kChecked);
  EXPECT_EQ(form.CbWps.State(), CheckState::kUnchecked);

  Set(kLo, "5");
  Set(kFs, "");
  setting[kPs].IsSet = false;
  setting[kPs].Value = "";
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.RgLogon.ItemIndex(), 2);
  EXPECT_EQ(form.CbWfs.State(), CheckState::kGrayed);
  EXPECT_EQ(form.CbWps.State(), CheckState::kGrayed);
  Set(kLo, "-3");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.RgLogon.ItemIndex(), -1);
}

TEST_F(FExtractTest, ALogonChoiceThatIsNoIntegerStopsTheBinding) {
  Set({{kWg, "WORKGROUP"},
       {kLo, "W9x"},
       {kFs, "Yes"},
       {kEe, "C:\\WINDOWS\\NOTEPAD.EXE"},
       {kCp, "1"}});
  try {
    ShowSetting(form, setting, BindingForm::kFull);
    FAIL() << "no error";
  } catch (const system::Exception& error) {
    EXPECT_STREQ(error.what(), "'W9x' は整数ではありません");
  }
  EXPECT_EQ(form.EdWgp.Text(), "WORKGROUP");
  EXPECT_EQ(form.CbWfs.State(), CheckState::kGrayed);
  EXPECT_FALSE(form.CbEex.Checked());
  EXPECT_FALSE(form.CbCpl.Checked());
}

TEST_F(FExtractTest, DialUpAndProxy) {
  Set({{kPc, "0"},
       {kPd, "1"},
       {kPf, "ソフト開発部"},
       {kTl, "会社"},
       {kPe, "1"},
       {kPv, "proxy.example:8080"},
       {kPa, "http://auto/"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbPpp.Checked());
  EXPECT_FALSE(form.CbPac.Checked());
  EXPECT_TRUE(form.CbPad.Checked());
  EXPECT_EQ(form.CbPpf.Text(), "ソフト開発部");
  EXPECT_EQ(form.CbPtl.Text(), "会社");
  EXPECT_TRUE(form.CbPpe.Checked());
  EXPECT_TRUE(form.cbPxyEnable.Checked());
  EXPECT_EQ(form.edPxyAddr.Text() + "|" + form.edPxyPort.Text(), "proxy.example|8080");
  EXPECT_EQ(form.edPxyAutoURL.Text(), "http://auto/");

  // Empty flags count as on; a proxy is on only with "1".
  Set({{kPc, ""}, {kPd, ""}, {kPe, "0"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbPac.Checked());
  EXPECT_TRUE(form.CbPad.Checked());
  EXPECT_TRUE(form.CbPpe.Checked());
  EXPECT_FALSE(form.cbPxyEnable.Checked());
}

TEST_F(FExtractTest, APrinterThatIsNotInstalledLeavesTheSetting) {
  Set(kPr, "カラー プリンタ");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.pcbPr.Text(), "カラー プリンタ");
  EXPECT_TRUE(setting[kPr].IsSet);

  Set(kPr, "Gone Printer");
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_EQ(form.pcbPr.ItemIndex(), -1);
  EXPECT_FALSE(setting[kPr].IsSet);
  EXPECT_EQ(setting[kPr].Value, "Gone Printer");
}

TEST_F(FExtractTest, LauncherHostsAndControlPanelInTheFullFormOnly) {
  Set({{kEe, "C:\\WINDOWS\\NOTEPAD.EXE"},
       {kEo, "/p readme.txt"},
       {kHl, "C:\\WINDOWS\\lmhosts.office"},
       {kCp, "1"}});
  ShowSetting(form, setting, BindingForm::kFull);
  EXPECT_TRUE(form.CbEex.Checked());
  EXPECT_EQ(form.fedExe.Text(), "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(form.fedOpt.Text(), "/p readme.txt");
  EXPECT_EQ(form.fcbtLmhosts.CopySrc(), "C:\\WINDOWS\\lmhosts.office");
  EXPECT_EQ(form.fcbtLmhosts.Caption(), "lmhosts.office");
  EXPECT_EQ(form.fcbtHosts.Caption(), form.fcbtHosts.NoFileCaption());
  EXPECT_TRUE(form.CbCpl.Checked());

  ShowSetting(form, setting, BindingForm::kPartial);
  EXPECT_FALSE(form.CbEex.Checked());
  EXPECT_EQ(form.fedExe.Text(), "");
  EXPECT_EQ(form.fcbtLmhosts.CopySrc(), "");
  EXPECT_FALSE(form.CbCpl.Checked());
}

}  // namespace
}  // namespace zuba::ui
