// The registry editor of the machine the tests run on, and the root names
// of REGEDIT4 key paths, for the Win32 test fixtures.
#ifndef ZUBA_TESTING_WIN32_REGEDIT_H_
#define ZUBA_TESTING_WIN32_REGEDIT_H_

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zuba::testing {

// Imports the REGEDIT4 files (Windows paths) silently with regedit.exe and
// waits for it. Throws std::runtime_error when it cannot be run.
void RunRegedit(const std::vector<std::string>& files);

// Imports REGEDIT4 `text` (CP932, with its header) through a temporary file.
void ImportRegText(const std::string& text);

// Splits "HKEY_LOCAL_MACHINE\A\B" into the root and "A\B"; false for a root
// other than HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
bool SplitRootPath(const std::string& path, platform::RegKey* root, std::string* subKey);

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_WIN32_REGEDIT_H_
