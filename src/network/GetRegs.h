// Network adapter discovery: which subkey of the NetTrans class key holds the
// TCP/IP values (address, mask, gateways, and WINS in Win98 mode) of each
// network adapter of the machine.
#ifndef ZUBA_NETWORK_GETREGS_H_
#define ZUBA_NETWORK_GETREGS_H_

#include "platform/Registry.h"
#include "system/MyRegs.h"
#include "system/jstrm.h"

namespace zuba::network {

// Walks the device tree below HKEY_LOCAL_MACHINE "\Enum" once and replaces
// both lists with the adapters found, in the walk's order (depth first, the
// registry's enumeration order, a key's descendants before the key; nothing
// sorts them). The lists stay parallel: entry i of `descriptions` is the
// "DeviceDesc" of adapter i, entry i of `registers` the NetTrans subkey name
// ("0000") of its TCP/IP binding.
//
// An adapter is a key whose string "Class" is "Net" without regard to case.
// Its TCP/IP binding is the first value name of its "Bindings" subkey whose
// part before the first backslash is exactly "MSTCP" (letter case counts);
// the part after it names the instance under "\Enum\Network\MSTCP", whose
// "Driver" ("NetTrans\0000") gives the subkey after its first backslash. Only
// the first TCP/IP binding of an adapter counts; an adapter without one (or
// without "Bindings") is left out.
//
// Incomplete entries give empty texts, never an error: a missing "Driver" or
// "DeviceDesc", a "Driver" without a backslash, a binding without an
// instance name. A "Class", "Driver" or "DeviceDesc" that is not a string
// raises ERegistryException; both lists are then left as they were.
void DiscoverAdapters(platform::Registry& registry, const system::LeadBytes& lead, system::NameList& descriptions,
                      system::NameList& registers);

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_GETREGS_H_
