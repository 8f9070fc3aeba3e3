#include "ui/ZubaSel.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

class ZubaSelTest : public ::testing::Test {
 protected:
  ZubaSelTest() {
    ui.SetApplicationTitle("ZubaNet ベータ版");
    app.SetTitle("ZubaNet ベータ版");
  }

  enum class Then { kOk, kCancel };
  // Shows the dialog, answering its file dialog with `file` (empty:
  // cancel), then clicks OK or cancel.
  ModalResult ShowChoosing(const std::string& file, Then then) {
    if (file.empty()) {
      ui.QueueFileCancel();
    } else {
      ui.QueueFile(file);
    }
    ui.QueueModal([this, then](Form&) {
      enabledAtShow = dialog.btCreate.Enabled();
      (then == Then::kOk ? dialog.btCreate : dialog.BitBtn2).Click();
    });
    return dialog.ShowModal();
  }
  void WriteSettingList(const std::vector<std::string>& names) {
    std::string text = "[SETTINGLIST]\r\nSETTINGS.Count=" + std::to_string(names.size()) + "\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
      text += "SETTINGS." + std::to_string(i) + "=" + names[i] + "\r\n";
    }
    ASSERT_TRUE(machine.files().WriteBytes("C:\\ZUBANET\\ZUBANET.INI", text));
  }
  std::string Read(const std::string& path) {
    std::string content;
    machine.files().ReadBytes(path, &content);
    return content;
  }

  testing::TempMachine machine;
  ScriptedUiServices ui;
  Application app{ui};
  Form& main = app.CreateForm<Form>();
  TfmZbSel& dialog = app.CreateForm<TfmZbSel>(machine.registry(), machine.files(),
                                              machine.profiles(), machine.system(), "");
  bool enabledAtShow = false;
};

TEST_F(ZubaSelTest, TheDialogAsDesigned) {
  EXPECT_EQ(dialog.Name(), "fmZbSel");
  EXPECT_EQ(dialog.Caption(), "ZubaSel - zubasel.bat Maker");
  EXPECT_EQ(dialog.GetBorderStyle(), BorderStyle::kSingle);
  EXPECT_EQ(dialog.BorderIcons(), static_cast<unsigned>(kBiSystemMenu));
  EXPECT_EQ(dialog.Position(), FormPosition::kScreenCenter);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(dialog.cbOpt.Checked());
  EXPECT_EQ(dialog.cbOpt.Caption(), "/c オプション付き （お勧め）");
  EXPECT_EQ(dialog.btCreate.GetModalResult(), ModalResult::kOk);
  EXPECT_EQ(dialog.BitBtn2.GetModalResult(), ModalResult::kCancel);
  EXPECT_TRUE(dialog.BitBtn2.Cancel());
  EXPECT_EQ(dialog.GroupBox1.Caption(), "autoexec.bat のディレクトリ");
  EXPECT_EQ(dialog.GroupBox2.Caption(), "zubanet.exe のディレクトリ");
  EXPECT_EQ(dialog.lbDirAutoexec.Parent(), &dialog.GroupBox1);
  EXPECT_EQ(dialog.lbDirZubaNet.Parent(), &dialog.GroupBox2);
  EXPECT_EQ(dialog.PathLabel1.Bounds(), dialog.lbDirZubaNet.Bounds());
  for (TPathLabel* label : {&dialog.lbDirAutoexec, &dialog.PathLabel1, &dialog.lbDirZubaNet}) {
    EXPECT_EQ(label->Caption(), "");
    EXPECT_EQ(label->MaxLength(), 0);
    EXPECT_EQ(label->Style(), TStretchStyle::ssRight);
  }
  EXPECT_EQ(dialog.OpenDialog.Title(), "autoexec.bat を選択してください");
  EXPECT_EQ(dialog.OpenDialog.DefaultExt(), "bat");
  EXPECT_EQ(dialog.OpenDialog.Options(),
            kOfHideReadOnly | kOfPathMustExist | kOfNoLongNames | kOfEnableSizing);
  // Every control lies inside its parent's client area.
  for (Control* c : std::vector<Control*>{&dialog.cbOpt, &dialog.btCreate, &dialog.BitBtn2,
                                          &dialog.GroupBox1, &dialog.GroupBox2}) {
    EXPECT_LE(c->Left() + c->Width(), dialog.ClientWidth()) << c->Name();
    EXPECT_LE(c->Top() + c->Height(), dialog.ClientHeight()) << c->Name();
  }
}

TEST_F(ZubaSelTest, ShowingAsksForAutoexecInTheRootOfTheWindowsDrive) {
  EXPECT_EQ(ShowChoosing("C:\\AUTOEXEC.BAT", Then::kCancel), ModalResult::kCancel);
  ASSERT_EQ(ui.FileRequests().size(), 1u);
  EXPECT_EQ(ui.FileRequests()[0].initialDir, "C:\\");
  EXPECT_EQ(ui.FileRequests()[0].fileName, "autoexec.bat");
  EXPECT_TRUE(enabledAtShow);
  EXPECT_EQ(dialog.AutoexecDir, "C:\\");
  EXPECT_EQ(dialog.ProgramDir, "C:\\ZUBANET\\");
  EXPECT_EQ(dialog.lbDirAutoexec.Caption(), "C:\\");
  EXPECT_EQ(dialog.lbDirZubaNet.Caption(), "C:\\ZUBANET\\");
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(Read("C:\\ZUBANET\\zubaset.bat"), "");  // cancel writes nothing
}

TEST_F(ZubaSelTest, WithoutAnAutoexecOnlyCancelRemainsAndEachShowingWarnsOnce) {
  for (const char* file : {"", "C:\\NOPE.BAT", "C:\\WINDOWS"}) {
    ui.ClearRecords();
    EXPECT_EQ(ShowChoosing(file, Then::kOk), ModalResult::kCancel) << file;
    EXPECT_FALSE(enabledAtShow);
    EXPECT_EQ(dialog.AutoexecDir, "");
    EXPECT_EQ(dialog.lbDirAutoexec.Caption(), "(none)");
    ASSERT_EQ(ui.Messages().size(), 1u);
    const ScriptedUiServices::Message& warning = ui.Messages()[0];
    EXPECT_EQ(warning.caption, "警告");
    EXPECT_EQ(warning.text,
              "autoexec.bat が未選択のため、\n切り替え用バッチファイルの作成ができません。\n"
              "再度選択してください。");
    EXPECT_EQ(warning.button, "はい(&Y)");
    EXPECT_EQ(warning.icon, MessageIcon::kWarning);
  }
  EXPECT_EQ(Read("C:\\ZUBANET\\zubaset.bat"), "");
}

TEST_F(ZubaSelTest, OkWritesTheBootFilesForTheSavedSettingsThatTheMenuCanCarry) {
  WriteSettingList({"Office", "My Home", "A|B", "Mobile"});
  dialog.cbOpt.SetChecked(false);
  EXPECT_EQ(ShowChoosing("C:\\AUTOEXEC.BAT", Then::kOk), ModalResult::kOk);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text,
            "次の設定は起動時のメニューに書けない文字を含むため、メニューから除きました。\r\n"
            "(| < > % \" と、「ポ」のように 2 バイト目が | の文字、/ で始まる語、続けて 2 つの空白)\r\n"
            "【A|B】");
  EXPECT_EQ(ui.Messages()[0].caption, "ZubaNet ベータ版");
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kWarning);
  EXPECT_NE(Read("C:\\ZUBANET\\zubaset.bat").find("echo C:Mobile\r\n"), std::string::npos);
  EXPECT_NE(Read("C:\\AUTOEXEC.BAT").find("\r\ncall \"C:\\ZUBANET\\zubaset.bat\"\r\n"),
            std::string::npos);
  EXPECT_NE(Read("C:\\ZUBANET\\B.reg").find("\"ZubaNet\"=\"C:\\\\ZUBANET\\\\zubanet.exe My Home\""),
            std::string::npos);
  EXPECT_EQ(Read("C:\\ZUBANET\\D.reg"), "");

  // Again, with /c: the scripts change, the call line is there already.
  const std::string autoexec = Read("C:\\AUTOEXEC.BAT");
  dialog.cbOpt.SetChecked(true);
  EXPECT_EQ(ShowChoosing("C:\\AUTOEXEC.BAT", Then::kOk), ModalResult::kOk);
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_NE(Read("C:\\ZUBANET\\B.reg").find("zubanet.exe My Home /c\""), std::string::npos);
}

TEST_F(ZubaSelTest, AFailedStepIsShownByTheDefaultErrorBoxAndTheStepsBeforeItStay) {
  WriteSettingList({"Office"});
  ASSERT_TRUE(machine.machine().config->Set("Fail", "WriteFile:C:\\autoexec.zb", "5"));
  const std::string autoexec = Read("C:\\AUTOEXEC.BAT");
  EXPECT_EQ(ShowChoosing("C:\\AUTOEXEC.BAT", Then::kOk), ModalResult::kOk);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "C:\\autoexec.zb に書き込めません");
  EXPECT_EQ(ui.Messages()[0].caption, "ZubaNet ベータ版");
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kError);
  EXPECT_NE(Read("C:\\ZUBANET\\zubaset.bat"), "");  // the step before it stays
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), autoexec);
  EXPECT_EQ(Read("C:\\ZUBANET\\A.reg"), "");  // the steps after it are not done
  EXPECT_FALSE(dialog.Visible());
}

}  // namespace
}  // namespace zuba::ui
