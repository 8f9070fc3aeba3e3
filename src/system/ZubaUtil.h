// Small helpers on the operating system that the whole program shares: the
// Windows directory, the keyboard, the system's name and version, the
// Win98-mode test, a plain message box, a wait that keeps the window
// responsive, and the dotted-address check.
#ifndef ZUBA_SYSTEM_ZUBAUTIL_H_
#define ZUBA_SYSTEM_ZUBAUTIL_H_

#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "platform/System.h"
#include "system/AppShell.h"

namespace zuba::system {

// The Windows directory as the platform reports it, with "\" appended when it
// is longer than 3 bytes: "C:\WINDOWS" gives "C:\WINDOWS\", the drive root
// "C:\" stays "C:\".
std::string GetWindowsDir(platform::Files& files);

// Whether the Ctrl (Alt) key is held down now: the high bit of its key state.
bool IsCtrlKeyDown(platform::System& system);
bool IsAltKeyDown(platform::System& system);

// The OS names GetOSName answers.
inline constexpr char kOsWin32s[] = "Win32s";
inline constexpr char kOsWin95[] = "Win95";
inline constexpr char kOsWin98[] = "Win98";
inline constexpr char kOsWinNT[] = "WinNT";

// What GetOSName reports: the name and the version numbers (the build is the
// low 16 bits of the platform's build number).
struct OsNameInfo {
  std::string name;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

// Queries the platform's version. False when the query fails; `info` is then
// left as it was. Otherwise true with the numbers filled in and the name by
// platform id: 0 "Win32s"; 1 "Win95" when the minor version is below 10 or
// the build below 1998, else "Win98" (so 4.10.1998, 4.10.2222 and 4.90 are
// "Win98"); 2 "WinNT"; any other id leaves the name as it was.
bool GetOSName(platform::System& system, OsNameInfo& info);

// True when `force` is set or the system is Windows 98 (GetOSName "Win98").
// With `force` set the platform is not asked.
bool IsWin98Mode(bool force, platform::System& system);

// A modal message box owned by the application: its title as caption, the
// text, an OK button and no icon.
void ShowInfoBox(AppShell& shell, const std::string& text);

// Keeps processing the application's pending messages until `milliseconds`
// have passed on the system's tick count (messages are processed at least
// once, also for 0). Between two rounds it sleeps a few milliseconds, so a
// long wait hardly uses the processor and still reacts at once. Safe across
// the wrap of the tick count.
void WaitProcessingMessages(AppShell& shell, platform::System& system, std::uint32_t milliseconds);

// True when `text` is not a dotted address: a good one is four non-empty runs
// of ASCII digits joined by single dots (no range check, any length, leading
// zeros allowed). The empty text is bad.
bool IsBadAddress(const std::string& text);

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_ZUBAUTIL_H_
