#include "core/AnsiText.h"

#include <algorithm>

namespace zuba::core {

namespace {

// Applies `map` to every byte that starts a character; a lead byte carries
// its trail byte along unchanged.
template <typename Map>
std::string MapSingleBytes(const std::string& text, Map map) {
  std::string result = text;
  for (std::string::size_type i = 0; i < result.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(result[i]);
    if (IsCp932LeadByte(byte)) {
      ++i;
    } else {
      result[i] = map(result[i]);
    }
  }
  return result;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string LowerAscii(const std::string& text) { return MapSingleBytes(text, Lower); }

int CompareNoCase(const std::string& a, const std::string& b) {
  // Walks both texts together; a lead byte and its trail byte are copied
  // unfolded. Both texts are at the same offset with the same bytes so far,
  // so they agree on where characters start.
  const std::string::size_type common = std::min(a.size(), b.size());
  bool trail = false;
  for (std::string::size_type i = 0; i < common; ++i) {
    const char ca = trail ? a[i] : Upper(a[i]);
    const char cb = trail ? b[i] : Upper(b[i]);
    if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
    trail = !trail && IsCp932LeadByte(static_cast<unsigned char>(a[i]));
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string::size_type LastPathDelimiter(const std::string& path) {
  std::string::size_type found = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(path[i]);
    if (IsCp932LeadByte(byte)) {
      ++i;
    } else if (byte == '\\' || byte == ':') {
      found = i;
    }
  }
  return found;
}

std::string ExtractDirectory(const std::string& path) {
  const std::string::size_type at = LastPathDelimiter(path);
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string ExtractFileName(const std::string& path) {
  const std::string::size_type at = LastPathDelimiter(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& extension) {
  const std::string::size_type at = LastPathDelimiter(path);
  const std::string::size_type nameStart = at == std::string::npos ? 0 : at + 1;
  // "." is never a trail byte, so a plain search cannot land inside a
  // double-byte character.
  const std::string::size_type dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return path + extension;
  return path.substr(0, dot) + extension;
}

bool EndsWithSingleByte(const std::string& text, char byte) {
  if (text.empty()) return false;
  bool last = false;
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
      last = false;
    } else {
      last = text[i] == byte && i + 1 == text.size();
    }
  }
  return last;
}

}  // namespace zuba::core
