// Key and value names of the simulated registry: CP932 byte strings that
// compare without regard to case. Only the ASCII letters fold; the second
// byte of a double-byte character never does, and a 0x5C there is no
// backslash.
#ifndef ZUBA_PLATFORM_SIM_REGNAME_H_
#define ZUBA_PLATFORM_SIM_REGNAME_H_

#include <cstddef>
#include <string_view>

#include "platform/Cp932.h"

namespace zuba::platform::sim {

// The deepest key path the registry holds (levels below a root).
constexpr std::size_t kMaxKeyDepth = 512;

inline bool IsLeadByte(char c) { return IsCp932LeadByte(static_cast<unsigned char>(c)); }
inline bool IsTrailByte(char c) { return IsCp932TrailByte(static_cast<unsigned char>(c)); }

// True for the bytes a name or quoted text needs a closer look at: NUL, CR,
// LF, '"', '\\' and the lead bytes. Every other byte stands for itself.
extern const bool kSpecialNameByte[256];
inline bool IsSpecialNameByte(char c) { return kSpecialNameByte[static_cast<unsigned char>(c)]; }

// The length of the character that starts at text[i]: 2 for a lead byte
// followed by a trail byte, else 1.
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() && IsTrailByte(text[i + 1]) ? 2 : 1;
}

// True when `a` and `b` are the same name without regard to case.
bool NamesEqual(std::string_view a, std::string_view b);

// A hash that agrees with NamesEqual.
std::size_t NameHash(std::string_view name);

struct NameHashFn {
  std::size_t operator()(std::string_view name) const { return NameHash(name); }
};
struct NameEqualFn {
  bool operator()(std::string_view a, std::string_view b) const { return NamesEqual(a, b); }
};

// True when `name` can name a key: not empty, no NUL, CR or LF, no
// backslash outside a double-byte character, and not ending in a lone lead
// byte (which would swallow the separator that follows it in a path).
bool IsValidKeyName(std::string_view name);

// True when `name` can name a value ("" is the default value): no NUL, CR
// or LF, and no lone lead byte before a double quote (no REGEDIT4 text could
// hold such a name).
bool IsValidValueName(std::string_view name);

// Splits a key path at its separators (backslashes outside double-byte
// characters) and calls `part(std::string_view)` for each non-empty part in
// order, so leading, doubled and trailing backslashes are ignored. Stops and
// returns false as soon as `part` returns false.
template <typename F>
bool ForEachKeyName(std::string_view path, F&& part) {
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < path.size()) {
    if (path[i] == '\\') {
      if (i > start && !part(path.substr(start, i - start))) return false;
      start = ++i;
    } else {
      i += CharLength(path, i);
    }
  }
  if (i > start && !part(path.substr(start, i - start))) return false;
  return true;
}

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGNAME_H_
