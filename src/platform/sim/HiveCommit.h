// Saving the hive files: a change of one hive replaces its file atomically,
// a change of both commits as one, so that after any failure or crash the
// next reader sees both hives old or both new.
//
// Every save first stages each changed hive: its new text goes to
// "<hive>.tmp" beside it and is flushed to the disk. One hive: the staged
// file is renamed over the hive. Both hives: the commit record
// DIR/registry.commit, naming the staged hives, is written (temporary file,
// flush, rename, flush of the directory); from then on the change counts as
// made. Then the staged files are renamed over their hives, the directory is
// flushed, and the record is removed (and the removal flushed, before any
// later save stages again).
//
// A crash before the record leaves the old hives and staged files that the
// next save replaces. A crash after it leaves the record: the next process
// that reads or writes the registry completes the renames first; one that
// may not write the machine reads the staged files in the hives' place. The
// registry runs every save and every completion under its exclusive lock
// and loads hives under the shared one, so no reader sees the hives between
// the two renames.
//
// The record is ASCII text with CR LF line ends: the line
// "ZUBANET-REGISTRY-COMMIT", then the file name of each hive it commits.
#ifndef ZUBA_PLATFORM_SIM_HIVECOMMIT_H_
#define ZUBA_PLATFORM_SIM_HIVECOMMIT_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/HiveFile.h"

namespace zuba::platform::sim {

class HiveCommit {
 public:
  // The hives are files directly in `directory`.
  explicit HiveCommit(std::string directory);

  // Writes `text` as the staged version of the hive `name` ("system.reg")
  // and flushes it to the disk; a staged file left by an earlier save is
  // replaced. `*stamp` receives the stamp the hive will have once committed.
  // False when it cannot be written; nothing is left behind then.
  bool Stage(const std::string& name, std::string_view text, FileStamp* stamp);

  // Makes the staged versions of `names` the hives, as one. False when
  // nothing was committed: the staged files are removed and the hives are
  // untouched. True once the change is made, even when a rename after the
  // commit point failed (the record then stays, and a later Complete
  // finishes it).
  bool Commit(const std::vector<std::string>& names);

  // Removes the staged files of `names` (a save that was given up).
  void Discard(const std::vector<std::string>& names);

  // Removes the staged files of `names` that a save cut short left, unless
  // a pending change still needs them, and the temporary files of a record
  // whose writing was cut short. Called under the registry's
  // exclusive lock, when no other save can be staging.
  void DiscardLeft(const std::vector<std::string>& names);

  // Whether a committed change waits to be completed (its writer crashed, or
  // a rename failed).
  bool Pending() const;

  // Completes a pending change: every staged file it names that is still
  // there is renamed over its hive, then the record goes. `*completed` (when
  // given) receives the hives renamed now. True when nothing is pending any
  // more; false when the machine cannot be written (the record stays).
  bool Complete(std::vector<std::string>* completed = nullptr);

  // The path of the file that holds the hive's committed content: its staged
  // file while a pending change names it, else the hive file itself.
  std::string CommittedPath(const std::string& name) const;

  std::string HivePath(const std::string& name) const { return directory_ + "/" + name; }

 private:
  std::string StagedPath(const std::string& name) const { return HivePath(name) + ".tmp"; }
  std::string RecordPath() const { return directory_ + "/registry.commit"; }
  // The hive names of the pending record; false when there is none.
  bool ReadRecord(std::vector<std::string>* names) const;
  bool SyncDirectory() const;

  std::string directory_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HIVECOMMIT_H_
