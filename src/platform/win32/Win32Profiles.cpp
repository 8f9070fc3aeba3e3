#include <vector>

#include "platform/Cp932.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

// The text a C string argument carries: up to its first zero byte.
std::string AsCString(const std::string& text) { return text.substr(0, text.find('\0')); }

// A name without its surrounding spaces, as the profile functions compare
// it.
bool IsBlankName(const std::string& name) {
  return AsCString(name).find_first_not_of(' ') == std::string::npos;
}

// The listing a buffer of `bufferSize` bytes holds after a call that
// answered `length`: the names and the closing zero byte, or, when the
// listing may have been cut (its length is the buffer's less 2), the whole
// buffer with both closing zero bytes. The buffer must have been
// zero-filled.
std::size_t TakeListing(const std::vector<char>& buffer, std::size_t bufferSize, DWORD length,
                        std::string* names) {
  if (bufferSize < 2) {
    *names = std::string(bufferSize, '\0');
    return 0;
  }
  const std::size_t used = length + 2 == bufferSize ? bufferSize : length + 1;
  *names = std::string(buffer.data(), used);
  return length;
}

// `text` without the blanks (space, tab) at either end.
std::string Trimmed(const std::string& text) {
  const std::string::size_type start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// A listing of zero-terminated items that ends in an empty one.
std::vector<std::string> SplitListing(const std::vector<char>& buffer, std::size_t length) {
  std::vector<std::string> items;
  for (std::size_t start = 0; start < length && buffer[start] != '\0';) {
    items.emplace_back(buffer.data() + start);
    start += items.back().size() + 1;
  }
  return items;
}

// Windows 9x runs the profile functions of every process one at a time on
// one cache, so a process never reads a file half written nor loses what
// another wrote. Windows NT and Wine keep a copy of the file in each process
// and write it back whole: two processes writing one file at once lose each
// other's values. Every call here holds one mutex of the whole machine,
// waited for at most kLockWaitMs as the simulated machine waits for its
// lock: a write that does not get it in time fails, a read goes on without.
constexpr DWORD kLockWaitMs = 30000;

class ProfileLock {
 public:
  explicit ProfileLock(HANDLE mutex) : mutex_(mutex) {
    // An abandoned mutex (its holder ended) is held all the same.
    const DWORD waited = mutex_ ? WaitForSingleObject(mutex_, kLockWaitMs) : WAIT_FAILED;
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }
  ~ProfileLock() {
    if (held_) ReleaseMutex(mutex_);
  }
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;

  bool held() const { return held_; }

 private:
  HANDLE mutex_;
  bool held_ = false;
};

class Win32Profiles final : public Profiles {
 public:
  Win32Profiles() : mutex_(CreateMutexA(nullptr, FALSE, "ZubaNet private profiles")) {}
  ~Win32Profiles() override {
    if (mutex_) CloseHandle(mutex_);
  }
  Win32Profiles(const Win32Profiles&) = delete;
  Win32Profiles& operator=(const Win32Profiles&) = delete;

  std::size_t GetString(const std::string& section, const std::string& key, const std::string& def,
                        std::string* value, std::size_t bufferSize,
                        const std::string& file) override {
    ProfileLock held(mutex_);
    // Windows 95 writes into the default's buffer: it gets a copy.
    std::vector<char> defaultCopy(def.begin(), def.end());
    defaultCopy.push_back('\0');
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD n = GetPrivateProfileStringA(AsCString(section).c_str(), AsCString(key).c_str(),
                                       defaultCopy.data(), buffer.data(),
                                       static_cast<DWORD>(bufferSize), AsCString(file).c_str());
    if (bufferSize == 0) return 0;
    value->assign(buffer.data(), n);
    return n;
  }

  std::size_t GetKeyNames(const std::string& section, std::string* names, std::size_t bufferSize,
                          const std::string& file) override {
    ProfileLock held(mutex_);
    std::vector<char> buffer(bufferSize + 2, '\0');
    DWORD n = GetPrivateProfileStringA(AsCString(section).c_str(), nullptr, "", buffer.data(),
                                       static_cast<DWORD>(bufferSize), AsCString(file).c_str());
    return TakeListing(buffer, bufferSize, n, names);
  }

  std::size_t GetSectionNames(std::string* names, std::size_t bufferSize,
                              const std::string& file) override {
    ProfileLock held(mutex_);
    // Windows 9x returns only names that fit whole and counts a buffer of
    // 0 or 1 bytes as unlimited; Windows NT cuts the last name. The whole
    // listing is read and cut here as Windows 9x cuts it.
    const std::string path = AsCString(file);
    std::vector<char> buffer(4096, '\0');
    DWORD n;
    for (;;) {
      n = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()),
                                         path.c_str());
      if (n + 2 < buffer.size() || buffer.size() >= (1u << 24)) break;
      buffer.assign(buffer.size() * 4, '\0');
    }
    const bool limited = bufferSize >= 2;
    std::string out;
    bool cut = false;
    for (std::size_t start = 0; start < n && buffer[start] != '\0';) {
      const std::string name(buffer.data() + start);
      if (limited && out.size() + name.size() + 2 > bufferSize) {
        cut = true;
        break;
      }
      out.append(name).push_back('\0');
      start += name.size() + 1;
    }
    out.push_back('\0');
    *names = out;
    return cut ? bufferSize - 2 : out.size() - 1;
  }

  std::size_t GetSection(const std::string& section, std::string* entries, std::size_t bufferSize,
                         const std::string& file) override {
    ProfileLock held(mutex_);
    // The whole section is read, its comments and lines without '=' left
    // out (Windows returns them as they stand) and every entry given as
    // name=value without blanks around them, then cut to the buffer.
    std::vector<char> buffer(4096, '\0');
    DWORD n;
    for (;;) {
      n = GetPrivateProfileSectionA(AsCString(section).c_str(), buffer.data(),
                                    static_cast<DWORD>(buffer.size()), AsCString(file).c_str());
      if (n + 2 < buffer.size() || buffer.size() >= (1u << 24)) break;
      buffer.assign(buffer.size() * 4, '\0');
    }
    std::vector<std::string> lines;
    for (const std::string& line : SplitListing(buffer, n)) {
      const std::string::size_type equal = FindCp932(line, '=');
      const std::string text = Trimmed(line);
      if (equal == std::string::npos || text.empty() || text[0] == ';') continue;
      const std::string name = Trimmed(line.substr(0, equal));
      if (!name.empty()) lines.push_back(name + "=" + Trimmed(line.substr(equal + 1)));
    }
    return FillListing(std::vector<std::string_view>(lines.begin(), lines.end()), entries,
                       bufferSize);
  }

  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    if (IsBlankName(section)) return false;
    std::string block;
    for (const std::string& entry : entries) {
      const std::string line = AsCString(entry);
      if (line.empty()) break;  // the end of the Windows buffer
      const std::string::size_type equal = FindCp932(line, '=');
      if (equal == std::string::npos || line.find_first_of("\r\n") != std::string::npos ||
          IsBlankName(line.substr(0, equal))) {
        return false;
      }
      block += line + '\0';
    }
    block += '\0';
    return Written(WritePrivateProfileSectionA(AsCString(section).c_str(), block.data(),
                                               AsCString(file).c_str()),
                   file);
  }

  bool Flush(const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    // Windows 95 answers this call with FALSE whether it wrote or not.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, AsCString(file).c_str());
    return true;
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    // An empty section or key name makes Windows NT crash.
    if (IsBlankName(section) || IsBlankName(key)) return false;
    return Written(WritePrivateProfileStringA(AsCString(section).c_str(), AsCString(key).c_str(),
                                              AsCString(value).c_str(), AsCString(file).c_str()),
                   file);
  }

  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    if (IsBlankName(section) || IsBlankName(key)) return true;  // no such key
    return Written(WritePrivateProfileStringA(AsCString(section).c_str(), AsCString(key).c_str(),
                                              nullptr, AsCString(file).c_str()),
                   file);
  }

  bool RemoveSection(const std::string& section, const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    if (IsBlankName(section)) return true;  // no such section
    return Written(WritePrivateProfileStringA(AsCString(section).c_str(), nullptr, nullptr,
                                              AsCString(file).c_str()),
                   file);
  }

 private:
  HANDLE mutex_;

  // Windows 9x keeps a written profile in its cache; the call with nothing
  // but the file name writes it out, so the file on the disk holds what
  // was written.
  static bool Written(BOOL result, const std::string& file) {
    if (result) WritePrivateProfileStringA(nullptr, nullptr, nullptr, AsCString(file).c_str());
    return result != FALSE;
  }
};

}  // namespace

std::unique_ptr<Profiles> OpenWin32Profiles() { return std::make_unique<Win32Profiles>(); }

}  // namespace zuba::platform::win32
