#include "platform/sim/SimShutdown.h"

#include <cstdio>

#include "platform/Cp932.h"
#include "platform/WinError.h"

namespace zuba::platform::sim {
namespace {

constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kSePrivilegeEnabled = 0x02;
constexpr std::uint32_t kEwxLogoffMask =
    kEwxShutdown | kEwxReboot | kEwxPowerOff;  // what needs the privilege
constexpr std::int32_t kShutdownLuid = 19;
constexpr std::int32_t kChangeNotifyLuid = 23;

// The instance of "User.exe", the 16:16 address of its ExitWindows, the
// module of kernel32 and its QT_Thunk: fixed values, as on one boot of a
// real machine.
constexpr std::uint32_t kUserInstance = 0x1A27;
constexpr std::uint32_t kExitWindows16 = 0x01A70E47;
constexpr ModuleHandle kKernel32 = 0xBFF70000;
constexpr std::uint32_t kQtThunk = 0xBFF7A6C4;
constexpr std::uint32_t kInstanceFileNotFound = 2;

// The privileges of Windows NT 4.0 by LUID.
constexpr const char* kPrivileges[] = {
    nullptr,
    nullptr,
    "SeCreateTokenPrivilege",
    "SeAssignPrimaryTokenPrivilege",
    "SeLockMemoryPrivilege",
    "SeIncreaseQuotaPrivilege",
    "SeMachineAccountPrivilege",
    "SeTcbPrivilege",
    "SeSecurityPrivilege",
    "SeTakeOwnershipPrivilege",
    "SeLoadDriverPrivilege",
    "SeSystemProfilePrivilege",
    "SeSystemtimePrivilege",
    "SeProfileSingleProcessPrivilege",
    "SeIncreaseBasePriorityPrivilege",
    "SeCreatePagefilePrivilege",
    "SeCreatePermanentPrivilege",
    "SeBackupPrivilege",
    "SeRestorePrivilege",
    "SeShutdownPrivilege",
    "SeDebugPrivilege",
    "SeAuditPrivilege",
    "SeSystemEnvironmentPrivilege",
    "SeChangeNotifyPrivilege",
    "SeRemoteShutdownPrivilege",
};

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

bool IsModule(const std::string& name, const char* base, const char* extension) {
  return EqualsNoCaseCp932(name, base) || EqualsNoCaseCp932(name, std::string(base) + extension);
}

}  // namespace

bool SimShutdown::IsNt() { return context_.config.Version().platformId == 2; }

bool SimShutdown::Refuse(const std::string& call, std::uint32_t code) {
  context_.events.Append(call + " failed: error " + std::to_string(code));
  context_.Fail(code);
  return false;
}

bool SimShutdown::Request(const std::string& call, PowerAction action) {
  // Windows writes its registry before it goes down; one that cannot be
  // written keeps Windows running rather than losing the changes.
  if (long code = context_.SaveRegistry()) return Refuse(call, static_cast<std::uint32_t>(code));
  if (!SetPendingPowerAction(context_.config, action)) return Refuse(call, kErrorAccessDenied);
  context_.events.Append(call + ": power action " + PowerActionName(action) + " pending");
  context_.Fail(kErrorSuccess);
  return true;
}

bool SimShutdown::OpenProcessToken(std::uint32_t access, std::uint32_t* token) {
  const std::string call = "OpenProcessToken access " + Hex(access);
  if (std::uint32_t code = context_.config.FailCode("OpenProcessToken")) return Refuse(call, code);
  if (!IsNt()) return Refuse(call, kErrorCallNotImplemented);
  *token = nextToken_;
  nextToken_ += 4;
  tokens_[*token] = access;
  context_.events.Append(call + ": token " + Hex(*token));
  context_.Fail(kErrorSuccess);
  return true;
}

bool SimShutdown::LookupPrivilegeValue(const std::string& name, Luid* luid) {
  const std::string call = "LookupPrivilegeValue " + name;
  if (std::uint32_t code = context_.config.FailCode("LookupPrivilegeValue")) {
    return Refuse(call, code);
  }
  if (!IsNt()) return Refuse(call, kErrorCallNotImplemented);
  for (std::int32_t i = 0; i < static_cast<std::int32_t>(std::size(kPrivileges)); ++i) {
    if (kPrivileges[i] && EqualsNoCaseCp932(name, kPrivileges[i])) {
      *luid = Luid{static_cast<std::uint32_t>(i), 0};
      context_.events.Append(call + ": " + std::to_string(i));
      context_.Fail(kErrorSuccess);
      return true;
    }
  }
  return Refuse(call, kErrorNoSuchPrivilege);
}

bool SimShutdown::AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                                       std::uint32_t attributes) {
  const std::string call = "AdjustTokenPrivileges " + Hex(token) + " privilege " +
                           std::to_string(luid.low) + " attributes " + Hex(attributes);
  if (std::uint32_t code = context_.config.FailCode("AdjustTokenPrivileges")) {
    return Refuse(call, code);
  }
  if (!IsNt()) return Refuse(call, kErrorCallNotImplemented);
  auto found = tokens_.find(token);
  if (found == tokens_.end()) return Refuse(call, kErrorInvalidHandle);
  if (!(found->second & kTokenAdjustPrivileges)) return Refuse(call, kErrorAccessDenied);
  const bool held = luid.high == 0 && (luid.low == static_cast<std::uint32_t>(kShutdownLuid) ||
                                       luid.low == static_cast<std::uint32_t>(kChangeNotifyLuid));
  if (!held) {
    context_.events.Append(call + ": not held");
    context_.Fail(kErrorNotAllAssigned);
    return true;
  }
  if (luid.low == static_cast<std::uint32_t>(kShutdownLuid)) {
    shutdownEnabled_ = (attributes & kSePrivilegeEnabled) != 0;
  }
  context_.events.Append(call + ((attributes & kSePrivilegeEnabled) ? ": enabled" : ": disabled"));
  context_.Fail(kErrorSuccess);
  return true;
}

bool SimShutdown::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  const std::string call = "ExitWindowsEx flags " + Hex(flags) + " reserved " + Hex(reserved);
  if (std::uint32_t code = context_.config.FailCode("ExitWindowsEx")) return Refuse(call, code);
  if (IsNt() && (flags & kEwxLogoffMask) && !shutdownEnabled_) {
    return Refuse(call, kErrorPrivilegeNotHeld);
  }
  return Request(call, PowerActionOfExitFlags(flags));
}

std::uint32_t SimShutdown::LoadLibrary16(const std::string& module) {
  const std::string call = "LoadLibrary16 " + module;
  std::uint32_t instance = kInstanceFileNotFound;
  if (std::uint32_t code = context_.config.FailCode("LoadLibrary16")) {
    instance = code < 32 ? code : kInstanceFileNotFound;
  } else if (IsNt()) {
    Refuse(call, kErrorCallNotImplemented);
    return 0;
  } else if (IsModule(module, "USER", ".EXE")) {
    ++modules16_[kUserInstance];
    context_.events.Append(call + ": " + Hex(kUserInstance));
    return kUserInstance;
  }
  context_.events.Append(call + ": " + std::to_string(instance));
  return instance;
}

void SimShutdown::FreeLibrary16(std::uint32_t instance) {
  auto found = modules16_.find(instance);
  context_.events.Append("FreeLibrary16 " + Hex(instance) +
                         (found == modules16_.end() ? " (not loaded)" : ""));
  if (found != modules16_.end() && --found->second == 0) modules16_.erase(found);
}

std::uint32_t SimShutdown::GetProcAddress16(std::uint32_t instance, const std::string& name) {
  const std::string call = "GetProcAddress16 " + Hex(instance) + " " + name;
  if (std::uint32_t code = context_.config.FailCode("GetProcAddress16")) {
    Refuse(call, code);
    return 0;
  }
  if (instance != kUserInstance || !modules16_.count(instance) ||
      !EqualsNoCaseCp932(name, "ExitWindows")) {
    Refuse(call, kErrorProcNotFound);
    return 0;
  }
  context_.events.Append(call + ": " + Hex(kExitWindows16));
  return kExitWindows16;
}

ModuleHandle SimShutdown::LoadModule(const std::string& name) {
  const std::string call = "LoadLibrary " + name;
  if (std::uint32_t code = context_.config.FailCode("LoadLibrary")) {
    Refuse(call, code);
    return 0;
  }
  if (!IsModule(name, "KERNEL32", ".DLL")) {
    Refuse(call, kErrorFileNotFound);
    return 0;
  }
  ++modules32_[kKernel32];
  context_.events.Append(call + ": " + Hex(kKernel32));
  context_.Fail(kErrorSuccess);
  return kKernel32;
}

void SimShutdown::FreeModule(ModuleHandle module) {
  auto found = modules32_.find(module);
  context_.events.Append("FreeLibrary " + Hex(module) +
                         (found == modules32_.end() ? " (not loaded)" : ""));
  if (found != modules32_.end() && --found->second == 0) modules32_.erase(found);
}

std::uint32_t SimShutdown::FindProcAddress(ModuleHandle module, const std::string& name) {
  const std::string call = "GetProcAddress " + Hex(module) + " " + name;
  if (std::uint32_t code = context_.config.FailCode("GetProcAddress")) {
    Refuse(call, code);
    return 0;
  }
  if (!modules32_.count(module)) {
    Refuse(call, kErrorInvalidHandle);
    return 0;
  }
  // Exported names compare exactly.
  if (module != kKernel32 || name != "QT_Thunk" || IsNt()) {
    Refuse(call, kErrorProcNotFound);
    return 0;
  }
  context_.events.Append(call + ": " + Hex(kQtThunk));
  context_.Fail(kErrorSuccess);
  return kQtThunk;
}

std::uint16_t SimShutdown::CallThunk16(std::uint32_t thunk, std::uint32_t target16,
                                       std::uint32_t argument32, std::uint16_t argument16) {
  const std::string call =
      "QT_Thunk " + Hex(target16) + " (" + Hex(argument32) + ", " + Hex(argument16) + ")";
  // A thunk or a target that is not loaded would crash a real machine; here
  // the call only fails.
  if (thunk != kQtThunk || !modules32_.count(kKernel32) || target16 != kExitWindows16 ||
      !modules16_.count(kUserInstance)) {
    Refuse(call, kErrorInvalidParameter);
    return 0;
  }
  if (std::uint32_t code = context_.config.FailCode("ExitWindows")) {
    Refuse(call, code);
    return 0;
  }
  return Request(call, PowerActionOfExitCode16(argument32)) ? 1 : 0;
}

}  // namespace zuba::platform::sim
