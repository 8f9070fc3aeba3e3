// An advisory lock (flock) on a host file of the machine's directory, shared
// by every process that has the machine open. The kernel drops it when its
// holder ends, however it ends, so a killed process never leaves it taken.
// Two objects of one process on the same file exclude each other as two
// processes do.
//
// The file is created when missing; on a machine the process may not
// write, an existing file is locked all the same (flock needs no write
// access).
#ifndef ZUBA_PLATFORM_SIM_HOSTLOCK_H_
#define ZUBA_PLATFORM_SIM_HOSTLOCK_H_

#include <chrono>
#include <string>

namespace zuba::platform::sim {

class HostLock {
 public:
  explicit HostLock(std::string path);
  ~HostLock();
  HostLock(const HostLock&) = delete;
  HostLock& operator=(const HostLock&) = delete;

  // Opens the file (once). False, with errno set, when it can be neither
  // opened nor created.
  bool Open();
  // How long Lock waits for another process to let go.
  static constexpr std::chrono::milliseconds kWaitLimit{30000};

  // Waits for the lock, exclusively, at most `limit`. False when the file
  // cannot be opened, or when another process kept the lock for the whole
  // limit (a holder stopped or hung): timedOut() then tells so.
  bool Lock(std::chrono::milliseconds limit = kWaitLimit);
  bool timedOut() const { return timedOut_; }
  // Takes the lock when no one holds it; false at once otherwise.
  bool TryLock();
  void Unlock();
  bool held() const { return held_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool held_ = false;
  bool timedOut_ = false;
};

// Holds a HostLock for a scope. A lock whose file cannot be opened is
// not held: the scope goes on without it (a machine that no process may
// write has no writers to keep apart). One that another process kept for
// the whole wait limit is not held either: the scope asks timedOut().
class HostLockScope {
 public:
  explicit HostLockScope(HostLock& lock) : lock_(lock) { lock_.Lock(); }
  ~HostLockScope() { lock_.Unlock(); }
  HostLockScope(const HostLockScope&) = delete;
  HostLockScope& operator=(const HostLockScope&) = delete;

 private:
  HostLock& lock_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HOSTLOCK_H_
