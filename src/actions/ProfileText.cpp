#include "actions/ProfileText.h"

#include <algorithm>
#include <cstddef>

namespace zuba::actions {
namespace {

// Windows 9x moves at most 32 KB - 2 bytes through one profile call.
constexpr std::size_t kValueBufferSize = 32767;
constexpr std::size_t kFirstListBufferSize = 4096;
constexpr std::size_t kLargestListBufferSize = std::size_t{1} << 24;

}  // namespace

std::string ReadProfileText(platform::Profiles& profiles, const std::string& section,
                            const std::string& key, const std::string& file) {
  std::string value;
  profiles.GetString(section, key, "", &value, kValueBufferSize, file);
  return value;
}

std::vector<std::string> ReadProfileKeyNames(platform::Profiles& profiles,
                                             const std::string& section, const std::string& file) {
  // A listing that did not fit ends in a cut name followed by two zero
  // bytes, and its length is the buffer's less 2; a larger buffer may hold
  // it whole, unless the platform hands out no more than it did.
  std::string buffer;
  std::size_t size = kFirstListBufferSize;
  std::size_t length = profiles.GetKeyNames(section, &buffer, size, file);
  bool cut = buffer.size() >= length + 2;
  while (cut && length + 2 == size && size < kLargestListBufferSize) {
    size *= 2;
    length = profiles.GetKeyNames(section, &buffer, size, file);
    cut = buffer.size() >= length + 2;
  }
  buffer.resize(std::min(length, buffer.size()));
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < buffer.size()) {
    const std::size_t end = buffer.find('\0', start);
    if (end == std::string::npos) {
      if (!cut) names.push_back(buffer.substr(start));
      break;
    }
    if (end == start) break;  // the closing zero byte
    names.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace zuba::actions
