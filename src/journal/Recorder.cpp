#include "journal/Recorder.h"

#include <exception>

#include "journal/Replay.h"
#include "platform/Cp932.h"
#include "platform/ProfileSections.h"
#include "platform/WinError.h"

namespace zuba::journal {
namespace {

using platform::RegKey;
using platform::RegValue;

// Handles of keys that exist only in a plan.
constexpr RegKey kFirstPlannedKey = 0x7F000000;

std::string JoinKey(const std::string& path, const std::string& subKey) {
  std::size_t start = 0;
  while (start < subKey.size() && subKey[start] == '\\') ++start;
  if (start == subKey.size()) return path;
  return path.empty() ? subKey.substr(start) : path + "\\" + subKey.substr(start);
}

std::string Folded(RegKey root, const std::string& path) {
  return std::to_string(root) + "\\" + platform::FoldCp932(path);
}

// A value as the registry stores it (see Registry::SetValue).
RegValue Stored(RegValue value) {
  if (value.type == platform::kRegSz) {
    const std::size_t zero = value.data.find('\0');
    if (zero != std::string::npos) value.data.resize(zero);
    value.data += '\0';
  } else if (value.type == platform::kRegExpandSz &&
             (value.data.empty() || value.data.back() != '\0')) {
    value.data += '\0';
  }
  return value;
}

}  // namespace

class Recorder::RecordingRegistry : public platform::RegistryWrapper {
 public:
  RecordingRegistry(Recorder& recorder, platform::Registry& target)
      : RegistryWrapper(target), recorder_(recorder) {}

  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    Where where;
    if (!Locate(parent, &where)) return target().OpenKey(parent, subKey, result);
    const std::string path = JoinKey(where.path, subKey);
    if (Planning() && (IsPlannedKey(parent) || PlannedDeleted(where.root, path) ||
                       planned_.count(Folded(where.root, path)))) {
      if (!planned_.count(Folded(where.root, path))) return platform::kErrorFileNotFound;
      return Hand(where.root, path, result);
    }
    const long rc = target().OpenKey(parent, subKey, result);
    if (rc == platform::kErrorSuccess) handles_[*result] = {where.root, path};
    return rc;
  }

  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    Where where;
    if (!Locate(parent, &where)) return target().CreateKey(parent, subKey, result);
    const std::string path = JoinKey(where.path, subKey);
    const std::string created = FirstMissing(where.root, path);
    if (created.empty()) {
      if (Planning()) return OpenKey(where.root, path, result);
      const long rc = target().CreateKey(parent, subKey, result);
      if (rc == platform::kErrorSuccess) handles_[*result] = {where.root, path};
      return rc;
    }
    journal::Change change;
    change.kind = ChangeKind::kRegistryKey;
    change.root = where.root;
    change.keyPath = created;
    change.textAfter = "";
    const std::size_t index = recorder_.Before(change);
    if (Planning()) {
      for (std::size_t end = created.size(); end != std::string::npos;
           end = path.find('\\', end + 1)) {
        planned_.insert(Folded(where.root, path.substr(0, end)));
        deleted_.erase(Folded(where.root, path.substr(0, end)));
      }
      planned_.insert(Folded(where.root, path));
      return Hand(where.root, path, result);
    }
    const long rc = target().CreateKey(parent, subKey, result);
    if (rc != platform::kErrorSuccess) return rc;
    handles_[*result] = {where.root, path};
    recorder_.After(index, false);
    return rc;
  }

  long CloseKey(RegKey key) override {
    const bool planned = IsPlannedKey(key);
    handles_.erase(key);
    return planned ? platform::kErrorSuccess : target().CloseKey(key);
  }

  long QueryValue(RegKey key, const std::string& name, RegValue* value) override {
    Where where;
    if (!Locate(key, &where)) return target().QueryValue(key, name, value);
    const ValueState state = Current(where, name);
    if (!state) return platform::kErrorFileNotFound;
    *value = *state;
    return platform::kErrorSuccess;
  }

  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    Where where;
    if (!Locate(key, &where)) return target().SetValue(key, name, value);
    return WriteValue(key, where, name, Stored(value));
  }

  long DeleteValue(RegKey key, const std::string& name) override {
    Where where;
    if (!Locate(key, &where)) return target().DeleteValue(key, name);
    if (!Current(where, name)) {
      return Planning() ? platform::kErrorFileNotFound : target().DeleteValue(key, name);
    }
    return WriteValue(key, where, name, std::nullopt);
  }

  // Deleting a key deletes its whole tree: each key and value of it becomes
  // a change, parents before their children.
  long DeleteKey(RegKey parent, const std::string& subKey) override {
    Where where;
    if (!Locate(parent, &where)) return target().DeleteKey(parent, subKey);
    const std::string path = JoinKey(where.path, subKey);
    if (!Exists(where.root, path)) {
      return Planning() ? platform::kErrorFileNotFound : target().DeleteKey(parent, subKey);
    }
    std::vector<std::size_t> indexes;
    NoteTreeDeletion(where.root, path, &indexes);
    if (Planning()) {
      deleted_.insert(Folded(where.root, path));
      return platform::kErrorSuccess;
    }
    const long rc = target().DeleteKey(parent, subKey);
    if (rc == platform::kErrorSuccess) {
      for (std::size_t index : indexes) recorder_.After(index, false);
    }
    return rc;
  }

  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override {
    if (IsPlannedKey(key)) return platform::kErrorNoMoreItems;
    return target().EnumKey(key, index, name);
  }
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override {
    if (IsPlannedKey(key)) return platform::kErrorNoMoreItems;
    return target().EnumValue(key, index, name);
  }
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) override {
    if (IsPlannedKey(key)) {
      *subKeys = *values = 0;
      return platform::kErrorSuccess;
    }
    return target().QueryInfoKey(key, subKeys, values);
  }
  long FlushKey(RegKey key) override {
    return Planning() ? platform::kErrorSuccess : target().FlushKey(key);
  }

 private:
  struct Where {
    RegKey root = 0;
    std::string path;
  };

  bool Planning() const { return recorder_.mode() == RecorderMode::kPlan; }
  bool IsPlannedKey(RegKey key) const { return key >= kFirstPlannedKey && key < 0x80000000; }

  bool Locate(RegKey key, Where* where) const {
    if (key == platform::kHkeyLocalMachine || key == platform::kHkeyCurrentUser) {
      *where = {key, ""};
      return true;
    }
    auto it = handles_.find(key);
    if (it == handles_.end()) return false;
    *where = it->second;
    return true;
  }

  long Hand(RegKey root, const std::string& path, RegKey* result) {
    *result = nextPlanned_++;
    handles_[*result] = {root, path};
    return platform::kErrorSuccess;
  }

  bool PlannedDeleted(RegKey root, const std::string& path) const {
    for (std::size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
      if (deleted_.count(Folded(root, path.substr(0, end)))) return true;
      if (end == std::string::npos) return false;
    }
  }

  bool Exists(RegKey root, const std::string& path) {
    if (Planning()) {
      if (planned_.count(Folded(root, path))) return true;
      if (PlannedDeleted(root, path)) return false;
    }
    RegKey key;
    if (target().OpenKey(root, path, &key) != platform::kErrorSuccess) return false;
    target().CloseKey(key);
    return true;
  }

  // The shortest part of `path` that does not exist yet; empty when all does.
  std::string FirstMissing(RegKey root, const std::string& path) {
    for (std::size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
      const std::string part = path.substr(0, end);
      if (!Exists(root, part)) return part;
      if (end == std::string::npos) return "";
    }
  }

  // The key's values in their order, from the machine.
  std::vector<NamedValue> ValuesOf(RegKey root, const std::string& path) {
    std::vector<NamedValue> values;
    RegKey key;
    if (target().OpenKey(root, path, &key) != platform::kErrorSuccess) return values;
    std::string name;
    for (std::uint32_t i = 0; target().EnumValue(key, i, &name) == platform::kErrorSuccess; ++i) {
      RegValue value;
      if (target().QueryValue(key, name, &value) == platform::kErrorSuccess) {
        values.push_back({name, value});
      }
    }
    target().CloseKey(key);
    return values;
  }

  ValueState Current(const Where& where, const std::string& name) {
    auto it = overlay_.find(Folded(where.root, where.path) + "\\\\" + platform::FoldCp932(name));
    if (it != overlay_.end()) return it->second;
    if (Planning() && (planned_.count(Folded(where.root, where.path)) ||
                       PlannedDeleted(where.root, where.path))) {
      return std::nullopt;
    }
    RegKey key;
    if (target().OpenKey(where.root, where.path, &key) != platform::kErrorSuccess) {
      return std::nullopt;
    }
    RegValue value;
    const long rc = target().QueryValue(key, name, &value);
    target().CloseKey(key);
    if (rc != platform::kErrorSuccess) return std::nullopt;
    return value;
  }

  journal::Change ValueChange(const Where& where, const std::string& name, ValueState after) {
    journal::Change change;
    change.kind = ChangeKind::kRegistryValue;
    change.root = where.root;
    change.keyPath = where.path;
    change.valueName = name;
    change.valueBefore = Current(where, name);
    change.valueAfter = std::move(after);
    if (snapshotted_.insert(Folded(where.root, where.path)).second) {
      change.keyBefore = ValuesOf(where.root, where.path);
    }
    return change;
  }

  long WriteValue(RegKey key, const Where& where, const std::string& name, ValueState after) {
    const std::size_t index = recorder_.Before(ValueChange(where, name, after));
    if (Planning()) {
      overlay_[Folded(where.root, where.path) + "\\\\" + platform::FoldCp932(name)] = after;
      return platform::kErrorSuccess;
    }
    const long rc = after ? target().SetValue(key, name, *after) : target().DeleteValue(key, name);
    if (rc == platform::kErrorSuccess) recorder_.After(index, false);
    return rc;
  }

  void NoteTreeDeletion(RegKey root, const std::string& path, std::vector<std::size_t>* indexes) {
    journal::Change key;
    key.kind = ChangeKind::kRegistryKey;
    key.root = root;
    key.keyPath = path;
    key.textBefore = "";
    indexes->push_back(recorder_.Before(key));
    for (const NamedValue& value : ValuesOf(root, path)) {
      journal::Change change = ValueChange({root, path}, value.name, std::nullopt);
      if (!ChangesNothing(change)) indexes->push_back(recorder_.Before(change));
    }
    RegKey handle;
    if (target().OpenKey(root, path, &handle) != platform::kErrorSuccess) return;
    std::vector<std::string> children;
    std::string name;
    for (std::uint32_t i = 0; target().EnumKey(handle, i, &name) == platform::kErrorSuccess; ++i) {
      children.push_back(name);
    }
    target().CloseKey(handle);
    for (const std::string& child : children) NoteTreeDeletion(root, path + "\\" + child, indexes);
  }

  Recorder& recorder_;
  std::map<RegKey, Where> handles_;
  RegKey nextPlanned_ = kFirstPlannedKey;
  std::set<std::string> planned_;   // keys created by the plan
  std::set<std::string> deleted_;   // keys deleted by the plan
  std::map<std::string, ValueState> overlay_;  // values written by the plan
  std::set<std::string> snapshotted_;
};

class Recorder::RecordingFiles : public platform::FilesWrapper {
 public:
  RecordingFiles(Recorder& recorder, platform::Files& target)
      : FilesWrapper(target), recorder_(recorder) {}

  std::uint32_t GetAttributes(const std::string& path) override {
    auto it = overlay_.find(platform::FoldCp932(path));
    if (it == overlay_.end()) return target().GetAttributes(path);
    return it->second ? platform::kAttrArchive : platform::kInvalidAttributes;
  }

  bool ReadBytes(const std::string& path, std::string* content) override {
    auto it = overlay_.find(platform::FoldCp932(path));
    if (it == overlay_.end()) return target().ReadBytes(path, content);
    if (!it->second) return false;
    *content = *it->second;
    return true;
  }

  bool CopyTo(const std::string& source, const std::string& to,
              platform::IfTargetExists ifExists) override {
    std::string bytes;
    const TextState before = Current(to);
    if (!ReadBytes(source, &bytes) || (before && ifExists == platform::IfTargetExists::kFail)) {
      return Planning() ? false : target().CopyTo(source, to, ifExists);
    }
    return Write(to, before, bytes, [&] { return target().CopyTo(source, to, ifExists); });
  }

  bool WriteBytes(const std::string& path, const std::string& content) override {
    return Write(path, Current(path), content, [&] { return target().WriteBytes(path, content); });
  }

  bool RemoveFile(const std::string& path) override {
    const TextState before = Current(path);
    if (!before) return Planning() ? false : target().RemoveFile(path);
    return Write(path, before, std::nullopt, [&] { return target().RemoveFile(path); });
  }

  bool MakeDirectory(const std::string& path) override {
    return Planning() ? true : target().MakeDirectory(path);
  }

 private:
  bool Planning() const { return recorder_.mode() == RecorderMode::kPlan; }

  TextState Current(const std::string& path) {
    std::string bytes;
    if (!ReadBytes(path, &bytes)) return std::nullopt;
    return bytes;
  }

  template <typename Do>
  bool Write(const std::string& path, TextState before, TextState after, Do write) {
    Change change;
    change.kind = ChangeKind::kFile;
    change.path = path;
    change.textBefore = std::move(before);
    change.textAfter = after;
    const std::size_t index = recorder_.Before(change);
    if (Planning()) {
      overlay_[platform::FoldCp932(path)] = std::move(after);
      return true;
    }
    if (!write()) return false;
    recorder_.After(index);
    return true;
  }

  Recorder& recorder_;
  std::map<std::string, TextState> overlay_;
};

class Recorder::RecordingProfiles : public platform::ProfilesWrapper {
 public:
  RecordingProfiles(Recorder& recorder, platform::Profiles& target, platform::Files& files)
      : ProfilesWrapper(target), recorder_(recorder), files_(files) {}

  std::size_t GetString(const std::string& section, const std::string& key, const std::string& def,
                        std::string* value, std::size_t bufferSize,
                        const std::string& file) override {
    auto it = overlay_.find(Name(file, section, key));
    if (it == overlay_.end() || bufferSize == 0) {
      return target().GetString(section, key, def, value, bufferSize, file);
    }
    *value = it->second ? *it->second : def;
    if (value->size() > bufferSize - 1) value->resize(bufferSize - 1);
    return value->size();
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    return Write(file, section, key, value,
                 [&] { return target().WriteString(section, key, value, file); });
  }

  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    if (!Current(file, section, key)) return Planning() ? true : target().RemoveKey(section, key, file);
    return Write(file, section, key, std::nullopt,
                 [&] { return target().RemoveKey(section, key, file); });
  }

  // An apply never removes or rewrites whole sections; a plan leaves them
  // alone rather than guess their result.
  bool RemoveSection(const std::string& section, const std::string& file) override {
    return Planning() ? true : target().RemoveSection(section, file);
  }
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    return Planning() ? true : target().WriteSection(section, entries, file);
  }
  bool Flush(const std::string& file) override { return Planning() ? true : target().Flush(file); }
  // A recorded change is in the file when its write returns, so that the
  // journal never names a state the disk does not hold: nothing is held.
  void HoldWrites(const std::string&) override {}
  bool DropHeldWrites(const std::string&) override { return false; }

 private:
  bool Planning() const { return recorder_.mode() == RecorderMode::kPlan; }

  static std::string Name(const std::string& file, const std::string& section,
                          const std::string& key) {
    return platform::FoldCp932(file) + '\0' + platform::FoldCp932(section) + '\0' +
           platform::FoldCp932(key);
  }

  TextState Current(const std::string& file, const std::string& section, const std::string& key) {
    auto it = overlay_.find(Name(file, section, key));
    if (it != overlay_.end()) return it->second;
    return ProfileKeyState(target(), file, section, key);
  }

  // The bytes of `section` in the profile `file` as it stands (a bare name
  // lives in the Windows directory), absent when it has none; `*end` tells
  // how the file ends, where a new section would go.
  TextState SectionBytes(const std::string& file, const std::string& section,
                         ProfileFileEnd* end) {
    std::string bytes;
    if (!files_.ReadBytes(ProfileFilePath(files_, file), &bytes)) {
      *end = ProfileFileEnd::kMissing;
      return std::nullopt;
    }
    *end = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r' ? ProfileFileEnd::kClosed
                                                                         : ProfileFileEnd::kOpen;
    const std::optional<platform::SectionSpan> span = platform::FindProfileSection(bytes, section);
    if (!span) return std::nullopt;
    return bytes.substr(span->begin, span->end - span->begin);
  }

  template <typename Do>
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             TextState value, Do write) {
    Change change;
    change.kind = ChangeKind::kProfileKey;
    change.path = file;
    change.section = section;
    change.key = key;
    change.textBefore = Current(file, section, key);
    change.textAfter = value;
    // The section's bytes before the apply's first change to it: what an
    // undo gives back (never the whole file, whatever its size).
    if (!recorder_.HoldsSectionBefore(file, section)) {
      change.sectionBefore = SectionBytes(file, section, &change.fileEnd);
    }
    const std::size_t index = recorder_.Before(change);
    if (Planning()) {
      overlay_[Name(file, section, key)] = std::move(value);
      return true;
    }
    if (!write()) return false;
    // A profile write reaches the disk for sure only at the profile's flush.
    recorder_.After(index, false);
    return true;
  }

  Recorder& recorder_;
  platform::Files& files_;
  std::map<std::string, TextState> overlay_;
};

// In a plan, nothing leaves the program: no process, no broadcast, no exit.
class Recorder::RecordingSystem : public platform::SystemWrapper {
 public:
  RecordingSystem(Recorder& recorder, platform::System& target)
      : SystemWrapper(target), recorder_(recorder) {}

  platform::ProcessHandle StartProcess(const std::string& commandLine,
                                       const std::string& workingDirectory,
                                       std::uint32_t creationFlags, int showState) override {
    if (Planning()) return 0;
    return SystemWrapper::StartProcess(commandLine, workingDirectory, creationFlags, showState);
  }
  bool PostKeyDown(platform::WindowHandle window, int virtualKey, std::uint32_t keyData) override {
    return Planning() ? false : SystemWrapper::PostKeyDown(window, virtualKey, keyData);
  }
  void BroadcastWinIniChange(const std::string& section) override {
    if (!Planning()) SystemWrapper::BroadcastWinIniChange(section);
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    return Planning() ? false : SystemWrapper::ExitWindowsEx(flags, reserved);
  }

 private:
  bool Planning() const { return recorder_.mode() == RecorderMode::kPlan; }
  Recorder& recorder_;
};

Recorder::Recorder(RecorderMode mode, Journal& journal, platform::Registry& registry,
                   platform::Files& files, platform::Profiles& profiles, platform::System& system,
                   std::function<void(const Journal&)> save)
    : mode_(mode),
      journal_(journal),
      save_(std::move(save)),
      files_(std::make_unique<RecordingFiles>(*this, files)),
      registry_(std::make_unique<RecordingRegistry>(*this, registry)),
      profiles_(std::make_unique<RecordingProfiles>(*this, profiles, files)),
      system_(std::make_unique<RecordingSystem>(*this, system)) {}

Recorder::~Recorder() = default;

platform::Registry& Recorder::registry() { return *registry_; }
platform::Files& Recorder::files() { return *files_; }
platform::Profiles& Recorder::profiles() { return *profiles_; }
platform::System& Recorder::system() { return *system_; }

std::size_t Recorder::Before(const Change& change) {
  if (mode_ == RecorderMode::kRecord) {
    bool changedBefore = false;
    for (std::size_t i = 0; i < journal_.changes.size(); ++i) {
      if (!SameTarget(journal_.changes[i], change)) continue;
      if (!journal_.changes[i].done) return i;
      changedBefore = true;
    }
    // A write the plan did not foresee, of something the apply has already
    // changed, is a step's clean-up after its own failure (the printer puts
    // its registry default back when win.ini refuses the new one). The
    // journal keeps the apply's target state: finishing the apply sets it.
    if (changedBefore) return kNotJournalled;
  }
  journal_.changes.push_back(change);
  if (mode_ == RecorderMode::kRecord) save_(journal_);
  return journal_.changes.size() - 1;
}

bool Recorder::HoldsSectionBefore(const std::string& file, const std::string& section) const {
  for (const Change& c : journal_.changes) {
    if (c.kind == ChangeKind::kProfileKey && c.sectionBefore &&
        platform::EqualsNoCaseCp932(c.path, file) &&
        platform::EqualsNoCaseCp932(c.section, section)) {
      return true;
    }
  }
  return false;
}

void Recorder::After(std::size_t index, bool durable) {
  if (index == kNotJournalled) return;
  journal_.changes[index].done = true;
  if (mode_ != RecorderMode::kRecord || !durable) return;
  // The write is made. A journal that cannot take its mark now takes it
  // with its next save: recovering reads the machine against each change's
  // two states, never the marks, so nothing is lost, whereas stopping here
  // would report a write that was made as one that was not.
  try {
    save_(journal_);
  } catch (const std::exception&) {
  }
}

}  // namespace zuba::journal
