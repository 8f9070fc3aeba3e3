// The running program's version resource (GetFileVersionInfoSizeA /
// GetFileVersionInfoA on GetModuleFileNameA).
//
// On Windows the block is a resource of the program's file. Here the
// program's build links its VS_VERSIONINFO block into the linker section
// zuba_version of the executable (src/resource: zuba_rc compiles the
// resource script), and the linker marks the section's bounds with the
// symbols __start_zuba_version and __stop_zuba_version; they are weak, so
// an executable built without the block (most test binaries) has no version
// information. The program file of the machine ([Program] Path, the
// template's C:\ZUBANET\ZUBANET.EXE) must exist, as Windows reads the file.
// docs/version-resource.md describes the design.
#ifndef ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_
#define ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_

#include <string>

#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimVersionInfo {
 public:
  explicit SimVersionInfo(SimContext& context) : context_(context) {}

  // See System::ReadOwnVersionInfo. Fails with the last error
  // - CODE when machine.ini's [Fail] has GetFileVersionInfo=CODE;
  // - kErrorFileNotFound when the machine's program file is missing;
  // - kErrorResourceTypeNotFound when the executable carries no block.
  bool ReadOwn(std::string* block);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMVERSIONINFO_H_
