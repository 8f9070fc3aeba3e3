// The program zubanet on the services of the machine it runs on, whatever
// the platform: the entry that refuses every system but Windows 95 and 98,
// then the main window Form1, the boot-time switch dialog fmZbSel and the
// message loop, shown by the front-end it is given. A platform's `main`
// opens the services, picks the front-end and calls RunZubaNet.
#ifndef ZUBA_APP_ZUBANET_PROGRAM_H_
#define ZUBA_APP_ZUBANET_PROGRAM_H_

#include <string>
#include <vector>

#include "platform/Services.h"
#include "toolkit/Application.h"
#include "toolkit/FrontEnd.h"
#include "ui/mainform.h"

namespace zuba::app {

// The application title: the caption of plain message boxes.
inline constexpr char kApplicationTitle[] = "ZubaNet ベータ版";
inline constexpr char kOnlyWin9x[] = "ZubaNetはWin95/98専用です";

// Sets `app`'s title and refuses every system but Windows 95 and 98 (its
// message shown): false then.
bool AcceptSystem(toolkit::Application& app, const platform::Services& machine);

// Everything before the message loop, on `app` (whose title it sets): the
// system check, then Form1, fmZbSel and the first show of Form1. `machine`
// is the machine as the forms see it. Answers Form1, or nullptr when the
// system was refused (its message shown).
ui::TForm1* StartZubaNet(toolkit::Application& app, const platform::Services& machine,
                         const std::vector<std::string>& commandLine);

// Runs the program with `commandLine` (its parameters as Windows passes
// them): its command without a window (CommandLineRun.h), else the main
// window. Answers the exit code: 0 when the command ran or the main window
// closed, 1 when the
// system was refused, 2 when a scripted action was a usage error.
int RunZubaNet(toolkit::FrontEnd& frontEnd, const platform::Services& machine,
               const std::vector<std::string>& commandLine);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_PROGRAM_H_
