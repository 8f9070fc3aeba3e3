// The Internet proxy of a Setting as the system keeps it: on or off (item
// pe), the server text (pv) and the automatic configuration address (pa).
//
// The values live in the Internet settings key of HKEY_CURRENT_USER
// (InternetSettings.h): "ProxyEnable" (4 bytes binary, 1 or 0), "ProxyServer"
// (an address, ":" and a port, or a per-protocol list such as
// "ftp=a.b.c.d:8080;http=a.b.c.d:80") and "AutoConfigURL". The server text
// is kept whole.
//
// No operation reports an error: missing keys or values read as off and
// empty and make writes do nothing. Data of the wrong kind in the registry
// raises ERegistryException.
#ifndef ZUBA_ACTIONS_PROXYSETTINGS_H_
#define ZUBA_ACTIONS_PROXYSETTINGS_H_

#include <string>

#include "network/ProxySource.h"
#include "platform/Registry.h"

namespace zuba::actions {

class ProxySettings : public network::ProxySource {
 public:
  // `registry` must outlive the object.
  explicit ProxySettings(platform::Registry& registry) : registry_(registry) {}

  // The values in force: on when "ProxyEnable" is non-zero (4-byte binary
  // or a 32-bit integer; missing reads as off), "ProxyServer" and
  // "AutoConfigURL" (empty when missing).
  network::ProxyValues ReadCurrent() override;

  // Writes "ProxyEnable" as 4-byte binary 1 or 0 and "AutoConfigURL" (also
  // when empty); "ProxyServer" only when enabled, so a proxy switched off
  // keeps the server on record.
  void Apply(bool enabled, const std::string& server, const std::string& autoConfigUrl);

 private:
  platform::Registry& registry_;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_PROXYSETTINGS_H_
