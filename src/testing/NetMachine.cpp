#include "testing/NetMachine.h"

#include <cstdio>

namespace zuba::testing {

std::string ValueText(platform::Registry& registry, platform::RegKey root, const std::string& path,
                      const std::string& valueName) {
  platform::RegKey key = 0;
  if (registry.OpenKey(root, path, &key) != platform::kErrorSuccess) return "no key";
  platform::RegValue value;
  const long rc = registry.QueryValue(key, valueName, &value);
  registry.CloseKey(key);
  if (rc != platform::kErrorSuccess) return "-";
  if (value.type == platform::kRegSz) {
    return "\"" + value.data.substr(0, value.data.find('\0')) + "\"";
  }
  std::string text;
  char digits[12];
  if (value.type == platform::kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    std::snprintf(digits, sizeof digits, "%08x", number);
    return std::string("dword:") + digits;
  }
  text = value.type == platform::kRegBinary ? "hex:" : "hex(" + std::to_string(value.type) + "):";
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(digits, sizeof digits, i ? ",%02x" : "%02x",
                  static_cast<unsigned char>(value.data[i]));
    text += digits;
  }
  return text;
}

bool KeyExists(platform::Registry& registry, platform::RegKey root, const std::string& path) {
  platform::RegKey key = 0;
  if (registry.OpenKey(root, path, &key) != platform::kErrorSuccess) return false;
  registry.CloseKey(key);
  return true;
}

}  // namespace zuba::testing
