// The VERSIONINFO statement of a Windows resource script, as the program's
// build compiles it (zuba_rc): the fixed part, the string tables and the
// translation table. The script is UTF-8 text; its strings become CP932.
//
//   VS_VERSION_INFO VERSIONINFO
//    FILEVERSION 2,1,0,54          (also PRODUCTVERSION, FILEFLAGSMASK,
//    FILEOS 0x4L                    FILEFLAGS, FILEOS, FILETYPE, FILESUBTYPE)
//   BEGIN
//     BLOCK "StringFileInfo"
//     BEGIN
//       BLOCK "041103A4"
//       BEGIN
//         VALUE "FileVersion", "2.1.0.54"
//       END
//     END
//     BLOCK "VarFileInfo"
//     BEGIN
//       VALUE "Translation", 0x411, 932
//     END
//   END
//
// BEGIN and END may be written { and }; numbers are decimal or 0x
// hexadecimal with an optional L; comments are // and /* */. Every string
// value is stored with its terminating zero, so none is written in the
// script.
#ifndef ZUBA_RESOURCE_VERSIONSCRIPT_H_
#define ZUBA_RESOURCE_VERSIONSCRIPT_H_

#include <string>

#include "platform/VersionResource.h"

namespace zuba::resource {

// Parses the script. Throws std::runtime_error "line N: what is wrong" on
// anything outside the statement above, on a string that CP932 cannot hold,
// and on a translation table with an odd count of numbers.
platform::VersionResource ParseVersionScript(const std::string& script);

// A C++ translation unit that places `block` in the linker section
// `section`, kept even though nothing refers to it.
std::string VersionBlockSource(const std::string& block, const std::string& section,
                               const std::string& origin);

}  // namespace zuba::resource

#endif  // ZUBA_RESOURCE_VERSIONSCRIPT_H_
