// The registry's lock and change counters, shared by every process that has
// the machine open: DIR/registry.lock. Writers hold an advisory lock (flock)
// on it, exclusively, while they reload, change and save the hives, and then
// advance the counter of each hive they saved; readers hold it shared while
// they load hives, so that they never see a change of both hives half made.
// The counters live in a shared mapping of the file, so a reader finds out
// whether another process saved a hive with one memory read, without a
// system call.
//
// A lock for reading needs no write access: on a machine the process may
// not write, the file is opened (and mapped) for reading only, and when it
// is missing there, the counters stay 0 and locking does nothing. Such a
// lock is not `writable()`, and nothing may be saved under it.
#ifndef ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_
#define ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_

#include <chrono>
#include <cstdint>
#include <string>

namespace zuba::platform::sim {

enum class LockMode { kNone, kShared, kExclusive };

class RegistryLock {
 public:
  static constexpr int kCounters = 8;

  // How long Acquire waits for another process to release the lock.
  static constexpr std::chrono::milliseconds kWaitLimit{30000};

  // Opens DIR/registry.lock, creating it when missing and possible. Throws
  // MachineError when it exists and cannot be opened or mapped even for
  // reading. `waitLimit` bounds every wait for the lock.
  explicit RegistryLock(const std::string& directory,
                        std::chrono::milliseconds waitLimit = kWaitLimit);
  ~RegistryLock();
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;

  // Whether saves may happen under this lock (the file is open for writing).
  bool writable() const { return writable_; }

  // Waits for the lock in `mode` (a held lock changes its mode) / releases
  // it. A lock another process keeps for longer than the wait limit (a
  // program stopped or hung while it changes the registry) is not waited
  // for without end: MachineError says so, and no lock is held.
  void Acquire(LockMode mode);
  void Release();
  LockMode held() const { return held_; }

  // The counter of `index` (0 to kCounters - 1) as last advanced by any
  // process.
  std::uint64_t Counter(int index) const {
    return __atomic_load_n(&counters_[index], __ATOMIC_ACQUIRE);
  }
  // Advances the counter (while the exclusive lock is held; only when
  // writable) and returns its new value.
  std::uint64_t Advance(int index) {
    return __atomic_add_fetch(&counters_[index], 1, __ATOMIC_ACQ_REL);
  }

 private:
  std::string path_;
  std::chrono::milliseconds waitLimit_;
  int fd_ = -1;  // -1: no lock file (a read-only machine without one)
  bool writable_ = false;
  bool mapped_ = false;
  LockMode held_ = LockMode::kNone;
  std::uint64_t* counters_ = nullptr;
  std::uint64_t unshared_[kCounters] = {};  // the counters when nothing is mapped
};

// Holds the lock in a mode for a scope; the lock is released at its end.
class RegistryLockScope {
 public:
  RegistryLockScope(RegistryLock& lock, LockMode mode) : lock_(lock) { lock_.Acquire(mode); }
  ~RegistryLockScope() { lock_.Release(); }
  RegistryLockScope(const RegistryLockScope&) = delete;
  RegistryLockScope& operator=(const RegistryLockScope&) = delete;

 private:
  RegistryLock& lock_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGISTRYLOCK_H_
