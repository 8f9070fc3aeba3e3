// Processes of the simulated machine: CreateProcessA, WaitForSingleObject and
// CloseHandle on process handles. Not simulated yet: every call fails with
// kErrorCallNotImplemented.
#ifndef ZUBA_PLATFORM_SIM_SIMPROCESSES_H_
#define ZUBA_PLATFORM_SIM_SIMPROCESSES_H_

#include <cstdint>
#include <string>

#include "platform/System.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimProcesses {
 public:
  explicit SimProcesses(SimContext& context) : context_(context) {}

  // See System::StartProcess, WaitProcess, CloseProcess.
  ProcessHandle Start(const std::string& commandLine, const std::string& workingDirectory,
                      std::uint32_t creationFlags, int showState);
  std::uint32_t Wait(ProcessHandle process, std::uint32_t timeoutMs);
  bool Close(ProcessHandle process);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMPROCESSES_H_
