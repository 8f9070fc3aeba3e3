// GoogleTest's own settings for the Windows test programs. MinGW-w64's
// libstdc++ in the win32 thread model has no std::mutex or
// std::condition_variable, which GoogleTest's Notification is made of; this
// one waits on a Win32 event instead (GtestNotification.cpp). The rest of
// GoogleTest's threading on Windows is Win32's own already.
#ifndef ZUBA_TESTING_WIN32_GTEST_SHIM_CUSTOM_GTEST_PORT_H_
#define ZUBA_TESTING_WIN32_GTEST_SHIM_CUSTOM_GTEST_PORT_H_

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets a controller thread hold new threads until it notifies them.
class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify();
  void WaitForNotification();

 private:
  void* event_;  // a manual-reset event: once set, every wait returns
};

}  // namespace internal
}  // namespace testing

#endif  // ZUBA_TESTING_WIN32_GTEST_SHIM_CUSTOM_GTEST_PORT_H_
