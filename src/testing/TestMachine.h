// A Japanese Windows 98 (or 95) machine in the template's state, for the tests that
// need no more of it than the platform services: on Linux a fresh
// simulated machine (TempMachine), on Windows the machine the test runs on,
// its registry set back to the template's first (win32/Win32TestMachine.cpp).
#ifndef ZUBA_TESTING_TESTMACHINE_H_
#define ZUBA_TESTING_TESTMACHINE_H_

#include <memory>
#include <vector>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::testing {

// The template a test machine starts from.
enum class Template { kWin98, kWin95 };

// The templates this test program can have: on Windows only that of the
// machine the tests run on (testing/win32/TemplateMachine.h).
std::vector<Template> AvailableTemplates();

class TestMachine {
 public:
  // The first of AvailableTemplates(): a Windows 98 but on a Windows 95
  // under Wine.
  TestMachine();
  explicit TestMachine(Template from);
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  platform::Registry& registry();
  platform::Files& files();
  platform::Profiles& profiles();
  platform::System& system();
  // The template it started from.
  Template from() const { return from_; }

 private:
  class Impl;
  Template from_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_TESTMACHINE_H_
