// Pictures of the main window (saved under <build>/screenshots), on a
// machine with two saved settings: view mode with a tool tip, edit mode
// with a setting being made and a hint in the status bar, the open option
// menu, the About box it leads to, and the dialog of the desktop's
// shortcuts.
#include <gtest/gtest.h>

#include <QDir>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolTip>

#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/QtUiServices.h"
#include "frontend/qt/screenshots/WindowFrame.h"
#include "testing/TempMachine.h"
#include "testing/TwoSettings.h"
#include "toolkit/Application.h"
#include "ui/ShortcutMenu.h"
#include "ui/TransferDialogs.h"
#include "ui/mainform.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

QSize Save(const QPixmap& picture, const char* name) {
  QDir().mkpath(ZUBA_SCREENSHOT_DIR);
  QString path = QString(ZUBA_SCREENSHOT_DIR) + "/" + name + ".png";
  EXPECT_TRUE(picture.save(path)) << path.toStdString();
  return QPixmap(path).size();
}

class MainWindowShots : public ::testing::Test {
 protected:
  MainWindowShots() {
    zuba::testing::SaveTwoSettings(machine.profiles(), machine.files(), machine.system());
    app.SetTitle("ZubaNet ベータ版");
    ui.Watch(app);
    form = &app.CreateForm<ui::TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                       machine.system());
    form->Show();
    window = ui.Render(*form).Window();
    QApplication::processEvents();
  }

  QPixmap Picture() {
    QApplication::processEvents();
    return Framed(window, window->windowTitle(), CaptionBoxes::kMinimiseAndClose);
  }

  QWidget* Widget(const char* name) { return ui.RendererOf(*form)->FindWidget(name); }

  // Edit mode, the setting "会社" as the user makes it (over what was
  // recalled): a name, an adapter, address and mask, a gateway in its list,
  // DNS switched on with a host and a domain; the mouse rests on the
  // address.
  void EditASetting() {
    QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
    form->EdNm.EditText("会社");
    if (form->CbTnc.ItemIndex() < 0) {
      // Choosing the adapter offers to read its configuration: no.
      OnNextDialog([](QWidget* box) { QTest::keyClick(box, Qt::Key_N, Qt::AltModifier); });
      form->CbTnc.Choose(0);
    }
    form->EdTip.Focus();
    form->EdTip.EditText("192.168.10.24");
    form->EdTms.Focus();
    form->EdTms.EditText("255.255.255.0");
    if (form->LbTgw.Items().empty()) {
      form->EdTgw.Focus();
      form->EdTgw.TypeText("192.168.10.1\r");
    }
    while (form->CbDde.State() != CheckState::kChecked) form->CbDde.Click();
    form->EdDhs.Focus();
    form->EdDhs.EditText("pc024");
    form->EdDdm.Focus();
    form->EdDdm.EditText("example.co.jp");
    form->EdTip.Focus();
    form->EdTip.Hover();
  }

  QApplication& qt = TestApplication();
  testing::TempMachine machine;
  QtUiServices ui{machine.files()};
  Application app{ui};
  ui::TForm1* form = nullptr;
  QWidget* window = nullptr;
};

TEST_F(MainWindowShots, ViewModeWithAToolTip) {
  EXPECT_EQ(form->Settings.ReadPrevious(), "会社");  // saved where the window reads
  EXPECT_EQ(window->size(), QSize(185, 57));
  QWidget* apply = Widget("BtApply");
  QPoint at(apply->width() / 2, apply->height() / 2);
  QHelpEvent help(QEvent::ToolTip, at, apply->mapToGlobal(at));
  QApplication::sendEvent(apply, &help);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), ToQt("呼び出した設定を反映します"));
  QWidget* tip = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->inherits("QTipLabel")) tip = top;
  }
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(Save(Picture(), "main_view").width(), 185 + 6);
  Save(WithFloating(Picture(), window, tip), "main_view_tooltip");
  QToolTip::hideText();
}

TEST_F(MainWindowShots, EditModeWithAHintInTheStatusBar) {
  EditASetting();
  EXPECT_EQ(window->size(), QSize(541, 382));
  EXPECT_EQ(form->Sb1.SimpleText(), "IPを xx.yy.zz.ww 形式で入力します");
  EXPECT_EQ(Save(Picture(), "main_edit"), QSize(541 + 6, 382 + 6 + 18));
}

// The longest addresses, three of each: the lists show them whole.
TEST_F(MainWindowShots, EditModeWithThreeGatewaysAndThreeDnsServers) {
  EditASetting();
  std::pair<Edit*, ListBox*> lists[] = {{&form->EdTgw, &form->LbTgw}, {&form->EdDip, &form->LbDip}};
  for (auto [field, list] : lists) {
    list->ClearItems();
    for (int entry = 0; entry < 3; ++entry) {
      field->Focus();
      field->TypeText("192.168.100.25" + std::to_string(entry + 2) + "\r");
    }
  }
  EXPECT_TRUE(Save(Picture(), "main_lists").isValid());
}

TEST_F(MainWindowShots, OptionMenuAndAboutBox) {
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  QSize menu;
  OnNextPopup([&](QWidget* popup) {
    auto* view = qobject_cast<QMenu*>(popup);
    QTest::mouseMove(view, view->actionGeometry(view->actions().at(3)).center());
    menu = Save(WithFloating(Picture(), window, popup), "main_options");
    QTest::keyClick(popup, Qt::Key_Escape);
  });
  QTest::mouseClick(Widget("BtOpt"), Qt::LeftButton);
  EXPECT_TRUE(menu.isValid());

  QSize about;
  OnNextDialog([&](QWidget* box) {
    about = Save(Framed(box, box->windowTitle(), CaptionBoxes::kClose), "about");
    QTest::keyClick(box, Qt::Key_Return);
  });
  form->ZubaNet1.Click();
  EXPECT_TRUE(about.isValid());
}

// One setting chosen, /c checked; cancelled, so nothing is made.
TEST_F(MainWindowShots, DesktopShortcutDialog) {
  auto* menu = dynamic_cast<ui::TShortcutMenu*>(form->FindComponent("ShortcutMenu"));
  ASSERT_NE(menu, nullptr);
  QSize dialog;
  OnNextDialog([&](QWidget* box) {
    menu->ChoiceDlg.LbChoices.ToggleChoice(1);
    menu->ChoiceDlg.CbNoQuestion.Click();
    QApplication::processEvents();
    dialog = Save(Framed(box, box->windowTitle(), CaptionBoxes::kClose), "shortcut_dialog");
    menu->ChoiceDlg.BtCancel.Click();
  });
  menu->pmShortcut.Click();
  EXPECT_TRUE(dialog.isValid());
  EXPECT_EQ(menu->ChoiceDlg.Chosen(), std::vector<std::string>{"自宅"});
}

}  // namespace
}  // namespace zuba::qt
