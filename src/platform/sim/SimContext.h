// What the parts of the simulated System share: the machine's directory, its
// machine.ini, its event log and its files, and the last-error value of the
// calling thread.
#ifndef ZUBA_PLATFORM_SIM_SIMCONTEXT_H_
#define ZUBA_PLATFORM_SIM_SIMCONTEXT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
  // Writes the registry changes the machine's registry still holds
  // (RegistryWrites::kAtFlush); none: the registry holds nothing.
  std::function<long()> saveRegistry;
  // Options of the headless program that the machine's own program runs
  // as, before "--" (the answers zubanet-machine boot hands on).
  std::vector<std::string> programOptions;

  // Sets the last error to `code` (for a call that fails).
  void Fail(std::uint32_t code) { lastError = code; }
  // saveRegistry's result code; 0 (success) when there is none.
  long SaveRegistry() { return saveRegistry ? saveRegistry() : 0; }
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMCONTEXT_H_
