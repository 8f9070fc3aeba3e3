#include "platform/sim/RegName.h"

#include <cstring>

namespace zuba::platform::sim {
namespace {

inline unsigned char Fold(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

constexpr bool IsSpecial(int c) {
  return c == 0 || c == '\r' || c == '\n' || c == '"' || c == '\\' ||
         IsCp932LeadByte(static_cast<unsigned char>(c));
}

}  // namespace

const bool kSpecialNameByte[256] = {
#define ZUBA_ROW(n)                                                                             \
  IsSpecial(n), IsSpecial(n + 1), IsSpecial(n + 2), IsSpecial(n + 3), IsSpecial(n + 4),         \
      IsSpecial(n + 5), IsSpecial(n + 6), IsSpecial(n + 7), IsSpecial(n + 8), IsSpecial(n + 9), \
      IsSpecial(n + 10), IsSpecial(n + 11), IsSpecial(n + 12), IsSpecial(n + 13),               \
      IsSpecial(n + 14), IsSpecial(n + 15),
    ZUBA_ROW(0) ZUBA_ROW(16) ZUBA_ROW(32) ZUBA_ROW(48) ZUBA_ROW(64) ZUBA_ROW(80) ZUBA_ROW(96)
        ZUBA_ROW(112) ZUBA_ROW(128) ZUBA_ROW(144) ZUBA_ROW(160) ZUBA_ROW(176) ZUBA_ROW(192)
            ZUBA_ROW(208) ZUBA_ROW(224) ZUBA_ROW(240)
#undef ZUBA_ROW
};

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (std::memcmp(a.data(), b.data(), a.size()) == 0) return true;
  std::size_t i = 0;
  while (i < a.size()) {
    if (CharLength(a, i) == 2) {
      // A letter is never a lead byte, so equal names share their
      // double-byte structure: compare both bytes as they are.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i]))) {
        return false;
      }
      ++i;
    }
  }
  return true;
}

std::size_t NameHash(std::string_view name) {
  // FNV-1a over the folded bytes.
  std::size_t h = static_cast<std::size_t>(1469598103934665603ULL);
  std::size_t i = 0;
  while (i < name.size()) {
    if (CharLength(name, i) == 2) {
      h = (h ^ static_cast<unsigned char>(name[i])) * 1099511628211ULL;
      h = (h ^ static_cast<unsigned char>(name[i + 1])) * 1099511628211ULL;
      i += 2;
    } else {
      h = (h ^ Fold(static_cast<unsigned char>(name[i]))) * 1099511628211ULL;
      ++i;
    }
  }
  return h;
}

bool IsValidKeyName(std::string_view name) {
  if (name.empty()) return false;
  std::size_t i = 0;
  while (i < name.size()) {
    std::size_t n = CharLength(name, i);
    if (n == 1) {
      char c = name[i];
      if (c == '\0' || c == '\r' || c == '\n' || c == '\\') return false;
      if (IsLeadByte(c) && i + 1 == name.size()) return false;
    }
    i += n;
  }
  return true;
}

bool IsValidValueName(std::string_view name) {
  std::size_t i = 0;
  while (i < name.size()) {
    if (!IsSpecialNameByte(name[i])) {
      ++i;
      continue;
    }
    std::size_t n = CharLength(name, i);
    if (n == 1) {
      char c = name[i];
      if (c == '\0' || c == '\r' || c == '\n') return false;
      if (IsLeadByte(c) && i + 1 < name.size() && name[i + 1] == '"') return false;
    }
    i += n;
  }
  return true;
}

}  // namespace zuba::platform::sim
