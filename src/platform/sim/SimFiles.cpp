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

bool IsAbsolute(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::uint32_t AttributesOf(const struct stat& st) {
  std::uint32_t attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  if (!(st.st_mode & S_IWUSR)) attributes |= kAttrReadOnly;
  return attributes;
}

bool StatOf(const std::string& host, struct stat* st) { return stat(host.c_str(), st) == 0; }

bool IsDirectory(const std::string& host) {
  struct stat st;
  return StatOf(host, &st) && S_ISDIR(st.st_mode);
}

bool IsReadOnly(const std::string& host) {
  struct stat st;
  return StatOf(host, &st) && !(st.st_mode & S_IWUSR);
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
  if (!Find(path, out)) return false;
  // A link may lead elsewhere in the drive, never out of it (or out of the
  // machine): such a path is refused like one with ".." above the root.
  if (!out->host.empty() && !StaysInDrive(DriveDirectory(path.drive), out->host)) {
    *out = Location();
    return false;
  }
  return true;
}

bool SimFiles::Find(const WinPath& path, Location* out) {
  *out = Location();
  const std::string drive = DriveDirectory(path.drive);
  for (const std::string& component : path.components) {
    if (IsHostTemporaryName(component)) return false;
  }
  if (path.components.empty()) {
    if (!IsDirectory(drive)) return false;
    out->exists = out->isRoot = true;
    out->host = drive;
    out->canonical = path.ToString();
    return true;
  }
  // The usual case first: every component spelled as on the host.
  std::string exact = drive;
  for (const std::string& component : path.components) exact += "/" + HostNameOf(component);
  struct stat st;
  if (StatOf(exact, &st)) {
    out->parentExists = out->exists = true;
    out->host = exact;
    out->canonical = path.ToString();
    return true;
  }
  if (!IsDirectory(drive)) return false;
  WinPath canonical{path.drive, {}};
  std::string current = drive;
  for (std::size_t i = 0; i < path.components.size(); ++i) {
    const std::string& wanted = path.components[i];
    const bool last = i + 1 == path.components.size();
    const std::string spelled = current + "/" + HostNameOf(wanted);
    // The whole path as spelled was looked for just above.
    if (spelled != exact && StatOf(spelled, &st)) {  // spelled as on the host
      current = spelled;
      canonical.components.push_back(wanted);
      if (!last && !S_ISDIR(st.st_mode)) return true;
      continue;
    }
    Listing& listing = List(current);
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
      out->parentExists = true;
      out->host = current + "/" + HostNameOf(wanted);
      canonical.components.push_back(wanted);
      out->canonical = canonical.ToString();
      return true;
    }
    current += "/" + hit->hostName;
    canonical.components.push_back(hit->longName);
    if (!last && !IsDirectory(current)) return true;
  }
  out->parentExists = out->exists = true;
  out->host = current;
  out->canonical = canonical.ToString();
  return true;
}

SimFiles::Listing& SimFiles::List(const std::string& hostDirectory) {
  const HostStamp stamp = StatHostFile(hostDirectory);
  Listing& listing = listings_[hostDirectory];
  if (stamp.exists && listing.trusted && listing.stamp == stamp.value) return listing;
  if (listings_.size() > kMaxListings) {
    listings_.clear();
    return List(hostDirectory);
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
    return a.first != b.first ? a.first < b.first
                              : listing.entries[a.second].longName <
                                    listing.entries[b.second].longName;
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
  if (!Locate(resolved, &dir) || !dir.exists || !IsDirectory(dir.host) ||
      Fails("FindFirstFile", dir)) {
    return false;
  }
  Listing& listing = List(dir.host);
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
    if (!match || !StatOf(host, &st) || !StaysInDrive(DriveDirectory(resolved.drive), host)) {
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
    if (ifExists == IfTargetExists::kFail || IsDirectory(to.host) || IsReadOnly(to.host) ||
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
  if (where.exists && (IsDirectory(where.host) || IsReadOnly(where.host))) return false;
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
      IsDirectory(where.host) || IsReadOnly(where.host)) {
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
