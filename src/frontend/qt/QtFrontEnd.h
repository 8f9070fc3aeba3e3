// The program's windows on a display: Qt with every form of the program's
// application as a window, the UI services as Qt dialogs.
#ifndef ZUBA_FRONTEND_QT_QTFRONTEND_H_
#define ZUBA_FRONTEND_QT_QTFRONTEND_H_

#include <functional>
#include <ostream>
#include <string>

#include "platform/Files.h"
#include "toolkit/FrontEnd.h"

namespace zuba::qt {

// Whether a display can be reached: QT_QPA_PLATFORM names a platform that
// needs no server (offscreen, vnc, ...), or DISPLAY (X11) or WAYLAND_DISPLAY
// is set, the one the named platform needs if it names xcb or wayland.
bool DisplayAvailable();

// Runs `program` with the Qt front-end and answers its exit code. Without a
// display it writes "zubanet: no display ..." to `err` and answers 1
// without running the program. `files` is the machine the file dialogs
// browse and the help is read from; `programName` is argv[0].
int RunQtFrontEnd(const std::string& programName, platform::Files& files, std::ostream& err,
                  const std::function<int(toolkit::FrontEnd&)>& program);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTFRONTEND_H_
