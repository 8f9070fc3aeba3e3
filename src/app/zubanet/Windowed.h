// The program's windows. They are shown by the program zubanet-windows, the
// same program built with the Qt front-end; zubanet itself carries no window
// library, so a headless run loads none. Asked for windows, zubanet becomes
// zubanet-windows (same arguments) before it touches the machine. A build
// without Qt (cmake -DZUBA_QT=OFF) has no zubanet-windows and says so;
// --headless needs none.
#ifndef ZUBA_APP_ZUBANET_WINDOWED_H_
#define ZUBA_APP_ZUBANET_WINDOWED_H_

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/Files.h"
#include "toolkit/FrontEnd.h"

namespace zuba::app {

// The name of the program that shows the windows, beside zubanet.
inline constexpr char kWindowsProgram[] = "zubanet-windows";

// Called when windows are asked for, before the machine is opened. Nothing
// (std::nullopt) when this program shows them itself (RunWindowed follows);
// otherwise the run is handed to zubanet-windows with the same `argv`, and
// what comes back is the exit code of a hand-over that failed, the reason
// written to `err`.
std::optional<int> HandOverWindows(char** argv, std::ostream& err);

// Runs `program` in windows and answers its exit code; 1, with the reason
// written to `err`, when no window can be shown. `files` is the machine the
// file dialogs browse and the help is read from; `programName` is argv[0].
int RunWindowed(const std::string& programName, platform::Files& files, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>& program);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WINDOWED_H_
