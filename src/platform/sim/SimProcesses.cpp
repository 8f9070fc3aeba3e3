#include "platform/sim/SimProcesses.h"

#include "platform/WinError.h"

namespace zuba::platform::sim {

ProcessHandle SimProcesses::Start(const std::string&, const std::string&, std::uint32_t, int) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

std::uint32_t SimProcesses::Wait(ProcessHandle, std::uint32_t) {
  context_.Fail(kErrorCallNotImplemented);
  return kWaitFailed;
}

bool SimProcesses::Close(ProcessHandle) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

}  // namespace zuba::platform::sim
