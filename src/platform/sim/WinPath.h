// Windows paths taken apart and resolved the way Win32 normalises them,
// without touching any file: a drive letter and the components below the
// drive's root.
#ifndef ZUBA_PLATFORM_SIM_WINPATH_H_
#define ZUBA_PLATFORM_SIM_WINPATH_H_

#include <string>
#include <string_view>
#include <vector>

namespace zuba::platform::sim {

struct WinPath {
  char drive = 0;                       // upper-case drive letter
  std::vector<std::string> components;  // below the root; empty for the root

  // "C:\A\B", or "C:\" for the root.
  std::string ToString() const;
};

// Whether the last component may hold the wildcards * and ?.
enum class Wildcards { kRefuse, kAllowInLast };

constexpr std::size_t kMaxPath = 260;  // MAX_PATH, the terminating zero included

// Resolves `path` to an absolute path. Accepted forms: "C:\x" (absolute),
// "C:x" (relative to the current directory when it is on drive C:, else to
// C:'s root), "\x" (the current drive's root) and "x" (the current
// directory). '/' separates like '\', empty components are skipped, trailing
// dots and spaces of a component are dropped, "." stays and ".." climbs one
// level. False when the path leaves the drive (".." above the root), is a
// UNC path, is empty, has a component that is empty after dropping dots
// and spaces or longer than 255 bytes, has a character no long file name
// may hold (< > : " | ? * or a control character; the wildcards pass in the
// last component with kAllowInLast), or is MAX_PATH long or longer once
// resolved. `currentDirectory` must itself be absolute for the relative
// forms. Separators and forbidden characters are found without mistaking
// the trail byte of a double-byte character for one.
bool ResolveWinPath(std::string_view path, std::string_view currentDirectory, Wildcards wildcards,
                    WinPath* out);

// Whether `name` holds a wildcard (* or ?).
bool HasWildcards(std::string_view name);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_WINPATH_H_
