// zubanet-machine [--machine DIR] COMMAND [ARGUMENT...]
//
// Creates, inspects and drives the simulated Windows 9x machine.
#include <iostream>
#include <string>

#include "app/machine/Commands.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::app {
namespace {

struct Command {
  const char* name;
  int (*run)(CommandContext&);
};

constexpr Command kCommands[] = {
    {"init", RunInit}, {"reg", RunReg}, {"events", RunEvents}, {"boot", RunBoot}, {"show", RunShow},
};

int Usage(std::ostream& err) {
  err << "usage: zubanet-machine [--machine DIR] COMMAND\n"
         "commands:\n"
         "  init [--os win95|win98|nt] [--force]   write a machine from a template\n"
         "  show                                    print the machine's network configuration\n"
         "  reg export [--utf8] [KEY]               print the registry as REGEDIT4 (CP932,\n"
         "                                          CR LF; --utf8: UTF-8 for reading)\n"
         "  reg import [--utf8] FILE                import a REGEDIT4 file (CP932; --utf8:\n"
         "                                          UTF-8, as export --utf8 writes it)\n"
         "  events                                  print the machine's event log\n"
         "  boot [--choose L] [--answer A]...       perform the pending power action and\n"
         "                                          start the RunOnce entries (the program\n"
         "                                          they start gets the answers)\n";
  return kExitUsage;
}

int Main(int argc, char** argv) {
  std::string machineOption;
  int i = 1;
  for (; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--machine" && i + 1 < argc) {
      machineOption = argv[++i];
    } else if (arg.rfind("--machine=", 0) == 0) {
      machineOption = arg.substr(10);
    } else if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      return kExitOk;
    } else {
      break;
    }
  }
  if (i >= argc) return Usage(std::cerr);
  const std::string name = argv[i++];
  CommandContext context{
      LocateMachine(machineOption), {argv + i, argv + argc}, std::cout, std::cerr};
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    try {
      return command.run(context);
    } catch (const platform::sim::MachineError& e) {
      std::cerr << "zubanet-machine: " << e.what() << "\n";
      return kExitError;
    }
  }
  std::cerr << "zubanet-machine: unknown command '" << name << "'\n";
  return Usage(std::cerr);
}

}  // namespace
}  // namespace zuba::app

int main(int argc, char** argv) { return zuba::app::Main(argc, argv); }
