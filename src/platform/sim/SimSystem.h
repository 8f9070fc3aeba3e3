// The simulated machine's System: the version from machine.ini (on Windows
// 9x the build's high word holds major and minor, as GetVersionExA reports
// it), the code page 932 lead bytes, the keys machine.ini's [Keyboard]
// holds down, a monotonic tick count (plus [Clock] TickOffset), and the
// event log. Processes, windows, ending Windows and the version resource
// are the parts SimProcesses, SimWindows, SimShutdown and SimVersionInfo;
// the shell's folders and shortcuts SimShell.
// machine.ini's [Fail] GetVersionEx=CODE makes the version query fail.
#ifndef ZUBA_PLATFORM_SIM_SIMSYSTEM_H_
#define ZUBA_PLATFORM_SIM_SIMSYSTEM_H_

#include <functional>
#include <string>

#include "platform/System.h"
#include "platform/sim/Desktop.h"
#include "platform/sim/SimContext.h"
#include "platform/sim/SimMutexes.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimShutdown.h"
#include "platform/sim/SimVersionInfo.h"
#include "platform/sim/SimWindows.h"

namespace zuba::platform::sim {

class SimSystem : public System {
 public:
  // The services given must outlive the object. `saveRegistry` writes the
  // changes the machine's registry holds (SaveRegistry); the machine calls
  // it before a shut-down and before it starts a host program.
  SimSystem(std::string machineDirectory, MachineConfig& config, EventLog& events, SimFiles& files,
            std::function<long()> saveRegistry = nullptr);

  bool GetVersion(OsVersion* version) override;
  bool IsDbcsLeadByte(unsigned char byte) override;
  std::int16_t GetKeyState(int virtualKey) override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t LastError() override;
  void LogEvent(const std::string& line) override;

  ProcessHandle StartProcess(const std::string& commandLine, const std::string& workingDirectory,
                             std::uint32_t creationFlags, int showState) override;
  std::uint32_t WaitProcess(ProcessHandle process, std::uint32_t timeoutMs) override;
  bool CloseProcess(ProcessHandle process) override;

  MutexHandle OpenNamedMutex(const std::string& name) override;
  std::uint32_t WaitMutex(MutexHandle mutex, std::uint32_t timeoutMs) override;
  bool ReleaseMutex(MutexHandle mutex) override;
  bool CloseMutex(MutexHandle mutex) override;

  WindowHandle FindTopLevelWindow(const std::string& title) override;
  bool PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) override;
  void BroadcastWinIniChange(const std::string& section) override;

  bool OpenProcessToken(std::uint32_t access, std::uint32_t* token) override;
  bool LookupPrivilegeValue(const std::string& name, Luid* luid) override;
  bool AdjustTokenPrivilege(std::uint32_t token, const Luid& luid,
                            std::uint32_t attributes) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  std::uint32_t LoadLibrary16(const std::string& module) override;
  void FreeLibrary16(std::uint32_t instance) override;
  std::uint32_t GetProcAddress16(std::uint32_t instance, const std::string& name) override;
  ModuleHandle LoadModule(const std::string& name) override;
  void FreeModule(ModuleHandle module) override;
  std::uint32_t FindProcAddress(ModuleHandle module, const std::string& name) override;
  std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16, std::uint32_t argument32,
                            std::uint16_t argument16) override;

  bool ReadOwnVersionInfo(std::string* block) override;

  bool GetSpecialFolder(ShellFolder folder, std::string* path) override;
  bool WriteShellLink(const std::string& path, const ShellLink& link) override;
  bool ReadShellLink(const std::string& path, ShellLink* link) override;

  // Options the machine's own program gets before "--" when it runs as
  // the host's zubanet (SimProcesses.h), for every start from now on.
  void SetProgramOptions(std::vector<std::string> options) {
    context_.programOptions = std::move(options);
  }

 private:
  SimContext context_;
  Desktop desktop_;
  SimProcesses processes_;
  SimMutexes mutexes_;
  SimWindows windows_;
  SimShutdown shutdown_;
  SimVersionInfo versionInfo_;
  SimShell shell_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMSYSTEM_H_
