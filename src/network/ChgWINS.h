// Writing the WINS values of a Setting (primary and secondary server, scope
// identifier, NetBIOS node type) and the rule that turns the window's WINS
// choices into the node type. In Win98 mode the servers and the node type
// live in the adapter's NetTrans subkey (ChgDNS.h AppendAdapterSubkey puts it
// into their paths first), otherwise under the MSTCP key; the scope
// identifier always lives under the MSTCP key.
#ifndef ZUBA_NETWORK_CHGWINS_H_
#define ZUBA_NETWORK_CHGWINS_H_

#include <string>

#include "core/RegType.h"
#include "platform/Registry.h"

namespace zuba::network {

// The node types of item nt.
inline constexpr char kNodeTypeWinsOn[] = "8";   // WINS resolution with the servers given
inline constexpr char kNodeTypeWinsOff[] = "1";  // no WINS resolution
inline constexpr char kNodeTypeByDhcp[] = "";    // the servers come from DHCP

enum class WinsWrite { kWrite, kDelete };

// kWrite stores the item's Value as a string value (an empty text too);
// kDelete removes the item's value. True when something was written or
// deleted; false when the key or (for kDelete) the value is missing, or the
// item has no registry location. A refused write raises ERegistryException.
bool WriteWinsItem(platform::Registry& registry, const core::TNetReg& item, WinsWrite what);

// Writes or deletes the four WINS values by the node type in nt:
//   "8":  writes wp, ws, wi and nt, in this order;
//   else: deletes wp, ws and wi, in this order, then deletes nt when its
//         Value is empty and writes it otherwise (normally "1").
// The items are taken as they stand and never changed.
void WriteWinsItems(platform::Registry& registry, const core::TNetReg& wp, const core::TNetReg& ws,
                    const core::TNetReg& wi, const core::TNetReg& nt);

// The nt value for the window's choices: kNodeTypeByDhcp when the WINS
// servers come from DHCP, else kNodeTypeWinsOn when a primary server is
// given, else kNodeTypeWinsOff.
std::string NodeTypeFor(bool winsByDhcp, const std::string& primaryServer);

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_CHGWINS_H_
