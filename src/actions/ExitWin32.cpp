#include "actions/ExitWin32.h"

#include <string>

namespace zuba::actions {
namespace {

using platform::kEwRestartWindows;
using platform::kEwxPowerOff;
using platform::kEwxReboot;
using platform::kEwxShutdown;

constexpr std::uint32_t kNtPlatform = 2;
constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x08;
constexpr std::uint32_t kSePrivilegeEnabled = 0x02;
constexpr std::uint32_t kFirstInstance16 = 32;  // smaller instances are error codes

constexpr char kShutdownTail[] = "Windows を終了させることができませんでした。";
constexpr char kRebootTail[] = "Windows を再起動させることが出来ませんでした。";

// Runs `release` when it goes out of scope.
template <class F>
class Releaser {
 public:
  explicit Releaser(F release) : release_(release) {}
  ~Releaser() { release_(); }
  Releaser(const Releaser&) = delete;
  Releaser& operator=(const Releaser&) = delete;

 private:
  F release_;
};

// Enables the shut-down privilege of the process token and ends Windows
// with `flags`, as Windows NT demands it.
void ExitWithPrivilege(platform::System& system, std::uint32_t flags, const char* tail) {
  std::uint32_t token = 0;
  if (!system.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery, &token)) {
    throw EExitError(std::string("トークンを開けません。\r\n") + tail);
  }
  platform::Luid luid;
  if (!system.LookupPrivilegeValue("SeShutdownPrivilege", &luid)) return;
  bool done = system.AdjustTokenPrivilege(token, luid, kSePrivilegeEnabled);
  if (done) done = system.ExitWindowsEx(flags, 0);
  if (!done) throw EExitError(std::string("特権を再設定できません。\r\n") + tail);
}

}  // namespace

bool IsWindowsNT(platform::System& system) {
  platform::OsVersion version;  // zero-filled: a failed query reads as not NT
  system.GetVersion(&version);
  return version.platformId == kNtPlatform;
}

void PowerOff(platform::System& system) {
  if (IsWindowsNT(system)) {
    ExitWithPrivilege(system, kEwxShutdown, kShutdownTail);
    return;
  }
  if (!system.ExitWindowsEx(kEwxShutdown | kEwxPowerOff, 0)) {
    throw EExitError("コンピュータの電源を切るのに失敗しました。");
  }
}

void Reboot(platform::System& system) {
  if (IsWindowsNT(system)) {
    ExitWithPrivilege(system, kEwxReboot, kRebootTail);
    return;
  }
  if (!system.ExitWindowsEx(kEwxReboot, 0)) throw EExitError("Unable to reboot Windows");
}

void RestartWindows(platform::System& system) {
  if (IsWindowsNT(system)) throw EExitError("Windows NT ではWindowsの再起動はできません。");
  if (ExitWindows16(system, kEwRestartWindows, 0) == 0) {
    throw EExitError("Windows を再起動することが出来ませんでした。");
  }
}

std::uint16_t ExitWindows16(platform::System& system, std::uint32_t returnCode,
                            std::uint16_t reserved) {
  const std::uint32_t user = system.LoadLibrary16("User.exe");
  if (user < kFirstInstance16) throw system::Exception("User.exe の呼び出しに失敗しました。");
  Releaser releaseUser([&system, user] { system.FreeLibrary16(user); });
  const std::uint32_t exitWindows = system.GetProcAddress16(user, "ExitWindows");
  if (exitWindows == 0) throw system::Exception("ExitWindows の呼び出しに失敗しました。");
  const platform::ModuleHandle kernel = system.LoadModule("Kernel32.dll");
  if (kernel == 0) throw system::Exception("Kernel32.dll の呼び出しに失敗しました。");
  Releaser releaseKernel([&system, kernel] { system.FreeModule(kernel); });  // goes first
  const std::uint32_t thunk = system.FindProcAddress(kernel, "QT_Thunk");
  if (thunk == 0) throw system::Exception("QT_Thunk の呼び出しに失敗しました。");
  return system.CallThunk16(thunk, exitWindows, returnCode, reserved);
}

}  // namespace zuba::actions
