#include <algorithm>
#include <vector>

#include "platform/win32/HandleTable.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

// Names of keys and values are at most 255 bytes on Windows 9x; NT allows
// longer value names, so the buffers grow when a name does not fit.
constexpr DWORD kNameBuffer = 256;

// The one translation of registry results: Windows NT reports a handle that
// is no handle, or whose key was deleted, with codes Windows 9x does not
// know; Windows 9x answers ERROR_BADKEY for both.
long Result(LONG result) {
  switch (result) {
    case ERROR_INVALID_HANDLE:
    case ERROR_KEY_DELETED:
      return kErrorBadKey;
    default:
      return result;
  }
}

// Windows 9x ignores backslashes before a subkey's path; NT refuses them.
const char* WithoutLeadingBackslashes(const std::string& subKey) {
  const char* path = subKey.c_str();
  while (*path == '\\') ++path;
  return path;
}

// Data as Windows 9x keeps it: a REG_SZ up to its first zero byte, and a
// REG_SZ or REG_EXPAND_SZ always with its terminating zero.
std::string As9xData(std::uint32_t type, std::string data) {
  if (type == kRegSz) data.resize(std::min(data.size(), data.find('\0')));
  if ((type == kRegSz || type == kRegExpandSz) && (data.empty() || data.back() != '\0')) {
    data.push_back('\0');
  }
  return data;
}

class Win32Registry final : public Registry {
 public:
  Win32Registry() = default;
  ~Win32Registry() override {
    keys_.ReleaseAll([](HKEY key) { RegCloseKey(key); });
  }

  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    if (!result) return kErrorInvalidParameter;
    HKEY native;
    if (!Native(parent, &native)) return kErrorBadKey;
    HKEY opened;
    LONG r = RegOpenKeyExA(native, WithoutLeadingBackslashes(subKey), 0, KEY_ALL_ACCESS, &opened);
    if (r != ERROR_SUCCESS) return Result(r);
    return Hand(opened, result);
  }

  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    if (!result) return kErrorInvalidParameter;
    HKEY native;
    if (!Native(parent, &native)) return kErrorBadKey;
    HKEY created;
    LONG r = RegCreateKeyExA(native, WithoutLeadingBackslashes(subKey), 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created, nullptr);
    if (r != ERROR_SUCCESS) return Result(r);
    return Hand(created, result);
  }

  long CloseKey(RegKey key) override {
    if (IsRoot(key)) return kErrorSuccess;
    HKEY native;
    if (!keys_.Remove(key, &native)) return kErrorBadKey;
    return Result(RegCloseKey(native));
  }

  long QueryValue(RegKey key, const std::string& name, RegValue* value) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    std::string data(kNameBuffer, '\0');
    DWORD type = 0;
    for (;;) {
      DWORD size = static_cast<DWORD>(data.size());
      LONG r = RegQueryValueExA(native, name.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(&data[0]), &size);
      if (r == ERROR_MORE_DATA && size > data.size()) {
        data.resize(size);
        continue;
      }
      if (r != ERROR_SUCCESS) return Result(r);
      data.resize(size);
      break;
    }
    if (value) {
      value->type = type;
      value->data = As9xData(type, std::move(data));
    }
    return kErrorSuccess;
  }

  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    const std::string data = As9xData(value.type, value.data);
    return Result(RegSetValueExA(native, name.c_str(), 0, value.type,
                                 reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())));
  }

  long DeleteValue(RegKey key, const std::string& name) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    return Result(RegDeleteValueA(native, name.c_str()));
  }

  long DeleteKey(RegKey parent, const std::string& subKey) override {
    HKEY native;
    if (!Native(parent, &native)) return kErrorBadKey;
    const char* path = WithoutLeadingBackslashes(subKey);
    if (*path == '\0') return kErrorBadKey;  // Windows 9x refuses to delete the key itself
    // Windows 9x deletes the whole subtree; NT deletes only a key without
    // subkeys, so the subkeys go first.
    return Result(DeleteTree(native, path));
  }

  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    return Enumerate(name, [&](char* buffer, DWORD* size) {
      return RegEnumKeyExA(native, index, buffer, size, nullptr, nullptr, nullptr, nullptr);
    });
  }

  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    return Enumerate(name, [&](char* buffer, DWORD* size) {
      return RegEnumValueA(native, index, buffer, size, nullptr, nullptr, nullptr, nullptr);
    });
  }

  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    DWORD keyCount = 0, valueCount = 0;
    LONG r = RegQueryInfoKeyA(native, nullptr, nullptr, nullptr, &keyCount, nullptr, nullptr,
                              &valueCount, nullptr, nullptr, nullptr, nullptr);
    if (r != ERROR_SUCCESS) return Result(r);
    if (subKeys) *subKeys = keyCount;
    if (values) *values = valueCount;
    return kErrorSuccess;
  }

  long FlushKey(RegKey key) override {
    HKEY native;
    if (!Native(key, &native)) return kErrorBadKey;
    return Result(RegFlushKey(native));
  }

 private:
  static bool IsRoot(RegKey key) { return key == kHkeyLocalMachine || key == kHkeyCurrentUser; }

  bool Native(RegKey key, HKEY* native) const {
    if (key == kHkeyLocalMachine) {
      *native = HKEY_LOCAL_MACHINE;
      return true;
    }
    if (key == kHkeyCurrentUser) {
      *native = HKEY_CURRENT_USER;
      return true;
    }
    return keys_.Find(key, native);
  }

  long Hand(HKEY native, RegKey* result) {
    RegKey id = keys_.Add(native);
    if (id == 0) {
      RegCloseKey(native);
      return kErrorNotEnoughMemory;
    }
    *result = id;
    return kErrorSuccess;
  }

  // Calls `enumerate(buffer, &size)` with a buffer that grows until the name
  // fits.
  template <typename F>
  static long Enumerate(std::string* name, F enumerate) {
    std::vector<char> buffer(kNameBuffer);
    for (;;) {
      DWORD size = static_cast<DWORD>(buffer.size());
      LONG r = enumerate(buffer.data(), &size);
      if (r == ERROR_MORE_DATA && buffer.size() < 0x10000) {
        buffer.resize(buffer.size() * 4);
        continue;
      }
      if (r != ERROR_SUCCESS) return Result(r);
      if (name) name->assign(buffer.data(), size);
      return kErrorSuccess;
    }
  }

  static LONG DeleteTree(HKEY parent, const char* path) {
    HKEY key;
    LONG r = RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key);
    if (r != ERROR_SUCCESS) return r;
    std::vector<char> child(kNameBuffer);
    for (;;) {
      DWORD size = static_cast<DWORD>(child.size());
      r = RegEnumKeyExA(key, 0, child.data(), &size, nullptr, nullptr, nullptr, nullptr);
      if (r == ERROR_MORE_DATA && child.size() < 0x10000) {
        child.resize(child.size() * 4);
        continue;
      }
      if (r != ERROR_SUCCESS) break;
      r = DeleteTree(key, child.data());
      if (r != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    if (r != ERROR_NO_MORE_ITEMS) return r;
    return RegDeleteKeyA(parent, path);
  }

  HandleTable<HKEY> keys_;
};

}  // namespace

std::unique_ptr<Registry> OpenWin32Registry() { return std::make_unique<Win32Registry>(); }

}  // namespace zuba::platform::win32
