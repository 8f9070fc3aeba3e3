#include "platform/sim/SimFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/Cp932.h"
#include "platform/sim/HostFile.h"
#include "platform/sim/HostName.h"
#include "platform/sim/VfatAlias.h"
#include "platform/sim/Wildcard.h"

namespace zuba::platform::sim {
namespace {

// Directory listings kept at most; more are dropped all at once.
constexpr std::size_t kMaxListings = 256;
// Resolved paths kept at most; likewise.
constexpr std::size_t kMaxResolutions = 1024;

bool IsAbsolute(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::uint32_t AttributesOf(const struct stat& st) {
  std::uint32_t attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  if (!(st.st_mode & S_IWUSR)) attributes |= kAttrReadOnly;
  return attributes;
}

bool StatOf(const std::string& host, struct stat* st) { return stat(host.c_str(), st) == 0; }

// Whether an existing entry cannot be written or removed as a file: a
// directory, or read-only.
bool IsDirectoryOrReadOnly(const std::string& host) {
  struct stat st;
  return StatOf(host, &st) && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR));
}

// stat() of a host entry, noting in `*link` whether the entry is a link.
bool StatNoting(const std::string& host, struct stat* st, bool* link) {
  if (lstat(host.c_str(), st) != 0) return false;
  if (!S_ISLNK(st->st_mode)) return true;
  *link = true;
  return StatOf(host, st);
}

// Whether `path` is `prefix` or lies below it (Windows paths, no regard to
// case).
bool IsAtOrBelow(const std::string& path, const std::string& prefix) {
  std::string p = FoldCp932(path), q = FoldCp932(prefix);
  if (!q.empty() && q.back() == '\\') q.pop_back();
  return p == q || (p.size() > q.size() && p.compare(0, q.size(), q) == 0 && p[q.size()] == '\\');
}

// The real location of a host path, all links followed; false when it
// cannot be resolved (a link leading nowhere, say).
bool RealPath(const std::string& host, std::string* real) {
  char* resolved = realpath(host.c_str(), nullptr);
  if (!resolved) return false;
  *real = resolved;
  free(resolved);
  return true;
}

bool IsAtOrBelowHost(const std::string& path, const std::string& directory) {
  if (directory == "/") return true;
  return path.compare(0, directory.size(), directory) == 0 &&
         (path.size() == directory.size() || path[directory.size()] == '/');
}

// Whether the host path `host`, which starts with the drive's directory
// `drive`, stays in that drive when the links on its way are followed. Only
// a component that is a link costs more than one lstat.
bool StaysInDrive(const std::string& drive, const std::string& host) {
  std::string driveReal;  // the drive's own real location, once a link needs it
  for (std::size_t end = drive.size(); end < host.size();) {
    end = host.find('/', end + 1);
    if (end == std::string::npos) end = host.size();
    const std::string prefix = host.substr(0, end);
    struct stat st;
    if (lstat(prefix.c_str(), &st) != 0) return true;  // nothing further to follow
    if (!S_ISLNK(st.st_mode)) continue;
    std::string target;
    if ((driveReal.empty() && !RealPath(drive, &driveReal)) || !RealPath(prefix, &target) ||
        !IsAtOrBelowHost(target, driveReal)) {
      return false;
    }
  }
  return true;
}

}  // namespace

SimFiles::SimFiles(std::string machineDirectory, MachineConfig& config)
    : directory_(std::move(machineDirectory)), config_(config) {}

bool SimFiles::Locate(const std::string& path, Location* out) {
  WinPath resolved;
  std::string current = IsAbsolute(path) ? std::string() : config_.CurrentDirectory();
  if (!ResolveWinPath(path, current, Wildcards::kRefuse, &resolved)) return false;
  return Locate(resolved, out);
}

std::string SimFiles::DriveDirectory(char drive) const {
  return directory_ + "/drive_" + static_cast<char>(drive | 0x20);
}

bool SimFiles::Locate(const WinPath& path, Location* out) {
  const std::string key = path.ToString();
  if (Remembered(key, out)) return true;
  Resolution found;
  if (!Find(path, &found)) {
    *out = Location();
    return false;
  }
  *out = found.where;
  if (out->throughLink) {
    // A link may lead elsewhere in the drive, never out of it (or out of
    // the machine): such a path is refused like one with ".." above the root.
    if (!out->host.empty() && !StaysInDrive(DriveDirectory(path.drive), out->host)) {
      *out = Location();
      return false;
    }
    return true;
  }
  if (found.settled && !found.directories.empty()) {
    if (resolutions_.size() >= kMaxResolutions) resolutions_.clear();
    resolutions_[key] = std::move(found);
  }
  return true;
}

bool SimFiles::Remembered(const std::string& key, Location* out) {
  auto it = resolutions_.find(key);
  if (it == resolutions_.end()) return false;
  for (const DirectoryStamp& d : it->second.directories) {
    const HostStamp now = StatHostFile(d.host);
    if (!now.exists || now.value != d.stamp) {
      resolutions_.erase(it);
      return false;
    }
  }
  *out = it->second.where;
  return true;
}

// The path is walked from the drive down, one component at a time: the
// name as spelled on the host first (it wins over other matches), then the
// directory's listing. Each directory's stamp is taken (from the stat that
// found it) before anything in it is looked at, so a change made after the
// walk looked must show in a stamp.
bool SimFiles::Find(const WinPath& path, Resolution* out) {
  *out = Resolution();
  Location& where = out->where;
  for (const std::string& component : path.components) {
    if (IsHostTemporaryName(component)) return false;
  }
  const std::string drive = DriveDirectory(path.drive);
  HostStamp stamp = StatHostFile(drive);
  if (!stamp.exists || !stamp.isDirectory) return false;
  if (path.components.empty()) {
    where.exists = where.isRoot = true;
    where.host = drive;
    where.canonical = path.ToString();
    return true;
  }
  WinPath canonical{path.drive, {}};
  std::string current = drive;
  for (std::size_t i = 0; i < path.components.size(); ++i) {
    out->directories.push_back({current, stamp.value});
    out->settled = out->settled && stamp.settled;
    const std::string& wanted = path.components[i];
    const bool last = i + 1 == path.components.size();
    std::string next = current + "/" + HostNameOf(wanted);
    struct stat st;
    bool present = StatNoting(next, &st, &where.throughLink);  // spelled as on the host
    if (present) {
      canonical.components.push_back(wanted);
    } else {
      Listing& listing = List(current, stamp);
      const std::vector<Entry>& entries = listing.entries;
      const Entry* hit = nullptr;
      for (const Entry& e : entries) {
        if (EqualsNoCaseCp932(e.longName, wanted)) {
          hit = &e;
          break;
        }
      }
      if (!hit) {
        const std::vector<std::string>& aliases = Aliases(listing);
        for (std::size_t k = 0; k < entries.size() && !hit; ++k) {
          if (!aliases[k].empty() && EqualsNoCaseCp932(aliases[k], wanted)) hit = &entries[k];
        }
      }
      if (!hit) {
        if (!last) return true;  // a directory on the way is missing
        where.parentExists = true;
        where.host = std::move(next);
        canonical.components.push_back(wanted);
        where.canonical = canonical.ToString();
        return true;
      }
      next = current + "/" + hit->hostName;
      canonical.components.push_back(hit->longName);
      present = StatNoting(next, &st, &where.throughLink);
    }
    current = std::move(next);
    if (last) break;
    if (!present || !S_ISDIR(st.st_mode)) return true;  // a directory on the way is missing
    stamp = HostStampOf(st);
  }
  where.parentExists = where.exists = true;
  where.host = std::move(current);
  where.canonical = canonical.ToString();
  return true;
}

SimFiles::Listing& SimFiles::List(const std::string& hostDirectory, const HostStamp& stamp) {
  Listing& listing = listings_[hostDirectory];
  if (stamp.exists && listing.trusted && listing.stamp == stamp.value) return listing;
  if (listings_.size() > kMaxListings) {
    listings_.clear();
    return List(hostDirectory, stamp);
  }
  listing = Listing();
  listing.stamp = stamp.value;
  listing.trusted = stamp.exists && stamp.settled;
  DIR* dir = opendir(hostDirectory.c_str());
  if (!dir) {
    listing.trusted = false;
    return listing;
  }
  while (dirent* d = readdir(dir)) {
    std::string name = d->d_name;
    if (name == "." || name == ".." || IsHostTemporaryName(name)) continue;
    listing.entries.push_back({WindowsNameOf(name), name});
  }
  closedir(dir);
  std::vector<std::pair<std::string, std::size_t>> folded;  // folded once, not per comparison
  folded.reserve(listing.entries.size());
  for (std::size_t i = 0; i < listing.entries.size(); ++i) {
    folded.emplace_back(FoldCp932(listing.entries[i].longName), i);
  }
  std::sort(folded.begin(), folded.end(), [&](const auto& a, const auto& b) {
    return a.first != b.first
               ? a.first < b.first
               : listing.entries[a.second].longName < listing.entries[b.second].longName;
  });
  std::vector<Entry> sorted;
  sorted.reserve(folded.size());
  for (const auto& [name, index] : folded) sorted.push_back(std::move(listing.entries[index]));
  listing.entries = std::move(sorted);
  return listing;
}

const std::vector<std::string>& SimFiles::Aliases(Listing& listing) {
  if (!listing.aliasesMade) {
    std::vector<std::string> names;
    names.reserve(listing.entries.size());
    for (const Entry& e : listing.entries) names.push_back(e.longName);
    listing.aliases = AssignAliases(names);
    listing.aliasesMade = true;
  }
  return listing.aliases;
}

bool SimFiles::Fails(const char* call, const Location& where) {
  std::vector<std::pair<std::string, std::uint32_t>> paths;
  if (config_.FailCodeAndPaths(call, &paths) != 0) return true;
  for (const auto& [path, code] : paths) {
    Location target;
    if (Locate(path, &target) && !target.canonical.empty() &&
        IsAtOrBelow(where.canonical, target.canonical)) {
      return true;
    }
  }
  return false;
}

std::uint32_t SimFiles::GetAttributes(const std::string& path) {
  Location where;
  struct stat st;
  if (!Locate(path, &where) || !where.exists || Fails("GetFileAttributes", where) ||
      !StatOf(where.host, &st)) {
    return kInvalidAttributes;
  }
  return AttributesOf(st);
}

bool SimFiles::FindFiles(const std::string& pattern, std::vector<FindData>* found) {
  if (pattern.empty()) return false;
  std::size_t lastSeparator = std::string::npos;
  for (std::size_t i = 0; i < pattern.size(); i += Cp932CharLength(pattern, i)) {
    if (Cp932CharLength(pattern, i) == 1 && (pattern[i] == '\\' || pattern[i] == '/')) {
      lastSeparator = i;
    }
  }
  if (lastSeparator == pattern.size() - 1) return false;  // "C:\WINDOWS\" names no entry
  WinPath resolved;
  std::string current = IsAbsolute(pattern) ? std::string() : config_.CurrentDirectory();
  if (!ResolveWinPath(pattern, current, Wildcards::kAllowInLast, &resolved) ||
      resolved.components.empty()) {
    return false;
  }
  const std::string wanted = resolved.components.back();
  resolved.components.pop_back();
  Location dir;
  if (!Locate(resolved, &dir) || !dir.exists) return false;
  const HostStamp dirStamp = StatHostFile(dir.host);
  if (!dirStamp.isDirectory || Fails("FindFirstFile", dir)) return false;
  Listing& listing = List(dir.host, dirStamp);
  const std::vector<Entry>& entries = listing.entries;
  const std::vector<std::string>& aliases = Aliases(listing);
  const bool wild = HasWildcards(wanted);
  bool any = false;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const std::string& shortName = aliases[k].empty() ? entries[k].longName : aliases[k];
    bool match =
        wild ? MatchesWildcard(wanted, entries[k].longName) || MatchesWildcard(wanted, shortName)
             : EqualsNoCaseCp932(wanted, entries[k].longName) ||
                   EqualsNoCaseCp932(wanted, shortName);
    struct stat st;
    const std::string host = dir.host + "/" + entries[k].hostName;
    if (!match || lstat(host.c_str(), &st) != 0) continue;
    // With no link on the way to the directory, only the entry itself can
    // be one that leads out of the drive.
    if ((dir.throughLink || S_ISLNK(st.st_mode)) &&
        (!StatOf(host, &st) || !StaysInDrive(DriveDirectory(resolved.drive), host))) {
      continue;
    }
    FindData data;
    data.longName = entries[k].longName;
    data.shortName = aliases[k];
    data.attributes = AttributesOf(st);
    data.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    found->push_back(std::move(data));
    any = true;
    if (!wild) break;
  }
  return any;
}

bool SimFiles::CopyTo(const std::string& source, const std::string& target,
                      IfTargetExists ifExists) {
  Location from, to;
  struct stat st;
  if (!Locate(source, &from) || !from.exists || !StatOf(from.host, &st) || S_ISDIR(st.st_mode)) {
    return false;
  }
  if (!Locate(target, &to) || !to.parentExists || Fails("CopyFile", from) ||
      Fails("CopyFile", to)) {
    return false;
  }
  if (to.exists) {
    if (ifExists == IfTargetExists::kFail || IsDirectoryOrReadOnly(to.host) ||
        to.host == from.host) {
      return false;
    }
  }
  std::string content;
  if (!ReadHostFile(from.host, &content) || !WriteHostFileAtomic(to.host, content)) return false;
  // CopyFile carries the attributes and the time of the last write along.
  chmod(to.host.c_str(), st.st_mode & 07777);
  const timespec times[2] = {st.st_atim, st.st_mtim};
  utimensat(AT_FDCWD, to.host.c_str(), times, 0);
  return true;
}

bool SimFiles::ReadBytes(const std::string& path, std::string* content) {
  Location where;
  if (!Locate(path, &where) || !where.exists || Fails("ReadFile", where)) return false;
  return ReadHostFile(where.host, content);
}

void SimFiles::RemoveLeftTemporaries(const std::string& path) {
  Location where;
  if (Locate(path, &where) && where.parentExists) RemoveLeftTemporaryFiles(where.host);
}

bool SimFiles::WriteBytes(const std::string& path, const std::string& content) {
  Location where;
  if (!Locate(path, &where) || !where.parentExists || Fails("WriteFile", where)) return false;
  if (where.exists && IsDirectoryOrReadOnly(where.host)) return false;
  return WriteHostFileAtomic(where.host, content);
}

std::uint64_t SimFiles::ChangeStamp(const std::string& path) {
  Location where;
  if (!Locate(path, &where) || !where.exists) return 0;
  HostStamp stamp = StatHostFile(where.host);
  if (!stamp.exists) return 0;
  // A switched-on ReadFile failure changes the stamp too, so that a cache
  // reads the file (and fails) instead of answering from memory.
  if (Fails("ReadFile", where)) stamp.value = ~stamp.value | 1;
  if (stamp.settled) return stamp.value;
  // Changed within the file system's clock tick: a later change might keep
  // the same stamp, so every answer differs until the file has settled.
  std::uint64_t value = stamp.value ^ (++unsettledCount_ * 0x9E3779B97F4A7C15ull);
  return value == 0 ? 1 : value;
}

bool SimFiles::MakeDirectory(const std::string& path) {
  Location where;
  if (!Locate(path, &where) || !where.parentExists || where.exists ||
      Fails("CreateDirectory", where)) {
    return false;
  }
  return mkdir(where.host.c_str(), 0755) == 0;
}

bool SimFiles::RemoveFile(const std::string& path) {
  Location where;
  if (!Locate(path, &where) || !where.exists || Fails("DeleteFile", where) ||
      IsDirectoryOrReadOnly(where.host)) {
    return false;
  }
  return unlink(where.host.c_str()) == 0;
}

std::string SimFiles::WindowsDirectory() { return config_.WindowsDirectory(); }

std::string SimFiles::CurrentDirectory() { return config_.CurrentDirectory(); }

std::string SimFiles::ProgramPath() { return config_.ProgramPath(); }

std::string SimFiles::HostPathOf(const std::string& path) {
  Location where;
  return Locate(path, &where) && where.exists ? where.host : std::string();
}

}  // namespace zuba::platform::sim
