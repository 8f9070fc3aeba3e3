#include "platform/sim/Wildcard.h"

#include <vector>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

// The characters of `text` as views (one or two bytes each).
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = Cp932CharLength(text, i);
    chars.push_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

// Plain glob matching with one backtracking point (the latest '*').
bool Glob(std::string_view pattern, std::string_view name) {
  std::vector<std::string_view> p = Characters(pattern), s = Characters(name);
  std::size_t pi = 0, si = 0, starP = std::string_view::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == "*") {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && (p[pi] == "?" || EqualsNoCaseCp932(p[pi], s[si]))) {
      ++pi;
      ++si;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}

bool HasPeriod(std::string_view name) { return FindCp932(name, '.') != std::string_view::npos; }

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  if (Glob(pattern, name)) return true;
  std::size_t n = pattern.size();
  if (n >= 2 && pattern.substr(n - 2) == ".*" && !HasPeriod(name)) {
    return Glob(pattern.substr(0, n - 2), name);
  }
  if (n >= 1 && pattern.back() == '.' && !HasPeriod(name)) {
    return Glob(pattern.substr(0, n - 1), name);
  }
  return false;
}

}  // namespace zuba::platform::sim
