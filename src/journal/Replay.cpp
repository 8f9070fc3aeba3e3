#include "journal/Replay.h"

#include <set>

#include "platform/Cp932.h"
#include "platform/ProfileSections.h"
#include "platform/WinError.h"

namespace zuba::journal {
namespace {

using platform::RegKey;

std::string RootName(RegKey root) {
  return root == platform::kHkeyLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string KeyName(const Change& c) { return RootName(c.root) + "\\" + c.keyPath; }

ValueState CurrentValue(platform::Registry& registry, const Change& c) {
  RegKey key;
  if (registry.OpenKey(c.root, c.keyPath, &key) != platform::kErrorSuccess) return std::nullopt;
  platform::RegValue value;
  const long rc = registry.QueryValue(key, c.valueName, &value);
  registry.CloseKey(key);
  if (rc != platform::kErrorSuccess) return std::nullopt;
  return value;
}

bool KeyExists(platform::Registry& registry, RegKey root, const std::string& path) {
  RegKey key;
  if (registry.OpenKey(root, path, &key) != platform::kErrorSuccess) return false;
  registry.CloseKey(key);
  return true;
}

TextState CurrentFile(platform::Files& files, const std::string& path) {
  std::string bytes;
  if (!files.ReadBytes(path, &bytes)) return std::nullopt;
  return bytes;
}

// The bytes of a section of a profile file as it stands, absent when the
// file has no such section.
TextState CurrentSection(platform::Files& files, const Change& c) {
  std::string bytes;
  if (!files.ReadBytes(c.path, &bytes)) return std::nullopt;
  const std::optional<platform::SectionSpan> span = platform::FindProfileSection(bytes, c.section);
  if (!span) return std::nullopt;
  return bytes.substr(span->begin, span->end - span->begin);
}

// Sets a section of a profile file to `c.textAfter` in one write of the
// file: its bytes replaced, added at the end, or taken away with what its
// adding brought (the line break before it, the file itself).
bool SetSection(platform::Files& files, const Change& c) {
  std::string bytes;
  const bool exists = files.ReadBytes(c.path, &bytes);
  const std::optional<platform::SectionSpan> span = platform::FindProfileSection(bytes, c.section);
  if (c.textAfter) {
    if (span) {
      bytes.replace(span->begin, span->end - span->begin, *c.textAfter);
    } else {
      if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
      bytes += *c.textAfter;
    }
    return files.WriteBytes(c.path, bytes);
  }
  if (!span) return true;
  bytes.erase(span->begin, span->end - span->begin);
  if (c.fileEnd == ProfileFileEnd::kOpen && span->begin == bytes.size() && bytes.size() >= 2 &&
      bytes.compare(bytes.size() - 2, 2, "\r\n") == 0) {
    bytes.resize(bytes.size() - 2);
  }
  if (c.fileEnd == ProfileFileEnd::kMissing && bytes.empty()) {
    return !exists || files.RemoveFile(c.path);
  }
  return files.WriteBytes(c.path, bytes);
}

bool SameValue(const ValueState& a, const ValueState& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->type == b->type && a->data == b->data);
}

bool SetTo(MachineServices m, const Change& c) {
  switch (c.kind) {
    case ChangeKind::kRegistryKey: {
      if (!c.textAfter) {
        const long rc = m.registry.DeleteKey(c.root, c.keyPath);
        return rc == platform::kErrorSuccess || rc == platform::kErrorFileNotFound;
      }
      RegKey key;
      if (m.registry.CreateKey(c.root, c.keyPath, &key) != platform::kErrorSuccess) return false;
      m.registry.CloseKey(key);
      return true;
    }
    case ChangeKind::kRegistryValue: {
      RegKey key;
      long rc = m.registry.OpenKey(c.root, c.keyPath, &key);
      if (rc == platform::kErrorFileNotFound) {
        if (!c.valueAfter) return true;
        rc = m.registry.CreateKey(c.root, c.keyPath, &key);
      }
      if (rc != platform::kErrorSuccess) return false;
      rc = c.valueAfter ? m.registry.SetValue(key, c.valueName, *c.valueAfter)
                        : m.registry.DeleteValue(key, c.valueName);
      m.registry.CloseKey(key);
      return rc == platform::kErrorSuccess || (!c.valueAfter && rc == platform::kErrorFileNotFound);
    }
    case ChangeKind::kFile:
      if (c.textAfter) return m.files.WriteBytes(c.path, *c.textAfter);
      return m.files.GetAttributes(c.path) == platform::kInvalidAttributes ||
             m.files.RemoveFile(c.path);
    case ChangeKind::kProfileKey:
      return c.textAfter ? m.profiles.WriteString(c.section, c.key, *c.textAfter, c.path)
                         : m.profiles.RemoveKey(c.section, c.key, c.path);
    case ChangeKind::kProfileSection:
      return SetSection(m.files, c);
  }
  return false;
}

// Whether the journal's changes of the profile `path` carry their
// sections' bytes (the format's version 3 and later).
bool HasSectionBytes(const Journal& journal, const std::string& path) {
  for (const Change& c : journal.changes) {
    if (c.kind == ChangeKind::kProfileKey && c.sectionBefore &&
        platform::EqualsNoCaseCp932(c.path, path)) {
      return true;
    }
  }
  return false;
}

Change Reversed(Change c) {
  std::swap(c.valueBefore, c.valueAfter);
  std::swap(c.textBefore, c.textAfter);
  c.keyBefore.reset();
  c.sectionBefore.reset();
  c.fileBefore.reset();
  c.done = false;
  return c;
}

}  // namespace

TextState ProfileKeyState(platform::Profiles& profiles, const std::string& file,
                          const std::string& section, const std::string& key) {
  // A default no file can hold tells a missing key from an empty one.
  static const std::string kMissing("\x7F\x01missing\x01\x7F");
  std::string value;
  profiles.GetString(section, key, kMissing, &value, 65536, file);
  if (value == kMissing) return std::nullopt;
  return value;
}

std::string ProfileFilePath(platform::Files& files, const std::string& file) {
  return file.find('\\') == std::string::npos && file.find(':') == std::string::npos
             ? files.WindowsDirectory() + "\\" + file
             : file;
}

ChangeStanding StandingOf(MachineServices m, const Change& c) {
  switch (c.kind) {
    case ChangeKind::kRegistryKey: {
      const bool exists = KeyExists(m.registry, c.root, c.keyPath);
      if (exists == c.textAfter.has_value()) return ChangeStanding::kNew;
      return exists == c.textBefore.has_value() ? ChangeStanding::kOld : ChangeStanding::kOther;
    }
    case ChangeKind::kRegistryValue: {
      const ValueState now = CurrentValue(m.registry, c);
      if (SameValue(now, c.valueAfter)) return ChangeStanding::kNew;
      return SameValue(now, c.valueBefore) ? ChangeStanding::kOld : ChangeStanding::kOther;
    }
    case ChangeKind::kFile: {
      const TextState now = CurrentFile(m.files, c.path);
      if (now == c.textAfter) return ChangeStanding::kNew;
      return now == c.textBefore ? ChangeStanding::kOld : ChangeStanding::kOther;
    }
    case ChangeKind::kProfileKey: {
      const TextState now = ProfileKeyState(m.profiles, c.path, c.section, c.key);
      if (now == c.textAfter) return ChangeStanding::kNew;
      return now == c.textBefore ? ChangeStanding::kOld : ChangeStanding::kOther;
    }
    case ChangeKind::kProfileSection: {
      const TextState now = CurrentSection(m.files, c);
      if (now == c.textAfter) return ChangeStanding::kNew;
      return now == c.textBefore ? ChangeStanding::kOld : ChangeStanding::kOther;
    }
  }
  return ChangeStanding::kOther;
}

Change ChangeSince(MachineServices m, const Change& c) {
  Change since = c;
  since.keyBefore.reset();
  since.fileBefore.reset();
  since.done = false;
  switch (c.kind) {
    case ChangeKind::kRegistryKey:
      since.textBefore = c.textAfter;
      since.textAfter = KeyExists(m.registry, c.root, c.keyPath) ? TextState("") : std::nullopt;
      break;
    case ChangeKind::kRegistryValue:
      since.valueBefore = c.valueAfter;
      since.valueAfter = CurrentValue(m.registry, c);
      break;
    case ChangeKind::kFile:
      since.textBefore = c.textAfter;
      since.textAfter = CurrentFile(m.files, c.path);
      break;
    case ChangeKind::kProfileKey:
      since.textBefore = c.textAfter;
      since.textAfter = ProfileKeyState(m.profiles, c.path, c.section, c.key);
      break;
    case ChangeKind::kProfileSection:
      since.sectionBefore.reset();
      since.textBefore = c.textAfter;
      since.textAfter = CurrentSection(m.files, c);
      break;
  }
  return since;
}

bool Finish(MachineServices machine, const Journal& journal, std::vector<std::string>* failed) {
  bool ok = true;
  for (const Change& c : journal.changes) {
    if (!SetTo(machine, c)) {
      ok = false;
      if (failed) failed->push_back(DescribeChange(c));
    }
  }
  return ok;
}

Journal Inverse(MachineServices m, const Journal& journal) {
  Journal inverse;
  inverse.settingName = journal.settingName;
  inverse.restartNeeded = journal.restartNeeded;
  // Keys the apply deleted come back first, parents before children, so
  // that they stand in their old order.
  for (const Change& c : journal.changes) {
    if (c.kind == ChangeKind::kRegistryKey && c.textBefore && !c.textAfter) {
      inverse.changes.push_back(Reversed(c));
    }
  }
  // Each section of a profile file the apply wrote gets its old bytes back,
  // last first (a section the apply added at a file's end goes before the
  // one added ahead of it); the apply's first change to the section carries
  // them. A journal of the format's version 2 carries whole files instead:
  // the first change to a file, without a section's bytes, gives the file
  // its old bytes back whole (none: the file was not there).
  std::set<std::string> files;
  std::vector<Change> sections;
  for (const Change& c : journal.changes) {
    if (c.kind != ChangeKind::kProfileKey) continue;
    const bool firstOfFile = files.insert(platform::FoldCp932(c.path)).second;
    if (c.sectionBefore) {
      Change section;
      section.kind = ChangeKind::kProfileSection;
      section.path = ProfileFilePath(m.files, c.path);
      section.section = c.section;
      section.textBefore = CurrentSection(m.files, section);
      section.textAfter = *c.sectionBefore;
      section.fileEnd = c.fileEnd;
      sections.push_back(section);
      continue;
    }
    if (!firstOfFile || HasSectionBytes(journal, c.path)) continue;
    Change file;
    file.kind = ChangeKind::kFile;
    file.path = ProfileFilePath(m.files, c.path);
    file.textBefore = CurrentFile(m.files, file.path);
    file.textAfter = c.fileBefore;
    inverse.changes.push_back(file);
  }
  inverse.changes.insert(inverse.changes.end(), sections.rbegin(), sections.rend());
  for (auto it = journal.changes.rbegin(); it != journal.changes.rend(); ++it) {
    const Change& c = *it;
    if (c.kind == ChangeKind::kProfileKey ||
        (c.kind == ChangeKind::kRegistryKey && c.textBefore && !c.textAfter)) {
      continue;
    }
    Change back = Reversed(c);
    if (c.kind == ChangeKind::kRegistryValue) back.valueBefore = CurrentValue(m.registry, c);
    if (c.kind == ChangeKind::kFile) back.textBefore = CurrentFile(m.files, c.path);
    inverse.changes.push_back(back);
  }
  // A value that the apply deleted comes back at the end of its key: the
  // values that stood after it are set again behind it, in their old order.
  for (const Change& c : journal.changes) {
    if (c.kind != ChangeKind::kRegistryValue || !c.keyBefore) continue;
    const std::vector<NamedValue>& old = *c.keyBefore;
    std::size_t first = old.size();
    for (const Change& d : journal.changes) {
      if (d.kind != ChangeKind::kRegistryValue || !d.valueBefore || d.valueAfter ||
          d.root != c.root || !platform::EqualsNoCaseCp932(d.keyPath, c.keyPath)) {
        continue;
      }
      for (std::size_t i = 0; i < old.size(); ++i) {
        if (platform::EqualsNoCaseCp932(old[i].name, d.valueName) && i < first) first = i;
      }
    }
    for (std::size_t i = first + 1; i < old.size(); ++i) {
      Change drop;
      drop.kind = ChangeKind::kRegistryValue;
      drop.root = c.root;
      drop.keyPath = c.keyPath;
      drop.valueName = old[i].name;
      drop.valueBefore = old[i].value;
      Change set = drop;
      std::swap(set.valueBefore, set.valueAfter);
      inverse.changes.push_back(drop);
      inverse.changes.push_back(set);
    }
  }
  return inverse;
}

std::vector<const Change*> FinalChanges(const Journal& journal) {
  std::vector<const Change*> final;
  const std::vector<Change>& changes = journal.changes;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    bool later = false;
    for (std::size_t j = i + 1; j < changes.size() && !later; ++j) {
      later = SameTarget(changes[i], changes[j]);
    }
    if (!later) final.push_back(&changes[i]);
  }
  return final;
}

std::string DescribeChange(const Change& c) {
  auto value = [](const ValueState& v) -> std::string {
    if (!v) return "(なし)";
    if (v->type == platform::kRegDword && v->data.size() == 4) {
      const auto* b = reinterpret_cast<const unsigned char*>(v->data.data());
      return std::to_string(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
    }
    if (v->type == platform::kRegSz || v->type == platform::kRegExpandSz) {
      std::string text = v->data;
      if (!text.empty() && text.back() == '\0') text.pop_back();
      return "\"" + text + "\"";
    }
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : v->data) {
      if (!hex.empty()) hex += ',';
      hex += kHex[b >> 4];
      hex += kHex[b & 15];
    }
    return "hex:" + hex;
  };
  auto text = [](const TextState& t) { return t ? "\"" + *t + "\"" : std::string("(なし)"); };
  auto file = [](const TextState& t) {
    return t ? std::to_string(t->size()) + " バイト" : std::string("(なし)");
  };
  switch (c.kind) {
    case ChangeKind::kRegistryKey:
      return "[" + KeyName(c) + "] " + (c.textBefore ? "あり" : "なし") + " -> " +
             (c.textAfter ? "あり" : "なし");
    case ChangeKind::kRegistryValue:
      return "[" + KeyName(c) + "] " + (c.valueName.empty() ? "@" : "\"" + c.valueName + "\"") +
             ": " + value(c.valueBefore) + " -> " + value(c.valueAfter);
    case ChangeKind::kFile:
      return c.path + ": " + file(c.textBefore) + " -> " + file(c.textAfter);
    case ChangeKind::kProfileKey:
      return c.path + " [" + c.section + "] " + c.key + ": " + text(c.textBefore) + " -> " +
             text(c.textAfter);
    case ChangeKind::kProfileSection:
      return c.path + " [" + c.section + "]: " + file(c.textBefore) + " -> " + file(c.textAfter);
  }
  return "";
}

}  // namespace zuba::journal
