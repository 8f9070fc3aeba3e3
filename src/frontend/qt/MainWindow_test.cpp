// The main window rendered offscreen and used as a person would: the two
// modes, hints, the option menu with F1, captions that fit, group check
// boxes over their panels, the stored position, the browse button.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <iostream>

#include "frontend/qt/ButtonWidget.h"
#include "frontend/qt/ControlWidgets.h"
#include "frontend/qt/FileEditWidget.h"
#include "frontend/qt/QtTesting.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/QtUiServices.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

constexpr char kSettingsPath[] = "C:\\ZUBANET\\ZUBANET.INI";

// The services on the display, with the help topics asked for recorded
// instead of shown.
class HelpRecordingUi : public QtUiServices {
 public:
  using QtUiServices::QtUiServices;
  void ShowHelpTopic(const std::string&, int context) override { topics.push_back(context); }
  std::vector<int> topics;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { app.SetTitle("ZubaNet ベータ版"); }

  // Creates the main window, shows it and renders it.
  ui::TForm1& Open() {
    // A settings file of this version's layout: no conversion question.
    machine.profiles().WriteString("Initialize", "IniConvert", "1", kSettingsPath);
    form = &app.CreateForm<ui::TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                       machine.system());
    ui.Watch(app);
    form->Show();
    renderer = &ui.Render(*form);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(renderer->Window()));
    return *form;
  }

  QWidget* Widget(const char* name) {
    QWidget* widget = renderer->FindWidget(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // The tool tip `name` shows now; empty when it shows none.
  QString ToolTipOf(const char* name) {
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QWidget* widget = Widget(name);
    QPoint at(widget->width() / 2, widget->height() / 2);
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }

  // A point of `widget` where the pointer is over it (or one of its parts)
  // and over no other control; false when there is none.
  bool PointOn(QWidget* widget, QPoint* at) {
    QWidget* window = renderer->Window();
    for (int y = widget->height() / 2; y < widget->height(); y += 3) {
      for (int x = widget->width() / 2; x < widget->width(); x += 3) {
        QWidget* under = window->childAt(widget->mapTo(window, QPoint(x, y)));
        if (under == widget || (under != nullptr && widget->isAncestorOf(under))) {
          *at = QPoint(x, y);
          return true;
        }
      }
    }
    return false;
  }

  // Every control of the form with a hint of its own, visible in the
  // window now, in the form's order.
  std::vector<Control*> HintedControls() {
    std::vector<Control*> found;
    std::vector<Control*> pending{form};
    while (!pending.empty()) {
      Control* control = pending.back();
      pending.pop_back();
      for (auto it = control->Children().rbegin(); it != control->Children().rend(); ++it) {
        pending.push_back(*it);
      }
      QWidget* widget = renderer->WidgetOf(*control);
      if (control != form && !control->Hint().empty() && widget != nullptr &&
          widget->isVisibleTo(renderer->Window())) {
        found.push_back(control);
      }
    }
    return found;
  }

  QString StatusText() { return static_cast<StatusBarWidget*>(Widget("Sb1"))->Text(); }

  // Every caption drawn in the window that is cut off, by control name;
  // the condensed ones are listed on the output with their width.
  QStringList CutCaptions(QWidget* window) {
    QStringList cut;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      auto* caption = dynamic_cast<Captioned*>(widget);
      if (caption == nullptr || !widget->isVisibleTo(window)) continue;
      // Only what lies inside the window is seen.
      QRect shown(widget->mapTo(window, QPoint(0, 0)), widget->size());
      if (!window->rect().intersects(shown)) continue;
      if (!caption->CaptionFits()) cut << widget->objectName();
      int stretch = caption->CaptionFont().stretch();
      if (stretch != 0 && stretch != 100) {
        std::cout << "  condensed to " << stretch << "%: " << widget->objectName().toStdString()
                  << " \"" << caption->CaptionText().toStdString() << "\"\n";
      }
    }
    return cut;
  }

  QApplication& qt = TestApplication();
  testing::TempMachine machine;
  HelpRecordingUi ui{machine.files()};
  Application app{ui};
  ui::TForm1* form = nullptr;
  FormRenderer* renderer = nullptr;
};

TEST_F(MainWindowTest, ClickingConfigEntersEditModeAndEscapeLeavesIt) {
  ui::TForm1& main = Open();
  QWidget* window = renderer->Window();
  EXPECT_EQ(window->size(), QSize(185, 57));
  EXPECT_TRUE(Widget("PnOpr")->isVisible());
  EXPECT_FALSE(Widget("Sb1")->isVisible());
  EXPECT_EQ(window->focusWidget(), Widget("CbSetting"));
  // View mode: tool tips.
  EXPECT_EQ(ToolTipOf("CbSetting"), ToQt("登録した設定を呼び出します"));

  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  EXPECT_EQ(window->size(), QSize(541, 382));
  EXPECT_EQ(main.ClientWidth(), 541);
  EXPECT_FALSE(Widget("PnOpr")->isVisible());
  EXPECT_TRUE(Widget("Sb1")->isVisible());
  EXPECT_EQ(Widget("Sb1")->geometry(), QRect(0, 382 - 19, 541, 19));
  EXPECT_TRUE(Widget("BbCan")->isEnabled());
  EXPECT_EQ(window->focusWidget(), Widget("EdNm"));
  // Edit mode: the hint goes to the status bar instead of a tool tip.
  EXPECT_EQ(ToolTipOf("EdTip"), QString());
  QTest::mouseMove(Widget("EdTip"));
  EXPECT_EQ(static_cast<StatusBarWidget*>(Widget("Sb1"))->Text(),
            ToQt("IPを xx.yy.zz.ww 形式で入力します"));

  // Escape is taken by the cancel button: back to view mode, not closed.
  QTest::keyClick(Widget("EdNm"), Qt::Key_Escape);
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(window->size(), QSize(185, 57));
  EXPECT_EQ(window->focusWidget(), Widget("CbSetting"));
  // In view mode Escape closes the window, which ends the program.
  QTest::keyClick(Widget("CbSetting"), Qt::Key_Escape);
  EXPECT_TRUE(app.Terminated());
}

// The pointer moved over each control as a person moves it: in view mode
// the hint shows as a tool tip, in edit mode in the status bar, for
// buttons, check boxes and drop-down lists as for edits and lists.
TEST_F(MainWindowTest, EveryControlWithAHintShowsItUnderThePointerInBothModes) {
  Open();
  QWidget* window = renderer->Window();
  // View mode: the controls in the window, each with its tool tip.
  const std::pair<const char*, const char*> viewMode[] = {
      {"CbSetting", "登録した設定を呼び出します"},
      {"BtConfig", "設定を修正／作成します"},
      {"BtApply", "呼び出した設定を反映します"},
  };
  for (const auto& [name, hint] : viewMode) {
    const QString expected = ToQt(hint);
    QToolTip::hideText();
    QTest::mouseMove(window, QPoint(0, 0));
    QPoint at;
    ASSERT_TRUE(PointOn(Widget(name), &at)) << name;
    QTest::mouseMove(Widget(name), at);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QToolTip::isVisible() && QToolTip::text() == expected; }, 3000))
        << name << ": " << QToolTip::text().toStdString();
  }
  QToolTip::hideText();

  // Edit mode: every control with a hint of its own, in the status bar.
  // (The grown window may have moved to stay on the screen: the pointer
  // goes to its corner first, as a person's would follow it.)
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  QTest::mouseMove(window, QPoint(0, 0));
  std::vector<std::string> named;
  for (Control* control : HintedControls()) {
    QWidget* widget = renderer->WidgetOf(*control);
    QPoint at;
    if (!PointOn(widget, &at)) continue;  // wholly under another control
    app.SetHint("");
    QTest::mouseMove(widget, at);
    EXPECT_EQ(StatusText().toStdString(), ToQt(GetLongHint(control->Hint())).toStdString())
        << control->Name();
    EXPECT_FALSE(QToolTip::isVisible()) << control->Name();
    named.push_back(control->Name());
  }
  // Among them the kinds that once showed nothing: buttons, check boxes,
  // the drop-down lists, the file-copy buttons.
  for (const char* name : {"BbOk", "BtWins", "BtOpt", "fcbtHosts", "CbTnc", "CbTdh", "CbCpl",
                           "CbTcp", "BtDelete", "EdTip", "LbTgw", "pcbPr", "RgLogon"}) {
    EXPECT_NE(std::find(named.begin(), named.end(), name), named.end()) << name;
  }
}

// A long entry in a narrow drop-down box shows from its first character,
// set by the program (a setting recalled) or chosen by the user.
TEST_F(MainWindowTest, ADropDownShowsALongEntryFromItsStart) {
  Open();
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  form->CbPpp.SetChecked(true);
  auto* box = static_cast<QComboBox*>(Widget("CbPpf"));
  QLineEdit* field = box->lineEdit();
  auto shownFromStart = [&] {
    field->repaint();  // the field scrolls to its caret when painted
    QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return caret.left() < field->fontMetrics().horizontalAdvance(QChar(0x81EA));
  };
  form->CbPpf.SetText("自宅プロバイダ");
  EXPECT_EQ(field->text(), ToQt("自宅プロバイダ"));
  EXPECT_TRUE(shownFromStart());

  form->CbPpf.SetText("");
  box->setFocus();
  int index = box->findText(ToQt("自宅プロバイダ"));
  ASSERT_GE(index, 0);
  emit box->activated(index);
  EXPECT_EQ(form->CbPpf.Text(), "自宅プロバイダ");
  EXPECT_TRUE(shownFromStart());
}

TEST_F(MainWindowTest, TabInViewModeNeverLeavesTheFocusInTheHiddenPart) {
  Open();
  QWidget* window = renderer->Window();
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    QWidget* focus = window->focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(window->rect().contains(QRect(focus->mapTo(window, QPoint(0, 0)), focus->size())))
        << focus->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, F1InTheOpenOptionMenuShowsItsHelpTopic) {
  Open();
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  bool shown = false;
  OnNextPopup([&](QWidget* popup) {
    shown = true;
    QTest::keyClick(popup, Qt::Key_F1);
  });
  QTest::mouseClick(Widget("BtOpt"), Qt::LeftButton);
  EXPECT_TRUE(shown);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(ui.topics, std::vector<int>{32});

  // The menu opens below the button's left edge; a chosen check item
  // changes and is kept.
  OnNextPopup([&](QWidget* popup) {
    QPoint corner = Widget("BtOpt")->mapToGlobal(QPoint(0, Widget("BtOpt")->height()));
    EXPECT_EQ(popup->pos(), corner);
    auto* menu = qobject_cast<QMenu*>(popup);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(menu->actions().at(1)).center());
  });
  QTest::mouseClick(Widget("BtOpt"), Qt::LeftButton);
  EXPECT_TRUE(form->PmOpt3.Checked());
  std::string value;
  machine.profiles().GetString("Initialize", "Opt3", "", &value, 16, kSettingsPath);
  EXPECT_EQ(value, "1");
}

TEST_F(MainWindowTest, NoCaptionIsCutOffInEitherModeNorInTheWinsDialog) {
  Open();
  std::cout << "view mode\n";
  EXPECT_EQ(CutCaptions(renderer->Window()), QStringList());
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  // Every group switched on, so that every caption is drawn enabled too.
  for (CheckBox* box : {static_cast<CheckBox*>(&form->CbDde), static_cast<CheckBox*>(&form->CbPpe),
                        static_cast<CheckBox*>(&form->CbPpp), static_cast<CheckBox*>(&form->CbEex),
                        static_cast<CheckBox*>(&form->CbWgp)}) {
    box->SetChecked(true);
  }
  std::cout << "edit mode\n";
  EXPECT_EQ(CutCaptions(renderer->Window()), QStringList());

  form->FmWins->Show();
  std::cout << "WINS dialog\n";
  EXPECT_EQ(CutCaptions(ui.Render(*form->FmWins).Window()), QStringList());
  // The WINS dialog is the main window's, not the application's main form.
  EXPECT_EQ(app.MainForm(), form);
}

// Three gateways and three DNS servers, the longest addresses there are:
// each list shows every entry whole beside its scroll bar.
TEST_F(MainWindowTest, EveryEntryOfAListIsShownWhole) {
  Open();
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  QTest::mouseClick(Widget("CbDde"), Qt::LeftButton);
  // Typed into the fields, each entered with Return.
  for (const char* name : {"EdTgw", "EdDip"}) {
    for (const char* address : {"192.168.100.252", "192.168.100.253", "192.168.100.254"}) {
      QTest::mouseClick(Widget(name), Qt::LeftButton);
      QTest::keyClicks(Widget(name), address);
      QTest::keyClick(Widget(name), Qt::Key_Return);
    }
  }
  QCoreApplication::processEvents();
  for (const char* name : {"LbTgw", "LbDip"}) {
    auto* list = static_cast<QListWidget*>(Widget(name));
    ASSERT_EQ(list->count(), 3) << name;
    // The text is drawn inside a margin on either side.
    int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int row = 0; row < list->count(); ++row) {
      QString text = list->item(row)->text();
      EXPECT_LE(list->fontMetrics().horizontalAdvance(text) + 2 * margin, list->viewport()->width())
          << name << ": " << text.toStdString();
    }
  }
}

TEST_F(MainWindowTest, GroupCheckBoxesAreDrawnAboveThePanelsTheyOverlap) {
  Open();
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  QWidget* window = renderer->Window();
  const char* pairs[][2] = {{"CbTcp", "PnTcp"}, {"CbDde", "PnDns"}, {"CbPpe", "pnPxy"},
                            {"CbPpp", "PnPpp"}, {"CbEex", "PnEex"}, {"CbWgp", "PnWg"}};
  for (auto& pair : pairs) {
    QWidget* box = Widget(pair[0]);
    QWidget* panel = Widget(pair[1]);
    QPoint overlap = box->geometry().intersected(panel->geometry()).center();
    ASSERT_TRUE(panel->geometry().contains(overlap)) << pair[0];
    EXPECT_EQ(window->childAt(overlap), box) << pair[0];
  }
}

TEST_F(MainWindowTest, TheStoredPositionWinsOverTheSystemsPlacement) {
  machine.profiles().WriteString("Initialize", "WindowSize.X", "40", kSettingsPath);
  machine.profiles().WriteString("Initialize", "WindowSize.Y", "30", kSettingsPath);
  ui::TForm1& main = Open();
  // The client area lies inside the frame and below the caption.
  EXPECT_EQ(renderer->Window()->geometry().topLeft(),
            QPoint(40 + main.FrameWidth(), 30 + main.FrameWidth() + main.CaptionHeight()));
  main.Close();
  std::string x;
  machine.profiles().GetString("Initialize", "WindowSize.X", "", &x, 16, kSettingsPath);
  EXPECT_EQ(x, "40");
}

// A position stored on another display, off every screen now, brings the
// window back onto the screen rather than out of reach.
TEST_F(MainWindowTest, AStoredPositionOffTheScreenIsBroughtOntoIt) {
  machine.profiles().WriteString("Initialize", "WindowSize.X", "5000", kSettingsPath);
  machine.profiles().WriteString("Initialize", "WindowSize.Y", "-3000", kSettingsPath);
  ui::TForm1& main = Open();
  QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(QRect(main.Left(), main.Top(), main.Width(), main.Height())));
  int x = 0;
  int y = 0;
  main.ClientToScreen(0, 0, &x, &y);
  EXPECT_EQ(renderer->Window()->geometry().topLeft(), QPoint(x, y));
}

// The small window kept near the bottom right corner grows in edit mode:
// it stays whole inside the work area, Save, Close and Options within
// reach, and the model knows where it went.
TEST_F(MainWindowTest, TheWindowStaysInsideTheWorkAreaWhenItGrows) {
  QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  machine.profiles().WriteString("Initialize", "WindowSize.X",
                                 std::to_string(screen.right() - 240), kSettingsPath);
  machine.profiles().WriteString("Initialize", "WindowSize.Y",
                                 std::to_string(screen.bottom() - 110), kSettingsPath);
  ui::TForm1& main = Open();
  auto frame = [&] { return QRect(main.Left(), main.Top(), main.Width(), main.Height()); };
  EXPECT_TRUE(screen.contains(frame()));
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  EXPECT_EQ(main.ClientWidth(), 541);
  EXPECT_TRUE(screen.contains(frame()));
  int x = 0;
  int y = 0;
  main.ClientToScreen(0, 0, &x, &y);
  EXPECT_EQ(renderer->Window()->geometry().topLeft(), QPoint(x, y));
  for (const char* button : {"BbOk", "BbCan", "BtOpt"}) {
    QRect at(Widget(button)->mapToGlobal(QPoint(0, 0)), Widget(button)->size());
    EXPECT_TRUE(screen.contains(at)) << button;
  }
}

TEST_F(MainWindowTest, WhereTheSystemPlacesTheWindowTheModelLearnsIt) {
  ui::TForm1& main = Open();
  QPoint client = renderer->Window()->geometry().topLeft();
  int x = 0;
  int y = 0;
  main.ClientToScreen(0, 0, &x, &y);
  EXPECT_EQ(QPoint(x, y), client);
}

TEST_F(MainWindowTest, TheBrowseButtonOfAFileNameEditChoosesTheFile) {
  Open();
  QTest::mouseClick(Widget("BtConfig"), Qt::LeftButton);
  form->CbEex.SetChecked(true);
  auto* exe = static_cast<FileEditWidget*>(Widget("fedExe"));
  OnNextDialog([](QWidget* dialog) {
    auto* name = dialog->findChild<QLineEdit*>("FileName");
    name->setText("C:\\ZUBANET\\ZUBANET.EXE");
    QTest::keyClick(name, Qt::Key_Return);
  });
  QTest::mouseClick(exe->BrowseButton(), Qt::LeftButton);
  EXPECT_EQ(form->fedExe.Text(), "C:\\ZUBANET\\ZUBANET.EXE");
  EXPECT_EQ(exe->text(), "C:\\ZUBANET\\ZUBANET.EXE");
  // The text stops short of the button.
  EXPECT_GE(exe->textMargins().right(), exe->BrowseButton()->width());
}

TEST_F(MainWindowTest, RequiredFieldsAndDropDownListsWithoutTyping) {
  Open();
  auto* adapters = static_cast<QComboBox*>(Widget("CbTnc"));
  EXPECT_FALSE(adapters->isEditable());
  EXPECT_EQ(adapters->palette().color(QPalette::Base), QColor(128, 255, 255));
  EXPECT_EQ(Widget("EdTip")->palette().color(QPalette::Base), QColor(128, 255, 255));
  EXPECT_EQ(Widget("EdTgw")->palette().color(QPalette::Base), QColor(255, 255, 255));
}

}  // namespace
}  // namespace zuba::qt
