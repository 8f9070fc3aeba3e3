// The shell's part of the Win32 System: the special folders from
// SHGetSpecialFolderLocation and SHGetPathFromIDListA (SHGetSpecialFolderPath
// is not there without the later shell of Internet Explorer 4), the .lnk
// files through the shell's link object, IShellLinkA with its IPersistFile.
#ifndef ZUBA_PLATFORM_WIN32_WIN32SHELL_H_
#define ZUBA_PLATFORM_WIN32_WIN32SHELL_H_

#include <string>

#include "platform/System.h"

namespace zuba::platform::win32 {

// COM is initialised on the calling thread for the object's life.
class Win32Shell {
 public:
  Win32Shell();
  ~Win32Shell();
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  // See System::GetSpecialFolder, WriteShellLink, ReadShellLink.
  bool GetSpecialFolder(ShellFolder folder, std::string* path);
  bool WriteLink(const std::string& path, const ShellLink& link);
  bool ReadLink(const std::string& path, ShellLink* link);

 private:
  bool initialised_;
};

}  // namespace zuba::platform::win32

#endif  // ZUBA_PLATFORM_WIN32_WIN32SHELL_H_
