#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/Cp932.h"
#include "platform/win32/FileReplacement.h"
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
  explicit Win32Profiles(Files& files)
      : mutex_(CreateMutexA(nullptr, FALSE, "ZubaNet private profiles")),
        copiesMutex_(CreateMutexA(nullptr, FALSE, "ZubaNet held profile copies")),
        files_(files) {}
  ~Win32Profiles() override {
    for (auto& entry : held_) Release(entry.second);
    if (copiesMutex_) CloseHandle(copiesMutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  Win32Profiles(const Win32Profiles&) = delete;
  Win32Profiles& operator=(const Win32Profiles&) = delete;

  std::size_t GetString(const std::string& section, const std::string& key, const std::string& def,
                        std::string* value, std::size_t bufferSize,
                        const std::string& file) override {
    ProfileLock held(mutex_);
    const std::string path = Route(file);
    // Windows 95 writes into the default's buffer: it gets a copy.
    std::vector<char> defaultCopy(def.begin(), def.end());
    defaultCopy.push_back('\0');
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD n = GetPrivateProfileStringA(AsCString(section).c_str(), AsCString(key).c_str(),
                                       defaultCopy.data(), buffer.data(),
                                       static_cast<DWORD>(bufferSize), path.c_str());
    if (bufferSize == 0) return 0;
    value->assign(buffer.data(), n);
    return n;
  }

  std::size_t GetKeyNames(const std::string& section, std::string* names, std::size_t bufferSize,
                          const std::string& file) override {
    ProfileLock held(mutex_);
    const std::string path = Route(file);
    std::vector<char> buffer(bufferSize + 2, '\0');
    DWORD n = GetPrivateProfileStringA(AsCString(section).c_str(), nullptr, "", buffer.data(),
                                       static_cast<DWORD>(bufferSize), path.c_str());
    return TakeListing(buffer, bufferSize, n, names);
  }

  std::size_t GetSectionNames(std::string* names, std::size_t bufferSize,
                              const std::string& file) override {
    ProfileLock held(mutex_);
    // Windows 9x returns only names that fit whole and counts a buffer of
    // 0 or 1 bytes as unlimited; Windows NT cuts the last name. The whole
    // listing is read and cut here as Windows 9x cuts it.
    const std::string path = Route(file);
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
    const std::string path = Route(file);
    // The whole section is read, its comments and lines without '=' left
    // out (Windows returns them as they stand) and every entry given as
    // name=value without blanks around them, then cut to the buffer.
    std::vector<char> buffer(4096, '\0');
    DWORD n;
    for (;;) {
      n = GetPrivateProfileSectionA(AsCString(section).c_str(), buffer.data(),
                                    static_cast<DWORD>(buffer.size()), path.c_str());
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
    return Write(file, [s = AsCString(section), block](const char* path) {
      return WritePrivateProfileSectionA(s.c_str(), block.data(), path);
    });
  }

  bool Flush(const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    const std::string path = FullPath(file);
    auto found = held_.find(FoldCp932(path));
    if (found == held_.end()) {
      FlushCache(path);
      return true;
    }
    HeldFile copy = std::move(found->second);
    held_.erase(found);
    Release(copy);
    return WriteHeld(path, copy);
  }

  void HoldWrites(const std::string& file) override {
    // Not under the profile lock: the process holding copies now needs it
    // to finish.
    const auto [entry, added] = held_.try_emplace(FoldCp932(FullPath(file)));
    if (!added || !copiesMutex_) return;
    const DWORD waited = WaitForSingleObject(copiesMutex_, kLockWaitMs);
    entry->second.owning = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }

  bool DropHeldWrites(const std::string& file) override {
    ProfileLock held(mutex_);
    const std::string path = FullPath(file);
    auto found = held_.find(FoldCp932(path));
    if (found == held_.end()) return false;
    if (found->second.loaded) files_.RemoveFile(CopyPathOf(path));
    Release(found->second);
    held_.erase(found);
    return true;
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    // An empty section or key name makes Windows NT crash.
    if (IsBlankName(section) || IsBlankName(key)) return false;
    return Write(file, [s = AsCString(section), k = AsCString(key),
                        v = AsCString(value)](const char* path) {
      return WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path);
    });
  }

  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    if (IsBlankName(section) || IsBlankName(key)) return true;  // no such key
    return Write(file, [s = AsCString(section), k = AsCString(key)](const char* path) {
      return WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, path);
    });
  }

  bool RemoveSection(const std::string& section, const std::string& file) override {
    ProfileLock held(mutex_);
    if (!held.held()) return false;
    if (IsBlankName(section)) return true;  // no such section
    return Write(file, [s = AsCString(section)](const char* path) {
      return WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, path);
    });
  }

 private:
  using Call = std::function<BOOL(const char* path)>;

  // The writes held for one file: they are made on a copy of the file
  // ("NAME.zh~") that every call of this process reads and writes instead,
  // and kept to be made again should another process write the file
  // meanwhile.
  struct HeldFile {
    bool loaded = false;
    bool owning = false;  // copiesMutex_ is held for the copy
    bool readable = true;
    std::string base;  // the file's bytes when the copy was made
    std::vector<Call> edits;
  };

  static std::string CopyPathOf(const std::string& path) { return path + ".zh~"; }

  // A file name without a directory names a file in the Windows directory.
  static std::string FullPath(const std::string& file) {
    const std::string name = AsCString(file);
    if (FindCp932(name, '\\') != std::string::npos || FindCp932(name, '/') != std::string::npos ||
        FindCp932(name, ':') != std::string::npos) {
      return name;
    }
    char buffer[MAX_PATH + 1];
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    std::string directory = n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    return directory + name;
  }

  // Windows 9x keeps the last profile file used in a cache and writes it
  // back lazily; the call with nothing but the file name writes it out
  // (Windows 95 answers it with FALSE whether it wrote or not). The file's
  // bytes are read or written only after it.
  static void FlushCache(const std::string& path) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
  }

  // The path the profile functions use for `file`: its copy while its
  // writes are held, else the file itself, with a replacement of it that
  // was cut short finished or rolled back first.
  std::string Route(const std::string& file) {
    const std::string path = FullPath(file);
    replacement_.Settle(path);
    auto found = held_.find(FoldCp932(path));
    if (found == held_.end()) {
      RemoveAbandonedCopy(path);
      return path;
    }
    HeldFile& held = found->second;
    if (!held.loaded) {
      held.loaded = true;
      FlushCache(path);
      std::string bytes;
      if (files_.GetAttributes(path) != INVALID_FILE_ATTRIBUTES) {
        held.readable = files_.ReadBytes(path, &bytes);
      }
      held.base = bytes;
      held.readable = held.readable && PutCopy(path, bytes);
    }
    return CopyPathOf(path);
  }

  // The copy of `path`, holding `bytes`.
  bool PutCopy(const std::string& path, const std::string& bytes) {
    const std::string copy = CopyPathOf(path);
    FlushCache(copy);
    const bool ok = files_.WriteBytes(copy, bytes);
    FlushCache(copy);
    return ok;
  }

  // One write: on the copy (and kept) while the file's writes are held,
  // else on the file, flushed to the disk.
  bool Write(const std::string& file, Call call) {
    const std::string path = Route(file);
    auto found = held_.find(FoldCp932(FullPath(file)));
    if (found != held_.end() && !found->second.readable) return false;
    if (!call(path.c_str())) return false;
    if (found != held_.end()) {
      found->second.edits.push_back(std::move(call));
    } else {
      FlushCache(path);
    }
    return true;
  }

  // Writes the copy's bytes over `path` in one replacement; when another
  // process has written the file since the copy was made, the held edits
  // are made again on what it wrote first.
  bool WriteHeld(const std::string& path, const HeldFile& held) {
    const std::string copy = CopyPathOf(path);
    if (!held.loaded || held.edits.empty()) {
      if (held.loaded) files_.RemoveFile(copy);
      return true;
    }
    if (!held.readable) return false;
    FlushCache(path);
    std::string now;
    if (files_.GetAttributes(path) != INVALID_FILE_ATTRIBUTES && !files_.ReadBytes(path, &now)) {
      return false;
    }
    if (now != held.base) {
      if (!PutCopy(path, now)) return false;
      for (const Call& edit : held.edits) edit(copy.c_str());
    }
    FlushCache(copy);
    std::string bytes;
    const bool ok = files_.ReadBytes(copy, &bytes) && files_.WriteBytes(path, bytes);
    FlushCache(path);
    files_.RemoveFile(copy);
    return ok;
  }

  // A process holds copiesMutex_ while it has a copy of a file with held
  // writes, so a copy found while no other process holds it was left by a
  // process that ended before its flush (a power cut): a change that never
  // happened, removed by the next process to use the file.
  void RemoveAbandonedCopy(const std::string& path) {
    if (!checked_.insert(FoldCp932(path)).second) return;
    const std::string copy = CopyPathOf(path);
    // (Its own replacement cut short is settled by the look-up.)
    if (files_.GetAttributes(copy) == INVALID_FILE_ATTRIBUTES || !copiesMutex_) return;
    const DWORD waited = WaitForSingleObject(copiesMutex_, 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return;
    files_.RemoveFile(copy);
    ReleaseMutex(copiesMutex_);
  }

  void Release(HeldFile& held) {
    if (held.owning) ReleaseMutex(copiesMutex_);
    held.owning = false;
  }

  HANDLE mutex_;
  HANDLE copiesMutex_;
  Files& files_;
  std::set<std::string> checked_;  // files whose abandoned copy was looked for
  FileReplacement replacement_;
  std::map<std::string, HeldFile> held_;
};

}  // namespace

std::unique_ptr<Profiles> OpenWin32Profiles(Files& files) {
  return std::make_unique<Win32Profiles>(files);
}

}  // namespace zuba::platform::win32
