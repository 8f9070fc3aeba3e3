// The proxy group's binding: TZbProxy shows a Setting's proxy values (items
// pe, pv, pa) in the main window's proxy group and captures them back. The
// system's side (the values in force, the write of an apply) is
// actions::ProxySettings, which it also is. The server text is split into
// address and port only for display.
#ifndef ZUBA_UI_ZBPROXY_H_
#define ZUBA_UI_ZBPROXY_H_

#include <string>

#include "actions/ProxySettings.h"
#include "platform/Registry.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Component.h"
#include "toolkit/Edit.h"

namespace zuba::ui {

class TZbProxy : public toolkit::Component, public actions::ProxySettings {
 public:
  // `registry` must outlive the component.
  explicit TZbProxy(platform::Registry& registry) : ProxySettings(registry) {}

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

 protected:
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  toolkit::CheckBox* pxEnabled_ = nullptr;
  toolkit::CheckBox* pxNotLan_ = nullptr;
  toolkit::Edit* pxAddr_ = nullptr;
  toolkit::Edit* pxPort_ = nullptr;
  toolkit::Edit* pxAutoURL_ = nullptr;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZBPROXY_H_
