// zubanet-machine init [--os win95|win98|nt] [--force] [--zubanet PROGRAM]
//
// Writes a machine from a template into the machine directory. An existing
// machine is replaced only with --force. The machine's own program runs the
// host's zubanet: PROGRAM, else the zubanet beside zubanet-machine; where
// there is none, it stays a stand-in that only records its starts.
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "app/HostProgram.h"
#include "app/machine/Commands.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::app {
namespace {

int InitUsage(std::ostream& err) {
  err << "usage: zubanet-machine init [--os win95|win98|nt] [--force] [--zubanet PROGRAM]\n";
  return kExitUsage;
}

struct OsName {
  const char* name;
  platform::sim::OsKind os;
  const char* description;
};
constexpr OsName kOsNames[] = {
    {"win98", platform::sim::OsKind::kWin98, "Windows 98 4.10.2222"},
    {"win95", platform::sim::OsKind::kWin95, "Windows 95 4.00.950"},
    {"nt", platform::sim::OsKind::kNt, "Windows NT 4.0.1381"},
};

}  // namespace

int RunInit(CommandContext& context) {
  const OsName* os = &kOsNames[0];
  bool force = false;
  std::string zubanet;
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--force") {
      force = true;
      continue;
    } else if (args[i] == "--zubanet" && i + 1 < args.size()) {
      std::error_code error;
      zubanet = std::filesystem::absolute(args[++i], error).string();
      if (error) return InitUsage(context.err);
      continue;
    } else if (args[i] == "--os" && i + 1 < args.size()) {
      value = args[++i];
    } else if (args[i].rfind("--os=", 0) == 0) {
      value = args[i].substr(5);
    } else {
      return InitUsage(context.err);
    }
    os = nullptr;
    for (const OsName& o : kOsNames) {
      if (value == o.name) os = &o;
    }
    if (!os) return InitUsage(context.err);
  }
  const std::string& directory = context.location.directory;
  try {
    platform::sim::CreateMachine(
        directory, os->os,
        force ? platform::sim::IfMachineExists::kReplace : platform::sim::IfMachineExists::kFail);
  } catch (const platform::sim::MachineError& e) {
    context.err << "zubanet-machine: " << e.what();
    // The hint fits only the refusal to write over a machine.
    struct stat st;
    if (!force && stat((directory + "/machine.ini").c_str(), &st) == 0) {
      context.err << " (--force replaces it)";
    }
    context.err << "\n";
    return kExitError;
  }
  context.out << directory << ": " << os->description << " machine created\n";
  if (zubanet.empty()) zubanet = FindHostZubanet();
  if (zubanet.empty()) {
    context.out << "its program is a stand-in: no zubanet beside zubanet-machine\n";
  } else if (RecordHostZubanet(directory, zubanet)) {
    context.out << "its program runs " << zubanet << "\n";
  } else {
    context.err << "zubanet-machine: " << directory << "/machine.ini cannot be written\n";
    return kExitError;
  }
  return kExitOk;
}

}  // namespace zuba::app
