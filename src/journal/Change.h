// What one apply changes on the machine, each change with the state before
// and the state the apply writes, so that an apply can be shown before it
// runs, finished after it was cut short, or undone.
#ifndef ZUBA_JOURNAL_CHANGE_H_
#define ZUBA_JOURNAL_CHANGE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zuba::journal {

enum class ChangeKind {
  kRegistryKey,    // a key the apply creates; before: absent
  kRegistryValue,  // a value set or deleted
  kFile,           // a file's whole content replaced, created or removed
  kProfileKey,     // one key of a profile (INI) file set or removed
  kProfileSection, // one section of a profile file set back whole (an undo's)
};

// What a profile file held after its last line, for a section an apply
// adds at its end: nothing more (the file ended in a line break, or was
// empty), a last line without a line break (the write adds one before the
// section), or no file at all (the write makes it).
enum class ProfileFileEnd { kClosed, kOpen, kMissing };

// A registry value's state: absent, or its type and raw data.
using ValueState = std::optional<platform::RegValue>;
// A file's or a profile key's state: absent, or its bytes.
using TextState = std::optional<std::string>;

// One named value of a key, in the key's order.
struct NamedValue {
  std::string name;
  platform::RegValue value;
};

struct Change {
  ChangeKind kind = ChangeKind::kRegistryValue;
  // kRegistryKey, kRegistryValue: the root and the path below it, without a
  // leading backslash; the value's name (kRegistryValue).
  platform::RegKey root = 0;
  std::string keyPath;
  std::string valueName;
  ValueState valueBefore, valueAfter;
  // kRegistryValue: the key's values in their order before the first change
  // to the key, kept on the first change of each key only, so that an undo
  // puts a deleted value back where it stood.
  std::optional<std::vector<NamedValue>> keyBefore;
  // kFile: the file; kProfileKey: the profile file, section and key;
  // kProfileSection: the profile file and section.
  std::string path, section, key;
  // kProfileSection: the section's bytes (platform::SectionSpan), absent
  // when the file has no such section.
  TextState textBefore, textAfter;
  // kProfileKey: the bytes of the key's section before the first change to
  // that section of that file (on that change only; absent inside: the file
  // had no such section), so that an undo gives back the file's exact bytes
  // while the journal holds what the apply changes, not the whole file.
  std::optional<TextState> sectionBefore;
  // kProfileKey with sectionBefore, kProfileSection: the file's end, for a
  // section that was not there (ProfileFileEnd).
  ProfileFileEnd fileEnd = ProfileFileEnd::kClosed;
  // kProfileKey in journals of the format's version 2: the whole profile
  // file before the first change to it (on that change only).
  TextState fileBefore;
  bool done = false;  // the write has happened
};

// Whether two changes name the same thing (the same value, key, file or
// profile key); names compare without regard to ASCII letter case.
bool SameTarget(const Change& a, const Change& b);

// Whether the change leaves its target as it was (a value written again
// with what it held).
bool ChangesNothing(const Change& change);

// Whether the change alters only a value's form: a registry value keeps its
// bytes under another type (dword 1 and hex:01,00,00,00), or an empty
// string (or profile key) is made where there was none. What such a
// change sets, the machine held already.
bool ChangesFormOnly(const Change& change);

enum class JournalState { kPending, kDone };

// Which side of the apply the journal's latest run brings the machine to:
// the apply itself and a finish go to the states after it, an undo to the
// states before it. The changes stay those of the apply either way, so an
// undo cut short, and any number of runs after it, still work from the
// apply's own states.
enum class JournalRun { kApply, kUndo };

// The journal of one apply: the setting applied, the latest run and
// whether it reached its end, whether the apply is on trial, and the
// apply's changes in the order they are made.
struct Journal {
  std::string settingName;
  JournalState state = JournalState::kPending;
  JournalRun run = JournalRun::kApply;
  bool restartNeeded = false;
  // A trial apply the user has neither kept nor undone yet: the next start
  // of the program asks whether to keep it.
  bool trial = false;
  std::vector<Change> changes;
};

}  // namespace zuba::journal

#endif  // ZUBA_JOURNAL_CHANGE_H_
