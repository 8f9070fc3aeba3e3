// The registry's lock and change counters, shared by every process that has
// the machine open: DIR/registry.lock. Writers hold an advisory lock (flock)
// on it while they reload, change and save a hive, and then advance that
// hive's counter. The counters live in a shared mapping of the file, so a
// reader finds out whether another process saved a hive with one memory
// read, without a system call.
#ifndef ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_
#define ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_

#include <cstdint>
#include <string>

namespace zuba::platform::sim {

class RegistryLock {
 public:
  static constexpr int kCounters = 8;

  // Opens DIR/registry.lock, creating it when missing. Throws MachineError
  // when it cannot be opened or mapped.
  explicit RegistryLock(const std::string& directory);
  ~RegistryLock();
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;

  // Waits for the exclusive lock / releases it.
  void Acquire();
  void Release();

  // The counter of `index` (0 to kCounters - 1) as last advanced by any
  // process.
  std::uint64_t Counter(int index) const {
    return __atomic_load_n(&counters_[index], __ATOMIC_ACQUIRE);
  }
  // Advances the counter (while the lock is held) and returns its new value.
  std::uint64_t Advance(int index) {
    return __atomic_add_fetch(&counters_[index], 1, __ATOMIC_ACQ_REL);
  }

 private:
  int fd_ = -1;
  std::uint64_t* counters_ = nullptr;
};

// Holds the lock for a scope.
class RegistryLockScope {
 public:
  explicit RegistryLockScope(RegistryLock& lock) : lock_(lock) { lock_.Acquire(); }
  ~RegistryLockScope() { lock_.Release(); }
  RegistryLockScope(const RegistryLockScope&) = delete;
  RegistryLockScope& operator=(const RegistryLockScope&) = delete;

 private:
  RegistryLock& lock_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_
