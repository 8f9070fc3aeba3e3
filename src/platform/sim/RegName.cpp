#include "platform/sim/RegName.h"

#include <cstring>

namespace zuba::platform::sim {
namespace {

inline unsigned char Fold(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

}  // namespace

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
