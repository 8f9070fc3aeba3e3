#include "switch/ApplyLock.h"

#include <string>

namespace zuba::switching {

ApplyLock::ApplyLock(platform::System& system, std::uint32_t waitMs) : system_(system) {
  mutex_ = system_.OpenNamedMutex(kApplyMutexName);
  if (mutex_ == 0) {
    throw system::Exception("反映の排他制御を始められません (エラー " +
                            std::to_string(system_.LastError()) + ")");
  }
  const std::uint32_t result = system_.WaitMutex(mutex_, waitMs);
  // A mutex whose owner ended without releasing it is ours all the same:
  // the journal tells what that owner left unfinished.
  held_ = result == platform::kWaitObject0 || result == platform::kWaitAbandoned;
}

ApplyLock::~ApplyLock() {
  if (held_) system_.ReleaseMutex(mutex_);
  system_.CloseMutex(mutex_);
}

}  // namespace zuba::switching
