#include "platform/sim/HiveCommit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/sim/HostFile.h"

namespace zuba::platform::sim {
namespace {

constexpr std::string_view kRecordHeader = "ZUBANET-REGISTRY-COMMIT";

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// A hive's file name as a record may hold it: a plain name in the directory.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

}  // namespace

HiveCommit::HiveCommit(std::string directory) : directory_(std::move(directory)) {}

bool HiveCommit::SyncDirectory() const {
  int dir = open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  bool ok = fsync(dir) == 0;
  close(dir);
  return ok;
}

bool HiveCommit::Stage(const std::string& name, std::string_view text, FileStamp* stamp) {
  const std::string staged = StagedPath(name);
  unlink(staged.c_str());  // what an earlier save left; a directory in the way stays and fails
  mode_t mode = 0644;
  struct stat old;
  if (stat(HivePath(name).c_str(), &old) == 0) mode = old.st_mode & 07777;
  int fd = open(staged.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, text) && fdatasync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) {
    *stamp = StampOfFile(staged);
    ok = stamp->exists;
  }
  if (!ok) unlink(staged.c_str());
  return ok;
}

void HiveCommit::Discard(const std::vector<std::string>& names) {
  for (const std::string& name : names) unlink(StagedPath(name).c_str());
}

void HiveCommit::DiscardLeft(const std::vector<std::string>& names) {
  if (Pending()) return;
  Discard(names);
  RemoveLeftTemporaryFiles(RecordPath());
}

bool HiveCommit::Commit(const std::vector<std::string>& names) {
  if (names.size() > 1) {
    std::string record(kRecordHeader);
    record += "\r\n";
    for (const std::string& name : names) record += name + "\r\n";
    // The commit point: once the record is on the disk, the change is made.
    if (!WriteHostFileAtomic(RecordPath(), record, Durability::kDurable) || !SyncDirectory()) {
      unlink(RecordPath().c_str());
      Discard(names);
      return false;
    }
    Complete();
    return true;
  }
  for (const std::string& name : names) {
    if (rename(StagedPath(name).c_str(), HivePath(name).c_str()) != 0) {
      Discard(names);
      return false;
    }
  }
  SyncDirectory();  // makes the rename itself durable
  return true;
}

bool HiveCommit::ReadRecord(std::vector<std::string>* names) const {
  std::string text;
  if (!ReadHostFile(RecordPath(), &text)) return false;
  std::string_view rest = text;
  bool header = true;
  while (!rest.empty()) {
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (header) {
      header = false;
      if (line != kRecordHeader) return false;  // not a record of ours: nothing to complete
    } else if (IsPlainName(line)) {
      names->emplace_back(line);
    }
  }
  return !header;
}

bool HiveCommit::Pending() const { return Exists(RecordPath()); }

bool HiveCommit::Complete(std::vector<std::string>* completed) {
  std::vector<std::string> names;
  if (!Pending()) return true;
  ReadRecord(&names);
  bool ok = true;
  for (const std::string& name : names) {
    if (!Exists(StagedPath(name))) continue;  // renamed before
    if (rename(StagedPath(name).c_str(), HivePath(name).c_str()) != 0) {
      ok = false;
      continue;
    }
    if (completed) completed->push_back(name);
  }
  // The renames must be on the disk before the record goes, and the
  // record's removal before a later save stages new files.
  if (!ok || !SyncDirectory() || unlink(RecordPath().c_str()) != 0) return false;
  SyncDirectory();
  return true;
}

std::string HiveCommit::CommittedPath(const std::string& name) const {
  std::vector<std::string> names;
  if (Pending() && ReadRecord(&names)) {
    for (const std::string& pending : names) {
      if (pending == name && Exists(StagedPath(name))) return StagedPath(name);
    }
  }
  return HivePath(name);
}

}  // namespace zuba::platform::sim
