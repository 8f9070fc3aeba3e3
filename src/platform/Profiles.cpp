#include "platform/Profiles.h"

#include <algorithm>

namespace zuba::platform {

bool ListKeyNames(Profiles& profiles, const std::string& section, const std::string& file,
                  std::size_t bufferSize, std::vector<std::string>* names) {
  names->clear();
  // A listing that did not fit comes back cut: its last name is cut and
  // followed by two zero bytes, and the length is the buffer's less 2. A
  // larger buffer may hold it whole, unless the platform hands out no more
  // than it did.
  constexpr std::size_t kLargestBuffer = std::size_t{1} << 24;
  std::string buffer;
  std::size_t length = profiles.GetKeyNames(section, &buffer, bufferSize, file);
  bool cut = buffer.size() >= length + 2;
  while (cut && length + 2 == bufferSize && bufferSize < kLargestBuffer) {
    bufferSize *= 2;
    length = profiles.GetKeyNames(section, &buffer, bufferSize, file);
    cut = buffer.size() >= length + 2;
  }
  buffer.resize(std::min(length, buffer.size()));
  std::string::size_type start = 0;
  while (start < buffer.size()) {
    const std::string::size_type end = buffer.find('\0', start);
    if (end == std::string::npos) {
      if (!cut) names->push_back(buffer.substr(start));  // a cut name is left out
      break;
    }
    if (end == start) break;  // the closing zero byte
    names->push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return !cut;
}

}  // namespace zuba::platform
