#include "app/MachineLocation.h"

#include <sys/stat.h>

#include <cstdlib>

#include "app/HostProgram.h"

namespace zuba::app {

MachineLocation LocateMachine(const std::string& option) {
  if (!option.empty()) return {option, false};
  if (const char* env = std::getenv("ZUBANET_MACHINE"); env && *env) return {env, false};
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = xdg;
  } else {
    const char* home = std::getenv("HOME");
    data = std::string(home ? home : ".") + "/.local/share";
  }
  return {data + "/zubanet/machine", true};
}

std::unique_ptr<platform::sim::Machine> OpenMachine(const MachineLocation& location) {
  struct stat st;
  if (location.isDefault && stat(location.directory.c_str(), &st) != 0) {
    platform::sim::CreateMachine(location.directory, platform::sim::OsKind::kWin98,
                                 platform::sim::IfMachineExists::kFail);
    const std::string zubanet = FindHostZubanet();
    if (!zubanet.empty()) RecordHostZubanet(location.directory, zubanet);
  }
  return platform::sim::OpenSimulatedMachine(location.directory);
}

}  // namespace zuba::app
