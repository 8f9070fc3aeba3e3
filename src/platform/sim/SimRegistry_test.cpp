#include "platform/sim/SimRegistry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/sim/SimulatedMachine.h"
#include "testing/TempMachine.h"
#include "testing/Unprivileged.h"

namespace zuba::platform::sim {
namespace {

using namespace std::string_literals;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

RegValue Sz(const std::string& text) { return RegValue{kRegSz, text}; }

class SimRegistryTest : public ::testing::Test {
 protected:
  std::unique_ptr<Registry> Open() { return OpenSimRegistry(dir_.path(), events_); }
  std::unique_ptr<Registry> OpenHeld() {
    return OpenSimRegistry(dir_.path(), events_, RegistryWrites::kAtFlush);
  }
  std::string Path(const std::string& name) const { return dir_.path() + "/" + name; }

  RegKey Create(Registry& r, const std::string& path, RegKey root = kHkeyLocalMachine) {
    RegKey key = 0;
    EXPECT_EQ(r.CreateKey(root, path, &key), kErrorSuccess) << path;
    return key;
  }
  std::vector<std::string> SubKeys(Registry& r, RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; r.EnumKey(key, i, &name) == kErrorSuccess; ++i) names.push_back(name);
    return names;
  }
  std::vector<std::string> ValueNames(Registry& r, RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; r.EnumValue(key, i, &name) == kErrorSuccess; ++i) {
      names.push_back(name);
    }
    return names;
  }
  std::string Query(Registry& r, const std::string& path, const std::string& name) {
    RegKey key;
    if (r.OpenKey(kHkeyLocalMachine, path, &key) != kErrorSuccess) return "<no key>";
    RegValue value;
    long result = r.QueryValue(key, name, &value);
    r.CloseKey(key);
    return result == kErrorSuccess ? value.data : "<no value>";
  }

  testing::TempDir dir_;
  EventLog events_{dir_.path()};
  std::unique_ptr<Registry> registry_ = Open();
};

TEST_F(SimRegistryTest, KeysAndValuesKeepCreationOrderAndCase) {
  Registry& r = *registry_;
  for (const char* name : {"Zeta", "alpha", "Mid"})
    r.CloseKey(Create(r, std::string("Top\\") + name));
  RegKey top = Create(r, "TOP");  // the same key
  for (const char* name : {"B", "a", "C"}) ASSERT_EQ(r.SetValue(top, name, Sz("1")), kErrorSuccess);
  ASSERT_EQ(r.SetValue(top, "b", Sz("2")), kErrorSuccess);  // replaces "B" in place
  r.CloseKey(top);

  auto check = [&](Registry& reg) {
    RegKey key;
    ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "top", &key), kErrorSuccess);
    EXPECT_EQ(SubKeys(reg, kHkeyLocalMachine), std::vector<std::string>{"Top"});
    EXPECT_EQ(SubKeys(reg, key), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(ValueNames(reg, key), (std::vector<std::string>{"B", "a", "C"}));
    EXPECT_EQ(Query(reg, "TOP", "B"), "2\0"s);
    reg.CloseKey(key);
  };
  check(r);
  check(*Open());  // the same after a reload from system.reg
}

// What every implementation of the seam answers is in the platform layer's
// RegistryConformance tests; these are the simulated registry's own rules.
TEST_F(SimRegistryTest, PathsAndNamesARegedit4FileCanHold) {
  Registry& r = *registry_;
  RegKey key = Create(r, "\\A\\B\\\\C\\");  // leading, doubled, trailing backslashes ignored
  EXPECT_EQ(SubKeys(r, kHkeyLocalMachine), std::vector<std::string>{"A"});
  RegKey same;
  EXPECT_EQ(r.OpenKey(kHkeyLocalMachine, "a\\b\\c\\", &same), kErrorSuccess);
  r.CloseKey(same);
  // A multi-string ends in a zero as well: what another process loads from
  // the hive file is what was set.
  ASSERT_EQ(r.SetValue(key, "m", RegValue{kRegMultiSz, "a\0b"s}), kErrorSuccess);
  EXPECT_EQ(Query(r, "A\\B\\C", "m"), "a\0b\0"s);
  EXPECT_EQ(Query(*Open(), "A\\B\\C", "m"), "a\0b\0"s);
  ASSERT_EQ(r.DeleteValue(key, "m"), kErrorSuccess);

  EXPECT_EQ(r.SetValue(key, "bad\nname", Sz("x")), kErrorInvalidParameter);
  RegKey bad;
  EXPECT_EQ(r.CreateKey(kHkeyLocalMachine, "A\\x\x83", &bad), kErrorInvalidParameter);
  EXPECT_EQ(r.OpenKey(0x80000000, "", &bad), kErrorBadKey);
  EXPECT_EQ(r.CloseKey(key), kErrorSuccess);
  EXPECT_EQ(r.CloseKey(key), kErrorBadKey);
}

TEST_F(SimRegistryTest, WritesThroughAndSeesOtherWritersAndHandEdits) {
  auto other = Open();
  RegKey mine = Create(*registry_, "Shared");
  RegKey theirs;
  ASSERT_EQ(other->OpenKey(kHkeyLocalMachine, "shared", &theirs), kErrorSuccess);

  ASSERT_EQ(registry_->SetValue(mine, "v", Sz("1")), kErrorSuccess);
  EXPECT_NE(ReadFile(Path("system.reg")).find("\"v\"=\"1\""), std::string::npos);
  RegValue value;
  ASSERT_EQ(other->QueryValue(theirs, "v", &value),
            kErrorSuccess);  // its handle followed the reload
  EXPECT_EQ(value.data, "1\0"s);

  // Both keep each other's writes.
  ASSERT_EQ(other->SetValue(theirs, "w", Sz("2")), kErrorSuccess);
  ASSERT_EQ(registry_->SetValue(mine, "x", Sz("3")), kErrorSuccess);
  auto third = Open();
  EXPECT_EQ(ValueNames(*third, Create(*third, "Shared")),
            (std::vector<std::string>{"v", "w", "x"}));

  // A hand edit is seen when a key is next opened from its root.
  WriteFile(Path("system.reg"),
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Shared]\r\n\"v\"=\"edited by hand\"\r\n");
  EXPECT_EQ(Query(*registry_, "Shared", "v"), "edited by hand\0"s);

  ASSERT_EQ(other->DeleteKey(kHkeyLocalMachine, "Shared"), kErrorSuccess);
  EXPECT_EQ(registry_->QueryValue(mine, "v", &value), kErrorBadKey);
}

TEST_F(SimRegistryTest, FlushSucceedsAndIsLogged) {
  RegKey key = Create(*registry_, "Soft", kHkeyCurrentUser);
  EXPECT_EQ(registry_->FlushKey(kHkeyLocalMachine), kErrorSuccess);
  EXPECT_EQ(registry_->FlushKey(key), kErrorSuccess);
  EXPECT_EQ(registry_->FlushKey(0x1234), kErrorBadKey);
  EXPECT_EQ(ReadFile(Path("events.log")),
            "registry flush HKEY_LOCAL_MACHINE\nregistry flush HKEY_CURRENT_USER\n");
}

TEST_F(SimRegistryTest, TwoProcessesKeepEachOthersWrites) {
  constexpr int kWrites = 150;
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  auto writeValues = [&](const char* prefix) {
    auto registry = Open();  // its own lock file description, like any other process
    char byte;
    if (read(go[0], &byte, 1) != 1) return false;
    RegKey key;
    if (registry->CreateKey(kHkeyLocalMachine, "Race", &key) != kErrorSuccess) return false;
    for (int i = 0; i < kWrites; ++i) {
      std::string name = prefix + std::to_string(i);
      if (registry->SetValue(key, name, Sz(name)) != kErrorSuccess) return false;
    }
    return true;
  };
  if (child == 0) _exit(writeValues("child") ? 0 : 1);
  ASSERT_EQ(write(go[1], "gg", 2), 2);  // start both at once
  bool parentOk = writeValues("parent");
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(parentOk);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  auto fresh = Open();
  RegKey key;
  ASSERT_EQ(fresh->OpenKey(kHkeyLocalMachine, "Race", &key), kErrorSuccess);
  std::uint32_t values = 0;
  fresh->QueryInfoKey(key, nullptr, &values);
  EXPECT_EQ(values, 2u * kWrites);
  EXPECT_EQ(Query(*fresh, "Race", "child149"), "child149\0"s);
  EXPECT_EQ(Query(*fresh, "Race", "parent0"), "parent0\0"s);
}

TEST_F(SimRegistryTest, CrashBeforeTheRenameLeavesTheOldHive) {
  RegKey key = Create(*registry_, "Keep");
  ASSERT_EQ(registry_->SetValue(key, "v", Sz("old")), kErrorSuccess);
  const std::string before = ReadFile(Path("system.reg"));
  // What a writer killed after writing part of its temporary file leaves.
  WriteFile(Path("system.reg.tmp"), before.substr(0, before.size() / 2) + "\"v\"=hex:0");
  auto reopened = Open();
  EXPECT_EQ(Query(*reopened, "Keep", "v"), "old\0"s);
  EXPECT_EQ(ReadFile(Path("system.reg")), before);
  // The next write goes through as usual.
  RegKey again = Create(*reopened, "Keep");
  ASSERT_EQ(reopened->SetValue(again, "v", Sz("new")), kErrorSuccess);
  EXPECT_EQ(Query(*Open(), "Keep", "v"), "new\0"s);
}

TEST_F(SimRegistryTest, ChangeThatCannotBeSavedIsUndone) {
  RegKey key = Create(*registry_, "K");
  ASSERT_EQ(registry_->SetValue(key, "v", Sz("1")), kErrorSuccess);
  const std::string before = ReadFile(Path("system.reg"));
  ASSERT_EQ(mkdir(Path("system.reg.tmp").c_str(), 0755), 0);  // the temporary file cannot be made
  EXPECT_EQ(registry_->SetValue(key, "v", Sz("2")), kErrorRegistryIoFailed);
  EXPECT_EQ(registry_->DeleteKey(kHkeyLocalMachine, "K"), kErrorRegistryIoFailed);
  EXPECT_EQ(Query(*registry_, "K", "v"), "1\0"s);
  EXPECT_EQ(registry_->SetValue(key, "v", Sz("1")), kErrorSuccess);  // nothing to save
  EXPECT_EQ(ReadFile(Path("system.reg")), before);
}

// The hives are read on demand: a change of one key leaves every other
// key's bytes as they were, a value read before another process changed it
// is read anew, and a fault deep in a file is found at the open.
TEST_F(SimRegistryTest, ReadOnDemandKeepsUntouchedKeysAndSeesOtherWriters) {
  RegKey key = Create(*registry_, "A\\Deep");
  ASSERT_EQ(registry_->SetValue(key, "v", Sz("1")), kErrorSuccess);
  registry_->CloseKey(Create(*registry_, "B"));
  const std::string before = ReadFile(Path("system.reg"));

  auto other = Open();
  EXPECT_EQ(Query(*other, "A\\Deep", "v"), "1\0"s);  // values made in `other`
  auto third = Open();
  RegKey b = Create(*third, "b");
  ASSERT_EQ(third->SetValue(b, "w", Sz("2")), kErrorSuccess);
  third->CloseKey(b);
  std::string expected = before;
  expected.insert(expected.find("[HKEY_LOCAL_MACHINE\\B]\r\n") + 24, "\"w\"=\"2\"\r\n");
  EXPECT_EQ(ReadFile(Path("system.reg")), expected);
  EXPECT_EQ(Query(*other, "B", "w"), "2\0"s);
  RegKey deep = Create(*third, "A\\Deep");
  ASSERT_EQ(third->SetValue(deep, "v", Sz("3")), kErrorSuccess);
  third->CloseKey(deep);
  EXPECT_EQ(Query(*other, "A\\Deep", "v"), "3\0"s);
  registry_->CloseKey(key);

  std::string broken = ReadFile(Path("system.reg"));
  broken.insert(broken.find("\"w\""), "\"bad\"=dword:xyz\r\n");
  WriteFile(Path("system.reg"), broken);
  EXPECT_THROW(Open(), MachineError);
  EXPECT_EQ(ReadFile(Path("system.reg")), broken);
}

TEST_F(SimRegistryTest, UnparsableHiveIsRefusedAndNeverOverwritten) {
  const std::string broken = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:xyz\r\n";
  WriteFile(Path("system.reg"), broken);
  try {
    Open();
    FAIL() << "no error";
  } catch (const MachineError& e) {
    EXPECT_EQ(std::string(e.what()), Path("system.reg") + ":4: invalid dword value");
  }
  EXPECT_EQ(ReadFile(Path("system.reg")), broken);

  // A hive of the wrong root is no hive either.
  WriteFile(Path("user.reg"), "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n");
  RegKey key;
  EXPECT_THROW(registry_->CreateKey(kHkeyCurrentUser, "X", &key), MachineError);
  EXPECT_EQ(ReadFile(Path("user.reg")), "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n");
  EXPECT_THROW(registry_->CreateKey(kHkeyLocalMachine, "X", &key), MachineError);
  EXPECT_EQ(ReadFile(Path("system.reg")), broken);
}

TEST_F(SimRegistryTest, OneWriteSavesAtTheEndOrNotAtAll) {
  RegKey key = Create(*registry_, "Batch");
  const std::string before = ReadFile(Path("system.reg"));
  long result = ApplyAsOneWrite(*registry_, [&] {
    for (int i = 0; i < 50; ++i) registry_->SetValue(key, "v" + std::to_string(i), Sz("x"));
    EXPECT_EQ(ReadFile(Path("system.reg")), before);  // nothing saved yet
  });
  EXPECT_EQ(result, kErrorSuccess);
  EXPECT_EQ(Query(*Open(), "Batch", "v49"), "x\0"s);

  const std::string after = ReadFile(Path("system.reg"));
  EXPECT_THROW(ApplyAsOneWrite(*registry_,
                               [&] {
                                 registry_->SetValue(key, "late", Sz("x"));
                                 registry_->DeleteKey(kHkeyLocalMachine, "Batch");
                                 throw std::runtime_error("stop");
                               }),
               std::runtime_error);
  EXPECT_EQ(ReadFile(Path("system.reg")), after);
  EXPECT_EQ(Query(*registry_, "Batch", "late"), "<no value>");
  EXPECT_EQ(Query(*registry_, "Batch", "v0"), "x\0"s);
}

TEST_F(SimRegistryTest, HeldChangesReachTheFilesAtAFlushOrWhenClosed) {
  Create(*registry_, "Net");
  const std::string before = ReadFile(Path("system.reg"));
  {
    auto held = OpenHeld();
    RegKey key = Create(*held, "Net\\Adapter");
    ASSERT_EQ(held->SetValue(key, "IPAddress", Sz("10.0.0.1")), kErrorSuccess);
    ASSERT_EQ(held->DeleteKey(kHkeyLocalMachine, "Soft"), kErrorFileNotFound);
    EXPECT_EQ(Query(*held, "Net\\Adapter", "IPAddress"), "10.0.0.1\0"s);
    // In memory only: the files and another process see the old registry.
    EXPECT_EQ(ReadFile(Path("system.reg")), before);
    EXPECT_EQ(Query(*Open(), "Net\\Adapter", "IPAddress"), "<no key>");

    EXPECT_EQ(held->FlushKey(kHkeyCurrentUser), kErrorSuccess);
    EXPECT_EQ(Query(*Open(), "Net\\Adapter", "IPAddress"), "10.0.0.1\0"s);
    ASSERT_EQ(held->SetValue(key, "IPMask", Sz("255.0.0.0")), kErrorSuccess);
    EXPECT_EQ(Query(*Open(), "Net\\Adapter", "IPMask"), "<no value>");
  }
  // Closing the registry writes what it still held.
  EXPECT_EQ(Query(*Open(), "Net\\Adapter", "IPMask"), "255.0.0.0\0"s);
}

TEST_F(SimRegistryTest, HeldChangesAreMadeAgainOnWhatAnotherProcessSaved) {
  RegKey shared = Create(*registry_, "Shared");
  ASSERT_EQ(registry_->SetValue(shared, "gone", Sz("1")), kErrorSuccess);
  auto held = OpenHeld();
  RegKey mine = Create(*held, "Shared\\Mine");
  ASSERT_EQ(held->SetValue(mine, "a", Sz("held")), kErrorSuccess);
  RegKey sharedHeld = Create(*held, "Shared");
  ASSERT_EQ(held->DeleteValue(sharedHeld, "gone"), kErrorSuccess);

  // Another process writes in between, into the same key.
  ASSERT_EQ(registry_->SetValue(shared, "theirs", Sz("2")), kErrorSuccess);
  ASSERT_EQ(registry_->SetValue(shared, "gone", Sz("again")), kErrorSuccess);
  Create(*registry_, "Other");

  // The held registry sees their writes under its own, and its handles hold.
  EXPECT_EQ(Query(*held, "Shared", "theirs"), "2\0"s);
  EXPECT_EQ(Query(*held, "Shared", "gone"), "<no value>");
  ASSERT_EQ(held->SetValue(mine, "b", Sz("later")), kErrorSuccess);
  ASSERT_EQ(held->FlushKey(kHkeyLocalMachine), kErrorSuccess);
  auto fresh = Open();
  EXPECT_EQ(ValueNames(*fresh, Create(*fresh, "Shared")), (std::vector<std::string>{"theirs"}));
  EXPECT_EQ(ValueNames(*fresh, Create(*fresh, "Shared\\Mine")),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SubKeys(*fresh, kHkeyLocalMachine),
            (std::vector<std::string>{"Shared", "Other"}));
}

TEST_F(SimRegistryTest, HeldChangesThatCannotBeSavedStayHeldForTheNextFlush) {
  auto held = OpenHeld();
  RegKey key = Create(*held, "K");
  ASSERT_EQ(held->SetValue(key, "v", Sz("1")), kErrorSuccess);
  ASSERT_EQ(mkdir(Path("system.reg.tmp").c_str(), 0755), 0);
  EXPECT_EQ(held->FlushKey(kHkeyLocalMachine), kErrorRegistryIoFailed);
  EXPECT_EQ(Query(*held, "K", "v"), "1\0"s);
  EXPECT_EQ(Query(*Open(), "K", "v"), "<no key>");
  ASSERT_EQ(rmdir(Path("system.reg.tmp").c_str()), 0);
  EXPECT_EQ(held->FlushKey(kHkeyLocalMachine), kErrorSuccess);
  EXPECT_EQ(Query(*Open(), "K", "v"), "1\0"s);
}

// Changes of both hives commit as one: after a failure or a crash at any
// point, a reader sees both hives old or both new.
class TwoHiveCommitTest : public SimRegistryTest {
 protected:
  // One write that changes a value in each hive.
  long WriteBoth(Registry& registry, const std::string& value) {
    return ApplyAsOneWrite(registry, [&] {
      for (RegKey root : {kHkeyLocalMachine, kHkeyCurrentUser}) {
        RegKey key = Create(registry, "Gen", root);
        registry.SetValue(key, "n", Sz(value));
        registry.CloseKey(key);
      }
    });
  }
  // What a fresh reader sees in the two hives.
  std::pair<std::string, std::string> Seen() {
    auto reader = Open();
    RegKey key;
    std::string user = "<no key>";
    if (reader->OpenKey(kHkeyCurrentUser, "Gen", &key) == kErrorSuccess) {
      RegValue value;
      user = reader->QueryValue(key, "n", &value) == kErrorSuccess ? value.data : "<no value>";
      reader->CloseKey(key);
    }
    return {Query(*reader, "Gen", "n"), user};
  }
};

TEST_F(TwoHiveCommitTest, AChangeThatCannotBeSavedInOneHiveIsSavedInNeither) {
  ASSERT_EQ(WriteBoth(*registry_, "old"), kErrorSuccess);
  const std::string system = ReadFile(Path("system.reg")), user = ReadFile(Path("user.reg"));
  ASSERT_EQ(mkdir(Path("user.reg.tmp").c_str(), 0755), 0);  // a stale temporary file in the way
  EXPECT_EQ(WriteBoth(*registry_, "new"), kErrorRegistryIoFailed);
  EXPECT_EQ(ReadFile(Path("system.reg")), system);
  EXPECT_EQ(ReadFile(Path("user.reg")), user);
  EXPECT_EQ(Query(*registry_, "Gen", "n"), "old\0"s);  // discarded in memory too
  EXPECT_EQ(Seen(), std::make_pair("old\0"s, "old\0"s));
  EXPECT_FALSE(std::ifstream(Path("system.reg.tmp")).good());
}

// The states a writer killed at each step leaves behind, built by hand: the
// next reader completes a change that reached its commit record and ignores
// one that did not.
TEST_F(TwoHiveCommitTest, ACrashAtAnyStepLeavesBothOldOrBothNew) {
  ASSERT_EQ(WriteBoth(*registry_, "old"), kErrorSuccess);
  const std::string oldSystem = ReadFile(Path("system.reg")), oldUser = ReadFile(Path("user.reg"));
  ASSERT_EQ(WriteBoth(*registry_, "new"), kErrorSuccess);
  const std::string newSystem = ReadFile(Path("system.reg")), newUser = ReadFile(Path("user.reg"));
  const std::string record = "ZUBANET-REGISTRY-COMMIT\r\nsystem.reg\r\nuser.reg\r\n";
  struct Step {
    const char* what;
    bool record, systemRenamed, userRenamed;
    const char* expected;
  };
  for (const Step& step : {
           Step{"both staged, no record", false, false, false, "old"},
           Step{"one staged, no record", false, false, false, "old"},
           Step{"record written", true, false, false, "new"},
           Step{"one hive renamed", true, true, false, "new"},
           Step{"both renamed, record left", true, true, true, "new"},
       }) {
    SCOPED_TRACE(step.what);
    WriteFile(Path("system.reg"), step.systemRenamed ? newSystem : oldSystem);
    WriteFile(Path("user.reg"), step.userRenamed ? newUser : oldUser);
    if (!step.systemRenamed) WriteFile(Path("system.reg.tmp"), newSystem);
    if (!step.userRenamed && std::string(step.what) != "one staged, no record") {
      WriteFile(Path("user.reg.tmp"), newUser);
    }
    if (step.record) WriteFile(Path("registry.commit"), record);

    const std::string expected = step.expected + "\0"s;
    EXPECT_EQ(Seen(), std::make_pair(expected, expected));
    EXPECT_EQ(Query(*registry_, "Gen", "n"), expected);  // a reader that was open all along
    EXPECT_FALSE(std::ifstream(Path("registry.commit")).good());
    EXPECT_EQ(ReadFile(Path("user.reg")), step.record ? newUser : oldUser);
    // The next write goes through and starts from what the reader saw.
    ASSERT_EQ(WriteBoth(*Open(), "after"), kErrorSuccess);
    EXPECT_EQ(Seen(), std::make_pair("after\0"s, "after\0"s));
    remove(Path("system.reg.tmp").c_str());
    remove(Path("user.reg.tmp").c_str());
  }
}

// Writers killed (SIGKILL) at random moments while they change both hives:
// every time, a fresh reader finds the two hives of one generation.
TEST_F(TwoHiveCommitTest, AWriterKilledAtAnyMomentLeavesBothHivesOfOneGeneration) {
  ASSERT_EQ(WriteBoth(*registry_, "0"), kErrorSuccess);
  std::srand(16);
  for (int round = 0; round < 25; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto registry = Open();
      for (int i = 1;; ++i) WriteBoth(*registry, std::to_string(round * 100000 + i));
    }
    usleep(2000 + std::rand() % 20000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const auto [system, user] = Seen();
    ASSERT_EQ(system, user) << "round " << round;
  }
}

// A machine whose directory and files may not be written: every reader
// works (its lock needs no write access) and sees the committed state, even
// one whose writer left it unfinished; every write fails and changes nothing.
TEST_F(TwoHiveCommitTest, AMachineThatMayNotBeWrittenIsReadAndNeverChanged) {
  ASSERT_EQ(WriteBoth(*registry_, "old"), kErrorSuccess);
  ASSERT_EQ(WriteBoth(*registry_, "new"), kErrorSuccess);
  const std::string newSystem = ReadFile(Path("system.reg")), newUser = ReadFile(Path("user.reg"));
  // A change of both hives that reached its commit point only.
  ASSERT_EQ(rename(Path("system.reg").c_str(), Path("system.reg.tmp").c_str()), 0);
  ASSERT_EQ(rename(Path("user.reg").c_str(), Path("user.reg.tmp").c_str()), 0);
  WriteFile(Path("registry.commit"), "ZUBANET-REGISTRY-COMMIT\r\nsystem.reg\r\nuser.reg\r\n");
  registry_.reset();

  for (bool withLockFile : {true, false}) {
    SCOPED_TRACE(withLockFile ? "with registry.lock" : "without registry.lock");
    if (!withLockFile) {
      ASSERT_EQ(remove(Path("registry.lock").c_str()), 0);
    }
    testing::ReadOnlyTree readOnly(dir_.path());
    const int failedStep = testing::RunUnprivileged([this] {
      try {
        auto registry = Open();
        if (Query(*registry, "Gen", "n") != "new\0"s) return 1;
        RegKey key;
        if (registry->OpenKey(kHkeyCurrentUser, "Gen", &key) != kErrorSuccess) return 2;
        RegValue value;
        if (registry->QueryValue(key, "n", &value) != kErrorSuccess || value.data != "new\0"s) {
          return 3;
        }
        if (registry->SetValue(key, "n", Sz("mine")) != kErrorRegistryIoFailed) return 4;
        if (WriteBoth(*registry, "mine") != kErrorRegistryIoFailed) return 5;
        if (Query(*registry, "Gen", "n") != "new\0"s) return 6;
      } catch (const MachineError&) {
        return 7;
      }
      return 0;
    });
    EXPECT_EQ(failedStep, 0);
  }
  EXPECT_EQ(ReadFile(Path("system.reg.tmp")), newSystem);
  EXPECT_EQ(ReadFile(Path("user.reg.tmp")), newUser);
  EXPECT_FALSE(std::ifstream(Path("system.reg")).good());
  // Once it may be written again, the next reader completes the change.
  EXPECT_EQ(Seen(), std::make_pair("new\0"s, "new\0"s));
  EXPECT_EQ(ReadFile(Path("system.reg")), newSystem);
}

}  // namespace
}  // namespace zuba::platform::sim
