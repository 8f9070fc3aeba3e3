#include "platform/sim/RegistryFaults.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/sim/RegName.h"

namespace zuba::platform::sim {
namespace {

class FaultyRegistry final : public RegistryWrapper {
 public:
  FaultyRegistry(Registry& target, MachineConfig& config)
      : RegistryWrapper(target), config_(config) {}

  Registry& Target() { return target(); }

  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    long r = RegistryWrapper::OpenKey(parent, subKey, result);
    if (r == kErrorSuccess && result) Remember(*result, parent, subKey);
    return r;
  }

  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    if (long code = Refused("RegCreateKey", Below(parent, subKey))) return code;
    long r = RegistryWrapper::CreateKey(parent, subKey, result);
    if (r == kErrorSuccess && result) Remember(*result, parent, subKey);
    return r;
  }

  long CloseKey(RegKey key) override {
    auto found = paths_.find(key);
    if (found != paths_.end()) spare_ = paths_.extract(found);
    return RegistryWrapper::CloseKey(key);
  }

  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    if (long code = Refused("RegSetValue", PathOf(key))) return code;
    return RegistryWrapper::SetValue(key, name, value);
  }

  long DeleteValue(RegKey key, const std::string& name) override {
    if (long code = Refused("RegDeleteValue", PathOf(key))) return code;
    return RegistryWrapper::DeleteValue(key, name);
  }

  long DeleteKey(RegKey parent, const std::string& subKey) override {
    if (long code = Refused("RegDeleteKey", Below(parent, subKey))) return code;
    return RegistryWrapper::DeleteKey(parent, subKey);
  }

  // A read: never refused.
  long FindKeysWithValue(RegKey key, const std::string& valueName, std::size_t length,
                         std::vector<std::string>* paths) override {
    return target().FindKeysWithValue(key, valueName, length, paths);
  }

  long FlushKey(RegKey key) override {
    if (long code = Refused("RegFlushKey", PathOf(key))) return code;
    return RegistryWrapper::FlushKey(key);
  }

 private:
  // The full path of an open key ("HKEY_LOCAL_MACHINE\A\B"); empty for a
  // handle this registry did not give out.
  std::string PathOf(RegKey key) const { return std::string(PathViewOf(key)); }

  std::string_view PathViewOf(RegKey key) const {
    if (key == kHkeyLocalMachine) return "HKEY_LOCAL_MACHINE";
    if (key == kHkeyCurrentUser) return "HKEY_CURRENT_USER";
    auto found = paths_.find(key);
    return found == paths_.end() ? std::string_view() : std::string_view(found->second);
  }

  std::string Below(RegKey parent, const std::string& subKey) const {
    std::string path;
    AppendBelow(parent, subKey, path);
    return path;
  }

  void AppendBelow(RegKey parent, const std::string& subKey, std::string& path) const {
    const std::string_view parentPath = PathViewOf(parent);
    path.reserve(parentPath.size() + 1 + subKey.size());
    path.append(parentPath);
    ForEachKeyName(subKey, [&path](std::string_view name) {
      path += '\\';
      path.append(name);
      return true;
    });
  }

  // Records the path of a key just opened. The entry of the key closed last
  // is used again, string and all, so that walking a tree key by key
  // allocates nothing per key.
  void Remember(RegKey key, RegKey parent, const std::string& subKey) {
    auto found = paths_.find(key);
    if (found != paths_.end()) {
      std::string path;
      AppendBelow(parent, subKey, path);
      found->second = std::move(path);
      return;
    }
    if (spare_.empty()) {
      paths_.emplace(key, Below(parent, subKey));
      return;
    }
    spare_.key() = key;
    spare_.mapped().clear();
    AppendBelow(parent, subKey, spare_.mapped());
    paths_.insert(std::move(spare_));
    spare_ = {};
  }

  // The code a switch makes the call answer for the key `path`; 0 when
  // none applies.
  long Refused(const char* call, const std::string& path) {
    std::vector<std::pair<std::string, std::uint32_t>> paths;
    if (std::uint32_t code = config_.FailCodeAndPaths(call, &paths)) {
      return static_cast<long>(code);
    }
    for (const auto& [key, code] : paths) {
      if (IsAtOrBelow(path, key)) return static_cast<long>(code);
    }
    return 0;
  }

  static bool IsAtOrBelow(const std::string& path, const std::string& key) {
    std::string normal;
    ForEachKeyName(key, [&normal](std::string_view name) {
      if (!normal.empty()) normal += '\\';
      normal.append(name);
      return true;
    });
    if (normal.empty() || path.size() < normal.size()) return false;
    if (!NamesEqual(std::string_view(path).substr(0, normal.size()), normal)) return false;
    return path.size() == normal.size() || path[normal.size()] == '\\';
  }

  MachineConfig& config_;
  std::unordered_map<RegKey, std::string> paths_;
  std::unordered_map<RegKey, std::string>::node_type spare_;  // of the key closed last
};

}  // namespace

std::unique_ptr<Registry> WithRegistryFaults(Registry& target, MachineConfig& config) {
  return std::make_unique<FaultyRegistry>(target, config);
}

Registry& FaultsTarget(Registry& registry) {
  if (auto* faulty = dynamic_cast<FaultyRegistry*>(&registry)) return faulty->Target();
  return registry;
}

}  // namespace zuba::platform::sim
