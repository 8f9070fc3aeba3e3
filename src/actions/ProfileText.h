// Reading profile (INI) files whole: one value without a length limit of
// our own, and a section's key names however many there are. The private-
// profile functions hand text out through buffers; these helpers pick the
// sizes so that callers never see a value or a listing cut short.
#ifndef ZUBA_ACTIONS_PROFILETEXT_H_
#define ZUBA_ACTIONS_PROFILETEXT_H_

#include <string>
#include <vector>

#include "platform/Profiles.h"

namespace zuba::actions {

// The value of `key` in `section` of `file` (blanks around it trimmed and one
// pair of surrounding quotes removed, as the profile functions do); the empty
// text when the file, the section or the key is missing.
std::string ReadProfileText(platform::Profiles& profiles, const std::string& section,
                            const std::string& key, const std::string& file);

// The key names of `section` in file order; empty when the file or the
// section is missing. A listing the platform cuts short is asked for again
// with a larger buffer; a name that stays cut is left out.
std::vector<std::string> ReadProfileKeyNames(platform::Profiles& profiles,
                                             const std::string& section, const std::string& file);

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_PROFILETEXT_H_
