// TestMachine on the simulated machine: a fresh one from the template.
#include "testing/TestMachine.h"

#include "testing/TempMachine.h"

namespace zuba::testing {

class TestMachine::Impl {
 public:
  TempMachine machine;
};

TestMachine::TestMachine() : impl_(std::make_unique<Impl>()) {}
TestMachine::~TestMachine() = default;

platform::Registry& TestMachine::registry() { return impl_->machine.registry(); }
platform::Files& TestMachine::files() { return impl_->machine.files(); }
platform::Profiles& TestMachine::profiles() { return impl_->machine.profiles(); }
platform::System& TestMachine::system() { return impl_->machine.system(); }

}  // namespace zuba::testing
