// The named mutexes of the simulated machine: each is a HostLock on the file
// DIR/mutex.NAME (bytes other than letters, digits, '.', '-' and '_' of the
// name written as %XX), so processes that have the machine open share it by
// its name. A mutex whose owner ended without releasing it is free again
// (the lock goes with its process); the simulation answers kWaitObject0
// then, where Windows would answer kWaitAbandoned. Ownership counts as on
// Windows: each wait of the owner counts, each release takes one back.
#ifndef ZUBA_PLATFORM_SIM_SIMMUTEXES_H_
#define ZUBA_PLATFORM_SIM_SIMMUTEXES_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/System.h"
#include "platform/sim/HostLock.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

class SimMutexes {
 public:
  explicit SimMutexes(SimContext& context) : context_(context) {}

  MutexHandle Open(const std::string& name);
  std::uint32_t Wait(MutexHandle mutex, std::uint32_t timeoutMs);
  bool Release(MutexHandle mutex);
  bool Close(MutexHandle mutex);

 private:
  struct Mutex {
    std::unique_ptr<HostLock> lock;
    int owned = 0;  // waits not yet released
  };

  Mutex* Find(MutexHandle mutex);

  SimContext& context_;
  std::map<MutexHandle, Mutex> mutexes_;
  MutexHandle next_ = 0;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMMUTEXES_H_
