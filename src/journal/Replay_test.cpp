#include "journal/Replay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "journal/JournalText.h"
#include "journal/Recorder.h"
#include "testing/TempMachine.h"

namespace zuba::journal {
namespace {

constexpr char kFile[] = "C:\\WINDOWS\\TEST.INI";
constexpr char kMissing[] = "(missing)";

// One profile write of an apply: a key set (or removed, without a value).
struct Write {
  const char* section;
  const char* key;
  const char* value;  // nullptr: the key is removed
};

struct Case {
  const char* what;
  const char* before;  // kMissing: no file
  std::vector<Write> writes;
};

class ReplayTest : public ::testing::Test {
 protected:
  std::string File() {
    std::string bytes;
    return machine_.files().ReadBytes(kFile, &bytes) ? bytes : kMissing;
  }
  void SetFile(const std::string& bytes) {
    if (bytes == kMissing) {
      machine_.files().RemoveFile(kFile);
    } else {
      ASSERT_TRUE(machine_.files().WriteBytes(kFile, bytes));
    }
  }
  // Plans the writes, then makes them under the recorder as an apply does,
  // and answers the journal.
  Journal Apply(const std::vector<Write>& writes) {
    Journal journal;
    auto run = [&](RecorderMode mode) {
      platform::Services m = machine_.services();
      Recorder recorder(mode, journal, m.registry, m.files, m.profiles, m.system,
                        [](const Journal&) {});
      for (const Write& w : writes) {
        if (w.value) {
          EXPECT_TRUE(recorder.profiles().WriteString(w.section, w.key, w.value, kFile));
        } else {
          EXPECT_TRUE(recorder.profiles().RemoveKey(w.section, w.key, kFile));
        }
      }
    };
    run(RecorderMode::kPlan);
    run(RecorderMode::kRecord);
    return journal;
  }
  MachineServices Machine() {
    return {machine_.registry(), machine_.files(), machine_.profiles()};
  }

  testing::TempMachine machine_;
};

// An undo gives a profile file back byte for byte from the bytes of the
// sections the apply changed, whatever the file held around them: keys
// rewritten, added and removed, sections added at the end of a file that
// ended with or without a line break, a file the apply made; and undoing
// the undo gives the applied file back.
TEST_F(ReplayTest, UndoGivesEachProfileFileBackFromItsSections) {
  const Case cases[] = {
      {"a key rewritten", "[s]\r\nk = \"old\" \r\n; note\r\n\r\n[t]\r\nk=1\r\n", {{"s", "k", "new"}}},
      {"a key added", "[S]\r\na=1\r\n;tail", {{"s", "b", "2"}, {"s", "a", "3"}}},
      {"a key removed", "[s]\r\na=1\r\nb=2\r\n[t]\r\n", {{"s", "a", nullptr}}},
      {"a section added to an open file", "[x]\r\ny=1", {{"s", "k", "v"}, {"u", "k", "w"}}},
      {"a section added to a closed file", "", {{"s", "k", "v"}}},
      {"the file made", kMissing, {{"s", "k", "v"}, {"t", "k", "w"}}},
      {"a section named twice", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", {{"s", "k", "3"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetFile(c.before);
    const Journal apply = Apply(c.writes);
    const std::string applied = File();
    ASSERT_NE(applied, c.before);
    Journal read;
    std::string error;
    ASSERT_TRUE(ParseJournal(FormatJournal(apply), &read, &error)) << error;

    const Journal undo = Inverse(Machine(), read);
    for (const Change* change : FinalChanges(undo)) {
      EXPECT_EQ(StandingOf(Machine(), *change), ChangeStanding::kOld) << DescribeChange(*change);
    }
    EXPECT_TRUE(Finish(Machine(), undo, nullptr));
    EXPECT_EQ(File(), c.before);
    EXPECT_TRUE(Finish(Machine(), undo, nullptr));  // once more, as after a crash of its own
    EXPECT_EQ(File(), c.before);
    for (const Change* change : FinalChanges(undo)) {
      EXPECT_EQ(StandingOf(Machine(), *change), ChangeStanding::kNew) << DescribeChange(*change);
      // Nothing changed since the undo: each change reads as it left it.
      const Change since = ChangeSince(Machine(), *change);
      EXPECT_EQ(since.textBefore, since.textAfter) << DescribeChange(since);
    }
    EXPECT_TRUE(Finish(Machine(), read, nullptr));
    EXPECT_EQ(File(), applied);
  }
}

// The journal holds the sections an apply changes, never the whole file:
// one key of a large settings file costs the same journal as of a small one.
TEST_F(ReplayTest, AJournalFollowsTheChangesNotTheFileSize) {
  std::string large = "[Initialize]\r\nPrevious=Home\r\n";
  for (int i = 0; i < 20000; ++i) large += "[Setting" + std::to_string(i) + "]\r\nip=10.0.0.1\r\n";
  SetFile(large);
  const Journal journal = Apply({{"Initialize", "Previous", "Office"}});
  EXPECT_LT(FormatJournal(journal).size(), 1024u);
  EXPECT_TRUE(Finish(Machine(), Inverse(Machine(), journal), nullptr));
  EXPECT_EQ(File(), large);
}

std::string Hex(const std::string& bytes) {
  std::string hex = "x";
  for (unsigned char b : bytes) {
    hex += "0123456789ABCDEF"[b >> 4];
    hex += "0123456789ABCDEF"[b & 15];
  }
  return hex;
}

// A journal of the format's versions 2 and 3, as the program wrote it
// before, carries the whole file on the first change to it: an undo still
// gives that file back whole.
TEST_F(ReplayTest, AnEarlierJournalGivesTheWholeFileBack) {
  const std::string before = "[s]\r\nk=1\r\n[t]\r\nj=2\r\n";
  for (const char* header : {"ZBJNL 2\r\nsetting x\r\nstate done\r\nrun apply\r\nrestart 0\r\n",
                             "ZBJNL 3\r\nsetting x\r\nstate done\r\nrun apply\r\nrestart 0\r\n"
                             "trial 0\r\n"}) {
    SCOPED_TRACE(header);
    std::string text = std::string(header) + "changes 2\r\n";
    text += "profile " + Hex(kFile) + " " + Hex("s") + " " + Hex("k") + " " + Hex("1") + " " +
            Hex("2") + " 1 " + Hex(before) + "\r\n";
    text += "profile " + Hex(kFile) + " " + Hex("t") + " " + Hex("j") + " " + Hex("2") + " " +
            Hex("3") + " 1 -\r\n";
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(Crc32(text)));
    text += "end " + std::string(crc) + "\r\n";
    Journal read;
    std::string error;
    ASSERT_TRUE(ParseJournal(text, &read, &error)) << error;
    EXPECT_EQ(read.changes[0].fileBefore, before);
    EXPECT_FALSE(read.changes[0].sectionBefore);
    SetFile("[s]\r\nk=2\r\n[t]\r\nj=3\r\n");
    EXPECT_TRUE(Finish(Machine(), Inverse(Machine(), read), nullptr));
    EXPECT_EQ(File(), before);
  }
}

// The journal's save that marks a file written fails (a virus scanner holds
// the journal a moment): the write stands and is answered as made, and the
// next save carries the mark. A save that fails before a write stops it.
TEST_F(ReplayTest, AJournalThatCannotBeSavedStopsOnlyTheWritesNotYetMade) {
  constexpr char kOther[] = "C:\\WINDOWS\\OTHER.TXT";
  SetFile("old\r\n");
  for (const int failing : {2, 1}) {
    Journal journal;
    std::vector<Journal> saved;
    int saves = 0;
    platform::Services m = machine_.services();
    Recorder recorder(RecorderMode::kRecord, journal, m.registry, m.files, m.profiles, m.system,
                      [&](const Journal& j) {
                        if (++saves == failing) throw std::runtime_error("journal held");
                        saved.push_back(j);
                      });
    if (failing == 1) {
      EXPECT_THROW(recorder.files().WriteBytes(kFile, "new\r\n"), std::runtime_error);
      EXPECT_EQ(File(), "old\r\n");
      continue;
    }
    EXPECT_TRUE(recorder.files().WriteBytes(kFile, "new\r\n"));
    EXPECT_EQ(File(), "new\r\n");
    EXPECT_TRUE(recorder.files().WriteBytes(kOther, "other"));
    // Saved: before the first write, before and after the second.
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_FALSE(saved[0].changes[0].done);
    ASSERT_EQ(saved[1].changes.size(), 2u);
    EXPECT_TRUE(saved[1].changes[0].done);
    EXPECT_TRUE(saved[2].changes[1].done);
    SetFile("old\r\n");
  }
}

}  // namespace
}  // namespace zuba::journal
