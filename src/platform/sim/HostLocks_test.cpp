// The waits for the machine's locks end: the registry's and the host
// locks of the profile writers and named mutexes.
#include "platform/sim/HostLock.h"
#include "platform/sim/RegistryLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

#include "platform/sim/SimulatedMachine.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

// A process that keeps the registry's lock (stopped, say) makes the others
// give up after the wait limit with a message, instead of waiting without
// end at no CPU; once it lets go, the lock is had again.
TEST(RegistryLockTest, ALockKeptByAnotherProcessIsWaitedForAtMostTheLimit) {
  testing::TempDir dir;
  RegistryLock lock(dir.path(), std::chrono::milliseconds(200));
  const int holder = open((dir.path() + "/registry.lock").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  for (LockMode mode : {LockMode::kShared, LockMode::kExclusive}) {
    const auto start = std::chrono::steady_clock::now();
    try {
      lock.Acquire(mode);
      ADD_FAILURE() << "the lock was had while another process held it";
    } catch (const MachineError& e) {
      EXPECT_EQ(std::string(e.what()),
                dir.path() + "/registry.lock: another process has held the registry for 200 ms; "
                             "is a program on this machine stopped or hung?");
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_EQ(lock.held(), LockMode::kNone);
  }
  flock(holder, LOCK_UN);
  lock.Acquire(LockMode::kExclusive);
  EXPECT_EQ(lock.held(), LockMode::kExclusive);
  lock.Release();
  close(holder);
}

// A host lock kept by another process past the limit is not taken, and says
// it timed out (a file that cannot be opened does not).
TEST(HostLockTest, ALockKeptByAnotherProcessTimesOut) {
  testing::TempDir dir;
  HostLock mine(dir.path() + "/writers.lock"), theirs(dir.path() + "/writers.lock");
  ASSERT_TRUE(theirs.Lock());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(mine.Lock(std::chrono::milliseconds(100)));
  EXPECT_TRUE(mine.timedOut());
  EXPECT_FALSE(mine.held());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  theirs.Unlock();
  EXPECT_TRUE(mine.Lock(std::chrono::milliseconds(100)));
  EXPECT_FALSE(mine.timedOut());
  HostLock nowhere(dir.path() + "/missing/writers.lock");
  EXPECT_FALSE(nowhere.Lock(std::chrono::milliseconds(100)));
  EXPECT_FALSE(nowhere.timedOut());
}

}  // namespace
}  // namespace zuba::platform::sim
