#include "platform/sim/RegistryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

constexpr off_t kFileSize = 4096;

}  // namespace

RegistryLock::RegistryLock(const std::string& directory) {
  const std::string path = directory + "/registry.lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) throw MachineError(path + ": cannot open: " + std::strerror(errno));
  struct stat st;
  bool ok = fstat(fd_, &st) == 0;
  if (ok && st.st_size < kFileSize) {
    // Growing the file keeps the counters another process already wrote.
    Acquire();
    ok = fstat(fd_, &st) == 0 && (st.st_size >= kFileSize || ftruncate(fd_, kFileSize) == 0);
    Release();
  }
  void* map =
      ok ? mmap(nullptr, kFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0) : MAP_FAILED;
  if (map == MAP_FAILED) {
    int error = errno;
    close(fd_);
    throw MachineError(path + ": cannot map: " + std::strerror(error));
  }
  counters_ = static_cast<std::uint64_t*>(map);
}

RegistryLock::~RegistryLock() {
  munmap(counters_, kFileSize);
  close(fd_);
}

void RegistryLock::Acquire() {
  while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

void RegistryLock::Release() { flock(fd_, LOCK_UN); }

}  // namespace zuba::platform::sim
