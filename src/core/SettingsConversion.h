// Moving a settings file of the first layout to the current one. The first
// layout kept, besides the program's own keys, one line per setting in
// [Initialize]: the setting name and the subkey of its network adapter. The
// current layout keeps these lines in [NIC_registry_list] and only the
// program's own keys in [Initialize], and marks the file with
// [Initialize] IniConvert=1.
#ifndef ZUBA_CORE_SETTINGSCONVERSION_H_
#define ZUBA_CORE_SETTINGSCONVERSION_H_

#include <string>
#include <vector>

#include "core/IniGT.h"
#include "platform/Files.h"

namespace zuba::core {

// The settings file as the conversion names it: the program's path with
// ".ini"; and the copy it keeps of the unconverted file, with ".---".
std::string ConvertedFilePath(platform::Files& files);
std::string ConversionCopyPath(platform::Files& files);

// Converts the settings file `ini` addresses:
//   1. its bytes are copied to ConversionCopyPath, replacing an older copy;
//   2. the entries of [Initialize] (as TIniGT::ReadKeyValues gives them:
//      keys with an empty value left out) are split at their first "=":
//      a name among `keptKeys` stays in [Initialize], a name among
//      `settingNames` moves to [NIC_registry_list] with its value (both
//      compared without regard to case), any other line is dropped;
//   3. IniConvert=1.
// Names compare without regard to case. The adapter entries are written
// first, then [Initialize] with the kept keys and IniConvert in one atomic
// change, so that an interruption leaves every line in the file, where it
// was or where it goes. Throws system::Exception when the file cannot be
// read ("<path> を読み込めません") or a write is refused (the store's error,
// or "<copy> に書き込めません"); the writes before it stay.
void ConvertSettingsFile(TIniGT& ini, platform::Files& files,
                         const std::vector<std::string>& keptKeys,
                         const std::vector<std::string>& settingNames);

}  // namespace zuba::core

#endif  // ZUBA_CORE_SETTINGSCONVERSION_H_
