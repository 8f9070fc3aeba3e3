// The commands of zubanet-machine, one file each.
#ifndef ZUBA_APP_MACHINE_COMMANDS_H_
#define ZUBA_APP_MACHINE_COMMANDS_H_

#include <ostream>
#include <string>
#include <vector>

#include "app/MachineLocation.h"

namespace zuba::app {

// Exit codes of the programs.
enum ExitCode { kExitOk = 0, kExitError = 1, kExitUsage = 2 };

struct CommandContext {
  MachineLocation location;
  std::vector<std::string> args;  // after the command's name
  std::ostream& out;
  std::ostream& err;
};

// Each returns an ExitCode. Errors are written to `err` in UTF-8.
int RunInit(CommandContext& context);    // init [--os win95|win98|nt] [--force]
int RunReg(CommandContext& context);     // reg export [KEY] | reg import FILE
int RunEvents(CommandContext& context);  // events
int RunBoot(CommandContext& context);    // boot
int RunShow(CommandContext& context);    // show

}  // namespace zuba::app

#endif  // ZUBA_APP_MACHINE_COMMANDS_H_
