// The program's command line without the main window: a setting's apply
// (`NAME`, with /C, /E, /T), its preview (/P NAME), the undo of the last
// apply (/U), the confirmation of a trial (/K) and where the machine stands
// (/S) go straight to the switch service, after the start-up's recovery and
// trial question. No form is built: the questions and errors go to the
// application's UI services.
#ifndef ZUBA_APP_ZUBANET_COMMANDLINERUN_H_
#define ZUBA_APP_ZUBANET_COMMANDLINERUN_H_

#include <string>
#include <vector>

#include "platform/Services.h"
#include "toolkit/Application.h"

namespace zuba::app {

// Runs the command of `commandLine` (the parameters as Windows passes
// them) on `app`'s UI services and answers true; false, having done
// nothing, when the command line asks for the window (no setting name, no
// /U, /K or /S). Like the window's close, the end stores the window's
// position and the option menu's choices in the settings file.
bool RunCommandLine(toolkit::Application& app, const platform::Services& machine,
                    const std::vector<std::string>& commandLine);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_COMMANDLINERUN_H_
