#include "frontend/qt/FileBrowser.h"

#include "platform/Cp932.h"
#include "toolkit/UiServices.h"

namespace zuba::qt {
namespace {

bool IsSeparatorAt(const std::string& text, std::size_t at) {
  return text[at] == '\\' || text[at] == '/';
}

// The components of a path between separators, double-byte characters
// kept whole (a trail byte 0x5C is no separator).
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (platform::IsCp932LeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      part += path[i];
      part += path[++i];
    } else if (IsSeparatorAt(path, i)) {
      parts.push_back(part);
      part.clear();
    } else {
      part += path[i];
    }
  }
  parts.push_back(part);
  return parts;
}

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool HasWildcard(const std::string& text) {
  return platform::FindCp932(text, '*') != std::string::npos ||
         platform::FindCp932(text, '?') != std::string::npos;
}

// The 8.3 name of an entry: its alias, or its long name when that is one.
std::string ShortNameOf(const platform::FindData& entry) {
  return entry.shortName.empty() ? entry.longName : entry.shortName;
}

bool HasExtension(const std::string& name) {
  return platform::FindCp932(name, '.') != std::string::npos;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& filter) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::vector<std::string> parts;
  std::string rest = filter;
  for (;;) {
    std::size_t bar = platform::FindCp932(rest, '|');
    parts.push_back(rest.substr(0, bar));
    if (bar == std::string::npos) break;
    rest = rest.substr(bar + 1);
  }
  if (filter.empty()) return pairs;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string());
  }
  return pairs;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  std::vector<std::string> parts = Components(directory);
  bool endsWithSeparator = parts.back().empty();
  return endsWithSeparator ? directory + name : directory + "\\" + name;
}

std::string ParentPath(const std::string& path) {
  std::vector<std::string> parts = Components(path);
  while (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  if (parts.size() <= 1) return parts[0] + "\\";
  parts.pop_back();
  std::string out = parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) out += "\\" + parts[i];
  return parts.size() == 1 ? out + "\\" : out;
}

std::string FullPath(const std::string& directory, const std::string& path) {
  std::string whole = HasDrive(path) ? path : JoinPath(directory, path);
  if (!HasDrive(path) && !path.empty() && IsSeparatorAt(path, 0) && HasDrive(directory)) {
    whole = directory.substr(0, 2) + path;  // "\X" is on the directory's drive
  }
  std::vector<std::string> parts = Components(whole);
  std::string drive = parts[0];
  if (drive.size() == 2 && drive[0] >= 'a' && drive[0] <= 'z') drive[0] = drive[0] - 'a' + 'A';
  std::vector<std::string> kept;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty() || parts[i] == ".") continue;
    if (parts[i] == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(parts[i]);
  }
  std::string out = drive;
  for (const std::string& part : kept) out += "\\" + part;
  return kept.empty() ? out + "\\" : out;
}

std::vector<char> FileBrowser::Drives() {
  std::vector<char> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (IsDirectory(std::string(1, letter) + ":\\")) drives.push_back(letter);
  }
  return drives;
}

bool FileBrowser::IsDirectory(const std::string& path) {
  std::uint32_t attributes = files_.GetAttributes(path);
  return attributes != platform::kInvalidAttributes && (attributes & platform::kAttrDirectory) != 0;
}

bool FileBrowser::IsFile(const std::string& path) {
  std::uint32_t attributes = files_.GetAttributes(path);
  return attributes != platform::kInvalidAttributes && (attributes & platform::kAttrDirectory) == 0;
}

std::string FileBrowser::ShortPath(const std::string& path) {
  std::vector<std::string> parts = Components(path);
  std::string out = parts[0] + "\\";
  bool found = true;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    std::vector<platform::FindData> entries;
    found = found && !HasWildcard(parts[i]) &&
            files_.FindFiles(JoinPath(out, parts[i]), &entries) && entries.size() == 1;
    out = JoinPath(out, found ? ShortNameOf(entries.front()) : parts[i]);
  }
  return out;
}

bool FileBrowser::List(const std::string& directory, const std::string& patterns,
                       std::vector<std::string>* directories, std::vector<std::string>* files,
                       NameKind names) {
  if (!IsDirectory(directory)) return false;
  auto nameOf = [names](const platform::FindData& entry) {
    return names == NameKind::kShort ? ShortNameOf(entry) : entry.longName;
  };
  std::vector<platform::FindData> all;
  files_.FindFiles(JoinPath(directory, "*"), &all);
  for (const platform::FindData& entry : all) {
    if (entry.attributes & platform::kAttrDirectory) directories->push_back(nameOf(entry));
  }
  std::vector<std::string> seen;
  std::string rest = patterns.empty() ? "*" : patterns;
  for (;;) {
    std::size_t semicolon = platform::FindCp932(rest, ';');
    std::string pattern = rest.substr(0, semicolon);
    while (!pattern.empty() && pattern.front() == ' ') pattern.erase(0, 1);
    while (!pattern.empty() && pattern.back() == ' ') pattern.pop_back();
    if (pattern == "*.*") pattern = "*";
    std::vector<platform::FindData> found;
    if (!pattern.empty()) files_.FindFiles(JoinPath(directory, pattern), &found);
    for (const platform::FindData& entry : found) {
      if (entry.attributes & platform::kAttrDirectory) continue;
      bool known = false;
      for (const std::string& name : seen) known = known || name == nameOf(entry);
      if (!known) seen.push_back(nameOf(entry));
    }
    if (semicolon == std::string::npos) break;
    rest = rest.substr(semicolon + 1);
  }
  *files = std::move(seen);
  return true;
}

FileBrowser::Typed FileBrowser::Resolve(std::string* directory, const std::string& typed,
                                        const std::string& defaultExt, unsigned options,
                                        std::string* result) {
  std::string name = typed;
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
    name = name.substr(1, name.size() - 2);
  }
  if (name.empty()) return Typed::kNothing;
  std::string full = FullPath(*directory, name);
  if (HasWildcard(name)) {
    std::string pattern = Components(full).back();
    std::string where = ParentPath(full);
    if (!IsDirectory(where)) {
      *result = full;
      return Typed::kMissingPath;
    }
    *directory = where;
    *result = pattern;
    return Typed::kPattern;
  }
  if (IsDirectory(full)) {
    *result = full;
    return Typed::kDirectory;
  }
  if (IsFile(full)) {
    *result = full;
    return Typed::kFile;
  }
  std::string withExt = full;
  if (!defaultExt.empty() && !HasExtension(Components(full).back())) {
    withExt = full + "." + defaultExt;
    if (IsFile(withExt)) {
      *result = withExt;
      return Typed::kFile;
    }
  }
  if (options & toolkit::kOfFileMustExist) {
    *result = full;
    return Typed::kMissingFile;
  }
  if ((options & toolkit::kOfPathMustExist) && !IsDirectory(ParentPath(full))) {
    *result = full;
    return Typed::kMissingPath;
  }
  *result = withExt;
  return Typed::kFile;
}

}  // namespace zuba::qt
