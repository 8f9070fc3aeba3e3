#include "system/ZubaUtil.h"

#include <algorithm>

namespace zuba::system {

namespace {

// How long WaitProcessingMessages sleeps between two rounds of messages.
constexpr std::uint32_t kWaitSliceMs = 5;

constexpr std::uint32_t kFirstWin98Build = 1998;
constexpr std::uint32_t kWin98Minor = 10;

bool IsKeyDown(platform::System& system, int virtualKey) {
  return system.GetKeyState(virtualKey) < 0;
}

}  // namespace

std::string GetWindowsDir(platform::Files& files) {
  std::string dir = files.WindowsDirectory();
  if (dir.size() > 3) dir += '\\';
  return dir;
}

bool IsCtrlKeyDown(platform::System& system) { return IsKeyDown(system, platform::kVkControl); }

bool IsAltKeyDown(platform::System& system) { return IsKeyDown(system, platform::kVkMenu); }

bool GetOSName(platform::System& system, OsNameInfo& info) {
  platform::OsVersion version;
  if (!system.GetVersion(&version)) return false;
  std::uint32_t build = version.build & 0xFFFF;
  switch (version.platformId) {
    case 0:
      info.name = kOsWin32s;
      break;
    case 1:
      info.name = (version.minor < kWin98Minor || build < kFirstWin98Build) ? kOsWin95 : kOsWin98;
      break;
    case 2:
      info.name = kOsWinNT;
      break;
    default:
      break;
  }
  info.major = version.major;
  info.minor = version.minor;
  info.build = build;
  return true;
}

bool IsWin98Mode(bool force, platform::System& system) {
  if (force) return true;
  OsNameInfo info;
  return GetOSName(system, info) && info.name == kOsWin98;
}

void ShowInfoBox(AppShell& shell, const std::string& text) { shell.ShowPlainMessage(text); }

void WaitProcessingMessages(AppShell& shell, platform::System& system, std::uint32_t milliseconds) {
  const std::uint32_t start = system.GetTickCount();
  for (;;) {
    shell.ProcessMessages();
    // Unsigned difference: correct across the wrap of the tick count.
    std::uint32_t elapsed = system.GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    system.Sleep(std::min(kWaitSliceMs, milliseconds - elapsed));
  }
}

bool IsBadAddress(const std::string& text) {
  if (text.empty() || text.front() == '.' || text.back() == '.') return true;
  int dots = 0;
  char previous = '\0';
  for (char c : text) {
    if (c == '.') {
      if (previous == '.') return true;
      ++dots;
    } else if (c < '0' || c > '9') {
      return true;
    }
    previous = c;
  }
  return dots != 3;
}

}  // namespace zuba::system
