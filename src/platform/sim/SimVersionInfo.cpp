#include "platform/sim/SimVersionInfo.h"

#include "platform/Files.h"
#include "platform/WinError.h"

// The bounds of the section holding the program's version block; null when
// the executable has no such section.
extern "C" {
extern const unsigned char __start_zuba_version[] __attribute__((weak));
extern const unsigned char __stop_zuba_version[] __attribute__((weak));
}

namespace zuba::platform::sim {

bool SimVersionInfo::ReadOwn(std::string* block) {
  if (std::uint32_t code = context_.config.FailCode("GetFileVersionInfo")) {
    context_.Fail(code);
    return false;
  }
  std::uint32_t attributes = context_.files.GetAttributes(context_.config.ProgramPath());
  if (attributes == kInvalidAttributes || (attributes & kAttrDirectory) != 0) {
    context_.Fail(kErrorFileNotFound);
    return false;
  }
  const unsigned char* start = __start_zuba_version;
  const unsigned char* stop = __stop_zuba_version;
  if (start == nullptr || stop == nullptr || stop <= start) {
    context_.Fail(kErrorResourceTypeNotFound);
    return false;
  }
  block->assign(reinterpret_cast<const char*>(start), static_cast<std::size_t>(stop - start));
  return true;
}

}  // namespace zuba::platform::sim
