// The 8.3 aliases (short names) that Windows 9x's VFAT gives long file
// names, computed for all the entries of one directory at once.
//
// A name that is a valid 8.3 name of alias characters in upper case is its
// own alias. A valid 8.3 name with lower-case letters gets its upper-case
// form. Any other name gets a numbered alias: spaces and all periods but the
// one before the extension go, + , ; = [ ] become '_', letters are
// upper-cased, the base keeps its first six bytes (fewer as the number
// grows) and "~n" is appended, n being the first number not yet taken, and
// the extension keeps its first three bytes. A double-byte character is
// never cut in two and only ASCII letters are upper-cased.
//
// Windows numbers aliases in the order the files were created; the
// simulation numbers them in the sorted order of the long names that need a
// number, so the aliases of a directory follow from its names alone.
#ifndef ZUBA_PLATFORM_SIM_VFATALIAS_H_
#define ZUBA_PLATFORM_SIM_VFATALIAS_H_

#include <string>
#include <string_view>
#include <vector>

namespace zuba::platform::sim {

// Whether `name` is a valid 8.3 name in upper case: no separate alias.
bool IsOwnAlias(std::string_view name);

// The alias of each of `names` (the entries of one directory), at the same
// positions; the empty text for a name that is its own alias.
std::vector<std::string> AssignAliases(const std::vector<std::string>& names);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_VFATALIAS_H_
