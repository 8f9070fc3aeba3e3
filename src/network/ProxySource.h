// What the reading of the current configuration needs from the proxy
// component: the Internet proxy values in force now. The proxy component
// implements it.
#ifndef ZUBA_NETWORK_PROXYSOURCE_H_
#define ZUBA_NETWORK_PROXYSOURCE_H_

#include <string>

namespace zuba::network {

// The proxy values of the system, in the order the program always passes
// them: on or off, the server text, the automatic configuration address.
struct ProxyValues {
  bool enabled = false;
  std::string server;
  std::string autoConfigUrl;
};

class ProxySource {
 public:
  ProxySource() = default;
  ProxySource(const ProxySource&) = delete;
  ProxySource& operator=(const ProxySource&) = delete;
  virtual ~ProxySource() = default;

  // The values in force now; a missing key or value reads as off or empty.
  // A value of the wrong kind raises ERegistryException.
  virtual ProxyValues ReadCurrent() = 0;
};

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_PROXYSOURCE_H_
