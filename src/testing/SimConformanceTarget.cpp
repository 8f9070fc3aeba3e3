#include "testing/ConformanceTarget.h"
#include "testing/TempMachine.h"

namespace zuba::testing {
namespace {

class SimTarget final : public ConformanceTarget {
 public:
  SimTarget() {
    machine_.files().MakeDirectory(directory_);
    platform::RegKey created;
    machine_.registry().CreateKey(platform::kHkeyCurrentUser, key_, &created);
    machine_.registry().CloseKey(created);
  }

  platform::Registry& registry() override { return machine_.registry(); }
  platform::Files& files() override { return machine_.files(); }
  platform::Profiles& profiles() override { return machine_.profiles(); }
  platform::System& system() override { return machine_.system(); }
  const std::string& directory() const override { return directory_; }
  const std::string& key() const override { return key_; }
  bool IsWine() const override { return false; }
  Template machine() const override { return Template::kWin98; }

 private:
  TempMachine machine_;
  const std::string directory_ = "C:\\CONFORM";
  const std::string key_ = "Software\\ZubaNet Conformance";
};

}  // namespace

std::unique_ptr<ConformanceTarget> OpenConformanceTarget() { return std::make_unique<SimTarget>(); }

}  // namespace zuba::testing
