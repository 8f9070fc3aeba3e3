#include "core/AnsiText.h"

namespace zuba::core {

using platform::Cp932CharLength;

std::string LowerAscii(const std::string& text) {
  std::string result = text;
  for (std::string::size_type i = 0; i < result.size(); i += Cp932CharLength(result, i)) {
    if (result[i] >= 'A' && result[i] <= 'Z') result[i] = static_cast<char>(result[i] - 'A' + 'a');
  }
  return result;
}

std::string::size_type LastPathDelimiter(const std::string& path) {
  std::string::size_type found = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); i += Cp932CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == ':') found = i;
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
  std::string::size_type last = 0;  // where the last character starts
  for (std::string::size_type i = 0; i < text.size(); i += Cp932CharLength(text, i)) last = i;
  return !text.empty() && last + 1 == text.size() && text[last] == byte;
}

}  // namespace zuba::core
