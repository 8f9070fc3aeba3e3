#include "platform/sim/SimWindows.h"

#include "platform/WinError.h"

namespace zuba::platform::sim {

WindowHandle SimWindows::Find(const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

bool SimWindows::PostKeyDown(WindowHandle, int, std::uint32_t) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

void SimWindows::BroadcastWinIniChange(const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
}

}  // namespace zuba::platform::sim
