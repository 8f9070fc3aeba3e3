// The registry access layer: stateless operations on one key each. Every
// operation takes the registry it works on, opens its own handle on the key
// (a leading backslash in the path changes nothing), does one read, write,
// delete or listing, and closes the handle again on every way out, exceptions
// included. None of them ever creates a key: a write into a key that does not
// exist does nothing and answers false.
//
// A key counts as missing when it cannot be opened, for whatever reason; that
// is reported only through the false result. Data the registry refuses to
// deliver or store, or data of the wrong kind, raises ERegistryException with
// a message that names the value.
#ifndef ZUBA_SYSTEM_MYREGS_H_
#define ZUBA_SYSTEM_MYREGS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "system/jstrm.h"

namespace zuba::system {

// Key or value names in the registry's enumeration order.
using NameList = std::vector<std::string>;

// The names of the key's direct subkeys (GetRegKeyNames) or of its values
// (GetLocalValueNames) replace the content of `names`. False when the key is
// missing; `names` is then untouched. The Local forms work below
// HKEY_LOCAL_MACHINE.
bool GetRegKeyNames(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                    NameList& names);
bool GetLocalKeyNames(platform::Registry& registry, const std::string& keyPath, NameList& names);
bool GetLocalValueNames(platform::Registry& registry, const std::string& keyPath, NameList& names);

// String (or expandable string) data up to its first zero byte; the empty
// text when the value does not exist. Data of another kind raises. A missing
// key gives false and the empty text.
bool ReadRegString(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                   const std::string& valueName, std::string& text);

// Whether the value's 32-bit integer data is non-zero. A missing value or
// data of another kind raises. A missing key gives false and `flag` false.
bool ReadRegBool(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                 const std::string& valueName, bool& flag);

// The value's 32-bit integer data; when the value is no 32-bit integer (or
// is missing), it is read again as ReadRegBinary4 reads it. So a missing
// value leaves `value` untouched, binary data of at most 4 bytes is taken,
// and a string or longer binary data raises. A missing key gives false and
// leaves `value` untouched.
bool ReadRegInteger(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                    const std::string& valueName, std::int32_t& value);

// Binary data of at most 4 bytes as a little-endian integer. Data of fewer
// bytes is zero-extended rather than laid over the bytes `value` held, so the
// answer never depends on the caller's start value. Every kind other than
// string, expandable string and 32-bit integer counts as binary. A missing
// value leaves `value` untouched; longer data, or a string or integer value,
// raises. A missing key gives false and leaves `value` untouched. Callers
// start `value` at 0.
bool ReadRegBinary4(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                    const std::string& valueName, std::int32_t& value);

// What QueryRegBinary4 found.
enum class RegRead { kKeyMissing, kValueMissing, kRead };

// ReadRegBinary4 that also tells a missing value apart from a value read.
RegRead QueryRegBinary4(platform::Registry& registry, platform::RegKey root,
                        const std::string& keyPath, const std::string& valueName,
                        std::int32_t& value);

// Store a string value, 1 or 0 as a 32-bit integer value, or the integer as 4
// bytes of little-endian binary data, creating or replacing the value. False,
// and nothing written, when the key is missing; a refused write raises.
bool WriteRegString(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                    const std::string& valueName, const std::string& text);
bool WriteRegBool(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                  const std::string& valueName, bool flag);
bool WriteRegBinary4(platform::Registry& registry, platform::RegKey root,
                     const std::string& keyPath, const std::string& valueName, std::int32_t value);

// Removes the value. True only when a value was deleted: false when the key
// or the value is missing (nothing changes then). A delete the platform
// refuses raises ERegistryException naming the value.
bool DeleteRegValue(platform::Registry& registry, platform::RegKey root, const std::string& keyPath,
                    const std::string& valueName);

// Removes the key with everything below it (the Windows 9x RegDeleteKey).
// True when it went; false when it was not there. A delete the platform
// refuses raises ERegistryException naming the key.
bool DeleteRegKey(platform::Registry& registry, platform::RegKey root, const std::string& keyPath);

// Depth-first search below and including `keyPath` (HKEY_LOCAL_MACHINE).
// Appends to `result` (never clearing it) the path of every matching key, the
// subkeys in enumeration order and each key after all its descendants.
//
// With a `pattern` other than "*", a key matches when its string value
// `valueName` (a missing value reads as empty) equals `pattern` without
// regard to case; a value of that name that is not a string raises out of the
// whole search. With the pattern "*", a key matches (once) when it has a
// value named `valueName` of any kind and content.
//
// Paths are built from `keyPath` as given: "\Enum" yields "\Enum\...", a path
// without a leading backslash yields paths without one, and "\" yields
// "\Enum", "\System", ... A missing key appends nothing.
void FindRegKeys(platform::Registry& registry, const LeadBytes& lead, NameList& result,
                 const std::string& keyPath, const std::string& valueName,
                 const std::string& pattern);

// RegFlushKey on a root: makes its hive durable. Returns the platform's
// result code (kErrorSuccess on success).
long FlushRegRoot(platform::Registry& registry, platform::RegKey root);

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_MYREGS_H_
