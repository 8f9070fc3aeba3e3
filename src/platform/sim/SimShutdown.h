// Ending Windows on the simulated machine: the token privilege calls,
// ExitWindowsEx and the 16-bit route through kernel32's ordinals and
// QT_Thunk. Not simulated yet: every call fails with
// kErrorCallNotImplemented (a 16-bit instance of 0, a null address).
#ifndef ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_
#define ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_

#include <cstdint>
#include <string>

#include "platform/System.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimShutdown {
 public:
  explicit SimShutdown(SimContext& context) : context_(context) {}

  // See the System calls of the same names.
  bool OpenProcessToken(std::uint32_t access, std::uint32_t* token);
  bool LookupPrivilegeValue(const std::string& name, Luid* luid);
  bool AdjustTokenPrivilege(std::uint32_t token, const Luid& luid, std::uint32_t attributes);
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved);
  std::uint32_t LoadLibrary16(const std::string& module);
  void FreeLibrary16(std::uint32_t instance);
  std::uint32_t GetProcAddress16(std::uint32_t instance, const std::string& name);
  ModuleHandle LoadModule(const std::string& name);
  void FreeModule(ModuleHandle module);
  std::uint32_t FindProcAddress(ModuleHandle module, const std::string& name);
  std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16, std::uint32_t argument32,
                            std::uint16_t argument16);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_
