// EditRegistry and ExportKey on the simulated machine: its own REGEDIT4
// import and export.
#include "platform/sim/RegeditFile.h"
#include "platform/sim/SimulatedMachine.h"
#include "testing/NetMachine.h"

namespace zuba::testing {

void EditRegistry(platform::Registry& registry, const std::string& body) {
  platform::sim::ImportRegedit4(registry, "REGEDIT4\n\n" + body + "\n", "edit.reg");
}

std::string ExportKey(platform::Registry& registry, const std::string& keyPath) {
  try {
    return platform::sim::ExportRegedit4(registry, keyPath);
  } catch (const platform::sim::MachineError&) {
    return std::string();
  }
}

}  // namespace zuba::testing
