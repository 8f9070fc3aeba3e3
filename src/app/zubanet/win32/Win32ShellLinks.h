// The Start menu's shortcuts on the Windows 95 shell (ShellLinks.h): the
// Programs folder from SHGetSpecialFolderLocation and SHGetPathFromIDListA
// (SHGetSpecialFolderPath is not there without the later shell of
// Internet Explorer 4), the .lnk files through the shell's link object,
// IShellLinkA with its IPersistFile.
#ifndef ZUBA_APP_ZUBANET_WIN32_WIN32SHELLLINKS_H_
#define ZUBA_APP_ZUBANET_WIN32_WIN32SHELLLINKS_H_

#include <memory>

#include "app/zubanet/ShellLinks.h"

namespace zuba::app {

// COM is initialised on the calling thread for the object's life.
std::unique_ptr<ShellLinks> OpenWin32ShellLinks();

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WIN32_WIN32SHELLLINKS_H_
