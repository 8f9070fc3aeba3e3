#include "frontend/qt/QtUiServices.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <map>

#include "frontend/qt/HelpWindow.h"
#include "frontend/qt/QtMessageBox.h"
#include "frontend/qt/QtText.h"
#include "frontend/qt/SimFileDialog.h"
#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"

namespace zuba::qt {
namespace {

// Hears F1 in an open menu: the help topic of the highlighted item (its
// own help context, else its parents', else the menu's) is noted and the
// menu closes; the topic is shown once the menu is gone.
class MenuHelpKey : public QObject {
 public:
  MenuHelpKey(toolkit::PopupMenu& menu, const std::map<QAction*, toolkit::MenuItem*>& actions)
      : menu_(menu), actions_(actions) {}
  int Context() const { return context_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) {
      return false;
    }
    auto* open = static_cast<QMenu*>(watched);
    auto it = actions_.find(open->activeAction());
    context_ = menu_.HelpContext();
    for (toolkit::MenuItem* item = it == actions_.end() ? nullptr : it->second; item != nullptr;
         item = item->ParentItem()) {
      if (item->HelpContext() != 0) {
        context_ = item->HelpContext();
        break;
      }
    }
    for (QWidget* w = open; qobject_cast<QMenu*>(w) != nullptr; w = w->parentWidget()) w->close();
    return true;
  }

 private:
  toolkit::PopupMenu& menu_;
  const std::map<QAction*, toolkit::MenuItem*>& actions_;
  int context_ = 0;
};

// Adds the visible items of `item` to `menu`, remembering which action
// stands for which item (a sub-menu's action stands for its item too).
void AddItems(QMenu* menu, toolkit::MenuItem& item,
              std::map<QAction*, toolkit::MenuItem*>* actions) {
  for (toolkit::MenuItem* child : item.Items()) {
    if (!child->Visible()) continue;
    if (child->IsLine()) {
      menu->addSeparator();
      continue;
    }
    QString caption = ToQt(child->Caption());
    if (!child->Items().empty()) {
      QMenu* sub = menu->addMenu(caption);
      sub->setEnabled(child->Enabled());
      (*actions)[sub->menuAction()] = child;
      AddItems(sub, *child, actions);
      continue;
    }
    QAction* action = menu->addAction(caption);
    action->setEnabled(child->Enabled());
    action->setCheckable(child->Checked());
    action->setChecked(child->Checked());
    (*actions)[action] = child;
  }
}

}  // namespace

QtUiServices::QtUiServices(platform::Files& files)
    : files_(files) {}

QtUiServices::~QtUiServices() = default;

void QtUiServices::Watch(toolkit::Application& app) { views_.Watch(app); }

FormRenderer& QtUiServices::Render(toolkit::Form& form) { return views_.Render(form); }

FormRenderer* QtUiServices::RendererOf(const toolkit::Form& form) const {
  return views_.ViewOf(form);
}

QWidget* QtUiServices::ActiveWindow() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

toolkit::MessageResult QtUiServices::ShowMessageBox(const std::string& text,
                                                    const std::string& caption,
                                                    toolkit::MessageIcon icon,
                                                    toolkit::MessageButtons buttons) {
  RenderShownForms();
  return RunMessageBox(ActiveWindow(), ToQt(caption.empty() ? ApplicationTitle() : caption),
                       ToQt(text), icon, buttons);
}

toolkit::MessageResult QtUiServices::ShowTimedMessageBox(const toolkit::TimedQuestion& question) {
  RenderShownForms();
  return RunTimedMessageBox(
      ActiveWindow(), ToQt(question.caption.empty() ? ApplicationTitle() : question.caption),
      [&question](int left) { return ToQt(toolkit::TimedQuestionText(question, left)); },
      question.icon, question.buttons, question.seconds, question.timeoutAnswer);
}

void QtUiServices::ShowWarningDialog(const std::string& title, const std::string& text,
                                     const std::string& button) {
  RenderShownForms();
  RunWarningBox(ActiveWindow(), ToQt(title.empty() ? ApplicationTitle() : title), ToQt(text),
                ToQt(button));
}

bool QtUiServices::ShowOpenDialog(const toolkit::OpenFileRequest& request, std::string* path) {
  RenderShownForms();
  SimFileDialog dialog(files_, request, ActiveWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  *path = dialog.Chosen();
  return true;
}

void QtUiServices::ShowHelpTopic(const std::string& helpFile, int context) {
  RenderShownForms();
  std::string content;
  if (!files_.ReadBytes(helpFile, &content)) {
    RunMessageBox(ActiveWindow(), ToQt("ヘルプ"),
                  ToQt("ヘルプ ファイル " + helpFile + " を開けません。"),
                  toolkit::MessageIcon::kError, toolkit::MessageButtons::kOk);
    return;
  }
  if (!help_) help_ = std::make_unique<HelpWindow>();
  help_->ShowTopic(toolkit::HelpFile::Parse(content), context);
}

toolkit::MenuItem* QtUiServices::TrackPopup(toolkit::PopupMenu& menu, int x, int y) {
  RenderShownForms();
  QMenu view(ActiveWindow());
  std::map<QAction*, toolkit::MenuItem*> actions;
  AddItems(&view, menu.Items(), &actions);
  QObject::connect(&view, &QMenu::hovered, &view, [&actions](QAction* action) {
    auto it = actions.find(action);
    if (it != actions.end()) it->second->Hover();
  });
  MenuHelpKey help(menu, actions);
  view.installEventFilter(&help);
  for (QMenu* sub : view.findChildren<QMenu*>()) sub->installEventFilter(&help);
  QAction* chosen = view.exec(QPoint(x, y));
  if (help.Context() != 0) {
    if (toolkit::Application* app = menu.GetApplication()) app->HelpContext(help.Context());
    return nullptr;
  }
  auto it = actions.find(chosen);
  return it == actions.end() || !it->second->Items().empty() ? nullptr : it->second;
}

void QtUiServices::RunModal(toolkit::Form& form) {
  FormRenderer& renderer = Render(form);
  RenderShownForms();
  renderer.RunModalLoop();
}

void QtUiServices::RunMessageLoop(toolkit::Application& app) {
  Watch(app);
  RenderShownForms();
  if (app.Terminated()) return;
  mainLoopRunning_ = true;
  QApplication::exec();
  mainLoopRunning_ = false;
}

void QtUiServices::QuitMessageLoop() {
  // Only a running main loop is ended: asked for without one, Qt would end
  // every loop started later too (menus, dialogs) at once.
  if (mainLoopRunning_) QCoreApplication::exit(0);
}

void QtUiServices::ProcessMessages() {
  RenderShownForms();
  QCoreApplication::processEvents();
}

}  // namespace zuba::qt
