// What the reading of the current configuration needs from the dial-up
// component: the dial-up values in force now. The dial-up component
// implements it.
#ifndef ZUBA_NETWORK_DIALUPSOURCE_H_
#define ZUBA_NETWORK_DIALUPSOURCE_H_

#include <string>

namespace zuba::network {

// The dial-up values of the system, in the order the program always passes
// them: automatic dialling, automatic disconnection, the default connection
// and the telephony location.
struct DialUpValues {
  bool autoDial = false;
  bool autoDisconnect = false;
  std::string connectionName;  // empty: no default connection
  std::string locationName;    // empty: no current location known
};

class DialUpSource {
 public:
  DialUpSource() = default;
  DialUpSource(const DialUpSource&) = delete;
  DialUpSource& operator=(const DialUpSource&) = delete;
  virtual ~DialUpSource() = default;

  // The values in force now; a missing key or value reads as off or empty.
  // A value of the wrong kind raises ERegistryException.
  virtual DialUpValues ReadCurrent() = 0;
};

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_DIALUPSOURCE_H_
