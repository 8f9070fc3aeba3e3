#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {

std::unique_ptr<Machine> OpenSimulatedMachine(const std::string& directory) {
  throw MachineError(directory + ": the simulated machine is not built yet");
}

void CreateMachine(const std::string& directory, OsKind, IfMachineExists) {
  throw MachineError(directory + ": the machine templates are not built yet");
}

}  // namespace zuba::platform::sim
