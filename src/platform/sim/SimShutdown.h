// Ending Windows on the simulated machine: the token privilege calls,
// ExitWindowsEx and the 16-bit route through kernel32's ordinals 35, 36, 37
// and QT_Thunk. Every call is written to events.log; a request that
// succeeds records its power action as pending (PowerState.h) and returns at
// once, and `zubanet-machine boot` performs it later.
//
// As on Windows 9x, the token calls fail there with
// ERROR_CALL_NOT_IMPLEMENTED and ExitWindowsEx needs no privilege. On
// Windows NT (PlatformId 2) the token calls work as NT's: the process token
// holds SeShutdownPrivilege (LUID 19) and SeChangeNotifyPrivilege (23),
// disabled; other privileges that NT knows are not held (adjusting one
// succeeds with ERROR_NOT_ALL_ASSIGNED), unknown names fail with
// ERROR_NO_SUCH_PRIVILEGE; adjusting needs a token opened with
// TOKEN_ADJUST_PRIVILEGES (0x20); and ExitWindowsEx other than a log-off
// fails with ERROR_PRIVILEGE_NOT_HELD until the shut-down privilege is
// enabled. The 16-bit route exists only on Windows 9x.
//
// The 16-bit route knows the module "User.exe" (also "USER") with its
// "ExitWindows"; LoadLibraryA knows "Kernel32.dll" (also without ".dll")
// with its "QT_Thunk". The thunk calls ExitWindows with the return code
// pushed first: 0x42 restarts Windows alone, 0x43 reboots, any other code
// shuts down; it answers 1.
//
// machine.ini's [Fail] NAME=CODE makes a call fail with the last error
// CODE: OpenProcessToken, LookupPrivilegeValue, AdjustTokenPrivileges,
// ExitWindowsEx, LoadLibrary16 (it answers CODE as the instance when CODE
// is below 32, else 2), GetProcAddress16, LoadLibrary, GetProcAddress, and
// ExitWindows (the 16-bit function answers 0: an application refused to
// end).
#ifndef ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_
#define ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_

#include <cstdint>
#include <map>
#include <string>

#include "platform/System.h"
#include "platform/sim/PowerState.h"
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
  bool IsNt();
  // Logs `call` failing with `code`, sets the last error; answers false.
  bool Refuse(const std::string& call, std::uint32_t code);
  // Records `action` as pending. False (with a last error) when machine.ini
  // cannot be written.
  bool Request(const std::string& call, PowerAction action);

  SimContext& context_;
  std::map<std::uint32_t, std::uint32_t> tokens_;  // token handle -> access
  std::uint32_t nextToken_ = 0x1000;
  bool shutdownEnabled_ = false;            // SeShutdownPrivilege in the token
  std::map<std::uint32_t, int> modules16_;  // instance -> load count
  std::map<ModuleHandle, int> modules32_;   // module -> load count
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMSHUTDOWN_H_
