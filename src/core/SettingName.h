// The rule a setting name must meet before it is saved. A name becomes a
// section name and a key name of the settings file, a value in its setting
// list and [Initialize] Previous, and a line of the boot-time menu batch
// file; a name is refused when one of these could not hold it unchanged or
// when it would reach into one of the file's own sections.
#ifndef ZUBA_CORE_SETTINGNAME_H_
#define ZUBA_CORE_SETTINGNAME_H_

#include <string>

namespace zuba::core {

// Longest name in bytes: a value read back from the file holds at most this.
inline constexpr std::string::size_type kMaxSettingNameLength = 2047;

// True when `name` can be saved as a setting name. Otherwise false, with
// `*message` set to the reason for the user. Refused: the empty name; a name
// longer than kMaxSettingNameLength; control characters; a first byte of a
// double-byte character without its second byte; a blank at either end; the
// reserved section names Initialize, SETTINGLIST, NIC_registry_list and
// Bounds in any case; "]" and "="; ";" or "[" at the start; a name enclosed
// in a pair of "'"; and the characters < > | % " that a DOS batch line
// cannot hold.
bool CheckSettingName(const std::string& name, std::string* message);

}  // namespace zuba::core

#endif  // ZUBA_CORE_SETTINGNAME_H_
