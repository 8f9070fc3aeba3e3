#include "system/MyRegs.h"

#include <utility>

#include "system/Errors.h"

namespace zuba::system {

namespace {

using platform::kErrorFileNotFound;
using platform::kErrorSuccess;
using platform::Registry;
using platform::RegKey;
using platform::RegValue;

// An open key, closed again when it goes.
class OpenedKey {
 public:
  OpenedKey(Registry& registry, RegKey parent, const std::string& path) : registry_(registry) {
    if (registry_.OpenKey(parent, path, &handle_) != kErrorSuccess) handle_ = 0;
  }
  OpenedKey(OpenedKey&& other) noexcept : registry_(other.registry_), handle_(other.handle_) {
    other.handle_ = 0;
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  OpenedKey& operator=(OpenedKey&&) = delete;
  ~OpenedKey() {
    if (handle_ != 0) registry_.CloseKey(handle_);
  }

  bool ok() const { return handle_ != 0; }
  RegKey handle() const { return handle_; }

 private:
  Registry& registry_;
  RegKey handle_ = 0;
};

// The one place where a refused or unexpected value becomes an error.
[[noreturn]] void ThrowInvalidType(const std::string& valueName) {
  throw ERegistryException("Invalid data type for '" + valueName + "'");
}
[[noreturn]] void ThrowGetFailed(const std::string& valueName) {
  throw ERegistryException("Failed to get data for '" + valueName + "'");
}
[[noreturn]] void ThrowSetFailed(const std::string& valueName) {
  throw ERegistryException("Failed to set data for '" + valueName + "'");
}

bool IsStringType(std::uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz;
}

// Queries a value; false when it does not exist, raises when the registry
// refuses to deliver it.
bool QueryExisting(Registry& registry, RegKey key, const std::string& valueName, RegValue& value) {
  long rc = registry.QueryValue(key, valueName, &value);
  if (rc == kErrorFileNotFound) return false;
  if (rc != kErrorSuccess) ThrowGetFailed(valueName);
  return true;
}

// String data up to the first zero byte; "" for a missing value.
std::string ReadStringOf(Registry& registry, RegKey key, const std::string& valueName) {
  RegValue value;
  if (!QueryExisting(registry, key, valueName, value)) return std::string();
  if (!IsStringType(value.type)) ThrowInvalidType(valueName);
  return value.data.substr(0, value.data.find('\0'));
}

std::uint32_t LittleEndian(const std::string& data) {
  std::uint32_t result = 0;
  for (std::size_t i = data.size(); i > 0; --i) {
    result = (result << 8) | static_cast<unsigned char>(data[i - 1]);
  }
  return result;
}

std::string LittleEndianBytes(std::uint32_t value) {
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return data;
}

// The 32-bit integer data of a value; raises when it is missing or is no
// 32-bit integer.
std::uint32_t ReadDwordOf(Registry& registry, RegKey key, const std::string& valueName) {
  RegValue value;
  if (!QueryExisting(registry, key, valueName, value)) ThrowGetFailed(valueName);
  if (value.type != platform::kRegDword || value.data.size() != 4) ThrowInvalidType(valueName);
  return LittleEndian(value.data);
}

// Binary data of at most 4 bytes; false for a missing value.
bool ReadBinary4Of(Registry& registry, RegKey key, const std::string& valueName,
                   std::int32_t& result) {
  RegValue value;
  if (!QueryExisting(registry, key, valueName, value)) return false;
  if (IsStringType(value.type) || value.type == platform::kRegDword || value.data.size() > 4) {
    ThrowInvalidType(valueName);
  }
  result = static_cast<std::int32_t>(LittleEndian(value.data));
  return true;
}

void SetOrThrow(Registry& registry, RegKey key, const std::string& valueName,
                const RegValue& value) {
  if (registry.SetValue(key, valueName, value) != kErrorSuccess) ThrowSetFailed(valueName);
}

bool WriteValue(Registry& registry, RegKey root, const std::string& keyPath,
                const std::string& valueName, const RegValue& value) {
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  SetOrThrow(registry, key.handle(), valueName, value);
  return true;
}

using EnumFunction = long (Registry::*)(RegKey, std::uint32_t, std::string*);

void ListNames(Registry& registry, RegKey key, EnumFunction enumerate, NameList& names) {
  NameList listed;
  std::string name;
  for (std::uint32_t index = 0; (registry.*enumerate)(key, index, &name) == kErrorSuccess;
       ++index) {
    listed.push_back(name);
  }
  names = std::move(listed);
}

bool ListNamesOf(Registry& registry, RegKey root, const std::string& keyPath,
                 EnumFunction enumerate, NameList& names) {
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  ListNames(registry, key.handle(), enumerate, names);
  return true;
}

}  // namespace

bool GetRegKeyNames(Registry& registry, RegKey root, const std::string& keyPath, NameList& names) {
  return ListNamesOf(registry, root, keyPath, &Registry::EnumKey, names);
}

bool GetLocalKeyNames(Registry& registry, const std::string& keyPath, NameList& names) {
  return GetRegKeyNames(registry, platform::kHkeyLocalMachine, keyPath, names);
}

bool GetLocalValueNames(Registry& registry, const std::string& keyPath, NameList& names) {
  return ListNamesOf(registry, platform::kHkeyLocalMachine, keyPath, &Registry::EnumValue, names);
}

bool ReadRegString(Registry& registry, RegKey root, const std::string& keyPath,
                   const std::string& valueName, std::string& text) {
  text.clear();
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  text = ReadStringOf(registry, key.handle(), valueName);
  return true;
}

bool ReadRegBool(Registry& registry, RegKey root, const std::string& keyPath,
                 const std::string& valueName, bool& flag) {
  flag = false;
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  flag = ReadDwordOf(registry, key.handle(), valueName) != 0;
  return true;
}

bool ReadRegInteger(Registry& registry, RegKey root, const std::string& keyPath,
                    const std::string& valueName, std::int32_t& value) {
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  std::uint32_t dword;
  try {
    dword = ReadDwordOf(registry, key.handle(), valueName);
  } catch (const ERegistryException&) {
    ReadBinary4Of(registry, key.handle(), valueName, value);
    return true;
  }
  value = static_cast<std::int32_t>(dword);
  return true;
}

RegRead QueryRegBinary4(Registry& registry, RegKey root, const std::string& keyPath,
                        const std::string& valueName, std::int32_t& value) {
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return RegRead::kKeyMissing;
  return ReadBinary4Of(registry, key.handle(), valueName, value) ? RegRead::kRead
                                                                 : RegRead::kValueMissing;
}

bool ReadRegBinary4(Registry& registry, RegKey root, const std::string& keyPath,
                    const std::string& valueName, std::int32_t& value) {
  return QueryRegBinary4(registry, root, keyPath, valueName, value) != RegRead::kKeyMissing;
}

bool WriteRegString(Registry& registry, RegKey root, const std::string& keyPath,
                    const std::string& valueName, const std::string& text) {
  return WriteValue(registry, root, keyPath, valueName, RegValue{platform::kRegSz, text + '\0'});
}

bool WriteRegBool(Registry& registry, RegKey root, const std::string& keyPath,
                  const std::string& valueName, bool flag) {
  return WriteValue(registry, root, keyPath, valueName,
                    RegValue{platform::kRegDword, LittleEndianBytes(flag ? 1 : 0)});
}

bool WriteRegBinary4(Registry& registry, RegKey root, const std::string& keyPath,
                     const std::string& valueName, std::int32_t value) {
  return WriteValue(
      registry, root, keyPath, valueName,
      RegValue{platform::kRegBinary, LittleEndianBytes(static_cast<std::uint32_t>(value))});
}

bool DeleteRegValue(Registry& registry, RegKey root, const std::string& keyPath,
                    const std::string& valueName) {
  OpenedKey key(registry, root, keyPath);
  if (!key.ok()) return false;
  const long result = registry.DeleteValue(key.handle(), valueName);
  if (result == kErrorFileNotFound) return false;
  if (result != kErrorSuccess) {
    throw ERegistryException("Failed to delete '" + valueName + "'");
  }
  return true;
}

bool DeleteRegKey(Registry& registry, RegKey root, const std::string& keyPath) {
  const long result = registry.DeleteKey(root, keyPath);
  if (result == kErrorFileNotFound) return false;
  if (result != kErrorSuccess) throw ERegistryException("Failed to delete key '" + keyPath + "'");
  return true;
}

namespace {

// One key of the walk in FindRegKeys: open while its subkeys are visited.
struct WalkFrame {
  OpenedKey key;
  std::string path;
  NameList subkeys;
  std::size_t next = 0;
};

class KeySearch {
 public:
  KeySearch(Registry& registry, const LeadBytes& lead, NameList& result,
            const std::string& valueName, const std::string& pattern)
      : registry_(registry),
        lead_(lead),
        result_(result),
        valueName_(valueName),
        pattern_(pattern),
        anyValue_(pattern == "*") {}

  // Post-order walk with an explicit stack, so a deep tree cannot exhaust
  // the call stack; every open key is closed on the way out, also when a
  // value of the wrong kind raises.
  void Run(const std::string& keyPath) {
    std::vector<WalkFrame> stack;
    Push(stack, platform::kHkeyLocalMachine, keyPath, keyPath);
    while (!stack.empty()) {
      WalkFrame& top = stack.back();
      if (top.next < top.subkeys.size()) {
        // Push may grow the stack: take what it needs from `top` first.
        // Each name is visited once: it is moved out, not copied.
        std::string name = std::move(top.subkeys[top.next++]);
        std::string childPath;
        childPath.reserve(top.path.size() + 1 + name.size());
        childPath += top.path;
        if (top.path != "\\") childPath += '\\';
        childPath += name;
        RegKey parent = top.key.handle();
        Push(stack, parent, name, std::move(childPath));
        continue;
      }
      if (Matches(top.key.handle())) result_.push_back(top.path);
      stack.pop_back();
    }
  }

 private:
  void Push(std::vector<WalkFrame>& stack, RegKey parent, const std::string& subKey,
            std::string path) {
    OpenedKey key(registry_, parent, subKey);
    if (!key.ok()) return;
    NameList subkeys;
    ListNames(registry_, key.handle(), &Registry::EnumKey, subkeys);
    stack.push_back(WalkFrame{std::move(key), std::move(path), std::move(subkeys)});
  }

  bool Matches(RegKey key) {
    if (!anyValue_) {
      return SameTextIgnoringCase(ReadStringOf(registry_, key, valueName_), pattern_, lead_);
    }
    NameList values;
    ListNames(registry_, key, &Registry::EnumValue, values);
    for (const std::string& name : values) {
      if (SameTextIgnoringCase(name, valueName_, lead_)) return true;
    }
    return false;
  }

  Registry& registry_;
  const LeadBytes& lead_;
  NameList& result_;
  const std::string& valueName_;
  const std::string& pattern_;
  bool anyValue_;
};

// FindRegKeys through a registry that lists the keys whose value could
// match (Registry::FindKeysWithValue): only those are opened and read.
// False when the registry cannot list them.
bool FindByValue(Registry& registry, const LeadBytes& lead, NameList& result,
                 const std::string& keyPath, const std::string& valueName,
                 const std::string& pattern) {
  OpenedKey top(registry, platform::kHkeyLocalMachine, keyPath);
  if (!top.ok()) return true;
  NameList candidates;
  if (registry.FindKeysWithValue(top.handle(), valueName, pattern.size(), &candidates) !=
      kErrorSuccess) {
    return false;
  }
  for (const std::string& below : candidates) {
    OpenedKey key(registry, top.handle(), below);
    if (!key.ok() ||
        !SameTextIgnoringCase(ReadStringOf(registry, key.handle(), valueName), pattern, lead)) {
      continue;
    }
    if (below.empty()) {
      result.push_back(keyPath);
    } else {
      result.push_back(keyPath + (keyPath == "\\" ? "" : "\\") + below);
    }
  }
  return true;
}

}  // namespace

void FindRegKeys(Registry& registry, const LeadBytes& lead, NameList& result,
                 const std::string& keyPath, const std::string& valueName,
                 const std::string& pattern) {
  // A missing value reads as empty: an empty pattern matches keys the
  // registry would not list, and "*" asks for the name alone.
  if (!pattern.empty() && pattern != "*" &&
      FindByValue(registry, lead, result, keyPath, valueName, pattern)) {
    return;
  }
  KeySearch(registry, lead, result, valueName, pattern).Run(keyPath);
}

long FlushRegRoot(Registry& registry, RegKey root) { return registry.FlushKey(root); }

}  // namespace zuba::system
