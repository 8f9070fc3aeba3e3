#include "frontend/qt/FormRenderer.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include "frontend/qt/ControlWidgets.h"
#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/QtUiServices.h"
#include "system/ZubaUtil.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ListBox.h"
#include "toolkit/StatusBar.h"
#include "ui/HeldKeysSystem.h"
#include "ui/winsform.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

class FormRendererTest : public ::testing::Test {
 protected:
  FormRendererTest() { core::InitRegList(setting, false, machine.system()); }

  template <class W>
  W* Find(FormRenderer& renderer, const char* name) {
    W* widget = dynamic_cast<W*>(renderer.FindWidget(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Clicks the button of the next message box whose caption is `button`,
  // recording the box's caption and text.
  void AnswerNextBox(const char* button) {
    OnNextDialog([this, button](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      boxes.push_back(box->windowTitle() + "|" + box->text());
      for (QAbstractButton* b : box->buttons()) {
        if (b->text() == ToQt(button)) b->click();
      }
    });
  }

  QApplication& qt = TestApplication();
  testing::TempMachine machine;
  QtUiServices ui{machine.files()};
  Application app{ui};
  core::TRegList setting;
  Form& mainForm = app.CreateForm<Form>();  // the dialog is not the main form
  ui::TFmWins& wins = app.CreateForm<ui::TFmWins>(setting, machine.system());
  QStringList boxes;
};

TEST_F(FormRendererTest, TheWinsDialogIsDrawnAtTheModelsBoundsInTheWindowFont) {
  wins.Show();
  FormRenderer& r = ui.Render(wins);
  QWidget* window = r.Window();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(211, 139));
  EXPECT_EQ(window->windowTitle(), ToQt("WINS設定"));
  EXPECT_EQ(Find<QLineEdit>(r, "EdWpr")->geometry(), QRect(84, 4, 121, 20));
  EXPECT_EQ(Find<QLineEdit>(r, "EdWid")->geometry(), QRect(84, 60, 121, 20));
  EXPECT_EQ(Find<QToolButton>(r, "BbOk")->geometry(), QRect(88, 112, 121, 25));
  EXPECT_EQ(Find<QToolButton>(r, "BbCancel")->text(), "Cancel");
  auto* note = Find<LabelWidget>(r, "Label1");
  EXPECT_EQ(note->geometry(), QRect(64, 84, 144, 24));
  EXPECT_EQ(note->CaptionText(), ToQt("※ WINSを使用しない場合は\nﾌﾟﾗｲﾏﾘを空にして下さい"));
  EXPECT_TRUE(note->Alignment() & Qt::AlignRight);
  EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(note->font().family(), "IPAPGothic");
  EXPECT_EQ(note->font().pixelSize(), 12);
  EXPECT_EQ(QFontInfo(note->font()).family(), "IPAPGothic");  // the font is installed
  // Centred on the screen, the model knows where the window is.
  QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(wins.Left(), (screen.width() - wins.Width()) / 2);
}

TEST_F(FormRendererTest, TypingAndClickingInTheRenderedDialogChangesTheModel) {
  wins.Show();
  FormRenderer& r = ui.Render(wins);
  ASSERT_TRUE(QTest::qWaitForWindowActive(r.Window()));
  QLineEdit* primary = Find<QLineEdit>(r, "EdWpr");
  QLineEdit* secondary = Find<QLineEdit>(r, "EdWsc");
  QTest::mouseClick(primary, Qt::LeftButton);
  EXPECT_TRUE(wins.EdWpr.Focused());
  QTest::keyClicks(primary, " 192.168.0.1");
  EXPECT_EQ(wins.EdWpr.Text(), " 192.168.0.1");
  // Tab goes through the model's tab order; the rendered focus follows.
  QTest::keyClick(primary, Qt::Key_Tab);
  EXPECT_TRUE(wins.EdWsc.Focused());
  EXPECT_TRUE(secondary->hasFocus());
  QTest::keyClicks(secondary, "10.0.0");
  // Typed in the middle, Japanese text goes in where the caret is.
  QTest::mouseClick(Find<QLineEdit>(r, "EdWid"), Qt::LeftButton);
  QTest::keyClicks(Find<QLineEdit>(r, "EdWid"), "scope");
  Find<QLineEdit>(r, "EdWid")->setCursorPosition(2);
  QTest::sendKeyEvent(QTest::Click, Find<QLineEdit>(r, "EdWid"), Qt::Key_unknown, ToQt("ス"),
                      Qt::NoModifier);
  EXPECT_EQ(wins.EdWid.Text(), "scスope");

  // OK with a bad secondary server: the message, the focus on the field.
  AnswerNextBox("OK");
  QTest::mouseClick(Find<QToolButton>(r, "BbOk"), Qt::LeftButton);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0],
            ToQt("入力誤りです|WINSサーバーのIP形式が誤っています\n\nWINSを使用しない場合は\n"
                 "プライマリサーバーに何も入力しないでください"));
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.1");  // trimmed, shown trimmed
  EXPECT_EQ(primary->text(), "192.168.0.1");
  EXPECT_TRUE(wins.EdWsc.Focused());
  EXPECT_EQ(r.Window()->focusWidget(), secondary);
  QTest::keyClicks(secondary, ".2");
  QTest::mouseClick(Find<QToolButton>(r, "BbOk"), Qt::LeftButton);
  EXPECT_FALSE(wins.Visible());
  EXPECT_FALSE(r.Window()->isVisible());
  EXPECT_EQ(wins.EdWsc.Text(), "10.0.0.2");
}

TEST_F(FormRendererTest, ShownModallyEscapeRestoresAndTheCloseBoxKeeps) {
  wins.EdWpr.SetText("192.168.0.1");
  Soon([&] {
    FormRenderer* r = ui.RendererOf(wins);
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(r->Window()->isModal());
    QLineEdit* primary = Find<QLineEdit>(*r, "EdWpr");
    QTest::mouseClick(primary, Qt::LeftButton);  // the caret lands in the middle
    QTest::keyClick(primary, Qt::Key_End);
    QTest::keyClick(primary, Qt::Key_Backspace);
    QTest::keyClicks(primary, "9");
    EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.9");
    QTest::keyClick(primary, Qt::Key_Escape);
  });
  EXPECT_EQ(wins.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.1");
  EXPECT_EQ(Find<QLineEdit>(*ui.RendererOf(wins), "EdWpr")->text(), "192.168.0.1");

  Soon([&] {
    FormRenderer* r = ui.RendererOf(wins);
    QLineEdit* primary = Find<QLineEdit>(*r, "EdWpr");
    QTest::mouseClick(primary, Qt::LeftButton);
    QTest::keyClicks(primary, "x");  // typed where the caret is
    r->Window()->close();            // the title bar's close box
  });
  EXPECT_EQ(wins.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0x.1");
}

TEST_F(FormRendererTest, CharactersWithoutACp932CodeNeverReachTheModel) {
  wins.Show();
  FormRenderer& r = ui.Render(wins);
  QLineEdit* scope = Find<QLineEdit>(r, "EdWid");
  QTest::mouseClick(scope, Qt::LeftButton);
  QTest::keyClicks(scope, "ab");
  auto type = [&](const char* utf8) {
    QTest::sendKeyEvent(QTest::Click, scope, Qt::Key_unknown, QString::fromUtf8(utf8),
                        Qt::NoModifier);
  };
  type("\xE2\x82\xAC");  // the euro sign
  scope->setCursorPosition(1);
  type("\xC3\xA9");  // é, typed in the middle
  EXPECT_EQ(wins.EdWid.Text(), "ab");
  EXPECT_EQ(scope->text(), "ab");
  // A pasted text is refused whole.
  scope->selectAll();
  scope->insert(QString::fromUtf8("x\xE2\x82\xAC"));
  EXPECT_EQ(wins.EdWid.Text(), "ab");
  EXPECT_EQ(scope->text(), "ab");
}

// Controls of every other kind on one form: both directions.
TEST_F(FormRendererTest, ChecksListsComboBoxesStatusBarAndRightClicks) {
  Form& form = app.CreateForm<Form>();
  form.SetClientSize(300, 200);
  auto& box = form.Add<CheckBox>("CbThree");
  box.SetBounds(4, 4, 100, 17);
  box.SetAllowGrayed(true);
  box.SetCaption("三つの状態");
  auto& list = form.Add<ListBox>("LbList");
  list.SetBounds(4, 30, 100, 60);
  list.SetItems({"one", "two", "three"});
  auto& combo = form.Add<ComboBox>("CbCombo");
  combo.SetStyle(ComboStyle::kDropDownList);
  combo.SetBounds(110, 4, 100, 20);
  combo.SetItems({"alpha", "beta"});
  auto& bar = form.Add<StatusBar>("Sb1");
  int rightClicks = 0;
  box.SetOnMouseDown([&](Component&, MouseButton button, ShiftState, int x, int) {
    rightClicks += button == MouseButton::kRight && x == 5;
  });
  int changes = 0;
  list.SetOnChange([&](Component&) { ++changes; });
  form.Show();
  FormRenderer& r = ui.Render(form);

  auto* check = Find<CheckWidget>(r, "CbThree");
  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(box.State(), CheckState::kGrayed);
  EXPECT_EQ(check->GetMark(), CheckWidget::Mark::kGrayed);
  QTest::keyClick(check, Qt::Key_Space);
  EXPECT_EQ(box.State(), CheckState::kChecked);
  box.SetEnabled(false);
  EXPECT_FALSE(check->isEnabled());
  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(box.State(), CheckState::kChecked);
  box.SetEnabled(true);
  QTest::mouseClick(check, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(rightClicks, 1);

  auto* view = Find<QListWidget>(r, "LbList");
  QRect second = view->visualItemRect(view->item(1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(changes, 1);
  QTest::keyClick(view, Qt::Key_Down);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(view->currentRow(), 2);
  list.DeleteItem(0);
  EXPECT_EQ(view->count(), 2);
  EXPECT_EQ(view->currentRow(), 1);

  auto* drop = Find<QComboBox>(r, "CbCombo");
  QTest::mouseClick(drop, Qt::LeftButton);
  emit drop->activated(1);  // the user's choice in the list that dropped down
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetItemIndex(0);
  EXPECT_EQ(drop->currentIndex(), 0);

  bar.SetSimpleText("ヒント");
  auto* status = Find<StatusBarWidget>(r, "Sb1");
  EXPECT_EQ(status->Text(), ToQt("ヒント"));
  EXPECT_EQ(status->geometry(), QRect(0, 200 - 19, 300, 19));

  list.Hide();
  EXPECT_FALSE(view->isVisible());
  form.DestroyChild(list);
  EXPECT_EQ(r.FindWidget("LbList"), nullptr);
  auto& late = form.Add<CheckBox>("CbLate");
  late.SetBounds(4, 100, 80, 17);
  EXPECT_EQ(Find<CheckWidget>(r, "CbLate")->geometry(), QRect(4, 100, 80, 17));
}

// Hints: the short part as a tool tip while the application and the control
// show hints, the long part as the application's hint (the status bar's
// text) whenever the mouse rests on the control.
TEST_F(FormRendererTest, HintsGoToToolTipsOrTheStatusBarAsTheFormChooses) {
  Form& form = app.CreateForm<Form>();
  form.SetClientSize(200, 100);
  auto& edit = form.Add<Edit>("EdTip");
  edit.SetBounds(4, 4, 100, 20);
  edit.SetHint("IPアドレス|IPを xx.yy.zz.ww 形式で入力します");
  auto& bar = form.Add<StatusBar>("Sb1");
  app.SetOnHint([&](Component&) { bar.SetSimpleText(app.Hint()); });
  form.Show();
  FormRenderer& r = ui.Render(form);
  QWidget* field = r.FindWidget("EdTip");
  QTest::mouseMove(field);
  EXPECT_EQ(bar.SimpleText(), "IPを xx.yy.zz.ww 形式で入力します");
  auto askTip = [&] {
    QToolTip::hideText();  // a tip that goes stays a moment
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  form.SetShowHint(true);
  EXPECT_EQ(askTip(), ToQt("IPアドレス"));
  form.SetShowHint(false);  // edit mode: hints only in the status bar
  EXPECT_EQ(askTip(), QString());
  edit.SetShowHint(true);  // a control that keeps its tool tip
  EXPECT_EQ(askTip(), ToQt("IPアドレス"));
  app.SetShowHint(false);
  EXPECT_EQ(askTip(), QString());
}

TEST_F(FormRendererTest, FormsShownByAHandlerAreRenderedAfterIt) {
  Form& main = app.CreateForm<Form>();
  main.SetName("Main");
  auto& button = main.Add<Button>("BtWins");
  button.SetBounds(4, 4, 60, 25);
  button.SetOnClick([&](Component&) { wins.Show(); });
  main.Show();
  ui.Watch(app);
  FormRenderer& r = ui.Render(main);
  EXPECT_EQ(ui.RendererOf(wins), nullptr);
  QTest::mouseClick(Find<QToolButton>(r, "BtWins"), Qt::LeftButton);
  ASSERT_NE(ui.RendererOf(wins), nullptr);
  EXPECT_TRUE(ui.RendererOf(wins)->Window()->isVisible());
}

// A handler that asks whether Ctrl and Alt are down, as the apply flow does
// at a click, sees the keys held at the click on the display, and the keys
// the machine itself holds as well.
TEST_F(FormRendererTest, KeysHeldAtAClickReachTheKeyStateQuery) {
  ui::HeldKeysSystem keys(machine.system());
  keys.Watch(app);
  Form& form = app.CreateForm<Form>();
  form.SetClientSize(100, 40);
  auto& button = form.Add<Button>("BtApply");
  button.SetBounds(4, 4, 60, 25);
  std::vector<std::pair<bool, bool>> seen;  // Ctrl, Alt at each click
  button.SetOnClick([&](Component&) {
    seen.emplace_back(system::IsCtrlKeyDown(keys), system::IsAltKeyDown(keys));
  });
  form.Show();
  QWidget* widget = ui.Render(form).FindWidget("BtApply");
  QTest::mouseClick(widget, Qt::LeftButton, Qt::ControlModifier);
  QTest::mouseClick(widget, Qt::LeftButton);
  QTest::mouseClick(widget, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_TRUE(machine.machine().config->Set("Keyboard", "Down", "Alt"));
  QTest::mouseClick(widget, Qt::LeftButton);
  std::vector<std::pair<bool, bool>> expected{
      {true, false}, {false, false}, {true, true}, {false, true}};
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace zuba::qt
