// Processes of the simulated machine: CreateProcessA (without an
// application name), WaitForSingleObject and CloseHandle on process
// handles.
//
// The program is found as CreateProcessA finds it (WinCommandLine.h): each
// reading of the command line in turn, ".exe" added to a name without
// extension, a name without a path looked up in the program's own
// directory, the current directory, the system directory (SYSTEM, on NT
// SYSTEM32) and the Windows directory (the PATH of the machine is not
// searched). A directory is no program, and only a file named .EXE, .COM,
// .BAT or .PIF is one (any other file fails as on Windows 9x). Then:
// - "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl" opens the scripted
//   Network control panel (NetworkPanel.h); the process ends when the
//   panel's last window goes;
// - a program whose host file has the owner's execute bit runs on the host
//   for real: its arguments split as the C runtime splits them (and turned
//   into UTF-8), the working directory mapped to its host directory,
//   ZUBANET_MACHINE naming this machine in its environment;
// - the machine's own program ([Program] Path) runs, when machine.ini's
//   [Program] Host names the host's zubanet, as that program with
//   "--machine DIR --headless --" before the command line's arguments
//   (and the options SimSystem::SetProgramOptions gave before "--"): the
//   program on the machine really is this project's program;
// - any other program is recorded and ends at once (exit code 0).
// Every start, failed or not, is written to events.log.
//
// Failures and their last errors: no program found ERROR_FILE_NOT_FOUND; a
// working directory that is not a directory ERROR_DIRECTORY; a file of
// another kind than the four, or a host file the host cannot execute,
// ERROR_BAD_EXE_FORMAT. machine.ini's [Fail]
// CreateProcess=CODE, WaitForSingleObject=CODE (the wait answers
// WAIT_FAILED) and CloseHandle=CODE make those calls fail. A handle that is
// not open (never given out, or closed) fails with ERROR_INVALID_HANDLE.
// Handles belong to the object that gave them out, as they belong to a
// process on Windows; a host process still running when its handle is
// closed keeps running.
#ifndef ZUBA_PLATFORM_SIM_SIMPROCESSES_H_
#define ZUBA_PLATFORM_SIM_SIMPROCESSES_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/System.h"
#include "platform/sim/Desktop.h"
#include "platform/sim/HostProcess.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimProcesses {
 public:
  // Both must outlive the object.
  SimProcesses(SimContext& context, Desktop& desktop) : context_(context), desktop_(desktop) {}
  ~SimProcesses();

  // See System::StartProcess, WaitProcess, CloseProcess.
  ProcessHandle Start(const std::string& commandLine, const std::string& workingDirectory,
                      std::uint32_t creationFlags, int showState);
  std::uint32_t Wait(ProcessHandle process, std::uint32_t timeoutMs);
  bool Close(ProcessHandle process);

 private:
  struct Process {
    std::unique_ptr<HostProcess> host;  // a host program
    std::uint32_t panelRun = 0;         // the Network control panel's run
  };

  // The Windows path of the program a command line names, and the rest of
  // the line; false when there is none.
  bool FindProgram(const std::string& commandLine, std::string* program, std::string* arguments);
  bool IsProgramFile(const std::string& path, std::string* hostPath);
  ProcessHandle Fail(const std::string& what, std::uint32_t code);
  // Runs `hostProgram` with `words` in `hostDirectory`; `what` describes the
  // start in events.log.
  ProcessHandle SpawnHost(const std::string& what, const std::string& hostProgram,
                          const std::vector<std::string>& words, const std::string& hostDirectory);
  ProcessHandle Add(Process process);
  bool Ended(Process& process, std::uint32_t timeoutMs);

  SimContext& context_;
  Desktop& desktop_;
  std::map<ProcessHandle, Process> processes_;
  ProcessHandle nextHandle_ = 0x40;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMPROCESSES_H_
