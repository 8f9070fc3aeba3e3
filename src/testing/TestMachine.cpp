// TestMachine on the simulated machine: a fresh one from the template.
#include "testing/TestMachine.h"

#include "testing/TempMachine.h"

namespace zuba::testing {

class TestMachine::Impl {
 public:
  explicit Impl(Template from)
      : machine(from == Template::kWin95 ? platform::sim::OsKind::kWin95
                                         : platform::sim::OsKind::kWin98) {}
  TempMachine machine;
};

std::vector<Template> AvailableTemplates() { return {Template::kWin98, Template::kWin95}; }

TestMachine::TestMachine() : TestMachine(AvailableTemplates().front()) {}
TestMachine::TestMachine(Template from) : from_(from), impl_(std::make_unique<Impl>(from)) {}
TestMachine::~TestMachine() = default;

platform::Registry& TestMachine::registry() { return impl_->machine.registry(); }
platform::Files& TestMachine::files() { return impl_->machine.files(); }
platform::Profiles& TestMachine::profiles() { return impl_->machine.profiles(); }
platform::System& TestMachine::system() { return impl_->machine.system(); }

}  // namespace zuba::testing
