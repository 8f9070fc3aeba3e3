#include "platform/sim/SimVersionInfo.h"

#include "platform/WinError.h"

namespace zuba::platform::sim {

bool SimVersionInfo::ReadOwn(std::string*) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

}  // namespace zuba::platform::sim
