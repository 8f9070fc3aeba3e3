// Export and import of REGEDIT4 text through any Registry, as the machine's
// registry editor does them (the format: Regedit4.h).
#ifndef ZUBA_PLATFORM_SIM_REGEDITFILE_H_
#define ZUBA_PLATFORM_SIM_REGEDITFILE_H_

#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace zuba::platform::sim {

// Splits a key path as REGEDIT4 writes it ("HKEY_LOCAL_MACHINE\Software\X";
// the short forms HKLM and HKCU are taken too) into its root key and the path
// below it. HKEY_CLASSES_ROOT stands for HKEY_LOCAL_MACHINE\Software\Classes,
// as on Windows 9x. False when the path names no root this machine holds.
bool SplitRegistryPath(std::string_view keyPath, RegKey* root, std::string* subKey);

// The REGEDIT4 text (CP932, CR LF) of the key `keyPath` with all below it:
// the key line, the values in creation order and an empty line for every key,
// depth first. "" exports both roots, HKEY_LOCAL_MACHINE first. Key names
// keep the case they were created with. Throws MachineError when the key does
// not exist or cannot be read.
std::string ExportRegedit4(Registry& registry, const std::string& keyPath);

// Imports REGEDIT4 text as the registry editor does: key lines create their
// keys, values are created or replaced (hex(2) and hex(7) data without a
// terminating zero get one), [-KEY] deletes a key with its subkeys and
// "name"=- a value (what is not there is skipped). The whole text is parsed
// first: a text that cannot be parsed is refused as a whole with MachineError
// "FILE:LINE: reason" (FILE is `fileName`), and the registry is not touched.
// On a registry from OpenSimRegistry the import is one write, all or nothing
// (ApplyAsOneWrite). Throws MachineError "FILE:LINE: ..." when the registry
// refuses a change.
void ImportRegedit4(Registry& registry, std::string_view text, const std::string& fileName);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGEDITFILE_H_
