// The power action a simulated machine has been asked to perform and has not
// yet performed: machine.ini's [Power] Pending. A successful request to end
// Windows records it; `zubanet-machine boot` performs and clears it.
#ifndef ZUBA_PLATFORM_SIM_POWERSTATE_H_
#define ZUBA_PLATFORM_SIM_POWERSTATE_H_

#include <cstdint>
#include <string>

#include "platform/sim/MachineConfig.h"

namespace zuba::platform::sim {

enum class PowerAction {
  kNone,
  kLogoff,          // ExitWindowsEx flags 0
  kShutdown,        // ExitWindowsEx EWX_SHUTDOWN; the 16-bit ExitWindows with another code
  kPowerOff,        // ExitWindowsEx EWX_POWEROFF
  kReboot,          // ExitWindowsEx EWX_REBOOT; the 16-bit EW_REBOOTSYSTEM (0x43)
  kRestartWindows,  // the 16-bit EW_RESTARTWINDOWS (0x42): Windows alone, no reboot
};

// The names machine.ini holds: "none", "logoff", "shutdown", "poweroff",
// "reboot", "restart-windows".
const char* PowerActionName(PowerAction action);
// The action of a name (compared without regard to case); kNone for the
// empty text and for names it does not know.
PowerAction ParsePowerAction(const std::string& name);

// What ExitWindowsEx's flags and the 16-bit ExitWindows's return code ask
// for.
PowerAction PowerActionOfExitFlags(std::uint32_t flags);
PowerAction PowerActionOfExitCode16(std::uint32_t returnCode);

// [Power] Pending; kNone when there is none.
PowerAction PendingPowerAction(MachineConfig& config);
// Writes (kNone: clears) [Power] Pending. False when machine.ini cannot be
// written.
bool SetPendingPowerAction(MachineConfig& config, PowerAction action);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_POWERSTATE_H_
