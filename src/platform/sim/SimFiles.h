// The simulated machine's file system: Windows paths on the host directories
// DIR/drive_c/, DIR/drive_d/, ... (the drives that exist).
//
// Each component of a path is matched without regard to ASCII case against
// the long names of its directory, then against their 8.3 aliases
// (VfatAlias); a name as spelled on the host wins over other matches. New
// entries take the spelling given. Relative paths resolve against the
// current directory. A path that would leave the machine (".." above a
// drive's root, a drive that does not exist, a UNC path, a host link on
// the way that leads out of the drive) is treated like a missing path, for
// reading and for writing; links within a drive are followed. Directory searches list entries in
// the order of their long names, compared without regard to case. A host file without the owner's
// write permission is read-only. machine.ini's [Fail] switches make the
// calls fail: GetFileAttributes, FindFirstFile, CopyFile, ReadFile,
// WriteFile, CreateDirectory, DeleteFile, each for every path or, as
// NAME:PATH, for one path and everything below it.
#ifndef ZUBA_PLATFORM_SIM_SIMFILES_H_
#define ZUBA_PLATFORM_SIM_SIMFILES_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Files.h"
#include "platform/sim/HostFile.h"
#include "platform/sim/MachineConfig.h"
#include "platform/sim/WinPath.h"

namespace zuba::platform::sim {

class SimFiles : public Files {
 public:
  // `config` must outlive the object.
  SimFiles(std::string machineDirectory, MachineConfig& config);

  std::uint32_t GetAttributes(const std::string& path) override;
  bool FindFiles(const std::string& pattern, std::vector<FindData>* found) override;
  bool CopyTo(const std::string& source, const std::string& target,
              IfTargetExists ifExists) override;
  bool ReadBytes(const std::string& path, std::string* content) override;
  bool WriteBytes(const std::string& path, const std::string& content) override;
  std::uint64_t ChangeStamp(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::string WindowsDirectory() override;
  std::string CurrentDirectory() override;
  std::string ProgramPath() override;

  // Removes the temporary files that writes of `path` cut short left (a
  // write does so itself; this is for a write that finds nothing to change).
  void RemoveLeftTemporaries(const std::string& path);

  // The host path of a Windows path that exists, or the empty text (for
  // the parts of the machine that run host programs).
  std::string HostPathOf(const std::string& path);

 private:
  // A directory entry on the host.
  struct Entry {
    std::string longName;  // CP932
    std::string hostName;
  };
  // A directory's entries in the order of a search, with their 8.3 aliases
  // (made when first asked for), and the directory's stamp when listed.
  struct Listing {
    std::uint64_t stamp = 0;
    bool trusted = false;  // listed when the directory had settled (HostFile.h)
    std::vector<Entry> entries;
    std::vector<std::string> aliases;
    bool aliasesMade = false;
  };
  // Where a Windows path lies on the host.
  struct Location {
    bool parentExists = false;  // the directory that would hold the entry exists
    bool exists = false;
    bool isRoot = false;
    bool throughLink = false;  // a host link lies on the way (the entry itself included)
    std::string host;          // the entry's host path (the given spelling when new)
    std::string canonical;     // the Windows path with the long names found
  };
  // A host directory a resolution looked into, and its stamp from before
  // it looked.
  struct DirectoryStamp {
    std::string host;
    std::uint64_t stamp = 0;
  };
  // A path's Location with the directories it was found through, from the
  // drive's down to the one that holds (or would hold) the entry.
  struct Resolution {
    Location where;
    std::vector<DirectoryStamp> directories;
    bool settled = true;  // every one of them had settled when looked into
  };

  // Where a path lies, or false when it leaves the machine (also through a
  // link that leads out of the path's drive). A path found through no host
  // link is remembered, and the answer given again while every directory it
  // was found through keeps the stamp it had at a settled moment: a change
  // to any of them (an entry added, removed or renamed, the directory
  // itself replaced) shows in its stamp. A link's target can change with no
  // stamp on the way changing, so a path through one is found each time.
  bool Locate(const std::string& path, Location* out);
  bool Locate(const WinPath& path, Location* out);
  // Locate without the check of links, and without remembering.
  bool Find(const WinPath& path, Resolution* out);
  // The remembered Location of the path spelled `key`, if still valid.
  bool Remembered(const std::string& key, Location* out);
  std::string DriveDirectory(char drive) const;
  // The listing of a host directory (empty when it cannot be read), given
  // its stamp taken before. A listing is kept and used again while the
  // directory's stamp stays as it was at a settled moment, so resolving
  // paths in one directory lists it once until something (this process or
  // another) changes it.
  Listing& List(const std::string& hostDirectory, const HostStamp& stamp);
  const std::vector<std::string>& Aliases(Listing& listing);
  bool Fails(const char* call, const Location& where);

  std::string directory_;
  MachineConfig& config_;
  std::uint64_t unsettledCount_ = 0;
  std::unordered_map<std::string, Listing> listings_;
  std::unordered_map<std::string, Resolution> resolutions_;  // by the path as spelled
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMFILES_H_
