// The main window's setting management on the control model: the list,
// recall, save, delete, reorder, the adapter choice, the enabling rules and
// the conversion, against the settings file of a template machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/MachineConfig.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/DualListDlg.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;
using ::testing::ElementsAre;
using Message = ScriptedUiServices::Message;

constexpr char kIni[] = "C:\\ZUBANET\\ZUBANET.INI";
constexpr char kCopy[] = "C:\\ZUBANET\\ZUBANET.---";
constexpr char kConverted[] = "[Initialize]\r\nIniConvert=1\r\nOpt1=0\r\n";

class ManageTest : public ::testing::Test {
 protected:
  ManageTest() {
    ui.SetApplicationTitle("ZubaNet ベータ版");
    app.SetTitle("ZubaNet ベータ版");
  }

  TForm1& Create(const std::string& settings) {
    if (!settings.empty()) Store(kIni, settings);
    return app.CreateForm<TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                  machine.system());
  }
  void Store(const std::string& path, const std::string& content) {
    ASSERT_TRUE(machine.files().WriteBytes(path, content));
  }
  std::string Text(const std::string& path = kIni) {
    std::string content = "<missing>";
    machine.files().ReadBytes(path, &content);
    return content;
  }
  std::string Value(const std::string& section, const std::string& key) {
    std::string value;
    machine.profiles().GetString(section, key, "<none>", &value, 2048, kIni);
    return value;
  }
  std::vector<std::string> Keys(const std::string& section) {
    std::vector<std::string> names;
    platform::ListKeyNames(machine.profiles(), section, kIni, 1024, &names);
    return names;
  }
  // "[caption] text" of each box shown since the last call.
  std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const Message& m : ui.Messages()) shown.push_back("[" + m.caption + "] " + m.text);
    ui.ClearRecords();
    return shown;
  }
  void Fail(const std::string& call, const std::string& code) {
    ASSERT_TRUE(machine.machine().config->Set("Fail", call, code));
  }

  // The user saves the window under `name` (edit mode); the replace
  // question, if one comes, takes the answer queued.
  static void SaveAs(TForm1& form, const std::string& name) {
    ASSERT_TRUE(form.EdNm.Focus());
    form.EdNm.SetText(name);
    ASSERT_TRUE(form.BbOk.Click());
  }
  // The TCP/IP group off, as by the user.
  static void TcpOff(TForm1& form) {
    if (form.CbTcp.Checked()) {
      ASSERT_TRUE(form.CbTcp.Click());
    }
  }
  static bool InEditMode(const TForm1& form) { return !form.PnOpr.Visible(); }

  testing::TempMachine machine;
  ScriptedUiServices ui;
  Application app{ui};
};

// --- The list and recall ----------------------------------------------------------

TEST_F(ManageTest, TheListIsRebuiltSortedOrReadAsOrderedAndThePreviousIsRecalled) {
  const std::string file = std::string(kConverted) +
                           "Previous=office\r\n[SETTINGLIST]\r\nSETTINGS.Count=1\r\n"
                           "SETTINGS.0=Office\r\n[NIC_registry_list]\r\nOffice=0000\r\n"
                           "[Bounds]\r\nx=1\r\n[Office]\r\nip=10.0.0.5\r\nms=255.0.0.0\r\ncp=1\r\n"
                           "[home]\r\ncp=0\r\n[initialize]\r\n";
  TForm1& sorted = Create(file);
  EXPECT_THAT(sorted.CbSetting.Items(), ElementsAre("home", "Office"));
  EXPECT_TRUE(sorted.CbSetting.Sorted());
  EXPECT_EQ(sorted.CbSetting.ItemIndex(), 1);
  EXPECT_EQ(sorted.EdNm.Text(), "Office");
  EXPECT_EQ(sorted.EdTip.Text(), "10.0.0.5");
  EXPECT_EQ(sorted.CbTnc.ItemIndex(), 0);
  EXPECT_TRUE(sorted.CbCpl.Checked());
  EXPECT_EQ(sorted.CurrentSetting[core::kIp].Value, "10.0.0.5");
  EXPECT_THAT(Shown(), ::testing::IsEmpty());

  // Ordered by hand: the stored list as it stands; home is not listed but
  // stays in the file.
  TForm1& ordered = Create(file + "[SETTINGLIST]\r\n");
  ordered.Settings.WriteListEdited(true);
  ordered.LoadSettingList();
  EXPECT_THAT(ordered.CbSetting.Items(), ElementsAre("Office"));
  EXPECT_FALSE(ordered.CbSetting.Sorted());
  EXPECT_NE(Text().find("[home]\r\ncp=0"), std::string::npos);

  // A Previous that names nothing selects nothing and leaves the window.
  Store(kIni, std::string(kConverted) + "Previous=gone\r\n[home]\r\ncp=1\r\n");
  TForm1& none = Create("");
  EXPECT_EQ(none.CbSetting.ItemIndex(), -1);
  EXPECT_EQ(none.EdNm.Text(), "");
  EXPECT_FALSE(none.CbCpl.Checked());
}

TEST_F(ManageTest, RecallOfASettingWhoseAdapterIsGoneSaysSo) {
  TForm1& form = Create(std::string(kConverted) +
                        "Previous=Office\r\n[NIC_registry_list]\r\nOffice=0009\r\n"
                        "[Office]\r\nip=10.0.0.5\r\n[empty]\r\n[nokeys]\r\n;only a comment\r\n");
  EXPECT_EQ(form.CbTnc.ItemIndex(), -1);
  EXPECT_EQ(form.EdTip.Text(), "10.0.0.5");
  EXPECT_THAT(Shown(), ElementsAre("[以前の設定が環境と異なります] "
                                   "ネットワークカードのレジストリが変更されているようです\r\n"
                                   "設定ボタンを押してネットワークカード名を指定し\r\n"
                                   "再度設定を保存しなおしてください"));
  EXPECT_EQ(ui.Messages().size(), 0u);
  // Sections without keys are listed and recall an empty setting quietly.
  ASSERT_TRUE(form.CbSetting.Choose("nokeys"));
  EXPECT_EQ(form.EdNm.Text(), "nokeys");
  EXPECT_EQ(form.EdTip.Text(), "");
  EXPECT_FALSE(form.CbTcp.Checked());
  EXPECT_THAT(Shown(), ::testing::IsEmpty());
}

// --- Save -------------------------------------------------------------------------

TEST_F(ManageTest, SaveNewThenReplaceAnsweringCancelAndOk) {
  TForm1& form = Create(std::string(kConverted) + "[home]\r\ncp=0\r\n");
  ASSERT_TRUE(form.BtConfig.Click());
  ASSERT_TRUE(form.CbTnc.Choose(0));  // Opt1 off: the current configuration, no question
  EXPECT_EQ(form.EdTip.Text(), "192.168.1.10");
  SaveAs(form, "Office");
  EXPECT_THAT(Shown(), ::testing::IsEmpty());
  EXPECT_FALSE(InEditMode(form));
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("home", "Office"));
  EXPECT_EQ(form.CbSetting.ItemIndex(), 1);
  EXPECT_EQ(Value("Office", "ip"), "192.168.1.10");
  EXPECT_EQ(Value("Office", "cp"), "0");
  EXPECT_EQ(Keys("Office").front(), "ip");  // item order
  EXPECT_EQ(Value("NIC_registry_list", "Office"), "0000");
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.Count"), "2");
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.1"), "Office");

  // The same name again, Cancel: nothing written, still editing.
  ASSERT_TRUE(form.BtConfig.Click());
  const std::string before = Text();
  TcpOff(form);
  ui.QueueAnswer(MessageResult::kCancel);
  SaveAs(form, "office");
  EXPECT_THAT(Shown(), ElementsAre("[既に登録されています] 【office】　を置き換えますか？"));
  EXPECT_EQ(Text(), before);
  EXPECT_TRUE(InEditMode(form));

  // OK: the section is written anew under the new spelling, the keys of
  // the TCP/IP group and the adapter entry are gone, the name is listed once.
  ui.QueueAnswer(MessageResult::kOk);
  SaveAs(form, "office");
  EXPECT_EQ(Value("office", "ip"), "<none>");
  EXPECT_EQ(Value("NIC_registry_list", "office"), "<none>");
  EXPECT_EQ(Text().find("[Office]"), std::string::npos);
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("home", "office"));
  EXPECT_FALSE(InEditMode(form));
}

TEST_F(ManageTest, SaveRefusedByTheCheckOrByTheFileKeepsEditing) {
  TForm1& form = Create(std::string(kConverted));
  ASSERT_TRUE(form.BtConfig.Click());
  SaveAs(form, "");
  EXPECT_THAT(Shown(), ElementsAre("[入力誤りです] 設定名が未入力です"));
  SaveAs(form, "Office");  // TCP/IP on, no adapter
  EXPECT_THAT(Shown(), ElementsAre("[入力誤りです] TCP/IP: ネットワークカードが選択されていません"));
  EXPECT_EQ(Text(), kConverted);

  TcpOff(form);
  Fail("WriteFile", "5");
  SaveAs(form, "Office");
  EXPECT_THAT(Shown(), ElementsAre("[ZubaNet ベータ版] C:\\ZUBANET\\Zubanet.ini に書き込めません"));
  EXPECT_TRUE(InEditMode(form));
  EXPECT_THAT(form.CbSetting.Items(), ::testing::IsEmpty());
  Fail("WriteFile", "0");
  EXPECT_EQ(Text(), kConverted);
}

// Refuses every write to one section of the settings file.
class RefuseSection : public platform::ProfilesWrapper {
 public:
  RefuseSection(platform::Profiles& target, std::string section)
      : ProfilesWrapper(target), section_(std::move(section)) {}
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    return section != section_ && target().WriteString(section, key, value, file);
  }
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    return section != section_ && target().WriteSection(section, entries, file);
  }

 private:
  std::string section_;
};

// A save or a replace is one change of the file: a write refused midway
// leaves the file and the list as they were, so that a replace never loses
// the setting it was to replace. (Where the platform writes at once, the
// writes before the refused one stay; the list on the screen still shows
// only what the file lists.)
TEST_F(ManageTest, AWriteRefusedMidwayLeavesTheFileAndTheListAsTheyWere) {
  machine.profiles().HoldWrites(kIni);
  const bool holds = machine.profiles().DropHeldWrites(kIni);
  const std::string before = std::string(kConverted) +
                             "[NIC_registry_list]\r\nOffice=0001\r\n[Office]\r\nip=10.0.0.5\r\n";
  Store(kIni, before);
  RefuseSection refusing(machine.profiles(), "SETTINGLIST");
  TForm1& form = app.CreateForm<TForm1>(machine.registry(), machine.files(), refusing,
                                        machine.system());
  const std::string refused = "[ZubaNet ベータ版] C:\\ZUBANET\\Zubanet.ini に書き込めません";
  for (const std::string name : {"Home", "Office"}) {
    ASSERT_TRUE(form.BtConfig.Click());
    ASSERT_TRUE(form.CbTnc.Choose(0));
    if (name == "Office") ui.QueueAnswer(MessageResult::kOk);  // replace it
    SaveAs(form, name);
    if (name == "Office") {
      EXPECT_THAT(Shown(), ElementsAre("[既に登録されています] 【Office】　を置き換えますか？", refused));
    } else {
      EXPECT_THAT(Shown(), ElementsAre(refused));
    }
    EXPECT_TRUE(InEditMode(form)) << name;
    if (holds) EXPECT_EQ(Text(), before) << name;
    EXPECT_NE(Value("Office", "ip"), "<none>") << name;
    EXPECT_THAT(form.CbSetting.Items(), ElementsAre("Office")) << name;
    ASSERT_TRUE(form.BbCan.Click());
  }
}

TEST_F(ManageTest, HandEditedListsNamingMissingOrDoubledSettingsLoseNothing) {
  TForm1& form = Create(std::string(kConverted) +
                        "[SETTINGLIST]\r\nLISTEDIT=1\r\nSETTINGS.Count=3\r\nSETTINGS.0=Ghost\r\n"
                        "SETTINGS.1=home\r\nSETTINGS.2=HOME\r\n[home]\r\ncp=1\r\n[other]\r\ncp=0\r\n");
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("Ghost", "home", "HOME"));
  ASSERT_TRUE(form.BtConfig.Click());
  TcpOff(form);
  SaveAs(form, "Ghost");  // listed without a section: no question, listed once, now last
  EXPECT_THAT(Shown(), ::testing::IsEmpty());
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("home", "HOME", "Ghost"));
  EXPECT_EQ(Value("Ghost", "cp"), "0");
  EXPECT_NE(Text().find("[other]\r\ncp=0"), std::string::npos);  // unlisted, kept
}

// --- Delete -----------------------------------------------------------------------

TEST_F(ManageTest, DeleteAsksRemovesTheSectionAndItsAdapterAndRewritesTheListEitherWay) {
  TForm1& form = Create(std::string(kConverted) +
                        "Previous=Office\r\n[NIC_registry_list]\r\nhome=0001\r\nOffice=0000\r\n"
                        "[Office]\r\nip=10.0.0.5\r\nms=255.0.0.0\r\n[home]\r\ncp=1\r\n");
  ASSERT_TRUE(form.BtConfig.Click());
  TcpOff(form);  // what the box shows does not decide
  ui.QueueAnswer(MessageResult::kCancel);
  ASSERT_TRUE(form.BtDelete.Click());
  EXPECT_THAT(Shown(), ElementsAre("[削除の確認] 【Office】　を削除しますか？"));
  EXPECT_EQ(ui.Messages().size(), 0u);
  EXPECT_EQ(Value("Office", "ip"), "10.0.0.5");
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.1"), "Office");  // written though cancelled

  ASSERT_TRUE(form.BtDelete.Click());
  EXPECT_EQ(Value("Office", "ip"), "<none>");
  EXPECT_EQ(Value("NIC_registry_list", "Office"), "<none>");
  EXPECT_EQ(Value("NIC_registry_list", "home"), "0001");
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("home"));
  EXPECT_EQ(form.CbSetting.ItemIndex(), -1);
  EXPECT_EQ(form.EdNm.Text(), "");
  EXPECT_EQ(form.EdTip.Text(), "10.0.0.5");  // the other controls keep the values
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.Count"), "1");
  ASSERT_TRUE(form.BtDelete.Click());  // nothing selected: nothing asked
  EXPECT_THAT(Shown(), ElementsAre("[削除の確認] 【Office】　を削除しますか？"));
}

// --- Reorder ----------------------------------------------------------------------

TEST_F(ManageTest, ReorderNeedsEveryNameOnTheRight) {
  TForm1& form = Create(std::string(kConverted) +
                        "Previous=b\r\n[a]\r\ncp=1\r\n[b]\r\ncp=1\r\n[c]\r\ncp=1\r\n");
  auto move = [](std::vector<std::string> names) {
    return [names](Form& dialog) {
      auto& d = static_cast<TDualListDlg&>(dialog);
      for (const std::string& name : names) {
        d.SrcList.Choose(name);
        d.IncludeBtn.Click();
      }
      d.OKBtn.Click();
    };
  };
  ui.QueueModal(move({"c", "a"}));
  ASSERT_TRUE(form.pmEditList.Click());
  EXPECT_THAT(Shown(), ElementsAre("[並べ替えが不正です] 全ての項目を右側のリストに加えてください。\r\n"
                                   "項目の削除は削除ボタンで行います。"));
  EXPECT_EQ(Value("SETTINGLIST", "LISTEDIT"), "<none>");
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("a", "b", "c"));

  ui.QueueModal([](Form& dialog) { static_cast<TDualListDlg&>(dialog).CancelBtn.Click(); });
  ASSERT_TRUE(form.pmEditList.Click());
  EXPECT_EQ(Value("SETTINGLIST", "LISTEDIT"), "<none>");

  ui.QueueModal(move({"c", "a", "b"}));
  ASSERT_TRUE(form.pmEditList.Click());
  EXPECT_THAT(ui.ModalForms(), ElementsAre("DualListDlg", "DualListDlg"));  // Cancel, OK
  EXPECT_THAT(Shown(), ::testing::IsEmpty());
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("c", "a", "b"));
  EXPECT_EQ(form.CbSetting.ItemIndex(), 2);
  EXPECT_EQ(Value("SETTINGLIST", "LISTEDIT"), "1");
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.0"), "c");
  EXPECT_EQ(Value("SETTINGLIST", "SETTINGS.2"), "b");

  // From now on saved names go last.
  ASSERT_TRUE(form.BtConfig.Click());
  TcpOff(form);
  SaveAs(form, "0first");
  EXPECT_THAT(form.CbSetting.Items(), ElementsAre("c", "a", "b", "0first"));
}

// --- Adapter choice and the TCP/IP group ------------------------------------------

TEST_F(ManageTest, ChoosingAnAdapterAsksUnderOpt1AndReadsTheCurrentConfiguration) {
  TForm1& form = Create("[Initialize]\r\nIniConvert=1\r\nOpt1=1\r\n");
  ASSERT_TRUE(form.BtConfig.Click());
  form.EdTip.SetText("1.1.1.1");
  ui.QueueAnswer(MessageResult::kNo);
  ASSERT_TRUE(form.CbTnc.Choose(0));
  EXPECT_THAT(Shown(), ElementsAre("[ZubaNet] 現在のTCP/IP設定を読み取りますか？"));
  EXPECT_EQ(form.EdTip.Text(), "1.1.1.1");
  EXPECT_EQ(form.CbTrg.ItemIndex(), 0);

  ui.QueueAnswer(MessageResult::kYes);
  ASSERT_TRUE(form.CbTnc.Choose(0));
  EXPECT_EQ(form.EdTip.Text(), "192.168.1.10");
  EXPECT_EQ(form.CbTnc.ItemIndex(), 0);  // the adapter stays chosen
  EXPECT_EQ(form.CbDde.State(), CheckState::kChecked);
  EXPECT_EQ(form.CbDde.Caption(), "DNS（設定する）");
  EXPECT_FALSE(form.CurrentSetting[core::kIp].IsSet);  // the window only
}

TEST_F(ManageTest, TheTcpIpGroupKeepsItsControlsConsistent) {
  TForm1& form = Create(std::string(kConverted));
  ASSERT_TRUE(form.BtConfig.Click());
  ASSERT_TRUE(form.CbTdh.Click());  // DHCP
  EXPECT_FALSE(form.PnTcp2.Enabled());
  EXPECT_TRUE(form.CbWiDh.Enabled());
  ASSERT_TRUE(form.CbWiDh.Click());
  EXPECT_FALSE(form.BtWins.Enabled());
  ASSERT_TRUE(form.CbTcp.Click());  // off and on again: the states come back
  EXPECT_FALSE(form.PnTcp.Enabled());
  ASSERT_TRUE(form.CbTcp.Click());
  EXPECT_TRUE(form.PnTcp.Enabled());
  EXPECT_FALSE(form.PnTcp2.Enabled());
  EXPECT_FALSE(form.BtWins.Enabled());
  ASSERT_TRUE(form.CbTdh.Click());  // DHCP off: WINS by DHCP impossible, WINS button back
  EXPECT_TRUE(form.PnTcp2.Enabled());
  EXPECT_FALSE(form.CbWiDh.Enabled());
  EXPECT_TRUE(form.BtWins.Enabled());

  std::vector<std::string> captions;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(form.CbDde.Click());
    captions.push_back(form.CbDde.Caption());
  }
  EXPECT_THAT(captions, ElementsAre("DNS（設定する）", "DNS（使用しない）", "DNS（何も変更しない）"));
}

// --- Conversion -------------------------------------------------------------------

constexpr char kVersion1[] =
    "[Initialize]\r\nOpt1=1\r\nPrevious=Office\r\nOffice=0000\r\nLost=0001\r\n"
    "[Office]\r\nip=10.0.0.5\r\n";
constexpr char kConvertQuestion[] =
    "[zubanet.ini をVer2形式に変換] これからINIファイルをVer2形式に変換します。\r\n\r\n"
    "　現在のINIファイルは zubanet.--- にリネームされます。\r\n"
    "　Ver1.xx を使用する場合は zubanet.--- を zubanet.ini と\r\n"
    "　差し替えて使用してください。";

TEST_F(ManageTest, AFirstLayoutFileIsConvertedAtStartUpAfterTheRecall) {
  ui.QueueAnswer(MessageResult::kCancel);
  Create(kVersion1);
  // The recall finds no adapter entry yet: its message comes first.
  std::vector<std::string> shown = Shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].substr(0, shown[0].find(']') + 1), "[以前の設定が環境と異なります]");
  EXPECT_EQ(shown[1], kConvertQuestion);
  EXPECT_EQ(shown[2], "[ZubaNet ベータ版] 変換を中止しました。");
  EXPECT_EQ(Text(), kVersion1);
  EXPECT_EQ(Text(kCopy), "<missing>");

  TForm1& form = Create("");  // asked again, answered OK
  EXPECT_EQ(Text(),
            "[Initialize]\r\nOpt1=1\r\nPrevious=Office\r\nIniConvert=1\r\n[Office]\r\nip=10.0.0.5\r\n"
            "[NIC_registry_list]\r\nOffice=0000\r\n");
  EXPECT_EQ(Text(kCopy), kVersion1);
  EXPECT_EQ(form.CbSetting.ItemIndex(), 0);
  Shown();
  Create("");  // converted: no question
  EXPECT_THAT(Shown(), ::testing::IsEmpty());
}

TEST_F(ManageTest, AFailedConversionSaysSoShowsTheErrorAndStartsAnyway) {
  Store(kIni, kVersion1);
  Fail("WriteFile:" + std::string(kCopy), "5");
  TForm1& form = Create("");
  std::vector<std::string> shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[2],
            "[変換失敗] 変換に失敗しました。zubanet を終了し、\r\n"
            "zubanet.--- →zubanet.ini に置き換えて\r\nzubanet を再度起動してください。");
  EXPECT_EQ(shown[3], "[ZubaNet ベータ版] C:\\ZUBANET\\ZUBANET.--- に書き込めません");
  EXPECT_EQ(Text(), kVersion1);
  EXPECT_EQ(form.CbSetting.ItemIndex(), 0);
}

}  // namespace
}  // namespace zuba::ui
