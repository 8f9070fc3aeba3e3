// Installing and uninstalling the program the Windows 95 way, run by the
// program itself: "ZUBANET.EXE /install" from the unpacked package, and
// "ZUBANET.EXE /uninstall", the command Add/Remove Programs runs.
//
// Install copies the package's files beside the running program into
// C:\ZUBANET (where the boot menu and the RunOnce entries start the
// program), makes the Start menu's shortcut "ZubaNet" under Programs and
// the Add/Remove Programs entry (the shortcut through the shell's link
// object, platform::System). Uninstall takes all of it away again with
// the boot menu (its files and autoexec.bat's call line) and the program's
// RunOnce values; it asks whether the settings file and the journal stay
// (they do unless the user says otherwise). A file that cannot be removed
// now, the running program's own first of all (Windows 9x keeps a running
// program's file open), goes at Windows' next start (Wininit.h).
//
// Both refuse while ZubaNet runs: its main window is found by its caption.
#ifndef ZUBA_APP_ZUBANET_SETUP_H_
#define ZUBA_APP_ZUBANET_SETUP_H_

#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "toolkit/UiServices.h"

namespace zuba::app {

enum class SetupAction { kInstall, kUninstall };

inline constexpr char kInstallDirectory[] = "C:\\ZUBANET";
// Below HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZubaNet";
inline constexpr char kShortcutName[] = "ZubaNet.lnk";
inline constexpr char kSetupCaption[] = "ZubaNet セットアップ";

// The files of the package, which install copies: the program, its console
// companion for scripts, the help file and the README.
const std::vector<std::string>& PackageFiles();

// The action a command line asks for: it is "/install" or "/uninstall"
// alone (letter case ignored). Nothing for any other command line.
std::optional<SetupAction> SetupActionOf(const std::vector<std::string>& commandLine);

// Runs `action`, telling the user through `ui`, and answers the exit code:
// 0 done, 1 refused or failed (the reason shown).
int RunSetup(SetupAction action, toolkit::UiServices& ui, const platform::Services& machine);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_SETUP_H_
