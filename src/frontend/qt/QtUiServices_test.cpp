#include "frontend/qt/QtUiServices.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "frontend/qt/HelpWindow.h"
#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

class QtUiServicesTest : public ::testing::Test {
 protected:
  QtUiServicesTest() { app.SetTitle("ZubaNet ベータ版"); }

  QApplication& qt = TestApplication();
  testing::TempMachine machine;
  QtUiServices ui{machine.files()};
  Application app{ui};
};

TEST_F(QtUiServicesTest, MessageBoxesHaveTheButtonTextsOfWindows) {
  QString caption;
  QStringList buttons;
  OnNextDialog([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_EQ(
      ui.ShowMessageBox("終了しますか", "", MessageIcon::kQuestion, MessageButtons::kYesNoCancel),
      MessageResult::kCancel);
  EXPECT_EQ(caption, ToQt("ZubaNet ベータ版"));  // no caption given: the title
  buttons.sort();
  QStringList expected = {ToQt("いいえ(&N)"), ToQt("キャンセル"), ToQt("はい(&Y)")};
  expected.sort();
  EXPECT_EQ(buttons, expected);

  OnNextDialog([&](QWidget* modal) {
    for (QAbstractButton* b : static_cast<QMessageBox*>(modal)->buttons()) {
      if (b->text() == ToQt("いいえ(&N)")) b->click();
    }
  });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kYesNo),
            MessageResult::kNo);
  OnNextDialog([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kOkCancel),
            MessageResult::kOk);
}

// The timed box counts down in its text and answers by itself when the
// time is up; a button pressed before answers as in any box.
TEST_F(QtUiServicesTest, ATimedBoxCountsDownThenAnswersItself) {
  TimedQuestion question;
  question.text = "使い続けますか？";
  question.caption = "試用";
  question.seconds = 2;
  question.countdown = "%1 秒後に元に戻します";
  QStringList texts;
  OnNextDialog([&](QWidget* modal) {
    auto* box = static_cast<QMessageBox*>(modal);
    texts << box->text();
    QTimer::singleShot(1300, box, [&texts, box] { texts << box->text(); });
  });
  EXPECT_EQ(ui.ShowTimedMessageBox(question), MessageResult::kNo);
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].endsWith(ToQt("2 秒後に元に戻します"))) << texts[0].toStdString();
  EXPECT_TRUE(texts[1].endsWith(ToQt("1 秒後に元に戻します"))) << texts[1].toStdString();

  OnNextDialog([](QWidget* modal) {
    for (QAbstractButton* b : static_cast<QMessageBox*>(modal)->buttons()) {
      if (b->text() == ToQt("はい(&Y)")) b->click();
    }
  });
  EXPECT_EQ(ui.ShowTimedMessageBox(question), MessageResult::kYes);
}

// As in Windows: Escape and the close box answer Cancel, or OK in a box with
// only OK; a Yes/No question has no escape and waits for an answer.
TEST_F(QtUiServicesTest, EscapeNeverAnswersYes) {
  bool stillOpen = false;
  OnNextDialog([&](QWidget* modal) {
    auto* box = static_cast<QMessageBox*>(modal);
    QTest::keyClick(box, Qt::Key_Escape);
    box->close();
    stillOpen = box->isVisible();
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == ToQt("いいえ(&N)")) b->click();
    }
  });
  EXPECT_EQ(ui.ShowMessageBox("再起動しますか", "", MessageIcon::kQuestion, MessageButtons::kYesNo),
            MessageResult::kNo);
  EXPECT_TRUE(stillOpen);

  OnNextDialog([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kOkCancel),
            MessageResult::kCancel);
  OnNextDialog([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kOk),
            MessageResult::kOk);
  // A question that ends without an answer is not taken for a yes.
  OnNextDialog([](QWidget* modal) { modal->hide(); });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kYesNo),
            MessageResult::kNo);
}

TEST_F(QtUiServicesTest, HelpTopicsByNumberAndAMissingHelpFile) {
  ui.ShowHelpTopic("C:\\ZUBANET\\ZUBANET.HLP", 35);
  ASSERT_NE(ui.Help(), nullptr);
  EXPECT_TRUE(ui.Help()->isVisible());
  EXPECT_TRUE(ui.Help()->Text().startsWith(ToQt("DNS の設定")));
  EXPECT_EQ(ui.Help()->windowTitle(), ToQt("ZubaNet ヘルプ - DNS の設定"));
  ui.ShowHelpTopic("C:\\ZUBANET\\ZUBANET.HLP", 999);
  EXPECT_TRUE(ui.Help()->Text().contains("999"));
  // Escape on the text closes the window; the next topic shows it again.
  ASSERT_TRUE(QTest::qWaitForWindowActive(ui.Help()));
  QTest::keyClick(ui.Help()->findChild<QWidget*>("HelpText"), Qt::Key_Escape);
  EXPECT_FALSE(ui.Help()->isVisible());
  ui.ShowHelpTopic("C:\\ZUBANET\\ZUBANET.HLP", 35);
  EXPECT_TRUE(ui.Help()->isVisible());

  QString text;
  OnNextDialog([&](QWidget* modal) {
    text = static_cast<QMessageBox*>(modal)->text();
    QTest::keyClick(modal, Qt::Key_Return);
  });
  ui.ShowHelpTopic("C:\\NONE.HLP", 1);
  EXPECT_TRUE(text.contains("C:\\NONE.HLP"));
}

TEST_F(QtUiServicesTest, PopupMenusAnswerTheChosenItem) {
  Form& form = app.CreateForm<Form>();
  PopupMenu& menu = form.Add<PopupMenu>("PmOpt");
  MenuItem& first = menu.AddItem("PmOpt1");
  first.SetCaption("アダプタ変更時に問合せする");
  first.SetChecked(true);
  menu.AddItem("N3").SetCaption("-");
  MenuItem& hidden = menu.AddItem("PmOpt7");
  hidden.SetCaption("hidden");
  hidden.SetVisible(false);
  MenuItem& about = menu.AddItem("ZubaNet1");
  about.SetCaption("ZubaNetについて");
  about.SetHint("バージョン情報です");
  QStringList shown;
  OnNextPopup([&](QWidget* popup) {
    auto* view = qobject_cast<QMenu*>(popup);
    ASSERT_NE(view, nullptr);
    for (QAction* action : view->actions()) shown << (action->isSeparator() ? "-" : action->text());
    EXPECT_TRUE(view->actions()[0]->isChecked());
    view->setActiveAction(view->actions().last());  // highlighted: its hint shows
    QTest::keyClick(view, Qt::Key_Return);
  });
  EXPECT_EQ(ui.TrackPopup(menu, 10, 10), &about);
  EXPECT_EQ(shown, (QStringList{ToQt("アダプタ変更時に問合せする"), "-", ToQt("ZubaNetについて")}));
  EXPECT_EQ(app.Hint(), "バージョン情報です");  // the highlighted item's hint
}

TEST_F(QtUiServicesTest, TheMessageLoopRunsUntilTheMainFormCloses) {
  Form& main = app.CreateForm<Form>();
  main.SetClientSize(100, 50);
  main.Show();
  bool shown = false;
  Soon([&] {
    FormRenderer* renderer = ui.RendererOf(main);
    ASSERT_NE(renderer, nullptr);
    shown = renderer->Window()->isVisible();
    renderer->Window()->close();
  });
  app.Run();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(app.Terminated());
}

// The program ending before the main loop ever ran (a window closed at its
// first show) must not end the loops of dialogs shown later on.
TEST_F(QtUiServicesTest, AQuitOutsideTheMainLoopLeavesLaterDialogsWorking) {
  ui.QuitMessageLoop();
  bool shown = false;
  OnNextDialog([&](QWidget* modal) {
    shown = true;
    QTest::keyClick(modal, Qt::Key_Return);
  });
  EXPECT_EQ(ui.ShowMessageBox("a", "b", MessageIcon::kNone, MessageButtons::kOkCancel),
            MessageResult::kOk);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace zuba::qt
