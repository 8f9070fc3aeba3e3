// The wildcard patterns of FindFirstFile: '*' matches any run of characters,
// '?' one character (a double-byte character counts as one), letters match
// without regard to ASCII case. As on Windows, "*.*" matches every name, a
// pattern ending in ".*" also matches the name without that extension
// ("hosts.*" matches "hosts"), and a pattern ending in "." matches only
// names without a period ("*." matches "hosts").
#ifndef ZUBA_PLATFORM_SIM_WILDCARD_H_
#define ZUBA_PLATFORM_SIM_WILDCARD_H_

#include <string_view>

namespace zuba::platform::sim {

bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_WILDCARD_H_
