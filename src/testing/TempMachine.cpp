#include "testing/TempMachine.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zuba::testing {

TempDir::TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zubanet-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

TempMachine::TempMachine(platform::sim::OsKind os, platform::sim::RegistryWrites writes)
    : writes_(writes) {
  platform::sim::CreateMachine(dir_.path(), os, platform::sim::IfMachineExists::kReplace);
  machine_ = platform::sim::OpenSimulatedMachine(dir_.path(), writes_);
}

TempMachine::~TempMachine() = default;

std::string TempMachine::HostPath(const std::string& relative) const {
  return dir_.path() + "/" + relative;
}

void TempMachine::Reopen() {
  machine_.reset();
  machine_ = platform::sim::OpenSimulatedMachine(dir_.path(), writes_);
}

}  // namespace zuba::testing
