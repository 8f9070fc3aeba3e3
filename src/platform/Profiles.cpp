#include "platform/Profiles.h"

#include <algorithm>
#include <functional>

namespace zuba::platform {

std::size_t FillListing(const std::vector<std::string_view>& items, std::string* listing,
                        std::size_t bufferSize) {
  std::string all;
  for (std::string_view item : items) all.append(item.substr(0, item.find('\0'))).push_back('\0');
  all.push_back('\0');
  if (bufferSize < 2) {
    *listing = std::string(bufferSize, '\0');
    return 0;
  }
  if (all.size() <= bufferSize) {
    *listing = all;
    return all.size() - 1;
  }
  *listing = all.substr(0, bufferSize - 2);
  listing->append(2, '\0');
  return bufferSize - 2;
}
namespace {

// A list of texts each followed by a zero byte, asked for with a buffer of
// `bufferSize` bytes by `fetch` (which answers the length as the profile
// functions do). A listing that did not fit comes back cut: its last text is
// cut and followed by two zero bytes, and the length is the buffer's less 2.
// A larger buffer may hold it whole, unless the platform hands out no more
// than it did. True when `items` holds the whole list.
bool ListZeroSeparated(const std::function<std::size_t(std::string*, std::size_t)>& fetch,
                       std::size_t bufferSize, std::vector<std::string>* items) {
  items->clear();
  constexpr std::size_t kLargestBuffer = std::size_t{1} << 24;
  std::string buffer;
  std::size_t length = fetch(&buffer, bufferSize);
  bool cut = buffer.size() >= length + 2;
  while (cut && length + 2 == bufferSize && bufferSize < kLargestBuffer) {
    bufferSize *= 2;
    length = fetch(&buffer, bufferSize);
    cut = buffer.size() >= length + 2;
  }
  buffer.resize(std::min(length, buffer.size()));
  std::string::size_type start = 0;
  while (start < buffer.size()) {
    const std::string::size_type end = buffer.find('\0', start);
    if (end == std::string::npos) {
      if (!cut) items->push_back(buffer.substr(start));  // a cut text is left out
      break;
    }
    if (end == start) break;  // the closing zero byte
    items->push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return !cut;
}

}  // namespace

bool ListKeyNames(Profiles& profiles, const std::string& section, const std::string& file,
                  std::size_t bufferSize, std::vector<std::string>* names) {
  return ListZeroSeparated(
      [&](std::string* buffer, std::size_t size) {
        return profiles.GetKeyNames(section, buffer, size, file);
      },
      bufferSize, names);
}

bool ListSection(Profiles& profiles, const std::string& section, const std::string& file,
                 std::size_t bufferSize, std::vector<std::string>* entries) {
  return ListZeroSeparated(
      [&](std::string* buffer, std::size_t size) {
        return profiles.GetSection(section, buffer, size, file);
      },
      bufferSize, entries);
}

}  // namespace zuba::platform
