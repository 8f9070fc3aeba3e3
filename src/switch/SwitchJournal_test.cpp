#include "switch/SwitchJournal.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "journal/Replay.h"
#include "platform/sim/SimulatedMachine.h"
#include "switch/MachineStanding.h"
#include "switch/TrialEntry.h"
#include "system/MyRegs.h"
#include "testing/RecordingShell.h"
#include "testing/TempMachine.h"

namespace zuba::switching {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::pair<std::string, std::string>>;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\ZUBANET.INI";
constexpr char kJournal[] = "C:\\ZUBANET\\ZUBANET.JNL";

// A setting with registry items, DNS, WINS, workgroup, logon, proxy,
// dial-up, printer and hosts: every kind of write an apply makes.
const Items kOffice = {
    {"ip", "10.1.2.3"},   {"gw", "10.1.2.1"},         {"ms", "255.255.0.0"},
    {"de", "1"},          {"dh", "office-pc"},        {"dd", "office.example"},
    {"di", "10.1.0.53"},  {"ds", "office.example"},   {"wg", "OFFICE"},
    {"lc", "OFFICEPC"},   {"cc", "会社の端末"},        {"fs", "No"},
    {"ps", "Yes"},        {"li", "hanako"},           {"ld", "OFFICEDOM"},
    {"wp", "10.1.0.10"},  {"ws", "10.1.0.11"},        {"nt", "8"},
    {"wi", "scope"},      {"lo", "0"},                {"pe", "1"},
    {"pv", "proxy.office:8080"}, {"pa", ""},          {"pf", "ソフト開発部"},
    {"pc", "1"},          {"pd", "0"},                {"tl", "会社"},
    {"pr", "カラー プリンタ"}};

// The machine's files an apply may change, as bytes: the profiles too (the
// settings file and telephon.ini, which the template lacks).
const char* const kMachineFiles[] = {"system.reg", "user.reg", "drive_c/WINDOWS/WIN.INI",
                                     "drive_c/WINDOWS/hosts", "drive_c/WINDOWS/lmhosts",
                                     "drive_c/WINDOWS/TELEPHON.INI", "drive_c/ZUBANET/ZUBANET.INI"};

std::string HostFile(const std::string& path) {
  if (!fs::exists(path)) return "(missing)";
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string MachineBytes(const std::string& dir) {
  std::string all;
  for (const char* file : kMachineFiles) all += std::string(file) + ":\n" + HostFile(dir + "/" + file);
  return all;
}

ApplyRequest OfficeRequest(platform::System& system) {
  ApplyRequest request;
  request.settingName = "Office";
  request.settingsFile = kSettingsFile;
  core::InitRegList(request.setting, false, system);
  for (const auto& [code, value] : kOffice) {
    core::TNetReg& item = request.setting[core::FindItemIndex(code)];
    item.Value = value;
    item.IsSet = true;
  }
  request.changeLogon = true;
  request.logonChoice = 0;
  request.hosts = {"C:\\WINDOWS\\hosts.office", "C:\\WINDOWS\\hosts", true};
  request.printer = "カラー プリンタ";
  return request;
}

class SwitchJournalTest : public ::testing::Test {
 protected:
  SwitchJournalTest() {
    EXPECT_TRUE(machine_.profiles().WriteString("NIC_registry_list", "Office", "0000",
                                                kSettingsFile));
  }

  SwitchJournal Journal(platform::sim::Machine& m) {
    return SwitchJournal({*m.registry, *m.files, *m.profiles, *m.system}, ui_, kJournal);
  }
  SwitchJournal Journal() { return Journal(machine_.machine()); }

  // A copy of the machine's directory (closed first, so its files are whole).
  std::string CopyOf(const std::string& name) {
    machine_.Reopen();
    const std::string copy = scratch_.path() + "/" + name;
    fs::copy(machine_.directory(), copy, fs::copy_options::recursive);
    return copy;
  }

  testing::TempMachine machine_;
  testing::TempDir scratch_;
  testing::RecordingShell ui_;
};

TEST_F(SwitchJournalTest, PreviewWritesNothingAndListsWhatTheApplyChanges) {
  const std::string before = CopyOf("before");
  const journal::Journal plan = Journal().Plan(OfficeRequest(machine_.system()));
  machine_.Reopen();
  EXPECT_EQ(MachineBytes(machine_.directory()), MachineBytes(before));
  EXPECT_EQ(machine_.files().GetAttributes(kJournal), platform::kInvalidAttributes);
  ASSERT_FALSE(plan.changes.empty());
  EXPECT_TRUE(plan.restartNeeded);

  Journal().Apply(OfficeRequest(machine_.system()));
  journal::Journal applied;
  ASSERT_TRUE(Journal().Load(&applied));
  EXPECT_EQ(applied.state, journal::JournalState::kDone);
  ASSERT_EQ(applied.changes.size(), plan.changes.size());
  for (std::size_t i = 0; i < plan.changes.size(); ++i) {
    EXPECT_TRUE(journal::SameTarget(plan.changes[i], applied.changes[i]))
        << journal::DescribeChange(plan.changes[i]);
    EXPECT_TRUE(applied.changes[i].done) << journal::DescribeChange(applied.changes[i]);
  }
  // The machine now matches the setting: a second preview changes nothing.
  const std::string text = PreviewText(Journal().Plan(OfficeRequest(machine_.system())));
  EXPECT_NE(text.find("変更はありません"), std::string::npos) << text;
}

TEST_F(SwitchJournalTest, UndoGivesBackTheMachineByteForByteAndUndoingTheUndoReapplies) {
  const std::string before = CopyOf("before");
  Journal().Apply(OfficeRequest(machine_.system()));
  const std::string after = CopyOf("after");
  ASSERT_NE(MachineBytes(after), MachineBytes(before));

  journal::Journal last;
  ASSERT_TRUE(Journal().Load(&last));
  EXPECT_TRUE(Journal().ChangedSince(last).values.empty());
  Journal().Undo(last);
  machine_.Reopen();
  EXPECT_EQ(MachineBytes(machine_.directory()), MachineBytes(before));

  ASSERT_TRUE(Journal().Load(&last));
  Journal().Undo(last);
  machine_.Reopen();
  EXPECT_EQ(MachineBytes(machine_.directory()), MachineBytes(after));
}

TEST_F(SwitchJournalTest, ValuesChangedSinceTheApplyAreListed) {
  Journal().Apply(OfficeRequest(machine_.system()));
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\WINDOWS\\hosts", "changed by hand\r\n"));
  journal::Journal last;
  ASSERT_TRUE(Journal().Load(&last));
  // A value the apply wrote, given back its bytes under another type: its
  // form changed, not what it holds.
  const journal::Change* retyped = nullptr;
  for (const journal::Change& c : last.changes) {
    if (c.kind == journal::ChangeKind::kRegistryValue && c.valueAfter && !c.valueAfter->data.empty()) {
      retyped = &c;
      break;
    }
  }
  ASSERT_NE(retyped, nullptr);
  platform::RegKey key;
  ASSERT_EQ(machine_.registry().OpenKey(retyped->root, retyped->keyPath, &key), 0);
  platform::RegValue value = *retyped->valueAfter;
  value.type = value.type == platform::kRegBinary ? platform::kRegDword : platform::kRegBinary;
  ASSERT_EQ(machine_.registry().SetValue(key, retyped->valueName, value), 0);
  machine_.registry().CloseKey(key);

  const switching::ChangedValues changed = Journal().ChangedSince(last);
  ASSERT_EQ(changed.values.size(), 1u);
  EXPECT_NE(changed.values[0].find("C:\\WINDOWS\\hosts"), std::string::npos);
  ASSERT_EQ(changed.formOnly.size(), 1u);
  EXPECT_NE(changed.formOnly[0].find(retyped->valueName), std::string::npos) << changed.formOnly[0];
}

TEST_F(SwitchJournalTest, ADamagedJournalIsReportedAndNeverUsed) {
  Journal().Apply(OfficeRequest(machine_.system()));
  std::string text;
  ASSERT_TRUE(machine_.files().ReadBytes(kJournal, &text));
  text[text.size() / 2] ^= 0x20;
  ASSERT_TRUE(machine_.files().WriteBytes(kJournal, text));
  journal::Journal read;
  try {
    Journal().Load(&read);
    ADD_FAILURE() << "a damaged journal was read";
  } catch (const system::Exception& error) {
    EXPECT_NE(std::string(error.what()).find("ZUBANET.JNL"), std::string::npos);
  }
}

// A trial leaves the RunOnce entry that starts the program with /K; keeping
// it ends the trial and removes the entry, the journal staying for an undo;
// undoing it removes the entry with the rest, byte for byte.
TEST_F(SwitchJournalTest, ATrialIsKeptOrUndoneWithItsRunOnceEntry) {
  const std::string before = CopyOf("before");
  auto entry = [&] {
    platform::RegKey key;
    platform::RegValue value;
    if (machine_.registry().OpenKey(platform::kHkeyLocalMachine, kRunOnceKeyPath, &key) != 0) {
      return std::string("(no key)");
    }
    const long rc = machine_.registry().QueryValue(key, kTrialEntryName, &value);
    machine_.registry().CloseKey(key);
    if (rc != 0) return std::string("(none)");
    return value.data.substr(0, value.data.find('\0'));
  };
  for (const bool keep : {true, false}) {
    Journal().Apply(OfficeRequest(machine_.system()), true);
    EXPECT_EQ(entry(), "\"C:\\ZUBANET\\ZUBANET.EXE\" /K");
    journal::Journal trial;
    ASSERT_TRUE(Journal().Load(&trial));
    EXPECT_TRUE(trial.trial);
    EXPECT_EQ(trial.state, journal::JournalState::kDone);
    // The entry is no difference: Windows removes it before it starts us.
    system::DeleteRegValue(machine_.registry(), platform::kHkeyLocalMachine,
                           std::string("\\") + kRunOnceKeyPath, kTrialEntryName);
    EXPECT_TRUE(Journal().DifferencesSince(trial).empty());
    EXPECT_TRUE(Journal().ChangedSince(trial).values.empty());
    ASSERT_TRUE(system::WriteRegString(machine_.registry(), platform::kHkeyLocalMachine,
                                       "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP",
                                       "WorkGroup", "BYHAND"));
    const std::vector<std::string> differences = Journal().DifferencesSince(trial);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_NE(differences[0].find("\"WorkGroup\": \"OFFICE\" -> \"BYHAND\""), std::string::npos)
        << differences[0];

    if (keep) {
      ASSERT_TRUE(system::WriteRegString(machine_.registry(), platform::kHkeyLocalMachine,
                                         std::string("\\") + kRunOnceKeyPath, kTrialEntryName,
                                         "left"));
      Journal().Keep(trial);
      EXPECT_EQ(entry(), "(none)");
      ASSERT_TRUE(Journal().Load(&trial));
      EXPECT_FALSE(trial.trial);
      EXPECT_EQ(trial.run, journal::JournalRun::kApply);
      Journal().Undo(trial);
    } else {
      Journal().RunToward(trial, journal::JournalRun::kUndo);
      ASSERT_TRUE(Journal().Load(&trial));
      EXPECT_FALSE(trial.trial);
    }
    machine_.Reopen();
    EXPECT_EQ(MachineBytes(machine_.directory()), MachineBytes(before)) << keep;
  }
}

// The machine holds a setting when applying it would change nothing but
// the settings file's own record; a target set and set back counts as
// unchanged.
TEST_F(SwitchJournalTest, TheMachineHoldsASettingOnceItsPlanChangesNothing) {
  EXPECT_FALSE(MachineHolds(Journal().Plan(OfficeRequest(machine_.system())), kSettingsFile));
  Journal().Apply(OfficeRequest(machine_.system()));
  journal::Journal plan = Journal().Plan(OfficeRequest(machine_.system()));
  EXPECT_TRUE(MachineHolds(plan, kSettingsFile));

  ASSERT_TRUE(machine_.profiles().WriteString("Initialize", "Previous", "Other", kSettingsFile));
  plan = Journal().Plan(OfficeRequest(machine_.system()));
  EXPECT_TRUE(MachineHolds(plan, kSettingsFile));

  journal::Change there;
  there.kind = journal::ChangeKind::kFile;
  there.path = "C:\\WINDOWS\\hosts";
  there.textBefore = "a";
  there.textAfter = "b";
  journal::Change back = there;
  back.textBefore = "b";
  back.textAfter = "a";
  plan.changes = {there, back};
  EXPECT_TRUE(MachineHolds(plan, kSettingsFile));
  plan.changes = {there};
  EXPECT_FALSE(MachineHolds(plan, kSettingsFile));
}

// The program killed at every write of an apply in turn: finishing gives
// exactly the applied machine, undoing exactly the machine before it.
TEST_F(SwitchJournalTest, AnApplyKilledAtAnyWriteIsFinishedOrUndoneExactly) {
  const std::string pristine = CopyOf("pristine");
  std::string after;
  {
    const std::string full = scratch_.path() + "/full";
    fs::copy(pristine, full, fs::copy_options::recursive);
    auto m = platform::sim::OpenSimulatedMachine(full);
    Journal(*m).Apply(OfficeRequest(*m->system));
    m.reset();
    after = MachineBytes(full);
  }
  const std::string before = MachineBytes(pristine);

  // Kills the process as it is about to save the journal for the n-th time.
  class KillingFiles : public platform::FilesWrapper {
   public:
    KillingFiles(platform::Files& target, int n) : FilesWrapper(target), left_(n) {}
    bool WriteBytes(const std::string& path, const std::string& content) override {
      if (path == kJournal && --left_ == 0) raise(SIGKILL);
      return FilesWrapper::WriteBytes(path, content);
    }

   private:
    int left_;
  };

  bool completed = false;
  for (int n = 1; !completed && n < 500; ++n) {
    const std::string killed = scratch_.path() + "/killed" + std::to_string(n);
    fs::copy(pristine, killed, fs::copy_options::recursive);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto m = platform::sim::OpenSimulatedMachine(killed);
      KillingFiles files(*m->files, n);
      SwitchJournal({*m->registry, files, *m->profiles, *m->system}, ui_, kJournal)
          .Apply(OfficeRequest(*m->system));
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    completed = WIFEXITED(status);
    if (completed) break;
    ASSERT_TRUE(WIFSIGNALED(status)) << n;

    for (bool finish : {true, false}) {
      const std::string dir = killed + (finish ? "-finished" : "-undone");
      fs::copy(killed, dir, fs::copy_options::recursive);
      auto m = platform::sim::OpenSimulatedMachine(dir);
      journal::Journal cut;
      if (Journal(*m).Load(&cut)) {
        EXPECT_EQ(cut.state, journal::JournalState::kPending) << n;
        Journal(*m).RunToward(cut, finish ? journal::JournalRun::kApply : journal::JournalRun::kUndo);
      } else {
        EXPECT_EQ(n, 1) << "no journal, yet something may have been written";
        if (finish) Journal(*m).Apply(OfficeRequest(*m->system));
      }
      m.reset();
      EXPECT_EQ(MachineBytes(dir), finish ? after : before)
          << "killed at journal save " << n << (finish ? ", finished" : ", undone");
    }
  }
  EXPECT_TRUE(completed);
}

}  // namespace
}  // namespace zuba::switching
