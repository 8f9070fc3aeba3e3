// What the utilities need from the running application: its plain message
// box and its message loop. The user interface provides it.
#ifndef ZUBA_SYSTEM_APPSHELL_H_
#define ZUBA_SYSTEM_APPSHELL_H_

#include <string>

namespace zuba::system {

class AppShell {
 public:
  AppShell() = default;
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;
  virtual ~AppShell() = default;

  // A modal message box owned by the application window: the application
  // title as caption, the text, an OK button and no icon.
  virtual void ShowPlainMessage(const std::string& text) = 0;

  // Processes the window messages that are pending, then returns.
  virtual void ProcessMessages() = 0;
};

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_APPSHELL_H_
