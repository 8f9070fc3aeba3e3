#include "testing/win32/TemplateMachine.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/win32/Win32Api.h"

namespace zuba::testing {

std::string TemplateDirectory() {
  const char* dir = std::getenv("ZUBA_TEMPLATE_MACHINE");
  if (!dir || !*dir) {
    throw std::runtime_error("ZUBA_TEMPLATE_MACHINE does not name the template machine");
  }
  return dir;
}

Template TemplateOfMachine() {
  const std::string ini = TemplateDirectory() + "\\machine.ini";
  const UINT major = GetPrivateProfileIntA("Version", "Major", 0, ini.c_str());
  const UINT minor = GetPrivateProfileIntA("Version", "Minor", 0, ini.c_str());
  if (major != 4) throw std::runtime_error(ini + " names no Windows 9x version");
  return minor == 0 ? Template::kWin95 : Template::kWin98;
}

}  // namespace zuba::testing
