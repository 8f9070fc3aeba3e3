#include "journal/JournalText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace zuba::journal {
namespace {

using namespace std::string_literals;

Journal Sample() {
  Journal j;
  j.settingName = "会社 Office";
  j.restartNeeded = true;
  Change key;
  key.kind = ChangeKind::kRegistryKey;
  key.root = platform::kHkeyLocalMachine;
  key.keyPath = "Network\\Logon";
  key.textAfter = "";
  j.changes.push_back(key);
  Change value;
  value.kind = ChangeKind::kRegistryValue;
  value.root = platform::kHkeyCurrentUser;
  value.keyPath = "Software\\ソフト";
  value.valueName = "";
  value.valueBefore = platform::RegValue{platform::kRegDword, "\1\0\0\0"s};
  value.keyBefore = std::vector<NamedValue>{{"", {platform::kRegDword, "\1\0\0\0"s}},
                                             {"x y", {platform::kRegSz, "\r\n \0"s}}};
  value.done = true;
  j.changes.push_back(value);
  Change file;
  file.kind = ChangeKind::kFile;
  file.path = "C:\\WINDOWS\\hosts";
  file.textBefore = "";
  file.textAfter = "127.0.0.1 localhost\r\n\x1a"s;
  j.changes.push_back(file);
  Change profile;
  profile.kind = ChangeKind::kProfileKey;
  profile.path = "win.ini";
  profile.section = "windows";
  profile.key = "device";
  profile.textAfter = "";
  profile.sectionBefore = "[windows]\r\n";
  profile.fileEnd = ProfileFileEnd::kOpen;
  j.changes.push_back(profile);
  Change later = profile;
  later.sectionBefore.reset();
  later.key = "load";
  j.changes.push_back(later);
  Change section;
  section.kind = ChangeKind::kProfileSection;
  section.path = "C:\\WINDOWS\\TELEPHON.INI";
  section.section = "Locations";
  section.textBefore = "[Locations]\r\nCurrentLocation=1,1\r\n";
  section.fileEnd = ProfileFileEnd::kMissing;
  j.changes.push_back(section);
  return j;
}

void ExpectSame(const Journal& a, const Journal& b) {
  EXPECT_EQ(FormatJournal(a), FormatJournal(b));
  EXPECT_EQ(a.settingName, b.settingName);
  ASSERT_EQ(a.changes.size(), b.changes.size());
  EXPECT_EQ(a.changes[1].valueBefore->data, b.changes[1].valueBefore->data);
  EXPECT_FALSE(b.changes[1].valueAfter.has_value());
  EXPECT_EQ(b.changes[1].keyBefore->at(1).value.data, "\r\n \0"s);
  EXPECT_EQ(b.changes[2].textAfter, a.changes[2].textAfter);
  EXPECT_EQ(b.changes[3].textAfter, "");
  EXPECT_FALSE(b.changes[3].textBefore.has_value());
  // A section's bytes on the first change to it only, with the file's end.
  EXPECT_EQ(b.changes[3].sectionBefore, std::optional<TextState>("[windows]\r\n"));
  EXPECT_EQ(b.changes[3].fileEnd, ProfileFileEnd::kOpen);
  EXPECT_FALSE(b.changes[4].sectionBefore.has_value());
  EXPECT_EQ(b.changes[5].kind, ChangeKind::kProfileSection);
  EXPECT_EQ(b.changes[5].textBefore, a.changes[5].textBefore);
  EXPECT_FALSE(b.changes[5].textAfter.has_value());
  EXPECT_EQ(b.changes[5].fileEnd, ProfileFileEnd::kMissing);
}

TEST(JournalTextTest, EveryStateSurvivesTheFile) {
  Journal sample = Sample();
  Journal read;
  std::string error;
  ASSERT_TRUE(ParseJournal(FormatJournal(sample), &read, &error)) << error;
  ExpectSame(sample, read);
  EXPECT_EQ(read.state, JournalState::kPending);
  EXPECT_EQ(read.run, JournalRun::kApply);
  EXPECT_TRUE(read.restartNeeded);
  // A key's states: created (absent, then there) and deleted.
  EXPECT_FALSE(read.changes[0].textBefore.has_value());
  EXPECT_TRUE(read.changes[0].textAfter.has_value());

  EXPECT_FALSE(read.trial);

  sample.state = JournalState::kDone;
  sample.run = JournalRun::kUndo;
  sample.trial = true;
  std::swap(sample.changes[0].textBefore, sample.changes[0].textAfter);
  ASSERT_TRUE(ParseJournal(FormatJournal(sample), &read, &error)) << error;
  EXPECT_EQ(read.state, JournalState::kDone);
  EXPECT_EQ(read.run, JournalRun::kUndo);
  EXPECT_TRUE(read.trial);
  EXPECT_TRUE(read.changes[0].textBefore.has_value());
  EXPECT_FALSE(read.changes[0].textAfter.has_value());
}

std::string WithCrc(const std::string& body) {
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(Crc32(body)));
  return body + "end " + crc + "\r\n";
}

// A journal of the first version: no run (an apply's) and no key states
// (a key the apply creates); neither it nor one of the second version is
// on trial.
TEST(JournalTextTest, EarlierVersionsAreReadAsAppliesNotOnTrial) {
  Journal read;
  std::string error;
  ASSERT_TRUE(ParseJournal(WithCrc("ZBJNL 1\r\nsetting x41\r\nstate pending\r\nrestart 0\r\n"
                                   "changes 1\r\nkey 80000002 x4E6574 0\r\n"),
                           &read, &error))
      << error;
  EXPECT_EQ(read.run, JournalRun::kApply);
  EXPECT_FALSE(read.trial);
  ASSERT_EQ(read.changes.size(), 1u);
  EXPECT_EQ(read.changes[0].keyPath, "Net");
  EXPECT_FALSE(read.changes[0].textBefore.has_value());
  EXPECT_TRUE(read.changes[0].textAfter.has_value());

  ASSERT_TRUE(ParseJournal(WithCrc("ZBJNL 2\r\nsetting x41\r\nstate done\r\nrun undo\r\n"
                                   "restart 1\r\nchanges 0\r\n"),
                           &read, &error))
      << error;
  EXPECT_EQ(read.run, JournalRun::kUndo);
  EXPECT_FALSE(read.trial);
  // A second-version journal with a trial line is no journal of that version.
  EXPECT_FALSE(ParseJournal(WithCrc("ZBJNL 2\r\nsetting x41\r\nstate done\r\nrun undo\r\n"
                                    "restart 1\r\ntrial 1\r\nchanges 0\r\n"),
                            &read, &error));
}

// A journal is used whole or not at all: any byte changed, any cut, any
// line added is refused with a reason, and never taken for a journal.
TEST(JournalTextTest, AnyDamageIsRefused) {
  const std::string text = FormatJournal(Sample());
  Journal read;
  std::string error;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string damaged = text;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x01);
    EXPECT_FALSE(ParseJournal(damaged, &read, &error)) << "byte " << i;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ParseJournal(text.substr(0, i), &read, &error)) << "cut at " << i;
  }
  EXPECT_FALSE(ParseJournal(text + "x\r\n", &read, &error));
  EXPECT_FALSE(ParseJournal(std::string(kMaxJournalBytes + 1, 'x'), &read, &error));
  EXPECT_EQ(error, "the journal is larger than any apply writes");
}

TEST(JournalTextTest, ChecksumIsTheZipCrc) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
}

}  // namespace
}  // namespace zuba::journal

namespace zuba::journal {
namespace {

TEST(JournalTextTest, AChangeOfFormOnlyKeepsWhatTheValueHolds) {
  auto value = [](std::uint32_t type, std::string data) {
    return ValueState(platform::RegValue{type, std::move(data)});
  };
  const std::string one("\x01\0\0\0", 4);
  struct Case {
    ValueState before, after;
    bool formOnly;
  } cases[] = {
      {value(platform::kRegBinary, one), value(platform::kRegDword, one), true},
      {value(platform::kRegDword, one), value(platform::kRegBinary, one), true},
      {std::nullopt, value(platform::kRegSz, std::string(1, '\0')), true},
      {std::nullopt, value(platform::kRegSz, ""), true},
      {value(platform::kRegSz, "x"s + '\0'), value(platform::kRegExpandSz, "x"), true},
      {std::nullopt, value(platform::kRegSz, "x"), false},
      {std::nullopt, value(platform::kRegDword, std::string(4, '\0')), false},
      {value(platform::kRegSz, "1"), value(platform::kRegDword, one), false},
      {value(platform::kRegDword, one), value(platform::kRegDword, std::string(4, '\0')), false},
      {value(platform::kRegSz, ""), std::nullopt, false},
  };
  for (const Case& c : cases) {
    Change change;
    change.valueBefore = c.before;
    change.valueAfter = c.after;
    EXPECT_EQ(ChangesFormOnly(change), c.formOnly) << "case " << (&c - cases);
  }
  Change profile;
  profile.kind = ChangeKind::kProfileKey;
  profile.textAfter = "";
  EXPECT_TRUE(ChangesFormOnly(profile));
  profile.textBefore = "0";
  EXPECT_FALSE(ChangesFormOnly(profile));
}

}  // namespace
}  // namespace zuba::journal
