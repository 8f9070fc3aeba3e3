#include "platform/sim/SimProfiles.h"

#include <vector>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

constexpr std::size_t kMaxTransfer = 32766;  // Windows 9x: one read or write, 32 KB - 2
constexpr std::size_t kMaxCachedFiles = 64;

// The text a C string argument would carry: up to its first zero byte.
std::string AsCString(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string_view AsCString(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

SimProfiles::SimProfiles(Files& files, std::string lockPath,
                         std::function<void(const std::string&)> tidy)
    : files_(files),
      empty_(std::make_shared<const IniText>(std::string())),
      tidy_(std::move(tidy)) {
  if (!lockPath.empty()) writers_ = std::make_unique<HostLock>(std::move(lockPath));
}

template <typename Change>
bool SimProfiles::Locked(Change change) {
  if (!writers_) return change();
  // A lock that cannot be had (a machine no process may write) leaves the
  // write to fail on its own; one another writer kept for the whole wait
  // limit fails the write, which the program reports, instead of a wait
  // without end.
  HostLockScope hold(*writers_);
  if (writers_->timedOut()) return false;
  return change();
}

std::string SimProfiles::FullPath(const std::string& file) {
  const std::string name = AsCString(file);
  if (FindCp932(name, '\\') != std::string::npos || FindCp932(name, '/') != std::string::npos ||
      FindCp932(name, ':') != std::string::npos) {
    return name;
  }
  std::string dir = files_.WindowsDirectory();
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir + name;
}

std::shared_ptr<const IniText> SimProfiles::Load(const std::string& path, FileState* state) {
  if (!held_.empty()) {
    auto held = held_.find(FoldCp932(path));
    if (held != held_.end() && held->second.text) {
      const Held& h = held->second;
      *state = h.edits.empty() ? h.baseState : FileState::kRead;
      return h.text;
    }
  }
  return LoadFile(path, state);
}

std::shared_ptr<const IniText> SimProfiles::LoadFile(const std::string& path, FileState* state) {
  *state = FileState::kMissing;
  const std::uint64_t stamp = files_.ChangeStamp(path);
  if (stamp == 0) return empty_;
  const std::string key = FoldCp932(path);
  auto it = cache_.find(key);
  if (it != cache_.end() && it->second.stamp == stamp) {
    *state = FileState::kRead;
    return it->second.text;
  }
  // Read into the buffer kept for it: a file this object has just written
  // is read once more at its next use (its stamp is not yet settled), and
  // that read needs no fresh memory.
  std::string& content = readBuffer_;
  if (!files_.ReadBytes(path, &content)) {
    *state = FileState::kUnreadable;
    return empty_;
  }
  *state = FileState::kRead;
  // A file changed moments ago has a new stamp on every look: keep the
  // parse when the bytes are still the ones cached.
  if (it != cache_.end() && it->second.text->content() == content) {
    it->second.stamp = stamp;
    return it->second.text;
  }
  if (cache_.size() >= kMaxCachedFiles) cache_.clear();
  auto text = std::make_shared<const IniText>(std::move(content));
  content = std::string();
  cache_[key] = Cached{stamp, text};
  return text;
}

bool SimProfiles::Unchanged(const std::string& path) {
  if (tidy_) tidy_(path);
  return true;
}

bool SimProfiles::Store(const std::string& path, std::shared_ptr<const IniText> text) {
  const std::string key = FoldCp932(path);
  cache_.erase(key);
  if (!files_.WriteBytes(path, text->content())) return false;
  // What was written is what the next call will read; its stamp is taken
  // then (the bytes are compared when it differs).
  if (cache_.size() >= kMaxCachedFiles) cache_.clear();
  cache_[key] = Cached{0, std::move(text)};
  return true;
}

bool SimProfiles::Write(const std::string& file, Edit edit) {
  const std::string path = FullPath(file);
  auto held = held_.find(FoldCp932(path));
  if (held == held_.end()) {
    return Locked([&] {
      FileState state;
      std::shared_ptr<const IniText> text = LoadFile(path, &state);
      if (state == FileState::kUnreadable) return false;
      bool changed;
      std::string updated = edit(*text, &changed);
      if (!changed) return Unchanged(path);
      return Store(path, std::make_shared<const IniText>(*text, std::move(updated)));
    });
  }
  Held& h = held->second;
  if (!h.text) {
    h.base = h.text = LoadFile(path, &h.baseState);
  }
  if (h.baseState == FileState::kUnreadable) return false;
  bool changed;
  std::string updated = edit(*h.text, &changed);
  if (changed) {
    h.text = std::make_shared<const IniText>(*h.text, std::move(updated));
    h.edits.push_back(std::move(edit));
  }
  return true;
}

std::size_t SimProfiles::GetString(const std::string& section, const std::string& key,
                                   const std::string& def, std::string* value,
                                   std::size_t bufferSize, const std::string& file) {
  if (bufferSize == 0) return 0;
  if (bufferSize > kMaxTransfer + 1) bufferSize = kMaxTransfer + 1;
  FileState state;
  std::shared_ptr<const IniText> text = Load(FullPath(file), &state);
  std::string_view found;
  std::string result;
  if (text->Find(AsCString(section), AsCString(key), &found)) {
    result = std::string(StripQuotes(AsCString(found)));
  } else {
    result = AsCString(def);
    while (!result.empty() && result.back() == ' ') result.pop_back();
  }
  if (result.size() > bufferSize - 1) result.resize(bufferSize - 1);
  *value = std::move(result);
  return value->size();
}

std::size_t SimProfiles::GetKeyNames(const std::string& section, std::string* names,
                                     std::size_t bufferSize, const std::string& file) {
  FileState state;
  std::shared_ptr<const IniText> text = Load(FullPath(file), &state);
  std::vector<std::string_view> list;
  text->KeyNames(AsCString(section), &list);
  return FillListing(list, names, bufferSize > kMaxTransfer + 1 ? kMaxTransfer + 1 : bufferSize);
}

std::size_t SimProfiles::GetSectionNames(std::string* names, std::size_t bufferSize,
                                         const std::string& file) {
  FileState state;
  std::shared_ptr<const IniText> text = Load(FullPath(file), &state);
  // Windows 9x: a buffer of 0 or 1 bytes counts as unlimited, and only
  // whole names are returned.
  const bool limited = bufferSize >= 2;
  std::string out;
  bool cut = false;
  for (std::string_view name : text->SectionNames()) {
    name = AsCString(name);
    if (limited && out.size() + name.size() + 2 > bufferSize) {
      cut = true;
      break;
    }
    out.append(name).push_back('\0');
  }
  out.push_back('\0');
  *names = out;
  return cut ? bufferSize - 2 : out.size() - 1;
}

bool SimProfiles::WriteString(const std::string& section, const std::string& key,
                              const std::string& value, const std::string& file) {
  std::string s(TrimSpaces(AsCString(section))), k(TrimSpaces(AsCString(key)));
  std::string v = AsCString(value);
  if (s.empty() || k.empty() || v.size() > kMaxTransfer) return false;
  return Write(file, [s = std::move(s), k = std::move(k), v = std::move(v)](const IniText& text,
                                                                            bool* changed) {
    std::string updated = text.WithValue(s, k, v);
    *changed = updated != text.content();
    return updated;
  });
}

bool SimProfiles::RemoveKey(const std::string& section, const std::string& key,
                            const std::string& file) {
  return Write(file,
               [s = AsCString(section), k = AsCString(key)](const IniText& text, bool* changed) {
                 return text.WithoutKey(s, k, changed);
               });
}

bool SimProfiles::RemoveSection(const std::string& section, const std::string& file) {
  return Write(file, [s = AsCString(section)](const IniText& text, bool* changed) {
    return text.WithoutSection(s, changed);
  });
}

std::size_t SimProfiles::GetSection(const std::string& section, std::string* entries,
                                    std::size_t bufferSize, const std::string& file) {
  FileState state;
  std::shared_ptr<const IniText> text = Load(FullPath(file), &state);
  std::vector<std::pair<std::string_view, std::string_view>> found;
  text->Entries(AsCString(section), &found);
  const std::size_t limit = bufferSize > kMaxTransfer + 1 ? kMaxTransfer + 1 : bufferSize;
  std::vector<std::string> lines;
  lines.reserve(found.size());
  std::size_t total = 0;  // the listing's bytes so far, each line's zero byte counted
  for (const auto& [name, value] : found) {
    // Lines past the buffer's end would only be cut off again.
    if (total > limit) break;
    lines.push_back(std::string(AsCString(name)) + "=" + std::string(AsCString(value)));
    total += lines.back().size() + 1;
  }
  return FillListing(std::vector<std::string_view>(lines.begin(), lines.end()), entries, limit);
}

bool SimProfiles::WriteSection(const std::string& section, const std::vector<std::string>& entries,
                               const std::string& file) {
  const std::string s(TrimSpaces(AsCString(section)));
  if (s.empty()) return false;
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const std::string& entry : entries) {
    const std::string line = AsCString(entry);
    if (line.empty()) break;  // the end of the Windows buffer
    const std::string::size_type equal = FindCp932(line, '=');
    if (equal == std::string::npos || line.find_first_of("\r\n") != std::string::npos) return false;
    std::string name(TrimSpaces(std::string_view(line).substr(0, equal)));
    if (name.empty()) return false;
    pairs.emplace_back(std::move(name), line.substr(equal + 1));
  }
  return Write(file, [s, pairs = std::move(pairs)](const IniText& text, bool* changed) {
    std::string updated = text.WithSection(s, pairs);
    *changed = updated != text.content();
    return updated;
  });
}

bool SimProfiles::Flush(const std::string& file) {
  const std::string path = FullPath(file);
  auto found = held_.find(FoldCp932(path));
  if (found == held_.end()) return true;  // every write has reached the file
  Held held = std::move(found->second);
  held_.erase(found);
  if (held.edits.empty()) return true;
  return Locked([&] {
    FileState state;
    std::shared_ptr<const IniText> now = LoadFile(path, &state);
    if (state == FileState::kUnreadable) return false;
    std::shared_ptr<const IniText> result = held.text;
    if (now != held.base && now->content() != held.base->content()) {
      // Another process wrote the file since the first held write: the
      // held edits are made again on what it wrote.
      result = now;
      for (const Edit& edit : held.edits) {
        bool changed;
        std::string updated = edit(*result, &changed);
        if (changed) result = std::make_shared<const IniText>(*result, std::move(updated));
      }
    }
    if (result->content() == now->content()) return Unchanged(path);
    return Store(path, std::move(result));
  });
}

void SimProfiles::HoldWrites(const std::string& file) {
  held_.try_emplace(FoldCp932(FullPath(file)));
}

bool SimProfiles::DropHeldWrites(const std::string& file) {
  return held_.erase(FoldCp932(FullPath(file))) > 0;
}

}  // namespace zuba::platform::sim
