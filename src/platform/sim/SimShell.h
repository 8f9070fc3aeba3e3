// The simulated machine's shell: its special folders and its shortcuts.
//
// The folders are machine.ini's [Shell] Desktop and Programs, by default
// those of a Japanese Windows 9x below the Windows directory
// (WINDOWS\ﾃﾞｽｸﾄｯﾌﾟ, WINDOWS\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ); the shell keeps them, so a
// missing one is made when asked for. [Fail] SHGetSpecialFolderLocation=CODE
// makes the query fail.
//
// A shortcut is a text file in code page 932 that this machine reads back
// (docs/sim-machine.md):
//
//   [ShellLink]
//   Target=C:\ZUBANET\ZUBANET.EXE
//   Arguments="自宅 LAN" /c
//   WorkingDirectory=C:\ZUBANET
//   Description=...
//
// A value is the rest of its line after the first '='; a field holding a
// line break or a NUL cannot be kept so and is refused. A file whose first
// line is not "[ShellLink]" is no shortcut.
#ifndef ZUBA_PLATFORM_SIM_SIMSHELL_H_
#define ZUBA_PLATFORM_SIM_SIMSHELL_H_

#include <string>

#include "platform/System.h"
#include "platform/sim/SimContext.h"

namespace zuba::platform::sim {

// The text of a shortcut file, and back: false when `text` is none.
std::string ShellLinkText(const ShellLink& link);
bool ParseShellLinkText(const std::string& text, ShellLink* link);

class SimShell {
 public:
  explicit SimShell(SimContext& context) : context_(context) {}

  // See System::GetSpecialFolder, WriteShellLink, ReadShellLink.
  bool GetSpecialFolder(ShellFolder folder, std::string* path);
  bool WriteLink(const std::string& path, const ShellLink& link);
  bool ReadLink(const std::string& path, ShellLink* link);

 private:
  SimContext& context_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMSHELL_H_
