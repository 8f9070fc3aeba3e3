#include "platform/sim/HostLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/sim/HostFile.h"

namespace zuba::platform::sim {

HostLock::HostLock(std::string path) : path_(std::move(path)) {}

HostLock::~HostLock() {
  if (fd_ >= 0) close(fd_);  // releases the lock with it
}

bool HostLock::Open() {
  if (fd_ >= 0) return true;
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  }
  return fd_ >= 0;
}

bool HostLock::Lock(std::chrono::milliseconds limit) {
  timedOut_ = false;
  if (held_) return true;
  if (!Open()) return false;
  if (!LockHostFile(fd_, LOCK_EX, limit)) {
    timedOut_ = errno == EWOULDBLOCK;
    return false;
  }
  held_ = true;
  return true;
}

bool HostLock::TryLock() {
  if (held_) return true;
  if (!Open()) return false;
  while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  held_ = true;
  return true;
}

void HostLock::Unlock() {
  if (!held_) return;
  flock(fd_, LOCK_UN);
  held_ = false;
}

}  // namespace zuba::platform::sim
