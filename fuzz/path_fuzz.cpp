// Fuzzes Windows path resolution, 8.3 aliases and wildcard matching: a
// resolved path never climbs out of its drive, and aliases are unique 8.3
// names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/VfatAlias.h"
#include "platform/sim/Wildcard.h"
#include "platform/sim/WinPath.h"

using namespace zuba::platform::sim;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The input is "current|path|name|name|...".
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  for (;;) {
    std::string::size_type bar = input.find('|', start);
    parts.push_back(
        input.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  const std::string current = parts[0];
  const std::string path = parts.size() > 1 ? parts[1] : "";

  for (Wildcards w : {Wildcards::kRefuse, Wildcards::kAllowInLast}) {
    WinPath out;
    if (!ResolveWinPath(path, current, w, &out)) continue;
    Check(out.drive >= 'A' && out.drive <= 'Z');
    Check(out.ToString().size() < kMaxPath);
    for (const std::string& c : out.components) {
      Check(!c.empty() && c != "." && c != ".." && c.size() <= 255);
    }
  }

  std::vector<std::string> names;
  std::set<std::string> distinct;
  for (size_t i = 2; i < parts.size(); ++i) {
    if (!parts[i].empty() && distinct.insert(parts[i]).second) names.push_back(parts[i]);
  }
  std::vector<std::string> aliases = AssignAliases(names);
  Check(aliases.size() == names.size());
  std::set<std::string> seen;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& shortName = aliases[i].empty() ? names[i] : aliases[i];
    if (aliases[i].empty()) {
      Check(IsOwnAlias(names[i]));
    } else {
      Check(aliases[i].size() <= 12 && IsOwnAlias(aliases[i]));
    }
    MatchesWildcard(path, names[i]);
    MatchesWildcard(path, shortName);
    seen.insert(shortName);
  }
  return 0;
}
