#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {

std::unique_ptr<Services> OpenWin32Services() {
  auto services = std::make_unique<Services>();
  services->registry = OpenWin32Registry();
  services->files = OpenWin32Files();
  services->profiles = OpenWin32Profiles(*services->files);
  services->system = OpenWin32System();
  return services;
}

}  // namespace zuba::platform::win32
