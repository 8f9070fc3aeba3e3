#include "platform/sim/SimSystem.h"

#include <chrono>
#include <thread>
#include <utility>

#include "platform/Cp932.h"

namespace zuba::platform::sim {

SimSystem::SimSystem(std::string machineDirectory, MachineConfig& config, EventLog& events,
                     SimFiles& files, std::function<long()> saveRegistry)
    : context_{std::move(machineDirectory), config, events, files, 0, std::move(saveRegistry), {}},
      desktop_(context_.directory, config),
      processes_(context_, desktop_),
      mutexes_(context_),
      windows_(context_, desktop_),
      shutdown_(context_),
      versionInfo_(context_),
      shell_(context_) {}

bool SimSystem::GetVersion(OsVersion* version) {
  if (std::uint32_t code = context_.config.FailCode("GetVersionEx")) {
    context_.Fail(code);
    return false;
  }
  OsVersion v = context_.config.Version();
  if (v.platformId == 1) v.build = (v.major << 24) | ((v.minor & 0xFF) << 16) | (v.build & 0xFFFF);
  *version = std::move(v);
  return true;
}

bool SimSystem::IsDbcsLeadByte(unsigned char byte) { return IsCp932LeadByte(byte); }

std::int16_t SimSystem::GetKeyState(int virtualKey) {
  return context_.config.IsKeyDown(virtualKey) ? static_cast<std::int16_t>(-128) : 0;
}

std::uint32_t SimSystem::GetTickCount() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
  return static_cast<std::uint32_t>(ms) + context_.config.TickOffset();
}

void SimSystem::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::uint32_t SimSystem::LastError() { return context_.lastError; }

void SimSystem::LogEvent(const std::string& line) { context_.events.Append(line); }

ProcessHandle SimSystem::StartProcess(const std::string& commandLine,
                                      const std::string& workingDirectory,
                                      std::uint32_t creationFlags, int showState) {
  return processes_.Start(commandLine, workingDirectory, creationFlags, showState);
}

std::uint32_t SimSystem::WaitProcess(ProcessHandle process, std::uint32_t timeoutMs) {
  return processes_.Wait(process, timeoutMs);
}

bool SimSystem::CloseProcess(ProcessHandle process) { return processes_.Close(process); }

MutexHandle SimSystem::OpenNamedMutex(const std::string& name) { return mutexes_.Open(name); }

std::uint32_t SimSystem::WaitMutex(MutexHandle mutex, std::uint32_t timeoutMs) {
  return mutexes_.Wait(mutex, timeoutMs);
}

bool SimSystem::ReleaseMutex(MutexHandle mutex) { return mutexes_.Release(mutex); }

bool SimSystem::CloseMutex(MutexHandle mutex) { return mutexes_.Close(mutex); }

WindowHandle SimSystem::FindTopLevelWindow(const std::string& title) {
  return windows_.Find(title);
}

bool SimSystem::PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) {
  return windows_.PostKeyDown(window, virtualKey, keyData);
}

void SimSystem::BroadcastWinIniChange(const std::string& section) {
  windows_.BroadcastWinIniChange(section);
}

bool SimSystem::OpenProcessToken(std::uint32_t access, std::uint32_t* token) {
  return shutdown_.OpenProcessToken(access, token);
}

bool SimSystem::LookupPrivilegeValue(const std::string& name, Luid* luid) {
  return shutdown_.LookupPrivilegeValue(name, luid);
}

bool SimSystem::AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                                     std::uint32_t attributes) {
  return shutdown_.AdjustTokenPrivilege(token, luid, attributes);
}

bool SimSystem::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return shutdown_.ExitWindowsEx(flags, reserved);
}

std::uint32_t SimSystem::LoadLibrary16(const std::string& module) {
  return shutdown_.LoadLibrary16(module);
}

void SimSystem::FreeLibrary16(std::uint32_t instance) { shutdown_.FreeLibrary16(instance); }

std::uint32_t SimSystem::GetProcAddress16(std::uint32_t instance, const std::string& name) {
  return shutdown_.GetProcAddress16(instance, name);
}

ModuleHandle SimSystem::LoadModule(const std::string& name) { return shutdown_.LoadModule(name); }

void SimSystem::FreeModule(ModuleHandle module) { shutdown_.FreeModule(module); }

std::uint32_t SimSystem::FindProcAddress(ModuleHandle module, const std::string& name) {
  return shutdown_.FindProcAddress(module, name);
}

std::uint16_t SimSystem::CallThunk16(std::uint32_t thunk, std::uint32_t target16,
                                     std::uint32_t argument32, std::uint16_t argument16) {
  return shutdown_.CallThunk16(thunk, target16, argument32, argument16);
}

bool SimSystem::ReadOwnVersionInfo(std::string* block) { return versionInfo_.ReadOwn(block); }

bool SimSystem::GetSpecialFolder(ShellFolder folder, std::string* path) {
  return shell_.GetSpecialFolder(folder, path);
}

bool SimSystem::WriteShellLink(const std::string& path, const ShellLink& link) {
  return shell_.WriteLink(path, link);
}

bool SimSystem::ReadShellLink(const std::string& path, ShellLink* link) {
  return shell_.ReadLink(path, link);
}

}  // namespace zuba::platform::sim
