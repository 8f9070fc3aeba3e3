#include <cstring>

#include "platform/Cp932.h"
#include "platform/win32/FileReplacement.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::platform::win32 {
namespace {

// A file written less than this long ago may be written again within the
// same tick of its time stamp (FAT keeps the last write to 2 seconds).
constexpr ULONGLONG kSettleTime = 2 * 10000000ULL;  // in 100 ns

std::uint64_t FileTimeValue(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The directory part of a path, with its backslash ("C:\A\" of "C:\A\b"),
// or "" for a bare name. Aware of double-byte characters: a trail byte 0x5C
// is no separator.
std::string DirectoryOf(const std::string& path) {
  std::string::size_type end = 0;
  for (std::string::size_type i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
      end = i + 1;
    }
  }
  return path.substr(0, end);
}

// Reads or finds one entry: false when `path` names nothing.
bool FindOne(const std::string& path, WIN32_FIND_DATAA* data) {
  HANDLE find = FindFirstFileA(path.c_str(), data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

bool HasWildcard(const std::string& pattern) {
  return pattern.find_first_of("*?") != std::string::npos;
}

// Every call that names a file first finishes or rolls back a replacement
// of it that was cut short (FileReplacement), so the file is found as one
// whole, old or new.
class Win32Files final : public Files {
 public:
  std::uint32_t GetAttributes(const std::string& path) override {
    replacement_.Settle(path);
    return GetFileAttributesA(path.c_str());
  }

  bool FindFiles(const std::string& pattern, std::vector<FindData>* found) override {
    if (!HasWildcard(pattern)) replacement_.Settle(pattern);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
      if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) {
        continue;
      }
      FindData entry;
      entry.longName = data.cFileName;
      entry.shortName = data.cAlternateFileName;
      entry.attributes = data.dwFileAttributes;
      entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      found->push_back(std::move(entry));
      any = true;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return any;
  }

  bool CopyTo(const std::string& source, const std::string& target,
              IfTargetExists ifExists) override {
    replacement_.Settle(source);
    replacement_.Settle(target);
    WIN32_FIND_DATAA old, from;
    // CopyFileA itself answers a copy that cannot replace (onto itself, from
    // a directory, of a missing file).
    if (ifExists == IfTargetExists::kFail || !FindOne(target, &old) || !FindOne(source, &from) ||
        (from.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        FoldCp932(DirectoryOf(source) + from.cFileName) ==
            FoldCp932(DirectoryOf(target) + old.cFileName)) {
      return CopyFileA(source.c_str(), target.c_str(), ifExists == IfTargetExists::kFail) != FALSE;
    }
    // An existing file is replaced as WriteBytes replaces one, never
    // overwritten in place; it takes the source's attributes, as a copy does.
    std::string content;
    if ((old.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) ||
        !ReadBytes(source, &content)) {
      return false;
    }
    return replacement_.Replace(DirectoryOf(target) + old.cFileName, content,
                                from.dwFileAttributes);
  }

  bool ReadBytes(const std::string& path, std::string* content) override {
    replacement_.Settle(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
      text.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) return false;
    *content = std::move(text);
    return true;
  }

  bool WriteBytes(const std::string& path, const std::string& content) override {
    // The target keeps the spelling of its name and its attributes.
    replacement_.Settle(path);
    WIN32_FIND_DATAA old;
    const bool exists = FindOne(path, &old);
    if (exists && (old.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
      return false;
    }
    const std::string target = exists ? DirectoryOf(path) + old.cFileName : path;
    return replacement_.Replace(target, content,
                                exists ? old.dwFileAttributes : INVALID_FILE_ATTRIBUTES);
  }

  std::uint64_t ChangeStamp(const std::string& path) override {
    replacement_.Settle(path);
    WIN32_FIND_DATAA data;
    if (!FindOne(path, &data)) return 0;
    const std::uint64_t written = FileTimeValue(data.ftLastWriteTime);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    if (FileTimeValue(now) - written < kSettleTime) return ++recent_ | (1ULL << 63);
    std::uint64_t stamp = written;
    stamp = stamp * 1000003 ^ FileTimeValue(data.ftCreationTime);
    stamp = stamp * 1000003 ^ data.nFileSizeLow ^ (std::uint64_t{data.nFileSizeHigh} << 32);
    return (stamp & ~(1ULL << 63)) | 1;
  }

  bool MakeDirectory(const std::string& path) override {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
  }

  bool RemoveFile(const std::string& path) override {
    replacement_.Settle(path);
    return DeleteFileA(path.c_str()) != FALSE;
  }

  std::string WindowsDirectory() override {
    char buffer[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
  }

  std::string CurrentDirectory() override {
    char buffer[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
  }

  std::string ProgramPath() override {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
  }

 private:
  FileReplacement replacement_;
  std::uint64_t recent_ = 0;
};

}  // namespace

std::unique_ptr<Files> OpenWin32Files() { return std::make_unique<Win32Files>(); }

}  // namespace zuba::platform::win32
