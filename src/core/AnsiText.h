// Byte-string helpers for file names in the system code page (932) that the
// INI store and the settings file need: lowering letters without touching
// the second byte of a double-byte character, and the parts of a path.
// Comparing and folding names is platform/Cp932.h.
#ifndef ZUBA_CORE_ANSITEXT_H_
#define ZUBA_CORE_ANSITEXT_H_

#include <string>

#include "platform/Cp932.h"

namespace zuba::core {

using platform::IsCp932LeadByte;
using platform::IsCp932TrailByte;

// The text with the single-byte letters A-Z lowered; the bytes of
// double-byte characters stay as they are (platform::FoldCp932 raises).
std::string LowerAscii(const std::string& text);

// The index of the last "\" or ":" of `path` that is a character of its own
// (not the second byte of a double-byte character), or std::string::npos.
std::string::size_type LastPathDelimiter(const std::string& path);

// The directory part of `path`: everything up to and including its last "\"
// or ":"; empty when there is none.
std::string ExtractDirectory(const std::string& path);

// The file-name part of `path`: everything after its directory part.
std::string ExtractFileName(const std::string& path);

// `path` with the extension of its file-name part (from its last ".")
// replaced by `extension` (which carries its own "."), or with `extension`
// appended when the file name has none.
std::string ChangeExtension(const std::string& path, const std::string& extension);

// Whether `text` ends with the single-byte character `byte` (a last byte
// that is the second byte of a double-byte character does not count).
bool EndsWithSingleByte(const std::string& text, char byte);

}  // namespace zuba::core

#endif  // ZUBA_CORE_ANSITEXT_H_
