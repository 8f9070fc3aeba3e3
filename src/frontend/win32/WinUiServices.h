// The UI services on the Windows API: message boxes, the warning dialog
// and the file-open dialog of the system (WinDialogs), the help window,
// pop-up menus (TrackPopupMenu), and the message loops, with every form of
// the watched application shown as a window (FormWindow).
//
// The loops are our own: each message is shown to the form window it is
// for before it is dispatched, so that clicks and keys reach the model's
// user actions (FormWindow::PreTranslate). A form becomes a window the
// first time the services see it visible: when the program hands them its
// application (Watch), when the loops start, when it runs modally, and
// after every user action, message box, menu, dialog or round of pending
// messages.
#ifndef ZUBA_FRONTEND_WIN32_WINUISERVICES_H_
#define ZUBA_FRONTEND_WIN32_WINUISERVICES_H_

#include "frontend/win32/WinApi.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "frontend/win32/FormWindow.h"
#include "frontend/win32/WinLook.h"
#include "platform/Files.h"
#include "toolkit/FormViews.h"
#include "toolkit/UiServices.h"

namespace zuba::winui {

class WinHelpWindow;

class WinUiServices : public toolkit::UiServices, private WindowHost {
 public:
  // `files` is the machine the help is read from; it must outlive the
  // services.
  explicit WinUiServices(platform::Files& files);
  ~WinUiServices() override;

  // The application whose forms are shown; it is forgotten when it goes.
  void Watch(toolkit::Application& app);

  // The window of `form`, made now when there is none yet.
  FormWindow& Render(toolkit::Form& form);
  // The window of `form`; nullptr when it has none.
  FormWindow* WindowOf(const toolkit::Form& form) const;
  // The help window; nullptr before the first help topic.
  WinHelpWindow* Help() const { return help_.get(); }

  // Takes one message from the queue, waiting for one when `wait`, and
  // handles it. False when there was none, or it was WM_QUIT (noted in
  // quitSeen_, for the loop it was meant for to post again).
  bool Pump(bool wait);

  toolkit::MessageResult ShowTimedMessageBox(const toolkit::TimedQuestion& question) override;
  toolkit::MessageResult ShowMessageBox(const std::string& text, const std::string& caption,
                                        toolkit::MessageIcon icon,
                                        toolkit::MessageButtons buttons) override;
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
  struct OpenMenu;

  void UserActionDone() override { RenderShownForms(); }
  void MenuSelected(WPARAM wParam, LPARAM lParam) override;
  HWND OwnerWindow() const override;
  GdiCache& Gdi() override { return gdi_; }

  // Makes windows of the visible forms that have none yet, and lets go of
  // the form windows whose forms went (once no message of theirs is being
  // handled).
  void RenderShownForms() { views_.RenderShownForms(); }
  void Bury() { gone_.clear(); }
  HWND ActiveWindow() const;
  static LRESULT CALLBACK MenuKeys(int code, WPARAM wParam, LPARAM lParam);

  platform::Files& files_;
  GdiCache gdi_;
  std::vector<std::unique_ptr<FormWindow>> gone_;
  toolkit::FormViews<FormWindow> views_{
      [this](toolkit::Form& form) {
        WindowHost& host = *this;
        return std::make_unique<FormWindow>(form, host);
      },
      [this](std::unique_ptr<FormWindow> gone) { gone_.push_back(std::move(gone)); }};
  std::unique_ptr<WinHelpWindow> help_;
  OpenMenu* menu_ = nullptr;
  bool mainLoopRunning_ = false;
  bool quitSeen_ = false;
};

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINUISERVICES_H_
