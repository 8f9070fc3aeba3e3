// The simulated registry: HKEY_LOCAL_MACHINE in DIR/system.reg and
// HKEY_CURRENT_USER in DIR/user.reg, REGEDIT4 text in CP932.
#ifndef ZUBA_PLATFORM_SIM_SIMREGISTRY_H_
#define ZUBA_PLATFORM_SIM_SIMREGISTRY_H_

#include <memory>
#include <string>

#include "platform/Registry.h"
#include "platform/sim/EventLog.h"

namespace zuba::platform::sim {

// Opens the registry of the machine in `machineDirectory`; missing hive files
// are empty hives. Throws MachineError naming the file and line when a hive
// cannot be parsed. Flushes are recorded in `events`.
std::unique_ptr<Registry> OpenSimRegistry(const std::string& machineDirectory, EventLog& events);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMREGISTRY_H_
