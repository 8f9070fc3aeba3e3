// Where the programs find the simulated machine.
#ifndef ZUBA_APP_MACHINELOCATION_H_
#define ZUBA_APP_MACHINELOCATION_H_

#include <memory>
#include <string>

#include "platform/sim/SimulatedMachine.h"

namespace zuba::app {

// The machine directory: `option` (--machine) when given, else
// $ZUBANET_MACHINE, else $XDG_DATA_HOME/zubanet/machine, else
// ~/.local/share/zubanet/machine; a relative path is made absolute here,
// against the current directory.
struct MachineLocation {
  std::string directory;
  bool isDefault = false;  // neither --machine nor $ZUBANET_MACHINE chose it
};
MachineLocation LocateMachine(const std::string& option);

// Opens the machine, its registry writing as `writes` says. Only the default
// location is created (from the Windows 98 template, its program running the
// host's zubanet) when it is missing; a missing directory that the user
// named is an error. Throws platform::sim::MachineError.
std::unique_ptr<platform::sim::Machine> OpenMachine(
    const MachineLocation& location,
    platform::sim::RegistryWrites writes = platform::sim::RegistryWrites::kThrough);

}  // namespace zuba::app

#endif  // ZUBA_APP_MACHINELOCATION_H_
