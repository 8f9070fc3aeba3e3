// Writing a Setting's registry items: the adapter subkey of the TCP/IP paths,
// the generic writer of items 0 to 13 (TCP/IP, DNS, workgroup, computer name,
// comment, sharing, logon name) and the clean-up of the DNS values when DNS
// is switched off. Every write goes through the registry access layer, so
// only into keys that exist: a missing key is skipped without a word.
//
// The apply flow calls, in this order: AppendAdapterSubkey, WriteGenericItems,
// ClearDnsValues (when de is set), the WINS writer (ChgWINS.h, when nt is
// set), the logon provider change (ChgLogon.h).
#ifndef ZUBA_NETWORK_CHGDNS_H_
#define ZUBA_NETWORK_CHGDNS_H_

#include <string>
#include <vector>

#include "core/RegType.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::network {

// Whether the item at `index` of the table lives in an adapter's own NetTrans
// subkey: ip, gw and ms always, wp, ws and nt in Win98 mode.
bool NeedsAdapterSubkey(int index, bool win98Mode);

// Appends "\" and `subkey` to the item's KeyPath. An empty `subkey` names no
// adapter: the item then loses its registry location (RootKey 0, as the
// items without one), so that no reader or writer touches it, neither the
// NetTrans class key itself nor a path ending in a bare backslash.
void AttachAdapterSubkey(core::TNetReg& item, const std::string& subkey);

// AttachAdapterSubkey on every item that NeedsAdapterSubkey (Win98 mode:
// IsWin98Mode(force)), set or not: the WINS writer writes or deletes the
// servers wp and ws by the node type even when the Setting does not carry
// them, and they must then go to the adapter as well, never to the NetTrans
// class key itself. True when `subkey` is not empty, or when the Setting
// carries none of these items; false when it is empty and the Setting carries
// at least one of them: those items are then skipped by every writer, and the
// caller decides what to tell the user.
bool AppendAdapterSubkey(core::TRegList& list, const std::string& subkey, bool force,
                         platform::System& system);

// Writes the item's Value to its RootKey, KeyPath and ValueName by Vtype:
//   's' the text as a string value (an empty text too: it is not deleted);
//   'b' 1 as a 32-bit integer for every text other than "0", 0 for "0";
//   'x' the decimal text as a 4-byte little-endian binary value; a text that
//       is no integer raises Exception "'<text>' は整数ではありません";
//   any other Vtype writes nothing and answers kUnknownType: the caller
//       tells the user UnknownTypeMessage.
// kWritten when the value was written; kNotWritten when the key is missing
// or the item has no registry location. A refused write raises
// ERegistryException.
enum class ItemWrite { kWritten, kNotWritten, kUnknownType };
ItemWrite WriteItem(platform::Registry& registry, const core::TNetReg& item);

// What the user is told about an item of an unknown Vtype: "Apply: Vtype
// Error" CR LF ValueName.
std::string UnknownTypeMessage(const core::TNetReg& item);

// WriteItem for each set item among 0 to 13 (ip ... li), in table order.
// Items 14 to 32 are never written here.
// Answers UnknownTypeMessage of each item of an unknown Vtype, which it
// skips.
std::vector<std::string> WriteGenericItems(platform::Registry& registry, const core::TRegList& list);

// When `deValue` is exactly "0": deletes "HostName", "Domain", "NameServer"
// and "SearchList" (in that order) under the MSTCP key; missing values are
// ignored. Any other value does nothing.
void ClearDnsValues(platform::Registry& registry, platform::System& system,
                    const std::string& deValue);

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_CHGDNS_H_
