#include "platform/sim/SimShutdown.h"

#include "platform/WinError.h"

namespace zuba::platform::sim {

bool SimShutdown::OpenProcessToken(std::uint32_t, std::uint32_t*) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

bool SimShutdown::LookupPrivilegeValue(const std::string&, Luid*) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

bool SimShutdown::AdjustTokenPrivilege(std::uint32_t, const Luid&, std::uint32_t) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

bool SimShutdown::ExitWindowsEx(std::uint32_t, std::uint32_t) {
  context_.Fail(kErrorCallNotImplemented);
  return false;
}

std::uint32_t SimShutdown::LoadLibrary16(const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

void SimShutdown::FreeLibrary16(std::uint32_t) { context_.Fail(kErrorCallNotImplemented); }

std::uint32_t SimShutdown::GetProcAddress16(std::uint32_t, const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

ModuleHandle SimShutdown::LoadModule(const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

void SimShutdown::FreeModule(ModuleHandle) { context_.Fail(kErrorCallNotImplemented); }

std::uint32_t SimShutdown::FindProcAddress(ModuleHandle, const std::string&) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

std::uint16_t SimShutdown::CallThunk16(std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint16_t) {
  context_.Fail(kErrorCallNotImplemented);
  return 0;
}

}  // namespace zuba::platform::sim
