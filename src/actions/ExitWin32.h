// Ending Windows after a setting has been applied: switching the computer
// off, rebooting it, or restarting Windows alone without a reboot (Windows
// 9x only). A request that succeeds returns at once, and the caller then
// closes its main window. A request that fails raises an error whose
// message the application's default error handler shows; the program goes
// on running.
#ifndef ZUBA_ACTIONS_EXITWIN32_H_
#define ZUBA_ACTIONS_EXITWIN32_H_

#include <cstdint>

#include "platform/System.h"
#include "system/Errors.h"

namespace zuba::actions {

// A request to end Windows failed; the message says which and why.
class EExitError : public system::Exception {
 public:
  using Exception::Exception;
};

// True when the system reports the Windows NT platform (id 2). A version
// query that fails counts as not NT.
bool IsWindowsNT(platform::System& system);

// Shuts Windows down and switches the computer off (on NT a plain
// shut-down, ExitWindowsEx flags 1; on 9x flags 9). Raises EExitError when
// the request fails. On NT, when the shut-down privilege cannot even be
// looked up, it returns without doing anything.
void PowerOff(platform::System& system);

// Shuts Windows down and restarts the computer (ExitWindowsEx flags 2, on
// NT after enabling the shut-down privilege). Raises EExitError on failure,
// and returns silently on NT when the privilege cannot be looked up.
void Reboot(platform::System& system);

// Restarts Windows without restarting the computer, through the 16-bit
// ExitWindows with the code 0x42. Raises EExitError on NT (without trying)
// and when ExitWindows answers 0; system::Exception when the 16-bit
// function cannot be reached (ExitWindows16).
void RestartWindows(platform::System& system);

// Calls ExitWindows of the 16-bit "User.exe" through kernel32's ordinal
// exports 35, 36, 37 and "QT_Thunk", with the 32-bit return code and the
// 16-bit reserved word, and answers its 16-bit result (non-zero for
// success). Raises system::Exception naming what could not be reached
// ("User.exe", "ExitWindows", "Kernel32.dll" or "QT_Thunk"). What it loaded
// it releases on every way out, "Kernel32.dll" first and "User.exe" second;
// a load of "User.exe" that failed is not released (nothing was loaded).
// Not reentrant; Windows 9x only.
std::uint16_t ExitWindows16(platform::System& system, std::uint32_t returnCode,
                            std::uint16_t reserved);

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_EXITWIN32_H_
