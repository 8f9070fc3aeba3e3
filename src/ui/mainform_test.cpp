#include "ui/mainform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testing/TempMachine.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/ScriptedUiServices.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kSettingsPath[] = "C:\\ZUBANET\\ZUBANET.INI";

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() { ui.SetApplicationTitle("ZubaNet ベータ版"); }

  TForm1& Create(std::vector<std::string> commandLine = {}) {
    app.SetTitle("ZubaNet ベータ版");
    return app.CreateForm<TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                  machine.system(), std::move(commandLine));
  }

  std::string Ini(const std::string& key) {
    std::string value;
    machine.profiles().GetString("Initialize", key, "<none>", &value, 2048, kSettingsPath);
    return value;
  }
  void SetIni(const std::string& key, const std::string& value) {
    machine.profiles().WriteString("Initialize", key, value, kSettingsPath);
  }

  testing::TempMachine machine;
  ScriptedUiServices ui;
  Application app{ui};
};

TEST_F(MainFormTest, TheWindowAsDesigned) {
  TForm1& form = Create();
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Caption(), "ZubaNet");
  EXPECT_EQ(form.GetBorderStyle(), BorderStyle::kSingle);
  EXPECT_EQ(form.BorderIcons(), unsigned(kBiSystemMenu | kBiMinimize));
  EXPECT_TRUE(form.KeyPreview());
  EXPECT_EQ(form.Hint(), "F1キーでヘルプ表示");
  EXPECT_EQ(form.HelpContext(), 50);
  EXPECT_EQ(form.GetFont().name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(form.GetFont().size, 9);
  // View mode after creation.
  EXPECT_EQ(form.ClientWidth(), 185);
  EXPECT_EQ(form.ClientHeight(), 57);

  // A sample of the controls: bounds, parent, texts, Tag and help context.
  EXPECT_EQ(form.BtApply.Parent(), &form.PnOpr);
  EXPECT_EQ(form.BtApply.Bounds(), (Rect{84, 2, 57, 25}));
  EXPECT_EQ(form.BtApply.Caption(), "反映");
  EXPECT_EQ(form.BtApply.Tag(), 20);
  EXPECT_EQ(form.BtApply.HelpContext(), 50);
  EXPECT_EQ(form.EdTms.Parent(), &form.PnTcp2);
  EXPECT_EQ(form.EdTms.Tag(), 13);
  EXPECT_EQ(form.LbTgw.Parent(), &form.PnTcp);
  EXPECT_EQ(form.edPxyPort.Parent(), &form.pnPxy);
  EXPECT_EQ(form.CbWps.Parent(), &form.PnWg);
  EXPECT_EQ(form.CbWps.Bounds(), (Rect{224, 78, 73, 27}));
  EXPECT_EQ(form.BtOpt.Caption(), "ｵﾌﾟｼｮﾝ ");
  EXPECT_EQ(form.BtOpt.Layout(), GlyphLayout::kTop);
  EXPECT_EQ(form.CbSetting.TabOrder(), 0);
  EXPECT_EQ(form.CbSetting.Style(), ComboStyle::kDropDownList);
  EXPECT_EQ(form.CbPtl.Style(), ComboStyle::kDropDown);
  EXPECT_TRUE(form.EdNm.GetFont().bold);
  EXPECT_EQ(form.EdNm.GetFont().size, 10);
  EXPECT_TRUE(form.GbNm.GetFont().bold);
  EXPECT_FALSE(form.CbCpl.GetFont().bold);
  EXPECT_EQ(form.CbCpl.CaptionSide(), Alignment::kLeftJustify);
  for (Control* c : std::initializer_list<Control*>{&form.EdNm, &form.CbTnc, &form.EdTip,
                                                    &form.EdTms, &form.EdDhs, &form.EdWlc,
                                                    &form.EdWgp}) {
    EXPECT_EQ(c->GetColor(), kRequiredColor) << c->Name();
  }
  EXPECT_EQ(form.EdDdm.GetColor(), kClWindow);
  EXPECT_EQ(form.EdTip.GetImeMode(), ImeMode::kDisable);
  EXPECT_EQ(form.RgLogon.Items(), (std::vector<std::string>{"W9x", "NT", "他"}));
  EXPECT_EQ(form.RgLogon.ItemIndex(), 0);
  EXPECT_EQ(form.LsIniIni.ItemCount(), 13);
  EXPECT_EQ(form.LsIniIni.Item(12), "H_CUR_USR");

  // Initial states, the groups following their check boxes.
  EXPECT_TRUE(form.CbTcp.Checked());
  EXPECT_EQ(form.CbDde.State(), CheckState::kGrayed);
  EXPECT_FALSE(form.PnDns.Enabled());
  EXPECT_FALSE(form.EdDhs.Usable());
  EXPECT_FALSE(form.pnPxy.Enabled());
  EXPECT_FALSE(form.PnPpp.Enabled());
  EXPECT_FALSE(form.PnEex.Enabled());
  EXPECT_FALSE(form.PnWg.Enabled());
  EXPECT_EQ(form.CbWfs.State(), CheckState::kGrayed);
  EXPECT_FALSE(form.CbWiDh.Enabled());
  EXPECT_FALSE(form.BtDelete.Enabled());
  EXPECT_FALSE(form.BbCan.Enabled());
  EXPECT_TRUE(form.BbCan.Cancel());
  EXPECT_FALSE(form.Sb1.Visible());
  EXPECT_FALSE(form.Sb1.SizeGrip());
  EXPECT_FALSE(form.CbTrg.Visible());
  EXPECT_FALSE(form.cbPxyLocal.Visible());
  EXPECT_FALSE(form.Button1.Visible());
  EXPECT_FALSE(form.LsIniIni.Visible());
  EXPECT_TRUE(form.PnOpr.Visible());
  EXPECT_TRUE(form.ShowHint());
  EXPECT_TRUE(form.BtConfig.ShowHint());
}

TEST_F(MainFormTest, ComponentsAreBoundToTheirControls) {
  TForm1& form = Create();
  EXPECT_EQ(form.fcbtHosts.OpenDialog(), &form.odHosts);
  EXPECT_TRUE(form.fcbtHosts.CopyOverWrite());
  EXPECT_EQ(form.fcbtHosts.CopyDst(), "C:\\WINDOWS\\hosts");
  EXPECT_EQ(form.fcbtLmhosts.OpenDialog(), &form.odLmhosts);
  EXPECT_FALSE(form.fcbtLmhosts.CopyOverWrite());
  EXPECT_EQ(form.fcbtLmhosts.CopyDst(), "C:\\WINDOWS\\lmhosts");
  EXPECT_EQ(form.odHosts.InitialDir(), "C:\\WINDOWS\\");
  EXPECT_EQ(form.odHosts.Filter(), "hostsファイル|hosts*");
  EXPECT_EQ(form.odLmhosts.FileName(), "lmhosts*");
  EXPECT_EQ(form.zbExec.ExecFileEdit(), &form.fedExe);
  EXPECT_EQ(form.zbPPP.PppComboBox(), &form.CbPpf);
  EXPECT_EQ(form.zbPPP.TelComboBox(), &form.CbPtl);
  EXPECT_EQ(form.ZbProxy.PxAutoURL(), &form.edPxyAutoURL);
  EXPECT_EQ(form.zbVersion.apName, "ZubaNet");
  EXPECT_EQ(form.IniGT.Path(), "C:\\ZUBANET\\Zubanet.ini");
  EXPECT_EQ(app.HelpFile(), "C:\\ZUBANET\\Zubanet.hlp");
  // The adapters of the machine, names and subkeys in step.
  ASSERT_EQ(form.CbTnc.ItemCount(), 2);
  EXPECT_EQ(form.CbTrg.ItemCount(), 2);
  EXPECT_GT(form.pcbPr.ItemCount(), 0);
  // The WINS dialog belongs to the window but is a window of its own.
  ASSERT_NE(form.FmWins, nullptr);
  EXPECT_EQ(form.FmWins->Parent(), nullptr);
  EXPECT_EQ(form.FmWins->Owner(), &form);
  EXPECT_EQ(app.MainForm(), &form);
}

}  // namespace
}  // namespace zuba::ui
