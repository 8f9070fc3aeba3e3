#include "app/MachineLocation.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/HostProgram.h"

namespace zuba::app {

namespace {

// The machine's host programs run in directories of their own and are
// handed the machine's path, so it must not depend on the current one.
std::string Absolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
}

}  // namespace

MachineLocation LocateMachine(const std::string& option) {
  if (!option.empty()) return {Absolute(option), false};
  if (const char* env = std::getenv("ZUBANET_MACHINE"); env && *env) return {Absolute(env), false};
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = xdg;
  } else {
    const char* home = std::getenv("HOME");
    data = std::string(home ? home : ".") + "/.local/share";
  }
  return {Absolute(data + "/zubanet/machine"), true};
}

std::unique_ptr<platform::sim::Machine> OpenMachine(const MachineLocation& location,
                                                    platform::sim::RegistryWrites writes) {
  struct stat st;
  if (location.isDefault && stat(location.directory.c_str(), &st) != 0) {
    platform::sim::CreateMachine(location.directory, platform::sim::OsKind::kWin98,
                                 platform::sim::IfMachineExists::kFail);
    const std::string zubanet = FindHostZubanet();
    if (!zubanet.empty()) RecordHostZubanet(location.directory, zubanet);
  }
  return platform::sim::OpenSimulatedMachine(location.directory, writes);
}

}  // namespace zuba::app
