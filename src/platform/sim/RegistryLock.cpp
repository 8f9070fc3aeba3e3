#include "platform/sim/RegistryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/HostFile.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

constexpr off_t kFileSize = 4096;

// The errors that mean "not for writing by this process".
bool IsRefusedWrite(int error) { return error == EACCES || error == EPERM || error == EROFS; }

}  // namespace

RegistryLock::RegistryLock(const std::string& directory, std::chrono::milliseconds waitLimit)
    : path_(directory + "/registry.lock"), waitLimit_(waitLimit) {
  const std::string& path = path_;
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  writable_ = fd_ >= 0;
  if (fd_ < 0 && IsRefusedWrite(errno)) fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    if (errno == ENOENT) {  // read-only and never written: nothing to share yet
      counters_ = unshared_;
      return;
    }
    throw MachineError(path + ": cannot open: " + std::strerror(errno));
  }
  struct stat st;
  bool ok = fstat(fd_, &st) == 0;
  if (ok && st.st_size < kFileSize && writable_) {
    // Growing the file keeps the counters another process already wrote.
    try {
      Acquire(LockMode::kExclusive);
    } catch (const MachineError&) {
      close(fd_);
      throw;
    }
    ok = fstat(fd_, &st) == 0 && (st.st_size >= kFileSize || ftruncate(fd_, kFileSize) == 0);
    Release();
  } else if (ok && st.st_size < kFileSize) {
    counters_ = unshared_;  // no writer has grown it yet; mapping it would fault
    return;
  }
  const int protection = writable_ ? PROT_READ | PROT_WRITE : PROT_READ;
  void* map = ok ? mmap(nullptr, kFileSize, protection, MAP_SHARED, fd_, 0) : MAP_FAILED;
  if (map == MAP_FAILED) {
    int error = errno;
    close(fd_);
    throw MachineError(path + ": cannot map: " + std::strerror(error));
  }
  counters_ = static_cast<std::uint64_t*>(map);
  mapped_ = true;
}

RegistryLock::~RegistryLock() {
  if (mapped_) munmap(counters_, kFileSize);
  if (fd_ >= 0) close(fd_);
}

void RegistryLock::Acquire(LockMode mode) {
  held_ = mode;
  if (fd_ < 0 || mode == LockMode::kNone) return;
  const int operation = mode == LockMode::kShared ? LOCK_SH : LOCK_EX;
  if (!LockHostFile(fd_, operation, waitLimit_)) {
    held_ = LockMode::kNone;
    const long long ms = waitLimit_.count();
    throw MachineError(path_ + ": another process has held the registry for " +
                       (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s"
                                       : std::to_string(ms) + " ms") +
                       "; is a program on this machine stopped or hung?");
  }
}

void RegistryLock::Release() {
  held_ = LockMode::kNone;
  if (fd_ >= 0) flock(fd_, LOCK_UN);
}

}  // namespace zuba::platform::sim
