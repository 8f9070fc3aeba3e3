// The one conversion between the program's CP932 byte strings and UTF-8,
// used where text leaves the CP932 world: the terminal, the Qt front-end and
// the machine's UTF-8 event log.
#ifndef ZUBA_PLATFORM_TEXTCODEC_H_
#define ZUBA_PLATFORM_TEXTCODEC_H_

#include <string>

namespace zuba::platform {

// CP932 to UTF-8. A byte sequence that CP932 does not define is kept as
// U+FFFD so that nothing is silently dropped; `*exact` (when given) tells
// whether every byte converted.
std::string Cp932ToUtf8(const std::string& text, bool* exact = nullptr);

// UTF-8 to CP932. A character CP932 cannot hold becomes '?' and clears
// `*exact`.
std::string Utf8ToCp932(const std::string& text, bool* exact = nullptr);

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_TEXTCODEC_H_
