#include "platform/win32/FileReplacement.h"

namespace zuba::platform::win32 {
namespace {

// A file or directory of that name is there.
bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Writes `content` into a new file at `path` and flushes it to the disk.
bool WriteWhole(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = content.empty() ||
            (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &done, nullptr) &&
             done == content.size());
  ok = ok && FlushFileBuffers(file);
  const DWORD error = GetLastError();
  ok = CloseHandle(file) && ok;
  if (!ok) SetLastError(error);
  return ok;
}

// Holds the machine's replacement mutex for one scope; an abandoned one
// (its holder ended midway) is held all the same, and settling is what
// follows.
class Held {
 public:
  explicit Held(HANDLE mutex) : mutex_(mutex) {
    const DWORD waited = mutex_ ? WaitForSingleObject(mutex_, 30000) : WAIT_FAILED;
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }
  ~Held() {
    if (held_) ReleaseMutex(mutex_);
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  HANDLE mutex_;
  bool held_ = false;
};

}  // namespace

FileReplacement::FileReplacement() : mutex_(CreateMutexA(nullptr, FALSE, "ZubaNet file replacement")) {}

FileReplacement::~FileReplacement() {
  if (mutex_) CloseHandle(mutex_);
}

std::string FileReplacement::NewNameOf(const std::string& target) { return target + ".zn~"; }

std::string FileReplacement::BackupNameOf(const std::string& target) { return target + ".zb~"; }

bool FileReplacement::Replace(const std::string& target, const std::string& content,
                              DWORD attributes) {
  Held held(mutex_);
  SettleHeld(target);
  const bool ok = ReplaceHeld(target, content, attributes);
  const DWORD error = GetLastError();
  if (ok && attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(target.c_str(), attributes);
  SetLastError(error);
  return ok;
}

bool FileReplacement::ReplaceHeld(const std::string& target, const std::string& content,
                                  DWORD attributes) {
  const std::string fresh = NewNameOf(target);
  const std::string backup = BackupNameOf(target);
  DWORD error;
  if (!WriteWhole(fresh, content)) {
    error = GetLastError();
    DeleteFileA(fresh.c_str());
    SetLastError(error);
    return false;
  }
  if (MoveFileExA(fresh.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
    const bool had = attributes != INVALID_FILE_ATTRIBUTES;
    if (!had || MoveFileA(target.c_str(), backup.c_str())) {
      if (MoveFileA(fresh.c_str(), target.c_str())) {
        if (had) DeleteFileA(backup.c_str());
        return true;
      }
      // The old file goes back; if even that fails, the backup stays and
      // the next settling puts it back.
      error = GetLastError();
      if (had) MoveFileA(backup.c_str(), target.c_str());
      DeleteFileA(fresh.c_str());
      SetLastError(error);
      return false;
    }
  }
  error = GetLastError();
  DeleteFileA(fresh.c_str());
  SetLastError(error);
  return false;
}

void FileReplacement::Settle(const std::string& target) {
  const std::string fresh = NewNameOf(target);
  const std::string backup = BackupNameOf(target);
  // The common case costs two look-ups and no wait.
  if (!Exists(fresh) && !Exists(backup)) return;
  Held held(mutex_);
  SettleHeld(target);
}

void FileReplacement::SettleHeld(const std::string& target) {
  const std::string fresh = NewNameOf(target);
  const std::string backup = BackupNameOf(target);
  if (Exists(backup)) {
    if (!Exists(target)) {
      // The new file is complete once the backup exists: it goes in; without
      // it (or when it cannot move) the old file comes back.
      if (!Exists(fresh) || !MoveFileA(fresh.c_str(), target.c_str())) {
        MoveFileA(backup.c_str(), target.c_str());
      }
    }
    if (Exists(target)) DeleteFileA(backup.c_str());
  }
  if (Exists(fresh)) DeleteFileA(fresh.c_str());
}

}  // namespace zuba::platform::win32
