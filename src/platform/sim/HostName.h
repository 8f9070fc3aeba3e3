// How the names of the machine's files are spelled on the host: a CP932
// name is stored in UTF-8 when it converts exactly (so a person can read the
// drives with host tools), otherwise as its CP932 bytes. ASCII names are
// the same in both.
#ifndef ZUBA_PLATFORM_SIM_HOSTNAME_H_
#define ZUBA_PLATFORM_SIM_HOSTNAME_H_

#include <string>

namespace zuba::platform::sim {

// The host spelling of a CP932 name.
std::string HostNameOf(const std::string& windowsName);

// The CP932 name of a host directory entry: the conversion from UTF-8 when
// it is exact, else the bytes as they are.
std::string WindowsNameOf(const std::string& hostName);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HOSTNAME_H_
