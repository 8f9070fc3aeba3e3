#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/sim/SimulatedMachine.h"
#include "testing/ConformanceTarget.h"
#include "testing/TempMachine.h"

namespace zuba::testing {
namespace {

constexpr char kMachineVariable[] = "ZUBA_CONFORMANCE_MACHINE";

class SimPeer final : public PeerProcess {
 public:
  explicit SimPeer(pid_t pid) : pid_(pid) {}
  ~SimPeer() override { Wait(); }
  bool Wait() override {
    if (pid_ > 0) {
      int status = 0;
      waitpid(pid_, &status, 0);
      passed_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      pid_ = 0;
    }
    return passed_;
  }

 private:
  pid_t pid_;
  bool passed_ = false;
};

class SimTarget final : public ConformanceTarget {
 public:
  SimTarget() {
    if (const char* shared = std::getenv(kMachineVariable)) {
      // A peer: the machine of the test that started it, set up already.
      opened_ = platform::sim::OpenSimulatedMachine(shared);
      machine_ = opened_.get();
      return;
    }
    temp_ = std::make_unique<TempMachine>();
    machine_ = &temp_->machine();
    files().MakeDirectory(directory_);
    platform::RegKey created;
    registry().CreateKey(platform::kHkeyCurrentUser, key_, &created);
    registry().CloseKey(created);
  }

  platform::Registry& registry() override { return *machine_->registry; }
  platform::Files& files() override { return *machine_->files; }
  platform::Profiles& profiles() override { return *machine_->profiles; }
  platform::System& system() override { return *machine_->system; }
  const std::string& directory() const override { return directory_; }
  const std::string& key() const override { return key_; }
  bool IsWine() const override { return false; }
  Template machine() const override { return Template::kWin98; }

  std::unique_ptr<PeerProcess> StartPeer(const std::string& test, int number) override {
    const std::string filter = "--gtest_filter=" + test;
    const std::string peer = std::to_string(number);
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("ZUBA_CONFORMANCE_PEER", peer.c_str(), 1);
      setenv(kMachineVariable, machine_->directory.c_str(), 1);
      execl("/proc/self/exe", "conformance-peer", filter.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return std::make_unique<SimPeer>(pid);
  }

 private:
  std::unique_ptr<TempMachine> temp_;
  std::unique_ptr<platform::sim::Machine> opened_;
  platform::sim::Machine* machine_ = nullptr;
  const std::string directory_ = "C:\\CONFORM";
  const std::string key_ = "Software\\ZubaNet Conformance";
};

}  // namespace

std::unique_ptr<ConformanceTarget> OpenConformanceTarget() { return std::make_unique<SimTarget>(); }

}  // namespace zuba::testing
