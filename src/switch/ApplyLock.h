// One apply at a time per machine: an apply, an undo and a recovery hold
// the machine's named mutex for their whole run, so that two of them never
// write the machine at once and no start of the program takes the journal
// of a run that is still going for one that was cut short. A second one
// waits a bounded time for the first to end.
#ifndef ZUBA_SWITCH_APPLYLOCK_H_
#define ZUBA_SWITCH_APPLYLOCK_H_

#include <cstdint>

#include "platform/System.h"
#include "system/Errors.h"

namespace zuba::switching {

// How long a second apply waits for the first before it gives up.
constexpr std::uint32_t kApplyLockWaitMs = 5000;

// The name every process of the program locks by.
constexpr char kApplyMutexName[] = "ZubaNet.Apply";

// What the user is told when the lock stays taken.
constexpr char kAnotherApplyRunning[] =
    "ほかの反映 (または取り消し) が実行中です。\r\n終わってから、もう一度行ってください。";

class ApplyLock {
 public:
  // Waits up to `waitMs` for the lock; Held() tells whether it came.
  // Throws system::Exception when the mutex cannot be made at all.
  ApplyLock(platform::System& system, std::uint32_t waitMs);
  ~ApplyLock();
  ApplyLock(const ApplyLock&) = delete;
  ApplyLock& operator=(const ApplyLock&) = delete;

  bool Held() const { return held_; }

 private:
  platform::System& system_;
  platform::MutexHandle mutex_ = 0;
  bool held_ = false;
};

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_APPLYLOCK_H_
