// The running program's version resource (GetFileVersionInfoSizeA /
// GetFileVersionInfoA). Not simulated yet: the program has none, and the
// query fails with kErrorCallNotImplemented.
#ifndef ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_
#define ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_

#include <string>

#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimVersionInfo {
 public:
  explicit SimVersionInfo(SimContext& context) : context_(context) {}

  // See System::ReadOwnVersionInfo.
  bool ReadOwn(std::string* block);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_
