#include "actions/ExecUtil.h"

namespace zuba::actions {
namespace {

// GetCurrentDirectory's buffer: 257 bytes with the terminating zero.
constexpr std::size_t kCurrentDirectoryBuffer = 257;

}  // namespace

platform::ProcessHandle ExecCommand(platform::System& system, platform::Files& files,
                                    const std::string& commandLine,
                                    const std::string& workingDirectory, int showState) {
  std::string directory = workingDirectory;
  if (directory.empty()) {
    directory = files.CurrentDirectory();
    if (directory.size() >= kCurrentDirectoryBuffer) directory.clear();
  }
  return system.StartProcess(commandLine, directory, kNormalPriorityClass, showState);
}

void WaitForProcess(platform::System& system, system::AppShell& shell,
                    platform::ProcessHandle process) {
  // The first look does not block; the later ones block for at most one
  // poll period and return the moment the process ends.
  std::uint32_t timeout = 0;
  while (system.WaitProcess(process, timeout) == platform::kWaitTimeout) {
    shell.ProcessMessages();
    timeout = kProcessPollMs;
  }
}

void CloseProcessHandle(platform::System& system, platform::ProcessHandle process) {
  system.CloseProcess(process);
}

}  // namespace zuba::actions
