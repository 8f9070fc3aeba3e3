#include "system/MyRegs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/Cp932.h"
#include "platform/sim/EventLog.h"
#include "platform/sim/SimRegistry.h"
#include "system/Errors.h"
#include "testing/TempMachine.h"

namespace zuba::system {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::RegKey;
using platform::RegValue;

constexpr RegKey kLocal = kHkeyLocalMachine;

RegValue Sz(const std::string& text) { return RegValue{platform::kRegSz, text + '\0'}; }
RegValue Dword(std::uint32_t v) {
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>(v >> (8 * i));
  return RegValue{platform::kRegDword, data};
}
RegValue Binary(const std::string& bytes) { return RegValue{platform::kRegBinary, bytes}; }

// Counts the handles the layer opens and closes.
class CountingRegistry : public platform::RegistryWrapper {
 public:
  using RegistryWrapper::RegistryWrapper;
  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    long rc = target().OpenKey(parent, subKey, result);
    if (rc == platform::kErrorSuccess) ++opened;
    return rc;
  }
  long CreateKey(RegKey, const std::string&, RegKey*) override {
    ++created;
    return platform::kErrorAccessDenied;
  }
  long CloseKey(RegKey key) override {
    ++closed;
    return target().CloseKey(key);
  }
  int opened = 0;
  int closed = 0;
  int created = 0;
};

// An empty registry in a temporary machine directory; the tests build the
// keys they need through the platform calls.
class MyRegsTest : public ::testing::Test {
 protected:
  MyRegsTest()
      : events_(dir_.path()),
        sim_(platform::sim::OpenSimRegistry(dir_.path(), events_)),
        registry_(*sim_),
        lead_(LeadBytes::FromPredicate(platform::IsCp932LeadByte)) {}

  void Key(const std::string& path) {
    RegKey key;
    ASSERT_EQ(sim_->CreateKey(kLocal, path, &key), platform::kErrorSuccess) << path;
    sim_->CloseKey(key);
  }
  void Put(const std::string& path, const std::string& name, const RegValue& value) {
    RegKey key;
    ASSERT_EQ(sim_->CreateKey(kLocal, path, &key), platform::kErrorSuccess) << path;
    EXPECT_EQ(sim_->SetValue(key, name, value), platform::kErrorSuccess) << name;
    sim_->CloseKey(key);
  }
  bool Exists(const std::string& path) {
    RegKey key;
    if (sim_->OpenKey(kLocal, path, &key) != platform::kErrorSuccess) return false;
    sim_->CloseKey(key);
    return true;
  }
  RegValue Get(const std::string& path, const std::string& name) {
    RegKey key;
    RegValue value;
    EXPECT_EQ(sim_->OpenKey(kLocal, path, &key), platform::kErrorSuccess);
    EXPECT_EQ(sim_->QueryValue(key, name, &value), platform::kErrorSuccess) << name;
    sim_->CloseKey(key);
    return value;
  }
  std::string Hive() {
    std::ifstream in(dir_.path() + "/system.reg", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  NameList Find(const std::string& path, const std::string& name, const std::string& pattern) {
    NameList found;
    FindRegKeys(registry_, lead_, found, path, name, pattern);
    return found;
  }

  testing::TempDir dir_;
  platform::sim::EventLog events_;
  std::unique_ptr<platform::Registry> sim_;
  CountingRegistry registry_;
  LeadBytes lead_;
};

TEST_F(MyRegsTest, ReadRegStringReadsStringsAndRejectsOtherKinds) {
  Put("\\Net", "Name", Sz("ソフト"));
  Put("\\Net", "Path", RegValue{platform::kRegExpandSz, std::string("%windir%\0junk", 13)});
  Put("\\Net", "Empty", Sz(""));
  Put("\\Net", "Count", Dword(3));
  std::string text = "old";
  EXPECT_TRUE(ReadRegString(registry_, kLocal, "\\Net", "Name", text));
  EXPECT_EQ(text, "ソフト");
  EXPECT_TRUE(ReadRegString(registry_, kLocal, "Net", "Path", text));  // no leading backslash
  EXPECT_EQ(text, "%windir%");
  EXPECT_TRUE(ReadRegString(registry_, kLocal, "\\Net", "Empty", text));
  EXPECT_EQ(text, "");
  text = "old";
  EXPECT_TRUE(ReadRegString(registry_, kLocal, "\\Net", "Missing", text));
  EXPECT_EQ(text, "");
  text = "old";
  EXPECT_FALSE(ReadRegString(registry_, kLocal, "\\Nowhere", "Name", text));
  EXPECT_EQ(text, "");
  try {
    ReadRegString(registry_, kLocal, "\\Net", "Count", text);
    ADD_FAILURE() << "no error for a DWORD";
  } catch (const ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("Count"), std::string::npos) << e.what();
  }
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(MyRegsTest, ReadRegBoolNeedsAnInteger) {
  Put("\\Flags", "On", Dword(5));
  Put("\\Flags", "Off", Dword(0));
  Put("\\Flags", "Text", Sz("1"));
  bool flag = false;
  EXPECT_TRUE(ReadRegBool(registry_, kLocal, "\\Flags", "On", flag));
  EXPECT_TRUE(flag);
  EXPECT_TRUE(ReadRegBool(registry_, kLocal, "\\Flags", "Off", flag));
  EXPECT_FALSE(flag);
  EXPECT_THROW(ReadRegBool(registry_, kLocal, "\\Flags", "Missing", flag), ERegistryException);
  EXPECT_THROW(ReadRegBool(registry_, kLocal, "\\Flags", "Text", flag), ERegistryException);
  flag = true;
  EXPECT_FALSE(ReadRegBool(registry_, kLocal, "\\Nowhere", "On", flag));
  EXPECT_FALSE(flag);
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(MyRegsTest, ReadRegIntegerFallsBackToBinaryData) {
  Put("\\Loc", "Dword", Dword(0xFFFFFFFE));
  Put("\\Loc", "Bin", Binary(std::string("\x07\x01", 2)));
  Put("\\Loc", "Long", Binary("\x01\x02\x03\x04\x05"));
  Put("\\Loc", "Text", Sz("7"));
  std::int32_t value = 99;
  EXPECT_TRUE(ReadRegInteger(registry_, kLocal, "\\Loc", "Dword", value));
  EXPECT_EQ(value, -2);
  EXPECT_TRUE(ReadRegInteger(registry_, kLocal, "\\Loc", "Bin", value));
  EXPECT_EQ(value, 0x0107);
  value = 99;
  EXPECT_TRUE(ReadRegInteger(registry_, kLocal, "\\Loc", "Missing", value));
  EXPECT_EQ(value, 99);
  EXPECT_FALSE(ReadRegInteger(registry_, kLocal, "\\Nowhere", "Dword", value));
  EXPECT_EQ(value, 99);
  EXPECT_THROW(ReadRegInteger(registry_, kLocal, "\\Loc", "Long", value), ERegistryException);
  EXPECT_THROW(ReadRegInteger(registry_, kLocal, "\\Loc", "Text", value), ERegistryException);
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(MyRegsTest, ReadRegBinary4TakesAtMostFourBytesOfBinaryData) {
  Put("\\Px", "Four", Binary(std::string("\x01\x00\x00\x80", 4)));
  Put("\\Px", "One", Binary("\x01"));
  Put("\\Px", "Empty", Binary(""));
  Put("\\Px", "None", RegValue{platform::kRegNone, "\x02"});
  Put("\\Px", "Five", Binary("\x01\x02\x03\x04\x05"));
  Put("\\Px", "Dword", Dword(1));
  Put("\\Px", "Text", Sz("1"));
  std::int32_t value = 0;
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, "\\Px", "Four", value));
  EXPECT_EQ(static_cast<std::uint32_t>(value), 0x80000001u);
  value = -1;
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, "\\Px", "One", value));
  EXPECT_EQ(value, 1);  // fewer bytes are zero-extended
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, "\\Px", "Empty", value));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, "\\Px", "None", value));
  EXPECT_EQ(value, 2);
  value = 5;
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, "\\Px", "Missing", value));
  EXPECT_EQ(value, 5);
  EXPECT_FALSE(ReadRegBinary4(registry_, kLocal, "\\Nowhere", "Four", value));
  EXPECT_EQ(value, 5);
  for (const char* name : {"Five", "Dword", "Text"}) {
    EXPECT_THROW(ReadRegBinary4(registry_, kLocal, "\\Px", name, value), ERegistryException)
        << name;
  }
  EXPECT_EQ(QueryRegBinary4(registry_, kLocal, "\\Px", "Missing", value), RegRead::kValueMissing);
  EXPECT_EQ(QueryRegBinary4(registry_, kLocal, "\\Nowhere", "x", value), RegRead::kKeyMissing);
  EXPECT_EQ(QueryRegBinary4(registry_, kLocal, "\\Px", "Four", value), RegRead::kRead);
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(MyRegsTest, WritersStoreTheirKinds) {
  Key("\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
  const std::string mstcp = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
  EXPECT_TRUE(WriteRegString(registry_, kLocal, mstcp, "HostName", "ソフト"));
  EXPECT_TRUE(WriteRegBool(registry_, kLocal, mstcp, "On", true));
  EXPECT_TRUE(WriteRegBool(registry_, kLocal, mstcp, "Off", false));
  EXPECT_TRUE(WriteRegBinary4(registry_, kLocal, mstcp, "One", 1));
  EXPECT_TRUE(WriteRegBinary4(registry_, kLocal, mstcp, "Minus", -2));

  RegValue v = Get(mstcp, "HostName");
  EXPECT_EQ(v.type, platform::kRegSz);
  EXPECT_EQ(v.data.substr(0, v.data.find('\0')), "ソフト");
  EXPECT_EQ(Get(mstcp, "On").data, Dword(1).data);
  EXPECT_EQ(Get(mstcp, "On").type, platform::kRegDword);
  EXPECT_EQ(Get(mstcp, "Off").data, Dword(0).data);
  v = Get(mstcp, "One");
  EXPECT_EQ(v.type, platform::kRegBinary);
  EXPECT_EQ(v.data, std::string("\x01\x00\x00\x00", 4));
  std::int32_t value = 0;
  EXPECT_TRUE(ReadRegBinary4(registry_, kLocal, mstcp, "Minus", value));
  EXPECT_EQ(value, -2);

  // A replaced value keeps its place and takes the new kind.
  EXPECT_TRUE(WriteRegString(registry_, kLocal, mstcp, "One", "1"));
  EXPECT_EQ(Get(mstcp, "One").type, platform::kRegSz);
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(MyRegsTest, WritersIntoMissingKeysCreateNothing) {
  Key("\\Network");
  const std::string before = Hive();
  for (const std::string path : {"\\Network\\Logon", "\\Nowhere\\Deep", "Network\\Logon\\x"}) {
    EXPECT_FALSE(WriteRegString(registry_, kLocal, path, "username", "me"));
    EXPECT_FALSE(WriteRegBool(registry_, kLocal, path, "On", true));
    EXPECT_FALSE(WriteRegBinary4(registry_, kLocal, path, "One", 1));
    EXPECT_FALSE(DeleteRegValue(registry_, kLocal, path, "username"));
    EXPECT_FALSE(Exists(path));
  }
  EXPECT_FALSE(WriteRegString(registry_, kHkeyCurrentUser, "\\Network", "x", "y"));
  EXPECT_EQ(Hive(), before);
  EXPECT_EQ(registry_.created, 0);
}

TEST_F(MyRegsTest, RefusedDataRaisesNamingTheValueAndClosesTheKey) {
  Put("\\Px", "ProxyEnable", Dword(1));
  struct Refusing : CountingRegistry {
    using CountingRegistry::CountingRegistry;
    long QueryValue(RegKey, const std::string&, RegValue*) override {
      return platform::kErrorCantRead;
    }
    long SetValue(RegKey, const std::string&, const RegValue&) override {
      return platform::kErrorCantWrite;
    }
    long DeleteValue(RegKey, const std::string&) override { return platform::kErrorAccessDenied; }
    long DeleteKey(RegKey, const std::string&) override { return platform::kErrorAccessDenied; }
  } refusing(*sim_);
  std::string text;
  std::int32_t value = 0;
  bool flag = false;
  auto expectNamed = [](auto operation, const char* name) {
    try {
      operation();
      ADD_FAILURE() << "no error for " << name;
    } catch (const ERegistryException& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
  };
  expectNamed([&] { ReadRegString(refusing, kLocal, "\\Px", "ProxyServer", text); }, "ProxyServer");
  expectNamed([&] { ReadRegBool(refusing, kLocal, "\\Px", "ProxyEnable", flag); }, "ProxyEnable");
  expectNamed([&] { ReadRegInteger(refusing, kLocal, "\\Px", "ProxyEnable", value); },
              "ProxyEnable");
  expectNamed([&] { WriteRegString(refusing, kLocal, "\\Px", "AutoConfigURL", "x"); },
              "AutoConfigURL");
  expectNamed([&] { WriteRegBinary4(refusing, kLocal, "\\Px", "ProxyEnable", 0); }, "ProxyEnable");
  // A refused delete is no missing value.
  expectNamed([&] { DeleteRegValue(refusing, kLocal, "\\Px", "ProxyEnable"); }, "ProxyEnable");
  expectNamed([&] { DeleteRegKey(refusing, kLocal, "\\Px"); }, "\\Px");
  EXPECT_TRUE(DeleteRegKey(*sim_, kLocal, "\\Px"));
  EXPECT_FALSE(DeleteRegKey(*sim_, kLocal, "\\Px"));
  EXPECT_EQ(refusing.opened, 6);
  EXPECT_EQ(refusing.closed, 6);
}

TEST_F(MyRegsTest, DeleteRegValueAnswersWhetherAValueWent) {
  Put("\\Dns", "HostName", Sz("host"));
  Put("\\Dns", "Domain", Sz("example.jp"));
  EXPECT_TRUE(DeleteRegValue(registry_, kLocal, "\\Dns", "hostname"));  // names ignore case
  const std::string afterDelete = Hive();
  EXPECT_FALSE(DeleteRegValue(registry_, kLocal, "\\Dns", "HostName"));
  EXPECT_EQ(Hive(), afterDelete);
  NameList names;
  EXPECT_TRUE(GetLocalValueNames(registry_, "\\Dns", names));
  EXPECT_EQ(names, NameList{"Domain"});
}

TEST_F(MyRegsTest, NameListsFollowCreationOrderAndReplaceTheList) {
  for (const char* name : {"Zeta", "alpha", "Mid"}) Key(std::string("\\Enum\\") + name);
  Put("\\Enum", "b", Sz(""));
  Put("\\Enum", "A", Dword(1));
  NameList names{"stale"};
  EXPECT_TRUE(GetLocalKeyNames(registry_, "\\Enum", names));
  EXPECT_EQ(names, (NameList{"Zeta", "alpha", "Mid"}));
  EXPECT_TRUE(GetRegKeyNames(registry_, kLocal, "Enum", names));
  EXPECT_EQ(names, (NameList{"Zeta", "alpha", "Mid"}));
  EXPECT_TRUE(GetLocalValueNames(registry_, "\\Enum", names));
  EXPECT_EQ(names, (NameList{"b", "A"}));
  EXPECT_TRUE(GetLocalKeyNames(registry_, "\\Enum\\Mid", names));
  EXPECT_TRUE(names.empty());

  names = {"kept"};
  EXPECT_FALSE(GetLocalKeyNames(registry_, "\\Missing", names));
  EXPECT_FALSE(GetLocalValueNames(registry_, "\\Missing", names));
  EXPECT_FALSE(GetRegKeyNames(registry_, kHkeyCurrentUser, "\\Enum", names));
  EXPECT_EQ(names, NameList{"kept"});
  EXPECT_EQ(registry_.opened, registry_.closed);
}

// A device tree in which keys and their subkeys both match.
class FindRegKeysTest : public MyRegsTest {
 protected:
  FindRegKeysTest() {
    Put("\\Enum\\Root\\Net\\0000", "Class", Sz("Net"));
    Put("\\Enum\\Root\\Net\\0001", "Class", Sz("NetTrans"));
    Put("\\Enum\\Root\\Net", "Class", Sz("net"));
    Put("\\Enum\\PCI\\VEN_1", "Class", Sz("NET"));
    Put("\\Enum\\PCI\\VEN_1\\ソフト", "Class", Sz("Net"));  // trail byte 0x5C in the name
    Key("\\Enum\\PCI\\VEN_1\\ソフト\\Child");
    Put("\\Enum\\PCI\\VEN_2", "class", Sz("Net"));  // value names ignore case
    Key("\\Enum\\Empty");
    Put("\\Enum", "Class", Sz("Ｎｅｔ"));  // full-width letters are no match
  }
};

TEST_F(FindRegKeysTest, DepthFirstWithDescendantsBeforeTheKey) {
  EXPECT_EQ(Find("\\Enum", "Class", "Net"),
            (NameList{"\\Enum\\Root\\Net\\0000", "\\Enum\\Root\\Net", "\\Enum\\PCI\\VEN_1\\ソフト",
                      "\\Enum\\PCI\\VEN_1", "\\Enum\\PCI\\VEN_2"}));
  EXPECT_EQ(registry_.opened, registry_.closed);
}

TEST_F(FindRegKeysTest, PathsAreSpelledFromTheStartingPath) {
  EXPECT_EQ(Find("Enum\\PCI", "Class", "net"),
            (NameList{"Enum\\PCI\\VEN_1\\ソフト", "Enum\\PCI\\VEN_1", "Enum\\PCI\\VEN_2"}));
  EXPECT_EQ(Find("\\", "Class", "NetTrans"), NameList{"\\Enum\\Root\\Net\\0001"});
  EXPECT_EQ(Find("\\Enum\\Root\\Net\\0000", "Class", "NET"), NameList{"\\Enum\\Root\\Net\\0000"});
  EXPECT_EQ(Find("\\Enum", "Class", "ｎｅｔ"), NameList{"\\Enum"});
}

TEST_F(FindRegKeysTest, AppendsToTheListAndFindsNothingBelowAMissingKey) {
  NameList found{"earlier"};
  FindRegKeys(registry_, lead_, found, "\\Missing", "Class", "Net");
  EXPECT_EQ(found, NameList{"earlier"});
  FindRegKeys(registry_, lead_, found, "\\Enum\\PCI\\VEN_2", "Class", "Net");
  EXPECT_EQ(found, (NameList{"earlier", "\\Enum\\PCI\\VEN_2"}));
  // An empty pattern matches every key without the value.
  EXPECT_EQ(Find("\\Enum\\PCI\\VEN_1", "Class", ""), NameList{"\\Enum\\PCI\\VEN_1\\ソフト\\Child"});
}

TEST_F(FindRegKeysTest, StarMatchesEveryKeyThatHasTheValue) {
  Put("\\Loc\\1", "Name", Sz(""));
  Put("\\Loc\\2", "NAME", Dword(0));
  Put("\\Loc\\3", "Other", Sz("Name"));
  Put("\\Loc\\2\\Deep", "name", Binary("\x01"));
  Put("\\Loc", "ID", Dword(1));
  EXPECT_EQ(Find("\\Loc", "Name", "*"), (NameList{"\\Loc\\1", "\\Loc\\2\\Deep", "\\Loc\\2"}));
  EXPECT_EQ(Find("\\Loc", "ID", "*"), NameList{"\\Loc"});
}

TEST_F(FindRegKeysTest, ANonStringValueEndsTheWholeSearch) {
  Put("\\Enum\\PCI\\VEN_1\\ソフト\\Child", "Class", Dword(1));
  NameList found;
  EXPECT_THROW(FindRegKeys(registry_, lead_, found, "\\Enum", "Class", "Net"), ERegistryException);
  EXPECT_GT(registry_.opened, 0);
  EXPECT_EQ(registry_.opened, registry_.closed);
  // With "*" the kind does not matter.
  EXPECT_EQ(Find("\\Enum\\PCI\\VEN_1", "Class", "*"),
            (NameList{"\\Enum\\PCI\\VEN_1\\ソフト\\Child", "\\Enum\\PCI\\VEN_1\\ソフト",
                      "\\Enum\\PCI\\VEN_1"}));
}

// The simulated registry lists the keys whose value could match, so the
// search opens only those; a wrapper (registry_) walks every key. Both give
// the same answers, on keys read from the hive file and on keys changed
// since, and both end at the same value that is no string.
TEST_F(FindRegKeysTest, TheRegistrysOwnSearchAnswersAsTheWalk) {
  auto reread = platform::sim::OpenSimRegistry(dir_.path(), events_);
  Put("\\Enum\\Root\\Net\\0001", "Class", Sz("NEt"));  // changed in memory only below
  RegKey key;
  ASSERT_EQ(reread->OpenKey(kLocal, "\\Enum\\PCI\\VEN_2", &key), platform::kErrorSuccess);
  ASSERT_EQ(reread->SetValue(key, "CLASS", Sz("Other")), platform::kErrorSuccess);
  reread->CloseKey(key);
  const char* queries[][3] = {
      {"\\Enum", "Class", "Net"},     {"Enum\\PCI", "Class", "net"}, {"\\", "Class", "NetTrans"},
      {"\\Enum", "Class", "ｎｅｔ"}, {"\\Missing", "Class", "Net"}, {"\\Enum", "Driver", "Net"},
      {"\\Enum\\Root\\Net\\0000", "class", "NET"},
  };
  for (auto [path, name, pattern] : queries) {
    SCOPED_TRACE(std::string(path) + " " + name + " " + pattern);
    NameList searched, walked;
    FindRegKeys(*reread, lead_, searched, path, name, pattern);
    FindRegKeys(registry_, lead_, walked, path, name, pattern);
    EXPECT_EQ(searched, walked);
  }
  Put("\\Enum\\PCI\\VEN_1\\ソフト\\Child", "Class", Dword(1));
  reread = platform::sim::OpenSimRegistry(dir_.path(), events_);
  NameList searched, walked;
  EXPECT_THROW(FindRegKeys(*reread, lead_, searched, "\\Enum", "Class", "Net"), ERegistryException);
  EXPECT_THROW(FindRegKeys(registry_, lead_, walked, "\\Enum", "Class", "Net"), ERegistryException);
  EXPECT_EQ(searched, walked);
}

TEST_F(MyRegsTest, FlushGoesToTheRegistry) {
  struct FlushLog : platform::RegistryWrapper {
    using RegistryWrapper::RegistryWrapper;
    long FlushKey(RegKey key) override {
      roots.push_back(key);
      return key == kHkeyCurrentUser ? platform::kErrorRegistryIoFailed : platform::kErrorSuccess;
    }
    std::vector<RegKey> roots;
  } flush(*sim_);
  EXPECT_EQ(FlushRegRoot(flush, kHkeyLocalMachine), platform::kErrorSuccess);
  EXPECT_EQ(FlushRegRoot(flush, kHkeyCurrentUser), platform::kErrorRegistryIoFailed);
  EXPECT_EQ(flush.roots, (std::vector<RegKey>{kHkeyLocalMachine, kHkeyCurrentUser}));
  EXPECT_EQ(FlushRegRoot(*sim_, kHkeyLocalMachine), platform::kErrorSuccess);
}

}  // namespace
}  // namespace zuba::system
