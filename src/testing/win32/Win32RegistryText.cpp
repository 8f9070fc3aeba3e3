// EditRegistry and ExportKey on Windows: the registry editor imports, and
// the export is a plain listing of keys and values for comparisons.
#include <cstdio>

#include "testing/NetMachine.h"
#include "testing/win32/Regedit.h"

namespace zuba::testing {
namespace {

void AppendKey(platform::Registry& registry, platform::RegKey key, const std::string& path,
               std::string* out) {
  *out += "[" + path + "]\r\n";
  std::string name;
  for (std::uint32_t i = 0; registry.EnumValue(key, i, &name) == platform::kErrorSuccess; ++i) {
    platform::RegValue value;
    registry.QueryValue(key, name, &value);
    *out += "\"" + name + "\"=" + std::to_string(value.type) + ":";
    char hex[4];
    for (unsigned char c : value.data) {
      std::snprintf(hex, sizeof hex, "%02x,", c);
      *out += hex;
    }
    *out += "\r\n";
  }
  for (std::uint32_t i = 0; registry.EnumKey(key, i, &name) == platform::kErrorSuccess; ++i) {
    platform::RegKey child;
    if (registry.OpenKey(key, name, &child) != platform::kErrorSuccess) continue;
    AppendKey(registry, child, path + "\\" + name, out);
    registry.CloseKey(child);
  }
}

}  // namespace

void EditRegistry(platform::Registry&, const std::string& body) {
  ImportRegText("REGEDIT4\r\n\r\n" + body + "\r\n");
}

std::string ExportKey(platform::Registry& registry, const std::string& keyPath) {
  platform::RegKey root;
  std::string subKey;
  if (!SplitRootPath(keyPath, &root, &subKey)) return std::string();
  platform::RegKey key;
  if (registry.OpenKey(root, subKey, &key) != platform::kErrorSuccess) return std::string();
  std::string text;
  AppendKey(registry, key, keyPath, &text);
  registry.CloseKey(key);
  return text;
}

}  // namespace zuba::testing
