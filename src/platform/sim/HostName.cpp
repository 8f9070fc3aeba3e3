#include "platform/sim/HostName.h"

#include "platform/TextCodec.h"

namespace zuba::platform::sim {
namespace {

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string HostNameOf(const std::string& windowsName) {
  if (IsAscii(windowsName)) return windowsName;
  // Only a name that comes back byte for byte is stored in UTF-8 (CP932 has
  // characters with two codes, and listing must give the name again).
  bool exact = false;
  std::string utf8 = Cp932ToUtf8(windowsName, &exact);
  return exact && Utf8ToCp932(utf8) == windowsName ? utf8 : windowsName;
}

std::string WindowsNameOf(const std::string& hostName) {
  if (IsAscii(hostName)) return hostName;
  bool exact = false;
  std::string cp932 = Utf8ToCp932(hostName, &exact);
  return exact ? cp932 : hostName;
}

}  // namespace zuba::platform::sim
