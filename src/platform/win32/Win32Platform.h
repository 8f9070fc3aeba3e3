// The platform seam on the real Win32 API: the ANSI functions each service
// stands for, answering with the result codes and last-error values the
// seam documents. Where Windows NT (and Wine) answer otherwise than
// Windows 9x, the services answer as Windows 9x does wherever the
// difference can be told from the call alone (docs/sim-machine.md lists
// what remains).
#ifndef ZUBA_PLATFORM_WIN32_WIN32PLATFORM_H_
#define ZUBA_PLATFORM_WIN32_WIN32PLATFORM_H_

#include <memory>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::platform::win32 {

// The services of the machine the program runs on. One object serves one
// thread; handles given out by one object mean nothing to another.
struct Services {
  std::unique_ptr<Registry> registry;
  std::unique_ptr<Files> files;
  std::unique_ptr<Profiles> profiles;
  std::unique_ptr<System> system;
};

std::unique_ptr<Services> OpenWin32Services();

// Each service alone.
std::unique_ptr<Registry> OpenWin32Registry();
std::unique_ptr<Files> OpenWin32Files();
// The profiles read and write files through `files` where they do it
// themselves (the held writes of HoldWrites); it must outlive them.
std::unique_ptr<Profiles> OpenWin32Profiles(Files& files);
std::unique_ptr<System> OpenWin32System();

}  // namespace zuba::platform::win32

#endif  // ZUBA_PLATFORM_WIN32_WIN32PLATFORM_H_
