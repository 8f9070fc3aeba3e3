// The UI services on a display: Qt message boxes with the Japanese button
// texts of Windows, the file-open dialog on the simulated machine's drives,
// the help window, pop-up menus, and the message loops, with every form of
// the watched application rendered as a window (FormRenderer).
//
// A form becomes a window the first time the front-end sees it visible: at
// the start of the message loop, when it runs modally, and after every
// user action, message box, menu, dialog or round of pending messages (the
// moments at which a program can have shown it). The program tells the
// services its application with Watch (the message loop does too).
#ifndef ZUBA_FRONTEND_QT_QTUISERVICES_H_
#define ZUBA_FRONTEND_QT_QTUISERVICES_H_

#include <memory>
#include <string>
#include <vector>

#include "frontend/qt/FormRenderer.h"
#include "platform/Files.h"
#include "toolkit/FormViews.h"
#include "toolkit/UiServices.h"

class QWidget;

namespace zuba::qt {

class HelpWindow;

class QtUiServices : public toolkit::UiServices, private RendererHost {
 public:
  // `files` is the machine the dialogs browse and the help is read from;
  // it must outlive the services. A QApplication must exist.
  explicit QtUiServices(platform::Files& files);
  ~QtUiServices() override;

  // The application whose forms are rendered; it is forgotten when it goes.
  void Watch(toolkit::Application& app);

  // The renderer of `form`, made now when there is none yet.
  FormRenderer& Render(toolkit::Form& form);
  // The renderer of `form`; nullptr when it is not rendered.
  FormRenderer* RendererOf(const toolkit::Form& form) const;
  // The help window; nullptr before the first help topic.
  HelpWindow* Help() const { return help_.get(); }

  toolkit::MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                        toolkit::MessageIcon icon,
                                        toolkit::MessageButtons buttons) override;
  // The box counts down each second in its text (a QTimer) and answers
  // the question's timeout answer when the time is up.
  toolkit::MessageResult ShowTimedMessageBox(const toolkit::TimedQuestion& question) override;
  void ShowWarningDialog(const std::string& title, const std::string& text,
                         const std::string& button) override;
  bool ShowOpenDialog(const toolkit::OpenFileRequest& request, std::string* path) override;
  void ShowHelpTopic(const std::string& helpFile, int context) override;
  toolkit::MenuItem* TrackPopup(toolkit::PopupMenu& menu, int x, int y) override;
  void RunModal(toolkit::Form& form) override;
  void RunMessageLoop(toolkit::Application& app) override;
  void QuitMessageLoop() override;
  void ProcessMessages() override;

 private:
  void UserActionDone() override { RenderShownForms(); }
  // Renders the visible forms not rendered yet and lets go of the
  // renderers whose forms went.
  void RenderShownForms() { views_.RenderShownForms(); }
  QWidget* ActiveWindow() const;

  platform::Files& files_;
  // A renderer whose form went may be inside its own event handling: it
  // goes once the event loop is back.
  toolkit::FormViews<FormRenderer> views_{
      [this](toolkit::Form& form) {
        RendererHost& host = *this;
        return std::make_unique<FormRenderer>(form, host);
      },
      [](std::unique_ptr<FormRenderer> gone) { gone.release()->deleteLater(); }};
  std::unique_ptr<HelpWindow> help_;
  bool mainLoopRunning_ = false;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTUISERVICES_H_
