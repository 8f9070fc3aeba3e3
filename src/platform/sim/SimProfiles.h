// The private-profile functions of Windows over the machine's Files: see
// IniText for how a file is read and edited. A file name without '\', '/'
// or ':' names a file in the Windows directory. Parsed files are cached and
// parsed again when Files::ChangeStamp changes; every write replaces the
// file atomically through Files::WriteBytes.
//
// Each write is one read-modify-write under a lock that every process of
// the machine takes (a HostLock on DIR/profiles.lock): the file is read
// afresh under it, so writes of different sections or keys by different
// processes never lose each other, as Windows 9x serialises profile writes
// through its one cache.
//
// Writes held (HoldWrites) are edits of this process's copy of the file,
// each kept to be made again: Flush reads the file under the lock and
// writes the copy in one replacement, or, when another process has
// written the file meanwhile, makes the held edits again on its text.
//
// Buffers behave as on Windows 9x: a value comes back cut to the buffer
// (bufferSize - 1 bytes), and no read returns more than 32,766 bytes; a
// value is cut at its first zero byte, as a C string would be. Section
// names fit whole or not at all (see GetSectionNames in Profiles.h); a
// section's entries are cut like its key names. Empty section or key names
// match nothing and cannot be written. A value longer than 32,766 bytes is
// not written (the call fails); a whole section written at once has no
// limit. A file that exists but
// cannot be read reads as empty and is never written over.
#ifndef ZUBA_PLATFORM_SIM_SIMPROFILES_H_
#define ZUBA_PLATFORM_SIM_SIMPROFILES_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/sim/HostLock.h"
#include "platform/sim/IniText.h"

namespace zuba::platform::sim {

class SimProfiles : public Profiles {
 public:
  // `files` must outlive the object. `lockPath`: the host file whose lock
  // every writer takes; empty: writes take no lock (a single process).
  // `tidy` (when given) is called with the path of a write that finds the
  // file as it would write it, so that the file's temporary files that
  // writes cut short left go all the same (SimFiles::RemoveLeftTemporaries).
  explicit SimProfiles(Files& files, std::string lockPath = std::string(),
                       std::function<void(const std::string&)> tidy = nullptr);

  std::size_t GetString(const std::string& section, const std::string& key, const std::string& def,
                        std::string* value, std::size_t bufferSize,
                        const std::string& file) override;
  std::size_t GetKeyNames(const std::string& section, std::string* names, std::size_t bufferSize,
                          const std::string& file) override;
  std::size_t GetSectionNames(std::string* names, std::size_t bufferSize,
                              const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& file) override;
  bool RemoveSection(const std::string& section, const std::string& file) override;
  std::size_t GetSection(const std::string& section, std::string* entries, std::size_t bufferSize,
                         const std::string& file) override;
  // No limit on the size of the entries (Windows documents 65,535 bytes).
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override;
  // True: every write has already replaced the file when it returned, so
  // nothing is held back.
  bool Flush(const std::string& file) override;
  void HoldWrites(const std::string& file) override;
  bool DropHeldWrites(const std::string& file) override;

 private:
  struct Cached {
    std::uint64_t stamp = 0;
    std::shared_ptr<const IniText> text;
  };

  // Whether a file is there and could be read.
  enum class FileState { kMissing, kRead, kUnreadable };

  // One write's edit: the new text, `*changed` telling whether it differs.
  using Edit = std::function<std::string(const IniText&, bool* changed)>;
  // The writes held for one file.
  struct Held {
    std::shared_ptr<const IniText> base;  // the file before them (null until the first)
    FileState baseState = FileState::kMissing;
    std::shared_ptr<const IniText> text;  // `base` with `edits` made
    std::vector<Edit> edits;
  };

  std::string FullPath(const std::string& file);
  // The parsed file as this process sees it (its held writes made); the
  // empty text when it is missing or unreadable.
  std::shared_ptr<const IniText> Load(const std::string& path, FileState* state);
  // The parsed file as it is on the disk.
  std::shared_ptr<const IniText> LoadFile(const std::string& path, FileState* state);
  // Makes one write: at once, or held.
  bool Write(const std::string& file, Edit edit);
  bool Store(const std::string& path, std::shared_ptr<const IniText> text);
  // A write that finds its result in place: nothing to store.
  bool Unchanged(const std::string& path);
  // Runs one read-modify-write of a file under the writers' lock.
  template <typename Change>
  bool Locked(Change change);

  Files& files_;
  std::shared_ptr<const IniText> empty_;
  std::unordered_map<std::string, Cached> cache_;
  std::unordered_map<std::string, Held> held_;  // by folded path
  std::string readBuffer_;  // what Load reads a file into
  std::unique_ptr<HostLock> writers_;
  std::function<void(const std::string&)> tidy_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMPROFILES_H_
