// The Windows 9x registry as the program sees it: the ANSI registry functions
// of Win32, with C++ types. Names are CP932 byte strings, compared without
// regard to case and stored with the case they were created with.
#ifndef ZUBA_PLATFORM_REGISTRY_H_
#define ZUBA_PLATFORM_REGISTRY_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinError.h"

namespace zuba::platform {

// A key handle. The predefined roots are the two the program uses.
using RegKey = std::uint32_t;
constexpr RegKey kHkeyCurrentUser = 0x80000001;
constexpr RegKey kHkeyLocalMachine = 0x80000002;

// Value types (REG_*).
enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

// One value's raw data as the registry keeps it: a REG_SZ holds its bytes
// followed by the terminating zero, a REG_DWORD its four little-endian bytes.
struct RegValue {
  std::uint32_t type = kRegNone;
  std::string data;
};

class Registry {
 public:
  Registry() = default;
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  virtual ~Registry() = default;

  // RegOpenKeyExA. Opens `subKey` below `parent` without creating anything.
  // A leading backslash in `subKey` is ignored; an empty `subKey` opens
  // `parent` again. Returns kErrorSuccess and stores the handle in `*result`,
  // kErrorFileNotFound when a key of the path is missing, kErrorBadKey for a
  // handle that is not open.
  virtual long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) = 0;

  // RegCreateKeyExA: as OpenKey, but creates every missing key of the path.
  virtual long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) = 0;

  // RegCloseKey. Closing a predefined root succeeds and does nothing.
  virtual long CloseKey(RegKey key) = 0;

  // RegQueryValueExA. `name` "" is the key's default value. Returns
  // kErrorFileNotFound when the value does not exist (the outputs are then
  // left alone).
  virtual long QueryValue(RegKey key, const std::string& name, RegValue* value) = 0;

  // RegSetValueExA: creates or replaces the value, type and data. A REG_SZ
  // or REG_EXPAND_SZ whose data lacks the terminating zero gets one; a
  // REG_SZ keeps its data only up to the first zero byte, as on Windows 9x.
  virtual long SetValue(RegKey key, const std::string& name, const RegValue& value) = 0;

  // RegDeleteValueA. kErrorFileNotFound when there is no such value.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;

  // RegDeleteKeyA with the Windows 9x semantics: the key goes with all its
  // subkeys and values.
  virtual long DeleteKey(RegKey parent, const std::string& subKey) = 0;

  // RegEnumKeyExA / RegEnumValueA: the name of the subkey or value at
  // `index`, in the order they were created. kErrorNoMoreItems past the end.
  virtual long EnumKey(RegKey key, std::uint32_t index, std::string* name) = 0;
  virtual long EnumValue(RegKey key, std::uint32_t index, std::string* name) = 0;

  // RegQueryInfoKeyA, reduced to the counts the program needs.
  virtual long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) = 0;

  // RegFlushKey: makes the key's hive durable; returns the result code.
  virtual long FlushKey(RegKey key) = 0;

  // A search no Windows function makes, for a registry that can answer it
  // without opening every key: appends to `*paths` the path below `key`
  // ("" for `key` itself, names joined by backslashes) of each key in the
  // subtree of `key` that has a value named `valueName` whose data is not
  // a string (REG_SZ, REG_EXPAND_SZ) or is one of `length` bytes up to its
  // first zero byte: every key whose value could equal a text of that
  // length. A key's descendants come before it, subkeys in enumeration
  // order. kErrorCallNotImplemented (the default) when the registry cannot
  // answer so: the caller opens the keys itself.
  virtual long FindKeysWithValue(RegKey key, const std::string& valueName, std::size_t length,
                                 std::vector<std::string>* paths) {
    (void)key, (void)valueName, (void)length, (void)paths;
    return kErrorCallNotImplemented;
  }
};

// Forwards every call to another Registry; a test derives from it and
// overrides just the call that must fail.
class RegistryWrapper : public Registry {
 public:
  explicit RegistryWrapper(Registry& target) : target_(target) {}
  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    return target_.OpenKey(parent, subKey, result);
  }
  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    return target_.CreateKey(parent, subKey, result);
  }
  long CloseKey(RegKey key) override { return target_.CloseKey(key); }
  long QueryValue(RegKey key, const std::string& name, RegValue* value) override {
    return target_.QueryValue(key, name, value);
  }
  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    return target_.SetValue(key, name, value);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    return target_.DeleteValue(key, name);
  }
  long DeleteKey(RegKey parent, const std::string& subKey) override {
    return target_.DeleteKey(parent, subKey);
  }
  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override {
    return target_.EnumKey(key, index, name);
  }
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override {
    return target_.EnumValue(key, index, name);
  }
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) override {
    return target_.QueryInfoKey(key, subKeys, values);
  }
  long FlushKey(RegKey key) override { return target_.FlushKey(key); }

 protected:
  Registry& target() { return target_; }

 private:
  Registry& target_;
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_REGISTRY_H_
