// The start of the program's user interface: on a display, Qt with every
// form as a window; with --headless, no window at all, each message box
// written to standard error and answered from the --answer values.
//
//   zubanet [--machine DIR] [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// The program's entry takes --machine itself, hands the rest to
// TakeFrontEndOptions and runs its program through RunFrontEnd. The answers
// and actions are those of toolkit/UserScript.h.
#ifndef ZUBA_UI_QT_FRONTEND_H_
#define ZUBA_UI_QT_FRONTEND_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/UiServices.h"
#include "ui/toolkit/UserScript.h"

namespace zuba::qt {

struct FrontEndOptions {
  bool headless = false;
  std::vector<toolkit::ScriptAnswer> answers;  // in the order given
  std::vector<toolkit::UserAction> actions;    // in the order given
};

// Takes "--headless", "--answer A", "--answer=A", "--do ACTION" and
// "--do=ACTION" out of `args`, up to a "--", which stays with what follows
// it; everything else stays in order. False with a message in `*error` on a
// missing or malformed answer or action, and on actions without --headless
// (usage errors).
bool TakeFrontEndOptions(std::vector<std::string>* args, FrontEndOptions* options,
                         std::string* error);

// What the program gets: the UI services, and the hook that shows its
// application's forms.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  virtual toolkit::UiServices& Ui() = 0;
  // The application whose forms are to be shown as windows (nothing
  // headless). Call it right after creating the application.
  virtual void Watch(toolkit::Application& app) = 0;
  // Whether a scripted action was a usage error (exit code 2).
  virtual bool ScriptFailed() const { return false; }
};

// Whether a display can be reached: QT_QPA_PLATFORM names a platform that
// needs no server (offscreen, vnc, ...), or DISPLAY (X11) or WAYLAND_DISPLAY
// is set, the one the named platform needs if it names xcb or wayland.
bool DisplayAvailable();

// Runs `program` with the front-end the options choose and answers its exit
// code. Headless, dumps go to `out` and everything else the services show
// to `err`. Without --headless and without a display it writes "zubanet: no
// display ..." to `err` and answers 1 without running the program. `files`
// is the machine the file dialogs browse and the help is read from.
// `programName` is argv[0].
int RunFrontEnd(const std::string& programName, const FrontEndOptions& options,
                platform::Files& files, std::ostream& out, std::ostream& err,
                const std::function<int(FrontEnd&)>& program);

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_FRONTEND_H_
