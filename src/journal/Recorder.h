// Services that stand between an apply and the machine and note every change
// the apply makes, with the state before it.
//
// In planning mode nothing reaches the machine: each write becomes a change
// of the journal, later reads see the planned writes, no program starts and
// nothing is broadcast or flushed, so the apply runs to its end and the
// journal holds what it would change. In recording mode every write goes to
// the machine; before it, the recorder makes sure the journal holds the
// change (a change the plan did not foresee is added, and the journal saved,
// first), and after it the change is marked done (see After). The journal
// holds the apply's target states only: a write that sets again something
// the apply has already changed, unforeseen, is a step's clean-up after its
// own failure and changes no state of the journal.
#ifndef ZUBA_JOURNAL_RECORDER_H_
#define ZUBA_JOURNAL_RECORDER_H_

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "journal/Change.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace zuba::journal {

enum class RecorderMode { kPlan, kRecord };

class Recorder {
 public:
  // `save` writes the journal durably; it is called in recording mode only,
  // and an exception it raises stops the write it guards.
  Recorder(RecorderMode mode, Journal& journal, platform::Registry& registry,
           platform::Files& files, platform::Profiles& profiles, platform::System& system,
           std::function<void(const Journal&)> save);
  ~Recorder();

  platform::Registry& registry();
  platform::Files& files();
  platform::Profiles& profiles();
  platform::System& system();

  RecorderMode mode() const { return mode_; }
  Journal& journal() { return journal_; }

  // Notes `change` before its write: the index of the journal's change it
  // is (a planned one not yet done, or a new one, saved at once), or
  // kNotJournalled for a write that is no change of the apply (a step
  // undoing its own write after a failure).
  std::size_t Before(const Change& change);
  static constexpr std::size_t kNotJournalled = static_cast<std::size_t>(-1);
  // Marks the change at `index` done. In recording mode the journal is
  // saved when the write is `durable` on the machine at once (a whole file;
  // a save that fails there stops nothing: the next save carries the mark);
  // a registry or profile write becomes durable only at the next flush of
  // the registry or the profile, so its mark is saved with the next save
  // rather than claim on disk what the disk may not hold yet.
  void After(std::size_t index, bool durable = true);

  // Whether the journal already holds the bytes of `section` of the profile
  // `file` from before the apply's first change to it.
  bool HoldsSectionBefore(const std::string& file, const std::string& section) const;

 private:
  class RecordingRegistry;
  class RecordingFiles;
  class RecordingProfiles;
  class RecordingSystem;

  RecorderMode mode_;
  Journal& journal_;
  std::function<void(const Journal&)> save_;
  std::unique_ptr<RecordingFiles> files_;
  std::unique_ptr<RecordingRegistry> registry_;
  std::unique_ptr<RecordingProfiles> profiles_;
  std::unique_ptr<RecordingSystem> system_;
};

}  // namespace zuba::journal

#endif  // ZUBA_JOURNAL_RECORDER_H_
