#include "ui/mainform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/sim/MachineConfig.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
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
  EXPECT_EQ(form.LsIniIni.ItemCount(), 15);
  EXPECT_EQ(form.LsIniIni.Item(12), "H_CUR_USR");
  EXPECT_EQ(form.LsIniIni.Item(13), "SaveWarnings");
  EXPECT_EQ(form.LsIniIni.Item(14), "TrialSeconds");

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


// The options as the check marks of the menu show them, Opt1 ... Opt7.
std::string Marks(TForm1& form) {
  std::string marks;
  for (MenuItem* item : {&form.PmOpt1, &form.PmOpt2, &form.PmOpt3, &form.PmOpt4, &form.PmOpt5,
                         &form.PmOpt6, &form.PmOpt7}) {
    marks += item->Checked() ? '1' : '0';
  }
  return marks;
}

TEST_F(MainFormTest, FirstStartWithoutSettingsFile) {
  TForm1& form = Create();
  EXPECT_EQ(Marks(form), "1101100");
  EXPECT_TRUE(form.PmOpt2.Enabled());
  EXPECT_FALSE(form.PmOpt7.Visible());
  EXPECT_EQ(form.Position(), FormPosition::kDefaultPosOnly);
  EXPECT_FALSE(form.PositionSet());  // the system places the window
  EXPECT_EQ(form.CbSetting.ItemCount(), 0);
  EXPECT_EQ(Ini("Opt1"), "<none>");  // nothing written while starting
  form.Show();
  form.SetBounds(321, 99, form.Width(), form.Height());  // the user moves the window
  EXPECT_TRUE(form.ClickCloseBox());
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(Ini("WindowSize.X"), "321");
  EXPECT_EQ(Ini("WindowSize.Y"), "99");
  const char* expected[] = {"1", "1", "0", "1", "1", "0", "0"};
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(Ini("Opt" + std::to_string(n)), expected[n - 1]);
}

TEST_F(MainFormTest, StoredOptionsAndPosition) {
  SetIni("Opt1", "0");
  SetIni("Opt2", "1");
  SetIni("Opt3", "7");  // any number but 0 is on
  SetIni("Opt5", "0");
  SetIni("Opt6", "garbage");  // damaged: the default (off)
  SetIni("Opt7", "1");
  SetIni("WindowSize.X", "300");
  SetIni("WindowSize.Y", "200");
  TForm1& form = Create();
  EXPECT_EQ(Marks(form), "0111001");
  // Unchecked Opt5 leaves Opt2 disabled with its mark.
  EXPECT_FALSE(form.PmOpt2.Enabled());
  EXPECT_EQ(form.Left(), 300);
  EXPECT_EQ(form.Top(), 200);
  EXPECT_TRUE(form.PositionSet());
}

TEST_F(MainFormTest, APositionIsStoredOrLeftToTheSystem) {
  SetIni("WindowSize.X", "left");  // damaged: as if missing
  SetIni("WindowSize.Y", "");
  EXPECT_FALSE(Create().PositionSet());
  SetIni("WindowSize.X", "0");  // the top-left corner is a place too
  SetIni("WindowSize.Y", "0");
  EXPECT_TRUE(Create().PositionSet());
}

TEST_F(MainFormTest, OptionMenu) {
  TForm1& form = Create();
  ASSERT_TRUE(form.BtOpt.Click());
  // The menu pops up at the button's bottom-left corner on the screen.
  ASSERT_EQ(ui.MenusShown().size(), 1u);
  int x = 0;
  int y = 0;
  form.BtOpt.ClientToScreen(0, form.BtOpt.Height(), &x, &y);
  EXPECT_EQ(ui.MenusShown()[0].menu, "PmOpt");
  EXPECT_EQ(ui.MenusShown()[0].x, x);
  EXPECT_EQ(ui.MenusShown()[0].y, y);

  // Each change is saved at once.
  ui.QueueMenuChoice("PmOpt3");
  form.BtOpt.Click();
  EXPECT_TRUE(form.PmOpt3.Checked());
  EXPECT_EQ(Ini("Opt3"), "1");
  EXPECT_EQ(Ini("Opt5"), "1");

  // Opt5 off disables Opt2 and keeps its mark; on again, Opt2 is back.
  ASSERT_TRUE(form.PmOpt5.Click());
  EXPECT_FALSE(form.PmOpt5.Checked());
  EXPECT_FALSE(form.PmOpt2.Enabled());
  EXPECT_TRUE(form.PmOpt2.Checked());
  EXPECT_FALSE(form.PmOpt2.Click());
  EXPECT_EQ(Ini("Opt5"), "0");
  ASSERT_TRUE(form.PmOpt5.Click());
  EXPECT_TRUE(form.PmOpt2.Enabled());
  EXPECT_TRUE(form.PmOpt2.Checked());
  ASSERT_TRUE(form.PmOpt2.Click());
  EXPECT_EQ(Ini("Opt2"), "0");
}

TEST_F(MainFormTest, ASettingsFileThatRefusesWritesIsReportedAndTheWindowStillCloses) {
  machine.machine().config->Set("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "5");
  TForm1& form = Create();
  form.Show();
  form.PmOpt1.Click();
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].caption, "ZubaNet ベータ版");
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kError);
  EXPECT_NE(ui.Messages()[0].text.find("に書き込めません"), std::string::npos);
  form.ClickCloseBox();
  EXPECT_EQ(ui.Messages().size(), 2u);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(MainFormTest, CommandLine) {
  struct Case {
    std::vector<std::string> parameters;
    bool autoApply, noQuestion, powerOff;
    std::string name;
  } cases[] = {
      {{"/c", "/e", "Office"}, true, true, true, "Office"},
      {{"/x"}, false, false, false, ""},
      {{"/"}, false, false, false, ""},
      {{"Office", "/C"}, true, true, false, "Office"},
      {{"My", "Office"}, true, false, false, "My Office"},  // RunOnce without quotes
      {{"/E", "", "Home"}, true, false, true, "Home"},
      {{"設定", "/ｃ"}, true, false, false, "設定"},
  };
  for (const Case& c : cases) {
    TForm1& form = Create(c.parameters);
    EXPECT_EQ(form.AutoApply, c.autoApply) << c.parameters[0];
    EXPECT_EQ(form.NoRestartQuestion, c.noQuestion) << c.parameters[0];
    EXPECT_EQ(form.PowerOffInstead, c.powerOff) << c.parameters[0];
    EXPECT_EQ(form.AutoApplyName, c.name);
  }
}

TEST_F(MainFormTest, FirstShowWithANameSelectsItOrEnds) {
  SetIni("IniConvert", "1");  // no conversion question
  SetIni("Previous", "Home");
  TForm1& listed = Create({"office"});
  listed.CbSetting.SetItems({"Home", "Office"});
  listed.Show();
  EXPECT_FALSE(listed.AutoApply);
  EXPECT_EQ(listed.CbSetting.ItemIndex(), 1);
  EXPECT_TRUE(app.Terminated());  // applied: the apply flow ends the program
  ui.ClearRecords();

  TForm1& unknown = Create({"Nowhere"});
  unknown.Show();
  EXPECT_EQ(Ini("Previous"), "");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(MainFormTest, EditModeAndBack) {
  TForm1& form = Create();
  form.Show();
  EXPECT_TRUE(form.CbSetting.Focused());
  ASSERT_TRUE(form.BtConfig.Click());
  EXPECT_EQ(form.ClientWidth(), 541);
  EXPECT_EQ(form.ClientHeight(), 382);
  EXPECT_TRUE(form.BbCan.Enabled());
  EXPECT_TRUE(form.BtDelete.Enabled());
  EXPECT_FALSE(form.ShowHint());
  EXPECT_TRUE(form.BtApply.ShowHint());
  EXPECT_FALSE(form.PnOpr.Visible());
  EXPECT_TRUE(form.Sb1.Visible());
  EXPECT_EQ(form.Sb1.Bounds(), (Rect{0, 363, 541, 19}));
  EXPECT_TRUE(form.EdNm.Focused());
  // Hints go to the status bar.
  form.EdTip.Hover();
  EXPECT_EQ(form.Sb1.SimpleText(), "IPを xx.yy.zz.ww 形式で入力します");
  // Escape in edit mode goes back to view mode.
  form.EdNm.PressKey(vk::kEscape);
  EXPECT_FALSE(app.Terminated());
  EXPECT_EQ(form.ClientWidth(), 185);
  EXPECT_EQ(form.ClientHeight(), 57);
  EXPECT_FALSE(form.BbCan.Enabled());
  EXPECT_FALSE(form.BtDelete.Enabled());
  EXPECT_TRUE(form.ShowHint());
  EXPECT_TRUE(form.PnOpr.Visible());
  EXPECT_FALSE(form.Sb1.Visible());
  EXPECT_TRUE(form.CbSetting.Focused());
  // Return in the list enters edit mode; there Escape in the list leaves
  // it rather than closing the program.
  form.CbSetting.PressKey(vk::kReturn);
  EXPECT_FALSE(form.PnOpr.Visible());
  form.CbSetting.PressKey(vk::kEscape);
  EXPECT_TRUE(form.PnOpr.Visible());
  EXPECT_FALSE(app.Terminated());
  // Escape in view mode ends the program, in the list and elsewhere.
  form.CbSetting.PressKey(vk::kEscape);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(MainFormTest, EscapeOnAViewModeButtonClosesTheWindow) {
  TForm1& form = Create();
  form.Show();
  form.BtApply.PressKey(vk::kEscape);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(MainFormTest, TabInViewModeNeverLeavesTheFocusInTheNameField) {
  TForm1& form = Create();
  form.Show();
  for (int i = 0; i < 8; ++i) {
    Control* focused = form.ActiveControl();
    ASSERT_NE(focused, nullptr);
    focused->PressKey(vk::kTab);
    EXPECT_NE(form.ActiveControl(), &form.EdNm) << i;
  }
  // Return to the list: the cycle is list, Config, Apply.
  form.CbSetting.Focus();
  form.CbSetting.PressKey(vk::kTab);
  EXPECT_TRUE(form.BtConfig.Focused());
  form.BtConfig.PressKey(vk::kTab);
  EXPECT_TRUE(form.BtApply.Focused());
  form.BtApply.PressKey(vk::kTab);
  EXPECT_TRUE(form.CbSetting.Focused());
}

TEST_F(MainFormTest, ListEntryFields) {
  TForm1& form = Create();
  form.Show();
  form.BtConfig.Click();
  auto enter = [&](Edit& field, const std::string& text) {
    field.EditText(text);
    field.PressKey(vk::kReturn);
  };
  enter(form.EdTgw, " 192.168.0.1　");
  EXPECT_EQ(form.LbTgw.Items(), (std::vector<std::string>{"192.168.0.1"}));
  EXPECT_EQ(form.EdTgw.Text(), "");
  for (const char* bad : {"192.168.0", "192..168.0.1", "gateway", "１９２．１６８．０．１", ""}) {
    ui.ClearRecords();
    enter(form.EdTgw, bad);
    ASSERT_EQ(ui.Messages().size(), 1u) << bad;
    EXPECT_EQ(ui.Messages()[0].text, "正しいアドレスを入力して下さい");
    EXPECT_EQ(ui.Messages()[0].caption, "入力誤りです");
    EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kError);
    EXPECT_EQ(form.EdTgw.Text(), bad);
    EXPECT_EQ(form.LbTgw.ItemCount(), 1);
  }
  // DNS servers are checked too; suffixes are not, even empty ones.
  form.CbDde.SetState(CheckState::kChecked);
  enter(form.EdDip, "10.0.0.1");
  enter(form.EdDip, "10.0.0.2");
  enter(form.EdDip, "10.0.0.3");
  EXPECT_EQ(form.LbDip.ItemCount(), 3);
  enter(form.EdDsf, "  example.jp ");
  enter(form.EdDsf, "");
  EXPECT_EQ(form.LbDsf.Items(), (std::vector<std::string>{"example.jp", ""}));
  // Other keys type as usual.
  form.EdDsf.TypeText("ab");
  EXPECT_EQ(form.EdDsf.Text(), "ab");

  // Delete moves the selected entry back into the field.
  form.LbDip.Choose(1);
  form.LbDip.PressKey(vk::kDelete);
  EXPECT_EQ(form.EdDip.Text(), "10.0.0.2");
  EXPECT_EQ(form.LbDip.Items(), (std::vector<std::string>{"10.0.0.1", "10.0.0.3"}));
  form.LbDip.SetItemIndex(-1);
  form.LbDip.PressKey(vk::kDelete);
  EXPECT_EQ(form.LbDip.ItemCount(), 2);
  EXPECT_EQ(form.EdDip.Text(), "10.0.0.2");
}

TEST_F(MainFormTest, RightClickHelp) {
  TForm1& form = Create();
  form.Show();
  form.BtConfig.Click();
  // Disabled panels take no clicks: the groups are switched on.
  for (CheckBox* group : std::initializer_list<CheckBox*>{&form.CbPpe, &form.CbPpp, &form.CbWgp}) {
    group->SetChecked(true);
  }
  struct Case {
    Control* control;
    int topic;
  } cases[] = {{&form.LaSetting, 50}, {&form.Image1, 47}, {&form.PnTcp, 34}, {&form.CbDde, 35},
               {&form.BtOpt, 32},     {&form.pnPxy, 48},  {&form.PnPpp, 19}, {&form.CbEex, 36},
               {&form.PnWg, 37},      {&form.GbNm, 47},   {&form, 50}};
  for (const Case& c : cases) {
    ui.ClearRecords();
    c.control->RightClick();
    ASSERT_EQ(ui.HelpRequests().size(), 1u) << c.control->Name();
    EXPECT_EQ(ui.HelpRequests()[0].context, c.topic) << c.control->Name();
    EXPECT_EQ(ui.HelpRequests()[0].helpFile, "C:\\ZUBANET\\Zubanet.hlp");
  }
  ui.ClearRecords();
  form.LaSetting.Click();
  form.PnTcp.Click();
  EXPECT_TRUE(ui.HelpRequests().empty());
  // A picture whose Tag names no topic says how help works.
  form.CbMouseDownHelp(form.Image4, MouseButton::kRight, 0, 0, 0);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text,
            "各項目のチェックボックス等を右クリックすると\r\nヘルプの該当ページにジャンプします");
  EXPECT_TRUE(ui.HelpRequests().empty());
  // F1 shows the focused control's topic.
  form.EdTip.PressKey(vk::kF1);
  ASSERT_EQ(ui.HelpRequests().size(), 1u);
  EXPECT_EQ(ui.HelpRequests()[0].context, 34);
}

TEST_F(MainFormTest, AboutIsBuiltAnewEachTime) {
  TForm1& form = Create();
  form.ZubaNet1.Click();
  form.ZubaNet1.Click();
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].text, ui.Messages()[1].text);
  const std::string& text = ui.Messages()[0].text;
  const std::string ending = "\n\nOS Ver: 4.10.2222\n\n★ベータテストありがとうございます★";
  ASSERT_GE(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
  EXPECT_EQ(text.rfind("Network Configuration Changer for Windows9x\nZubaNet Ver. ", 0), 0u);
}

TEST_F(MainFormTest, SmallHandlers) {
  TForm1& form = Create();
  Form& boot = app.CreateForm<Form>();
  boot.SetName("fmZbSel");
  form.SetBootDialog(&boot);
  form.Show();
  form.BtConfig.Click();
  form.Image5.Click();
  EXPECT_TRUE(form.CbCpl.Checked());
  form.Image5.Click();
  EXPECT_FALSE(form.CbCpl.Checked());
  form.BtWins.Click();
  form.Windows1.Click();
  EXPECT_EQ(ui.ModalForms(), (std::vector<std::string>{"FmWins", "fmZbSel"}));
  EXPECT_FALSE(form.FmWins->Visible());
}
}  // namespace
}  // namespace zuba::ui
