// The program zubanet on an open machine: the entry that refuses every
// system but Windows 95 and 98, then the main window Form1, the boot-time
// switch dialog fmZbSel and the message loop.
#ifndef ZUBA_APP_ZUBANET_PROGRAM_H_
#define ZUBA_APP_ZUBANET_PROGRAM_H_

#include <string>
#include <vector>

#include "platform/sim/SimulatedMachine.h"
#include "ui/qt/FrontEnd.h"

namespace zuba::app {

// The application title: the caption of plain message boxes.
inline constexpr char kApplicationTitle[] = "ZubaNet ベータ版";
inline constexpr char kOnlyWin9x[] = "ZubaNetはWin95/98専用です";

// Runs the program with `commandLine` (its parameters as Windows passes
// them) and answers the exit code: 0 when the main window closed, 1 when the
// system was refused, 2 when a scripted action was a usage error.
int RunZubaNet(qt::FrontEnd& frontEnd, platform::sim::Machine& machine,
               const std::vector<std::string>& commandLine);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_PROGRAM_H_
