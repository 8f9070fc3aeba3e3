// zubanet [--machine DIR] [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// ZubaNet on the simulated Windows 9x machine DIR: on a display, its
// windows; with --headless, none, the user's part played by --answer and
// --do (toolkit/UserScript.h). The ARGUMENTs are the program's own
// command line as Windows passes it (/c, /e, /p, /u, /t, /k, /s, a setting
// name).
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/HostHeap.h"
#include "app/MachineLocation.h"
#include "app/zubanet/Arguments.h"
#include "app/zubanet/Program.h"
#include "app/zubanet/Windowed.h"
#include "frontend/headless/FrontEndOptions.h"
#include "frontend/headless/HeadlessFrontEnd.h"
#include "platform/sim/SimRegistry.h"

namespace zuba::app {
namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

int Usage(std::ostream& out, int code) {
  out << UsageText(true);
  return code;
}

int Main(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(std::vector<std::string>(argv + 1, argv + argc), true, &arguments,
                      &error)) {
    std::cerr << "zubanet: " << error << "\n";
    return Usage(std::cerr, kExitUsage);
  }
  if (arguments.help) return Usage(std::cout, 0);
  const headless::FrontEndOptions& options = arguments.options;
  const std::vector<std::string>& commandLine = arguments.commandLine;
  const std::string& machineOption = arguments.machine;

  if (!options.headless) {
    if (std::optional<int> failed = HandOverWindows(argv, std::cerr)) return *failed;
  }

  // The program's registry writes reach the machine's files as on Windows
  // 9x: at a flush, before a shut-down or a started program, and at the end.
  std::unique_ptr<platform::sim::Machine> machine;
  try {
    machine = OpenMachine(LocateMachine(machineOption), platform::sim::RegistryWrites::kAtFlush);
  } catch (const platform::sim::MachineError& e) {
    std::cerr << "zubanet: " << e.what() << "\n";
    return kExitError;
  }
  const platform::Services services = machine->Services();
  auto program = [&](toolkit::FrontEnd& frontEnd) {
    return RunZubaNet(frontEnd, services, commandLine);
  };
  int code;
  if (options.headless) {
    headless::HeadlessFrontEnd frontEnd(options, services.files, std::cout, std::cerr);
    code = program(frontEnd);
  } else {
    code = RunWindowed(argv[0], services.files, std::cerr, program);
  }
  try {
    if (long saved = platform::sim::SaveRegistry(*machine->registry)) {
      std::cerr << "zubanet: the registry changes could not be saved (error " << saved << ")\n";
      code = kExitError;
    } else {
      // Every change is in the hive files: the hives' keys (tens of
      // thousands on a large machine) are left for the process's end to
      // reclaim instead of being freed one by one.
      static_cast<void>(machine->hives.release());
    }
  } catch (const platform::sim::MachineError& e) {
    std::cerr << "zubanet: the registry changes could not be saved: " << e.what() << "\n";
    code = kExitError;
  }
  return code;
}

}  // namespace
}  // namespace zuba::app

int main(int argc, char** argv) {
  zuba::app::ArrangeHostHeap();
  return zuba::app::Main(argc, argv);
}
