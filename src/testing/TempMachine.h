// A simulated machine in a fresh temporary directory, removed again when the
// object goes. Tests build one from a template and then edit it.
#ifndef ZUBA_TESTING_TEMPMACHINE_H_
#define ZUBA_TESTING_TEMPMACHINE_H_

#include <memory>
#include <string>

#include "platform/sim/SimulatedMachine.h"

namespace zuba::testing {

// A temporary directory under $TMPDIR (or /tmp), removed with its content.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class TempMachine {
 public:
  // The machine is opened with its registry writing as `writes` says.
  explicit TempMachine(platform::sim::OsKind os = platform::sim::OsKind::kWin98,
                       platform::sim::RegistryWrites writes = platform::sim::RegistryWrites::kThrough);
  ~TempMachine();

  const std::string& directory() const { return dir_.path(); }
  // The host path of a file of the machine directory ("system.reg",
  // "drive_c/WINDOWS/win.ini", ...).
  std::string HostPath(const std::string& relative) const;

  platform::Registry& registry() { return *machine_->registry; }
  platform::Files& files() { return *machine_->files; }
  platform::Profiles& profiles() { return *machine_->profiles; }
  platform::System& system() { return *machine_->system; }
  platform::sim::Machine& machine() { return *machine_; }
  platform::Services services() { return machine_->Services(); }

  // Closes and opens the machine again (as a new process would see it).
  void Reopen();

 private:
  TempDir dir_;
  platform::sim::RegistryWrites writes_;
  std::unique_ptr<platform::sim::Machine> machine_;
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_TEMPMACHINE_H_
