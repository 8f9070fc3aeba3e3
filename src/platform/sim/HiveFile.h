// A registry hive on disk: DIR/system.reg or DIR/user.reg, REGEDIT4 text in
// CP932 holding the keys of one root: its text, and loading it. Saving is
// HiveCommit's.
#ifndef ZUBA_PLATFORM_SIM_HIVEFILE_H_
#define ZUBA_PLATFORM_SIM_HIVEFILE_H_

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/sim/RegTree.h"
#include "platform/sim/Regedit4.h"

namespace zuba::platform::sim {

// What identifies one version of a file: a replaced file has a new inode, an
// edited one a new size or modification time.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t mtimeNs = 0;

  bool operator==(const FileStamp& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           mtimeNs == o.mtimeNs;
  }
  bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The stamp of the file at `path` (exists false when there is none).
FileStamp StampOfFile(const std::string& path);

// Builds the tree of a hive from its text. Every key line must name `root`;
// deletions ([-KEY], "name"=-) apply as they would on import. An empty text
// is an empty hive. Throws MachineError "FILE:LINE: reason" (FILE is
// `fileName`) when the text cannot be parsed.
std::unique_ptr<RegNode> ParseHiveText(std::string_view text, RegRoot root,
                                       const std::string& fileName);

// Appends the hive as REGEDIT4 text: the header, then every key from the
// root down, depth first in creation order, each key line followed by its
// values in creation order and an empty line.
void WriteHiveText(const RegNode& tree, RegRoot root, std::string* out);

// Reads and parses the hive at `path`; a missing file is an empty hive.
// `*stamp` receives the stamp of the file that was read. Throws MachineError
// naming the file (and line) when it cannot be read or parsed.
std::unique_ptr<RegNode> LoadHiveFile(const std::string& path, RegRoot root, FileStamp* stamp);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HIVEFILE_H_
