// Reading the configuration the system has now into a fresh Setting: the
// registry items 0 to 18 (TCP/IP of one adapter, DNS, workgroup, computer
// name, comment, sharing, logon name and domain, WINS), the logon provider,
// and what the printer, dial-up and proxy components report. Nothing is
// written anywhere.
//
// This is the entry point of the main window's reading when the user picks an
// adapter; asking first (when the user's option says so) and showing the
// result in the window are the window's part.
#ifndef ZUBA_NETWORK_CURRENTCONFIG_H_
#define ZUBA_NETWORK_CURRENTCONFIG_H_

#include <string>

#include "core/RegType.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "network/DefaultPrinterSource.h"
#include "network/DialUpSource.h"
#include "network/ProxySource.h"
#include "system/jstrm.h"

namespace zuba::network {

class CurrentConfig {
 public:
  // The services and components are borrowed and must outlive this object.
  CurrentConfig(platform::Registry& registry, platform::System& system,
                DefaultPrinterSource& printer, DialUpSource& dialUp, ProxySource& proxy);

  // Fills `list` afresh (InitRegList with `force`, the user's option that
  // forces Win98 mode), then ReadRegistryItems and ReadComponentItems.
  // hh, hl, ee, eo and cp stay unset: the system has no current value for
  // them. Errors other than ERegistryException of one registry item end the
  // reading and pass out.
  void ReadCurrentConfig(const std::string& adapterSubkey, bool force, core::TRegList& list);

  // Items 0 to 18 of `list`, a table fresh from InitRegList with the same
  // `force`, in table order, each read by its Vtype from its own key.
  // ip, gw, ms, and in Win98 mode wp, ws, nt, get "\" + `adapterSubkey`
  // appended to their paths first; with an empty subkey they are not read.
  // An item whose key is missing stays unset and empty; one whose key exists
  // but whose string value does not is set with the empty text. An
  // ERegistryException while reading one item leaves that item unset and the
  // reading goes on.
  void ReadRegistryItems(const std::string& adapterSubkey, bool force, core::TRegList& list);

  // The items without a registry location, each marked set: pr (the default
  // printer), lo (GetLogonProviderIndex as decimal text), pc and pd ("1" or
  // "0"), pf and tl (only when not empty), pe ("1" or "0"), pv and pa.
  void ReadComponentItems(core::TRegList& list);

 private:
  platform::Registry& registry_;
  platform::System& system_;
  DefaultPrinterSource& printer_;
  DialUpSource& dialUp_;
  ProxySource& proxy_;
  system::LeadBytes lead_;
};

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_CURRENTCONFIG_H_
