#include "platform/sim/SimMutexes.h"

#include <chrono>
#include <thread>

#include "platform/WinError.h"

namespace zuba::platform::sim {
namespace {

std::string FileNameOf(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string file = "mutex.";
  for (unsigned char c : name) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
        c == '-' || c == '_') {
      file += static_cast<char>(c);
    } else {
      file += '%';
      file += kHex[c >> 4];
      file += kHex[c & 15];
    }
  }
  return file;
}

// How often a waiter looks whether the owner let go.
constexpr auto kPollInterval = std::chrono::milliseconds(5);

}  // namespace

SimMutexes::Mutex* SimMutexes::Find(MutexHandle mutex) {
  auto it = mutexes_.find(mutex);
  if (it != mutexes_.end()) return &it->second;
  context_.Fail(kErrorInvalidHandle);
  return nullptr;
}

MutexHandle SimMutexes::Open(const std::string& name) {
  if (name.empty() || name.size() > 260 || name.find('\\') != std::string::npos) {
    context_.Fail(kErrorInvalidParameter);
    return 0;
  }
  auto lock = std::make_unique<HostLock>(context_.directory + "/" + FileNameOf(name));
  if (!lock->Open()) {
    context_.Fail(kErrorAccessDenied);
    return 0;
  }
  const MutexHandle handle = ++next_;
  mutexes_[handle] = Mutex{std::move(lock), 0};
  return handle;
}

std::uint32_t SimMutexes::Wait(MutexHandle mutex, std::uint32_t timeoutMs) {
  Mutex* m = Find(mutex);
  if (!m) return kWaitFailed;
  if (m->owned > 0) {
    ++m->owned;
    return kWaitObject0;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (m->lock->TryLock()) {
      m->owned = 1;
      return kWaitObject0;
    }
    if (std::chrono::steady_clock::now() >= deadline) return kWaitTimeout;
    std::this_thread::sleep_for(kPollInterval);
  }
}

bool SimMutexes::Release(MutexHandle mutex) {
  Mutex* m = Find(mutex);
  if (!m) return false;
  if (m->owned == 0) {
    context_.Fail(kErrorNotOwner);
    return false;
  }
  if (--m->owned == 0) m->lock->Unlock();
  return true;
}

bool SimMutexes::Close(MutexHandle mutex) {
  if (!Find(mutex)) return false;
  mutexes_.erase(mutex);  // an owned mutex goes free with its handle
  return true;
}

}  // namespace zuba::platform::sim
