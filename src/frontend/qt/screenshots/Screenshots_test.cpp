// Saves pictures of the front-end's windows as PNG files under the build
// directory (screenshots/), rendered offscreen, for people to look at: the
// WINS dialog empty and filled, its error message, the reorder dialog of the
// setting names, the help window, the file-open dialog, the boot-time switch
// maker with its short-name file dialog and a form with every kind of
// control (the main window's pictures and the About box:
// MainWindowShots_test.cpp). Each test also checks that its picture was
// written and has the window's size.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include "frontend/qt/HelpWindow.h"
#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/QtUiServices.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ListBox.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/StatusBar.h"
#include "ui/DualListDlg.h"
#include "ui/MlChkbox.h"
#include "ui/PanelEx.h"
#include "ui/TulGroupCheckBox.h"
#include "ui/ZubaSel.h"
#include "ui/winsform.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

QString Save(QWidget* widget, const char* name) {
  QDir().mkpath(ZUBA_SCREENSHOT_DIR);
  QString path = QString(ZUBA_SCREENSHOT_DIR) + "/" + name + ".png";
  QApplication::processEvents();
  EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
  return path;
}

class ScreenshotTest : public ::testing::Test {
 protected:
  ScreenshotTest() {
    core::InitRegList(setting, false, machine.system());
    app.SetTitle("ZubaNet ベータ版");
    app.SetHelpFile("C:\\ZUBANET\\Zubanet.hlp");
  }

  // Saves the next modal dialog Qt shows, then answers it with Escape.
  void SaveNextDialog(const char* name) {
    OnNextDialog([this, name](QWidget* dialog) {
      saved = QPixmap(Save(dialog, name)).size();
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
  }

  QApplication& qt = TestApplication();
  testing::TempMachine machine;
  QtUiServices ui{machine.files()};
  Application app{ui};
  core::TRegList setting;
  Form& mainForm = app.CreateForm<Form>();
  ui::TFmWins& wins = app.CreateForm<ui::TFmWins>(setting, machine.system());
  QSize saved;
};

TEST_F(ScreenshotTest, WinsDialog) {
  wins.Show();
  FormRenderer& r = ui.Render(wins);
  EXPECT_EQ(QPixmap(Save(r.Window(), "wins")).size(), QSize(211, 139));
  wins.EdWpr.SetText("192.168.1.2");
  wins.EdWsc.SetText("192.168.1.3");
  wins.EdWid.SetText("スコープ");
  wins.EdWsc.SetFocus();
  Save(r.Window(), "wins_filled");
}

TEST_F(ScreenshotTest, WinsErrorMessage) {
  wins.Show();
  FormRenderer& r = ui.Render(wins);
  wins.EdWpr.SetText("192.168.1");
  SaveNextDialog("wins_error");
  QTest::mouseClick(static_cast<QToolButton*>(r.FindWidget("BbOk")), Qt::LeftButton);
  EXPECT_TRUE(saved.isValid());
}

TEST_F(ScreenshotTest, ReorderDialog) {
  auto& dialog = app.CreateForm<ui::TDualListDlg>();
  dialog.Prepare({"自宅", "Office", "ホテル", "Mobile"});
  dialog.SrcList.Choose(1);
  dialog.IncludeBtn.Click();
  dialog.Show();
  FormRenderer& r = ui.Render(dialog);
  EXPECT_EQ(QPixmap(Save(r.Window(), "reorder")).size(), QSize(351, 211));
  dialog.Hide();
}

TEST_F(ScreenshotTest, HelpWindowAndOpenDialog) {
  app.HelpContext(34);
  ASSERT_NE(ui.Help(), nullptr);
  EXPECT_TRUE(ui.Help()->Text().contains(ToQt("TCP/IP")));
  Save(ui.Help(), "help");

  OpenDialog& dialog = mainForm.Add<OpenDialog>("odHosts");
  dialog.SetTitle("Hostsファイルの選択");
  dialog.SetFilter("hostsファイル|hosts*");
  dialog.SetInitialDir("C:\\WINDOWS\\");
  dialog.SetFileName("hosts*");
  OnNextDialog([this](QWidget* shown) {
    saved = QPixmap(Save(shown, "open_dialog")).size();
    auto* name = shown->findChild<QLineEdit*>("FileName");
    name->setText("hosts.office");
    QTest::keyClick(name, Qt::Key_Return);
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\WINDOWS\\hosts.office");
}

// The boot-time switch maker: its file dialog lists 8.3 names only and
// answers autoexec.bat; then the dialog with both directories.
TEST_F(ScreenshotTest, BootSwitchMaker) {
  auto& maker = app.CreateForm<ui::TfmZbSel>(machine.registry(), machine.files(),
                                             machine.profiles(), machine.system(), "");
  QSize dialogSize;
  OnNextDialog([&](QWidget* shown) {
    Save(shown, "zubasel_open_dialog");
    auto* entries = shown->findChild<QListWidget*>("Entries");
    EXPECT_FALSE(entries->findItems("PROGRA~1", Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(entries->findItems("Program Files", Qt::MatchExactly).isEmpty());
    QPointer<QWidget> fileDialog = shown;
    WhenUp(
        [&, fileDialog]() -> QWidget* {
          return fileDialog.isNull() || !fileDialog->isVisible() ? ui.Render(maker).Window()
                                                                 : nullptr;
        },
        [&](QWidget* window) {
          dialogSize = QPixmap(Save(window, "zubasel")).size();
          QTest::mouseClick(window->findChild<QWidget*>("BitBtn2"), Qt::LeftButton);
        });
    QTest::keyClick(shown->findChild<QLineEdit*>("FileName"), Qt::Key_Return);
  });
  EXPECT_EQ(maker.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(maker.lbDirAutoexec.Caption(), "C:\\");
  EXPECT_EQ(dialogSize, QSize(maker.ClientWidth(), maker.ClientHeight()));
}

// Every kind of control the renderer draws, on one form.
TEST_F(ScreenshotTest, EveryKindOfControl) {
  Form& form = app.CreateForm<Form>();
  form.SetCaption("コントロール");
  form.SetBorderStyle(BorderStyle::kSingle);
  form.SetClientSize(320, 200);
  auto place = [](Control& c, int l, int t, int w, int h) { c.SetBounds(l, t, w, h); };
  auto& panel = form.Add<ui::TPanelEx>("PnGroup");
  place(panel, 4, 10, 150, 90);
  panel.SetBevels(Bevel::kRaised, Bevel::kLowered);
  auto& group = form.Add<ui::TTulGroupCheckBox>("CbGroup");  // over the panel's edge
  place(group, 12, 2, 80, 17);
  group.SetCaption("グループ");
  group.SetAllowGrayed(true);
  group.SetState(CheckState::kGrayed);
  Font bold = group.GetFont();
  bold.bold = true;
  group.SetFont(bold);
  auto& edit = panel.Add<Edit>("EdRequired");
  place(edit, 8, 14, 100, 20);
  edit.SetColor(Rgb(128, 255, 255));
  edit.SetText("必須の項目");
  auto& multi = panel.Add<ui::TMultiLineCheckBox>("CbMulti");
  place(multi, 8, 38, 83, 27);
  multi.SetCaption("WINS解決にDHCPを使う");
  multi.SetChecked(true);
  auto& left = panel.Add<CheckBox>("CbLeft");
  place(left, 96, 42, 46, 17);
  left.SetCaption("起動");
  left.SetCaptionSide(Alignment::kLeftJustify);
  auto& file = panel.Add<FileNameEdit>("fedExe");
  place(file, 8, 66, 134, 20);
  file.SetText("C:\\WINDOWS\\NOTEPAD.EXE");
  auto& box = form.Add<GroupBox>("GbNm");
  place(box, 160, 4, 156, 44);
  box.SetCaption("編集を行う設定名");
  auto& combo = box.Add<ComboBox>("CbTnc");
  place(combo, 8, 16, 140, 20);
  combo.SetStyle(ComboStyle::kDropDownList);
  combo.SetItems({"NE2000 互換", "ダイヤルアップ アダプタ"});
  combo.SetItemIndex(0);
  auto& radio = form.Add<RadioGroup>("RgLogon");
  place(radio, 160, 52, 57, 73);
  radio.SetCaption("Logon");
  radio.SetItems({"W9x", "NT", "他"});
  radio.SetItemIndex(1);
  auto& list = form.Add<ListBox>("LbTgw");
  place(list, 224, 56, 92, 44);
  list.SetItems({"192.168.1.1", "192.168.1.254"});
  list.SetItemIndex(0);
  auto& disabled = form.Add<Button>("BtDisabled");
  place(disabled, 224, 104, 92, 25);
  disabled.SetCaption("無効");
  disabled.SetGlyph("BtnCancel");
  disabled.SetEnabled(false);
  auto& ok = form.Add<Button>("BbOk");
  place(ok, 4, 104, 80, 25);
  ok.SetCaption("保存");
  ok.SetGlyph("BtnOk");
  auto& label = form.Add<Label>("LaTip");
  place(label, 90, 110, 120, 12);
  label.SetCaption("IPアドレス");
  auto& bar = form.Add<StatusBar>("Sb1");
  bar.SetSizeGrip(false);
  bar.SetSimpleText("F1キーでヘルプ表示");
  form.Show();
  FormRenderer& r = ui.Render(form);
  EXPECT_EQ(QPixmap(Save(r.Window(), "controls")).size(), QSize(320, 200));
}

}  // namespace
}  // namespace zuba::qt
