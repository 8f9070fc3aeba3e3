// What the parts of the simulated System share: the machine's directory, its
// machine.ini, its event log and its files, and the last-error value of the
// calling thread.
#ifndef ZUBA_PLATFORM_SIM_SIMCONTEXT_H_
#define ZUBA_PLATFORM_SIM_SIMCONTEXT_H_

#include <cstdint>
#include <string>

#include "platform/sim/EventLog.h"
#include "platform/sim/MachineConfig.h"
#include "platform/sim/SimFiles.h"

namespace zuba::platform::sim {

struct SimContext {
  std::string directory;
  MachineConfig& config;
  EventLog& events;
  SimFiles& files;
  std::uint32_t lastError = 0;

  // Sets the last error to `code` (for a call that fails).
  void Fail(std::uint32_t code) { lastError = code; }
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMCONTEXT_H_
