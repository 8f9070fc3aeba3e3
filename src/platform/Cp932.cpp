#include "platform/Cp932.h"

#include <cstring>

namespace zuba::platform {

std::string FoldCp932(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size();) {
    std::size_t n = Cp932CharLength(folded, i);
    if (n == 1 && folded[i] >= 'a' && folded[i] <= 'z')
      folded[i] = static_cast<char>(folded[i] - 32);
    i += n;
  }
  return folded;
}

bool EqualsNoCaseCp932(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t n = Cp932CharLength(a, i);
    if (n == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else {
      char x = a[i], y = b[i];
      if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
      if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
      if (x != y) return false;
    }
    i += n;
  }
  return true;
}

std::size_t FindCp932(std::string_view text, char c, std::size_t from) {
  const char* data = text.data();
  const std::size_t size = text.size();
  // The usual case: nothing but single bytes up to the first `c` found by
  // a plain search, which then is a character of its own.
  if (!(static_cast<unsigned char>(c) & 0x80) && from <= size) {
    const void* hit = std::memchr(data + from, c, size - from);
    const std::size_t at = hit ? static_cast<const char*>(hit) - data : size;
    std::size_t i = 0;
    while (i < at && !(static_cast<unsigned char>(data[i]) & 0x80)) ++i;
    if (i == at) return hit ? at : std::string_view::npos;
  }
  // Otherwise walked from the start, whatever `from`: only so are the
  // characters' boundaries known.
  for (std::size_t i = 0; i < size; ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(data[i])) && i + 1 < size) {
      ++i;  // the trail byte
    } else if (data[i] == c && i >= from) {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace zuba::platform
