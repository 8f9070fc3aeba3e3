// The program's windows on Windows: every form of the program's
// application as a window of the Windows API, the UI services as the
// system's dialogs (WinUiServices).
#ifndef ZUBA_FRONTEND_WIN32_WINFRONTEND_H_
#define ZUBA_FRONTEND_WIN32_WINFRONTEND_H_

#include <functional>
#include <ostream>

#include "platform/Files.h"
#include "toolkit/FrontEnd.h"

namespace zuba::winui {

// Runs `program` with the windows of this front-end and answers its exit
// code. `files` is the machine the help is read from.
int RunWinFrontEnd(platform::Files& files, std::ostream& err,
                   const std::function<int(toolkit::FrontEnd&)>& program);

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINFRONTEND_H_
