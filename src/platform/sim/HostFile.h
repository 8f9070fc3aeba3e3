// The host-side file primitives the simulated machine is built on: whole-file
// reads, atomic replacement, and change stamps that caches can trust.
#ifndef ZUBA_PLATFORM_SIM_HOSTFILE_H_
#define ZUBA_PLATFORM_SIM_HOSTFILE_H_

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace zuba::platform::sim {

// What a cache needs to know about a host file to notice changes made by
// any process.
struct HostStamp {
  bool exists = false;
  bool isDirectory = false;
  // Mixes the size, the modification and change times and the inode: any
  // write or replacement changes it, unless two writes fall into one tick
  // of the file system's clock.
  std::uint64_t value = 0;
  // The file was last changed long enough ago that a further change must
  // show in `value`: a millisecond of the kernel's clock on a file system
  // with finer times, two seconds on one with times of whole seconds. A
  // cache may trust an unchanged value only for a settled file.
  bool settled = false;
};
HostStamp StatHostFile(const std::string& path);
// The stamp of a file whose stat() the caller already has.
HostStamp HostStampOf(const struct stat& st);

// The whole content of a regular file, read into `*content` (its memory
// used again). False when it is missing, a directory or unreadable
// (`*content` then untouched, or empty when reading broke off).
bool ReadHostFile(const std::string& path, std::string* content);

// Replaces (or creates) `path` with `content` atomically: the bytes go to a
// temporary file in the same directory, which is then renamed over the
// target, so a reader sees the old or the new content and a crash leaves
// one of them. `durable` also flushes the data to the disk before the
// rename. An existing target keeps its permission bits. False when the
// directory is missing or not writable; no temporary file is left behind.
// The temporary file (".~zuba-NAME-XXXXXX") stays locked while it is
// written; each write first removes the unlocked ones of its target, which
// a write cut short (a killed process) left.
enum class Durability { kAtomic, kDurable };
bool WriteHostFileAtomic(const std::string& path, std::string_view content,
                         Durability durability = Durability::kAtomic);

// Takes the advisory lock `operation` (LOCK_SH or LOCK_EX) on the open file
// `fd`, waiting at most `limit` for another process to release it: the
// lock is asked for without blocking, then again after pauses growing from
// 1 to 20 ms, so a wait costs next to no CPU. False when the limit passed
// (errno EWOULDBLOCK) or the lock cannot be had at all, the lock not taken.
bool LockHostFile(int fd, int operation, std::chrono::milliseconds limit);
// Removes the temporary files of `path` that writes cut short left (as
// WriteHostFileAtomic does before it writes).
void RemoveLeftTemporaryFiles(const std::string& path);

// Whether a host directory entry is one of the temporary files above
// (listings of the machine's drives leave them out).
bool IsHostTemporaryName(std::string_view name);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HOSTFILE_H_
