// A Japanese Windows 98 machine in the template's state, for the tests that
// need no more of it than the platform services: on Linux a fresh
// simulated machine (TempMachine), on Windows the machine the test runs on,
// its registry set back to the template's first (win32/Win32TestMachine.cpp).
#ifndef ZUBA_TESTING_TESTMACHINE_H_
#define ZUBA_TESTING_TESTMACHINE_H_

#include <memory>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::testing {

class TestMachine {
 public:
  TestMachine();
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  platform::Registry& registry();
  platform::Files& files();
  platform::Profiles& profiles();
  platform::System& system();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_TESTMACHINE_H_
