#include "platform/sim/HostFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

namespace zuba::platform::sim {
namespace {

constexpr char kTempPrefix[] = ".~zuba-";
// How much of the target's name a temporary file's name repeats.
constexpr std::size_t kTempStemBytes = 64;
// How long after a file's last change its stamp can be trusted, because any
// further change must show in its times. A file system that keeps times
// finer than a millisecond stamps a change with the kernel's coarse clock (or
// a finer one): once that clock is a millisecond past the file's newest time,
// every later change gets a later time. Times of whole seconds (2 s on FAT)
// are trusted after 2 s.
constexpr std::int64_t kSettleFineNs = 1'000'000;
constexpr std::int64_t kSettleCoarseNs = 2'000'000'000;

std::int64_t Ns(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h;
}

}  // namespace

HostStamp StatHostFile(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return HostStamp();
  return HostStampOf(st);
}

HostStamp HostStampOf(const struct stat& st) {
  HostStamp stamp;
  stamp.exists = true;
  stamp.isDirectory = S_ISDIR(st.st_mode);
  std::uint64_t h = 0x5A0B7E7ull;
  h = Mix(h, static_cast<std::uint64_t>(st.st_size));
  h = Mix(h, static_cast<std::uint64_t>(Ns(st.st_mtim)));
  h = Mix(h, static_cast<std::uint64_t>(Ns(st.st_ctim)));
  h = Mix(h, static_cast<std::uint64_t>(st.st_ino));
  h = Mix(h, static_cast<std::uint64_t>(st.st_dev));
  stamp.value = h == 0 ? 1 : h;
  timespec now;
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  std::int64_t newest = Ns(st.st_mtim) > Ns(st.st_ctim) ? Ns(st.st_mtim) : Ns(st.st_ctim);
  const bool fineTimes = newest % 1'000'000 != 0;  // else whole milliseconds or coarser
  stamp.settled = Ns(now) - newest >= (fineTimes ? kSettleFineNs : kSettleCoarseNs);
  return stamp;
}

bool ReadHostFile(const std::string& path, std::string* content) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  // Read into the caller's string, so a buffer read into again and again
  // keeps its memory.
  std::string& data = *content;
  data.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  for (;;) {
    if (got == data.size()) data.resize(data.size() + 4096);  // the file grew meanwhile
    ssize_t r = read(fd, data.data() + got, data.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      close(fd);
      data.clear();
      return false;
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  close(fd);
  data.resize(got);
  return true;
}

namespace {

// ".~zuba-NAME-": the start of the names of the temporary files of the
// target NAME (cut to kTempStemBytes).
std::string TempStart(const std::string& name) {
  return kTempPrefix + name.substr(0, kTempStemBytes) + "-";
}

// Removes the temporary files of `start` in `dir` that no writer holds: a
// writer keeps its file locked until it has renamed it, and the lock goes
// with its process, so an unlocked one was left by a write that was cut
// short.
void RemoveLeftTemporaries(const std::string& dir, const std::string& start) {
  DIR* listing = opendir(dir.c_str());
  if (!listing) return;
  while (dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.size() != start.size() + 6 || name.substr(0, start.size()) != start) continue;
    const std::string path = dir + "/" + std::string(name);
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
    close(fd);
  }
  closedir(listing);
}

// Makes a locked temporary file of `start` in `dir`; -1 when it cannot.
int MakeLockedTemporary(const std::string& dir, const std::string& start, std::string* temp) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    *temp = dir + "/" + start + "XXXXXX";
    int fd = mkostemp(temp->data(), O_CLOEXEC);
    if (fd < 0) return -1;
    // Another writer's clean-up may have taken the file before it was
    // locked: only a locked file that is still there is ours.
    struct stat mine, there;
    if (flock(fd, LOCK_EX) == 0 && fstat(fd, &mine) == 0 && stat(temp->c_str(), &there) == 0 &&
        mine.st_ino == there.st_ino && mine.st_dev == there.st_dev) {
      return fd;
    }
    close(fd);
  }
  return -1;
}

}  // namespace

void RemoveLeftTemporaryFiles(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  RemoveLeftTemporaries(slash == std::string::npos ? "." : path.substr(0, slash),
                        TempStart(slash == std::string::npos ? path : path.substr(slash + 1)));
}

bool WriteHostFileAtomic(const std::string& path, std::string_view content, Durability durability) {
  std::string::size_type slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string start = TempStart(slash == std::string::npos ? path : path.substr(slash + 1));
  RemoveLeftTemporaries(dir, start);
  std::string temp;
  int fd = MakeLockedTemporary(dir, start, &temp);
  if (fd < 0) return false;
  bool ok = true;
  struct stat st;
  mode_t mode = stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (fchmod(fd, mode) != 0) ok = false;
  std::size_t done = 0;
  while (ok && done < content.size()) {
    ssize_t w = write(fd, content.data() + done, content.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  if (ok && durability == Durability::kDurable && fsync(fd) != 0) ok = false;
  // Renamed while still locked, so that no clean-up takes it first.
  if (ok && rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) unlink(temp.c_str());
  close(fd);
  return ok;
}

bool LockHostFile(int fd, int operation, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::chrono::milliseconds pause(1);
  for (;;) {
    if (flock(fd, operation | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      errno = EWOULDBLOCK;  // kept for the whole limit
      return false;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
}

bool IsHostTemporaryName(std::string_view name) {
  return name.substr(0, sizeof kTempPrefix - 1) == kTempPrefix;
}

}  // namespace zuba::platform::sim
