// WININIT.INI in the Windows directory: what Windows 9x does to files at its
// next start, before anything holds them. A line "NUL=PATH" of its [rename]
// section removes the file PATH. WININIT.EXE runs in real mode, so PATH must
// be a short (8.3) path; it removes files, never directories. The section
// holds several lines with the same key, so it is written as text, not
// with the private-profile functions, which would keep only one.
#ifndef ZUBA_APP_ZUBANET_WININIT_H_
#define ZUBA_APP_ZUBANET_WININIT_H_

#include <string>

#include "platform/Files.h"

namespace zuba::app {

// Adds "NUL=`shortPath`" to [rename] of WININIT.INI, making the file or the
// section where missing; a line already there (case ignored) is not added
// again. Every other line stays. False when the file cannot be written.
bool RemoveAtNextStart(platform::Files& files, const std::string& shortPath);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WININIT_H_
