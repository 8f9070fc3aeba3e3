// One implementation of the platform seam under the conformance tests (the
// platform layer's *Conformance_test.cpp), with room of its own to work in.
// The simulated machine's binding is in this directory, the Win32 one in
// win32/; each test program links one of them.
#ifndef ZUBA_TESTING_CONFORMANCETARGET_H_
#define ZUBA_TESTING_CONFORMANCETARGET_H_

#include <memory>
#include <string>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "testing/TestMachine.h"

namespace zuba::testing {

// A further process of a test that runs in several at once (see
// ConformanceTarget::StartPeer).
class PeerProcess {
 public:
  virtual ~PeerProcess() = default;
  // Waits for the process to end: true when its run of the test passed.
  virtual bool Wait() = 0;
};

class ConformanceTarget {
 public:
  virtual ~ConformanceTarget() = default;

  virtual platform::Registry& registry() = 0;
  virtual platform::Files& files() = 0;
  virtual platform::Profiles& profiles() = 0;
  virtual platform::System& system() = 0;

  // An empty directory, as a Windows path without a trailing backslash;
  // it goes with the target.
  virtual const std::string& directory() const = 0;
  // An empty key below HKEY_CURRENT_USER (no leading backslash); it goes
  // with the target.
  virtual const std::string& key() const = 0;
  // Wine stands in for Windows: where Wine is known to answer as Windows NT
  // (or as neither), the tests of Windows 9x's answer are skipped with the
  // reason (docs/sim-machine.md lists them).
  virtual bool IsWine() const = 0;
  // The Windows of the machine behind it: the simulated machine is a
  // Windows 98 SE; under Wine it is the Windows of the template machine the
  // prefix was seeded from, 98 SE or 95.
  virtual Template machine() const = 0;

  // Starts this test program again for the one test `test` ("Suite.Name")
  // as peer `number` (1 and up): its target is this one's machine, with
  // the same directory() and key(), and PeerNumber() tells the test which
  // part it plays there.
  virtual std::unique_ptr<PeerProcess> StartPeer(const std::string& test, int number) = 0;
};

// The peer number of this process: 0 in the test program as started.
int PeerNumber();

// "Suite.Name" of the test that runs now.
std::string CurrentTestName();

// The implementation this test program is built for, in a fresh state, on
// a Japanese machine.
std::unique_ptr<ConformanceTarget> OpenConformanceTarget();

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_CONFORMANCETARGET_H_
