// The Start menu's shortcuts, as the Windows 95 shell keeps them: .lnk
// files in the Programs folder, written and read through the shell's link
// object. What setup (Setup.h) needs of the shell and nothing more.
#ifndef ZUBA_APP_ZUBANET_SHELLLINKS_H_
#define ZUBA_APP_ZUBANET_SHELLLINKS_H_

#include <string>

namespace zuba::app {

struct ShellLink {
  std::string target;            // the program's path
  std::string workingDirectory;  // where it starts
  std::string description;
};

class ShellLinks {
 public:
  ShellLinks() = default;
  ShellLinks(const ShellLinks&) = delete;
  ShellLinks& operator=(const ShellLinks&) = delete;
  virtual ~ShellLinks() = default;

  // The user's Programs folder of the Start menu, no trailing backslash;
  // empty when the shell does not tell.
  virtual std::string ProgramsFolder() = 0;
  // Writes the shortcut file `path` (replacing one there). False when the
  // shell refuses.
  virtual bool WriteLink(const std::string& path, const ShellLink& link) = 0;
  // Reads the shortcut file `path`. False when it is missing or no link.
  virtual bool ReadLink(const std::string& path, ShellLink* link) = 0;
};

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_SHELLLINKS_H_
