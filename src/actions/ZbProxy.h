// The Internet proxy of a Setting: on or off (item pe), the server text
// (pv) and the automatic configuration address (pa). TZbProxy shows them
// in the main window's proxy group and captures them back, reads the values
// in force and writes them when a Setting is applied.
//
// The values live in the Internet settings key of HKEY_CURRENT_USER
// (InternetSettings.h): "ProxyEnable" (4 bytes binary, 1 or 0), "ProxyServer"
// (an address, ":" and a port, or a per-protocol list such as
// "ftp=a.b.c.d:8080;http=a.b.c.d:80") and "AutoConfigURL". The server text
// is kept whole; it is split into address and port only for display.
//
// No operation reports an error: missing keys or values read as off and
// empty and make writes do nothing. Data of the wrong kind in the registry
// raises ERegistryException.
#ifndef ZUBA_ACTIONS_ZBPROXY_H_
#define ZUBA_ACTIONS_ZBPROXY_H_

#include <string>

#include "network/ProxySource.h"
#include "platform/Registry.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Component.h"
#include "toolkit/Edit.h"

namespace zuba::actions {

class TZbProxy : public toolkit::Component, public network::ProxySource {
 public:
  // `registry` must outlive the component.
  explicit TZbProxy(platform::Registry& registry);

  // --- Bound controls (owned by the window; a control that goes is
  // dropped). Setting one only stores it; every operation skips an empty
  // reference. -----------------------------------------------------------

  toolkit::CheckBox* PxEnabled() const { return pxEnabled_; }
  void SetPxEnabled(toolkit::CheckBox* box);
  // The local bypass: only ever cleared, never read or written.
  toolkit::CheckBox* PxNotLan() const { return pxNotLan_; }
  void SetPxNotLan(toolkit::CheckBox* box);
  toolkit::Edit* PxAddr() const { return pxAddr_; }
  void SetPxAddr(toolkit::Edit* edit);
  toolkit::Edit* PxPort() const { return pxPort_; }
  void SetPxPort(toolkit::Edit* edit);
  toolkit::Edit* PxAutoURL() const { return pxAutoURL_; }
  void SetPxAutoURL(toolkit::Edit* edit);

  // --- The window's side --------------------------------------------------

  // Disabled: unchecks PxEnabled and leaves address and port alone.
  // Enabled: checks it and places the server text (only with PxAddr bound):
  // whole into PxAddr when PxPort is unbound or the text has "=" after its
  // first character; else split at the first ":" into PxAddr and PxPort;
  // without ":" whole into PxAddr (the port keeps its text). A non-empty
  // configuration address goes into PxAutoURL; an empty one leaves it.
  void ShowValues(bool enabled, const std::string& server, const std::string& autoConfigUrl);

  // Whether PxEnabled is checked; the server text (address, ":" and port
  // when the port is not empty, else the address alone; empty without
  // PxAddr); the configuration address. Taken whether checked or not.
  network::ProxyValues CaptureValues() const;

  // Unchecks PxEnabled and PxNotLan, empties the three edits.
  void ClearControls();

  // --- The system's side --------------------------------------------------

  // The values in force: on when "ProxyEnable" is non-zero (4-byte binary
  // or a 32-bit integer; missing reads as off), "ProxyServer" and
  // "AutoConfigURL" (empty when missing).
  network::ProxyValues ReadCurrent() override;

  // Writes "ProxyEnable" as 4-byte binary 1 or 0 and "AutoConfigURL" (also
  // when empty); "ProxyServer" only when enabled, so a proxy switched off
  // keeps the server on record.
  void Apply(bool enabled, const std::string& server, const std::string& autoConfigUrl);

 protected:
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  platform::Registry& registry_;
  toolkit::CheckBox* pxEnabled_ = nullptr;
  toolkit::CheckBox* pxNotLan_ = nullptr;
  toolkit::Edit* pxAddr_ = nullptr;
  toolkit::Edit* pxPort_ = nullptr;
  toolkit::Edit* pxAutoURL_ = nullptr;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_ZBPROXY_H_
