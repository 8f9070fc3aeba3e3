#include "app/HostProgram.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/sim/MachineConfig.h"

namespace zuba::app {

std::string FindSiblingProgram(const std::string& name) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  const std::filesystem::path program = self.parent_path() / name;
  if (!std::filesystem::is_regular_file(program, error) || access(program.c_str(), X_OK) != 0) {
    return "";
  }
  return program.string();
}

std::string FindHostZubanet() { return FindSiblingProgram("zubanet"); }

bool RecordHostZubanet(const std::string& directory, const std::string& program) {
  platform::sim::MachineConfig config(directory);
  return config.Set("Program", "Host", program);
}

}  // namespace zuba::app
