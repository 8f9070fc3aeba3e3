// Helpers for tests that edit a machine's registry as text and look at
// single values: the network configuration's tests build each case from a
// template this way. On the simulated machine the text goes through its own
// REGEDIT4 import and export (SimRegistryText.cpp), on Windows through the
// registry editor (win32/Win32RegistryText.cpp).
#ifndef ZUBA_TESTING_NETMACHINE_H_
#define ZUBA_TESTING_NETMACHINE_H_

#include <string>

#include "platform/Registry.h"

namespace zuba::testing {

// Imports `body` (REGEDIT4 key and value lines, CP932, LF or CR LF, without
// the "REGEDIT4" header) as the registry editor would. Throws a
// std::runtime_error (on the simulated machine its MachineError) when the
// text cannot be imported.
void EditRegistry(platform::Registry& registry, const std::string& body);

// A text of `keyPath` ("HKEY_LOCAL_MACHINE\..." form) with all below it,
// for comparing the key before and after (on the simulated machine its
// REGEDIT4 export); the empty text when the key does not exist.
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
