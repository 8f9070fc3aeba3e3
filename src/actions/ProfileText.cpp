#include "actions/ProfileText.h"

#include <algorithm>
#include <cstddef>

namespace zuba::actions {
namespace {

// Windows 9x moves at most 32 KB - 2 bytes through one profile call.
constexpr std::size_t kValueBufferSize = 32767;
constexpr std::size_t kFirstListBufferSize = 4096;

}  // namespace

std::string ReadProfileText(platform::Profiles& profiles, const std::string& section,
                            const std::string& key, const std::string& file) {
  std::string value;
  profiles.GetString(section, key, "", &value, kValueBufferSize, file);
  return value;
}

std::vector<std::string> ReadProfileKeyNames(platform::Profiles& profiles,
                                             const std::string& section, const std::string& file) {
  std::vector<std::string> names;
  platform::ListKeyNames(profiles, section, file, kFirstListBufferSize, &names);
  return names;
}

}  // namespace zuba::actions
