// Starting a program and waiting for its end while the user interface stays
// responsive.
#ifndef ZUBA_ACTIONS_EXECUTIL_H_
#define ZUBA_ACTIONS_EXECUTIL_H_

#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "platform/System.h"
#include "system/AppShell.h"

namespace zuba::actions {

// ShowWindow's SW_SHOWNORMAL: the started program's window shows normally.
constexpr int kShowNormal = 5;
// CreateProcess's NORMAL_PRIORITY_CLASS.
constexpr std::uint32_t kNormalPriorityClass = 0x20;
// The longest a wait blocks on a process between two rounds of messages.
constexpr std::uint32_t kProcessPollMs = 10;

// Starts `commandLine` (the system finds the program in it) in
// `workingDirectory` with the window state `showState`. An empty working
// directory stands for the program's current directory (left empty when
// that does not fit 256 bytes). Answers the new process's handle, or 0 when
// it could not start; platform::System::LastError() then tells why.
platform::ProcessHandle ExecCommand(platform::System& system, platform::Files& files,
                                    const std::string& commandLine,
                                    const std::string& workingDirectory, int showState);

// Returns once the process has ended or its handle turns out unusable.
// Meanwhile the application's pending messages are processed about every
// kProcessPollMs milliseconds; in between the wait blocks on the process
// itself, so it uses hardly any processor time and returns as soon as the
// process ends. Each look at the process, the last one included, is
// followed by one round of messages.
void WaitForProcess(platform::System& system, system::AppShell& shell,
                    platform::ProcessHandle process);

// Closes a handle ExecCommand answered.
void CloseProcessHandle(platform::System& system, platform::ProcessHandle process);

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_EXECUTIL_H_
