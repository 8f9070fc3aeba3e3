// The Setting record: one named network configuration held as a table of
// 33 items (TNetReg) and a spare slot, and the item table that ties each
// two-letter key code to its registry location and value type.
#ifndef ZUBA_CORE_REGTYPE_H_
#define ZUBA_CORE_REGTYPE_H_

#include <array>
#include <cstdint>
#include <string>

#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::core {

// One SettingItem.
struct TNetReg {
  std::string KeyCode;        // two lower-case letters; the key in the settings file
  std::uint32_t RootKey = 0;  // 0x80000002 for items with a registry location, else 0
  std::string KeyPath;        // below the root, with a leading backslash; may be empty
  std::string ValueName;      // registry value name; may be empty
  std::string Value;          // the value as text
  char Vtype = 's';           // 's' string, 'x' 4-byte binary integer, 'b' 0/1 as DWORD
  char Separator = '\0';      // ',' for the lists gw, di, ds
  bool IsSet = false;         // the item belongs to the Setting
};

constexpr int kItemCount = 33;  // slots 0 to 32: the items in table order
constexpr int kSpareSlot = 33;  // answer of FindItemIndex for an unknown key code
constexpr int kRegListSize = 34;
using TRegList = std::array<TNetReg, kRegListSize>;

// Item indices the readers and writers select by.
enum ItemIndex : int {
  kIp = 0,
  kGw,
  kMs,
  kDe,
  kDh,
  kDd,
  kDi,
  kDs,
  kWg,
  kLc,
  kCc,
  kFs,
  kPs,
  kLi,
  kLd,
  kWp,
  kWs,
  kNt,
  kWi,
  kLo,
  kHh,
  kHl,
  kEe,
  kEo,
  kPe,
  kPv,
  kPa,
  kCp,
  kPf,
  kPc,
  kPd,
  kTl,
  kPr,
};

// The WINS base path: the NetTrans class key in Win98 mode (the system is
// Windows 98 or `force` is set), else the MSTCP key.
std::string WinsKeyPath(bool force, platform::System& system);

// Fills slots 0 to 32 with the item table: every Value empty and IsSet false,
// except lo whose Value is "0". Slot 33 is left alone.
void InitRegList(TRegList& list, bool force, platform::System& system);

// The index of `keyCode` in the item table (exact, case-sensitive), or
// kSpareSlot when it names no item.
int FindItemIndex(const std::string& keyCode);

// Read one item from its RootKey, KeyPath and ValueName into Value; IsSet
// tells whether the key could be opened. ERegistryException passes out.
void ReadItemString(TNetReg& item, platform::Registry& registry);
void ReadItemBool(TNetReg& item, platform::Registry& registry);
void ReadItemBinary(TNetReg& item, platform::Registry& registry);

}  // namespace zuba::core

#endif  // ZUBA_CORE_REGTYPE_H_
