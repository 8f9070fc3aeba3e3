// Helpers for tests that edit a temporary machine's registry as text and
// look at single values: the network configuration's tests build each case
// from a template this way.
#ifndef ZUBA_TESTING_NETMACHINE_H_
#define ZUBA_TESTING_NETMACHINE_H_

#include <string>

#include "platform/Registry.h"

namespace zuba::testing {

// Imports `body` (REGEDIT4 key and value lines, CP932, LF or CR LF, without
// the "REGEDIT4" header) as the registry editor would. Throws
// platform::sim::MachineError when the text cannot be parsed.
void EditRegistry(platform::Registry& registry, const std::string& body);

// The REGEDIT4 text of `keyPath` ("HKEY_LOCAL_MACHINE\..." form) with all
// below it; the empty text when the key does not exist.
std::string ExportKey(platform::Registry& registry, const std::string& keyPath);

// A value as its REGEDIT4 right-hand side would show it, for comparisons:
// "\"text\"" for a string, "dword:00000001", "hex:01,00,00,00"; "-" when the
// value is missing and "no key" when the key is.
std::string ValueText(platform::Registry& registry, platform::RegKey root, const std::string& path,
                      const std::string& valueName);

// Whether the key exists.
bool KeyExists(platform::Registry& registry, platform::RegKey root, const std::string& path);

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_NETMACHINE_H_
