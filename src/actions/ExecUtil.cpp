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
  // poll period and return the moment the process ends. Every look is
  // followed by a round of messages, the last one too, so what arrived
  // while the process ended is handled before the caller goes on.
  std::uint32_t timeout = 0;
  for (;;) {
    const std::uint32_t result = system.WaitProcess(process, timeout);
    shell.ProcessMessages();
    if (result != platform::kWaitTimeout) return;
    timeout = kProcessPollMs;
  }
}

void CloseProcessHandle(platform::System& system, platform::ProcessHandle process) {
  system.CloseProcess(process);
}

}  // namespace zuba::actions
