#include "platform/sim/SimProfiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

class SimProfilesTest : public ::testing::Test {
 protected:
  Profiles& profiles() { return machine_.profiles(); }
  void WriteHost(const std::string& relative, const std::string& content) {
    std::ofstream(machine_.HostPath(relative), std::ios::binary) << content;
  }
  std::string ReadHost(const std::string& relative) {
    std::ifstream in(machine_.HostPath(relative), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return in ? s.str() : "<missing>";
  }
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& file = kIni, const std::string& def = "<default>",
                  std::size_t size = 2048) {
    std::string value = "<untouched>";
    std::size_t n = profiles().GetString(section, key, def, &value, size, file);
    EXPECT_EQ(n, value == "<untouched>" ? 0 : value.size());
    return value;
  }

  static constexpr char kIni[] = "C:\\ZUBANET\\Zubanet.ini";
  testing::TempMachine machine_;
};

// What every implementation of the seam answers is in the platform layer's
// ProfilesConformance tests; these are the simulated machine's own choices.
TEST_F(SimProfilesTest, WritesInPlaceKeepingTheOtherBytes) {
  const std::string before =
      ";  settings\n[Initialize]\r\n  Opt1 = 0\t\r\n\r\n[List]\r\nA=1\r\n;end\r\n";
  WriteHost("drive_c/ZUBANET/Zubanet.ini", before);
  ASSERT_TRUE(profiles().WriteString(" INITIALIZE ", "opt1", "1", kIni));
  ASSERT_TRUE(profiles().WriteString("list", "B", " two ", kIni));
  ASSERT_TRUE(profiles().WriteString("New", "Key", "\"v\"", kIni));
  EXPECT_EQ(ReadHost("drive_c/ZUBANET/Zubanet.ini"),
            ";  settings\n[Initialize]\r\nOpt1=1\r\n\r\n[List]\r\nA=1\r\nB= two \r\n;end\r\n"
            "[New]\r\nKey=\"v\"\r\n");
  EXPECT_EQ(Get("New", "Key"), "v");
  EXPECT_EQ(Get("List", "B"), "two");

  ASSERT_TRUE(profiles().RemoveKey("List", "a", kIni));
  ASSERT_TRUE(profiles().RemoveKey("List", "none", kIni));
  ASSERT_TRUE(profiles().RemoveSection("initialize", kIni));
  ASSERT_TRUE(profiles().RemoveSection("none", kIni));
  EXPECT_EQ(ReadHost("drive_c/ZUBANET/Zubanet.ini"),
            ";  settings\n[List]\r\nB= two \r\n;end\r\n[New]\r\nKey=\"v\"\r\n");

  EXPECT_FALSE(profiles().WriteString("", "k", "v", kIni));
  EXPECT_FALSE(profiles().WriteString("s", " ", "v", kIni));
  EXPECT_FALSE(profiles().WriteString("s", "k", std::string(40000, 'x'), kIni));
}

TEST_F(SimProfilesTest, ReadsAndWritesWholeSections) {
  WriteHost("drive_c/ZUBANET/Zubanet.ini",
            "[List]\r\n;names\r\n A = \"1\" \r\nnote\r\nB=2\r\n[Other]\r\nC=3\r\n");
  std::string entries;
  EXPECT_EQ(profiles().GetSection("list", &entries, 1024, kIni), 10u);
  EXPECT_EQ(entries, std::string("A=\"1\"\0B=2\0", 11));  // raw values, text lines left out
  EXPECT_EQ(profiles().GetSection("list", &entries, 8, kIni), 6u);
  EXPECT_EQ(entries, std::string("A=\"1\"\0\0", 8));
  EXPECT_EQ(profiles().GetSection("none", &entries, 1024, kIni), 0u);
  // Any buffer too small gets the listing's start and two zero bytes.
  const std::string whole("A=\"1\"\0B=2\0\0", 11);
  for (std::size_t size = 2; size < whole.size(); ++size) {
    EXPECT_EQ(profiles().GetSection("list", &entries, size, kIni), size - 2) << size;
    EXPECT_EQ(entries, whole.substr(0, size - 2) + std::string(2, '\0')) << size;
  }

  std::vector<std::string> listed;
  EXPECT_TRUE(ListSection(profiles(), "List", kIni, 4, &listed));
  EXPECT_EQ(listed, (std::vector<std::string>{"A=\"1\"", "B=2"}));

  ASSERT_TRUE(profiles().WriteSection("LIST", {" A =x=y", "D=4", "E=5", "", "F=6"}, kIni));
  EXPECT_EQ(ReadHost("drive_c/ZUBANET/Zubanet.ini"),
            "[List]\r\n;names\r\nA=x=y\r\nnote\r\nD=4\r\nE=5\r\n[Other]\r\nC=3\r\n");
  EXPECT_EQ(Get("list", "a"), "x=y");
  ASSERT_TRUE(profiles().WriteSection("New", {"k=v"}, kIni));
  EXPECT_EQ(Get("New", "k"), "v");
  EXPECT_TRUE(profiles().Flush(kIni));

  // A malformed entry writes nothing.
  const std::string before = ReadHost("drive_c/ZUBANET/Zubanet.ini");
  EXPECT_FALSE(profiles().WriteSection("List", {"A=1", "no equals sign"}, kIni));
  EXPECT_FALSE(profiles().WriteSection("List", {"A=1", " =2"}, kIni));
  EXPECT_FALSE(profiles().WriteSection("List", {"A=1\r\n[x]"}, kIni));
  EXPECT_FALSE(profiles().WriteSection(" ", {"A=1"}, kIni));
  EXPECT_EQ(ReadHost("drive_c/ZUBANET/Zubanet.ini"), before);
}

TEST_F(SimProfilesTest, CreatesFilesOnlyInExistingDirectories) {
  ASSERT_TRUE(profiles().WriteString("Locations", "CurrentLocation", "1,1", "telephon.ini"));
  EXPECT_EQ(ReadHost("drive_c/WINDOWS/telephon.ini"), "[Locations]\r\nCurrentLocation=1,1\r\n");
  EXPECT_EQ(Get("devices", "\x83\x8C\x81\x5B\x83\x55\x81\x5B \x83\x76\x83\x8A\x83\x93\x83\x5E",
                "win.ini"),
            "ZBLASER,LPT1:");  // "レーザー プリンタ" in the template's WIN.INI
  EXPECT_FALSE(profiles().WriteString("s", "k", "v", "C:\\NODIR\\x.ini"));
  EXPECT_TRUE(profiles().RemoveKey("s", "k", "C:\\NODIR\\x.ini"));  // nothing to remove
  EXPECT_EQ(ReadHost("drive_c/NODIR/x.ini"), "<missing>");
}

TEST_F(SimProfilesTest, SeesChangesMadeByOthers) {
  ASSERT_TRUE(profiles().WriteString("s", "k", "first", kIni));
  EXPECT_EQ(Get("s", "k"), "first");
  WriteHost("drive_c/ZUBANET/Zubanet.ini", "[s]\r\nk=other\r\n");  // same size, same moment
  EXPECT_EQ(Get("s", "k"), "other");
}

TEST_F(SimProfilesTest, ReadsAnyBytesAndReportsRefusedWrites) {
  static const char kJunk[] = "\0\xff\x81\r\r\n[s]\n=\x81\nk=\0x\r\n[\x81";
  std::string junk(kJunk, sizeof kJunk - 1);
  junk += std::string(70000, 'z');
  WriteHost("drive_c/ZUBANET/Zubanet.ini", junk);
  EXPECT_EQ(Get("s", "k"), "");  // the value stops at its zero byte
  std::string names;
  profiles().GetSectionNames(&names, 1024, kIni);
  ASSERT_TRUE(profiles().WriteString("s", "k", "v", kIni));
  EXPECT_EQ(Get("s", "k"), "v");

  MachineConfig& config = *machine_.machine().config;
  ASSERT_TRUE(config.Set("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "5"));
  EXPECT_FALSE(profiles().WriteString("s", "k", "w", kIni));
  EXPECT_FALSE(profiles().RemoveSection("s", kIni));
  EXPECT_FALSE(profiles().WriteSection("s", {"k=w"}, kIni));
  EXPECT_EQ(Get("s", "k"), "v");

  // A file that cannot be read reads as empty and is never written over.
  ASSERT_TRUE(config.Set("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "0"));
  ASSERT_TRUE(config.Set("Fail", "ReadFile", "5"));
  EXPECT_EQ(Get("s", "k"), "<default>");
  EXPECT_FALSE(profiles().WriteString("other", "k", "w", kIni));
  EXPECT_FALSE(profiles().RemoveKey("s", "k", kIni));
  ASSERT_TRUE(config.Set("Fail", "ReadFile", "0"));
  EXPECT_EQ(Get("s", "k"), "v");
}

// Held writes: this process reads them at once, the file gets them all in
// one replacement at Flush, made again on another process's text when that
// process wrote the file meanwhile; dropped, the file stays as it was; a
// file that cannot be written keeps none of them.
TEST_F(SimProfilesTest, HeldWritesReachTheFileTogetherAtTheFlush) {
  const std::string file = "drive_c/ZUBANET/Zubanet.ini";
  WriteHost(file, "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");
  profiles().HoldWrites(kIni);
  ASSERT_TRUE(profiles().RemoveSection("a", kIni));
  ASSERT_TRUE(profiles().WriteSection("a", {"k=new"}, kIni));
  ASSERT_TRUE(profiles().WriteString("c", "k", "3", kIni));
  EXPECT_EQ(Get("a", "k"), "new");
  EXPECT_EQ(ReadHost(file), "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");
  EXPECT_TRUE(profiles().Flush(kIni));
  EXPECT_EQ(ReadHost(file), "[b]\r\nk=2\r\n[a]\r\nk=new\r\n[c]\r\nk=3\r\n");

  profiles().HoldWrites(kIni);
  ASSERT_TRUE(profiles().WriteString("b", "k", "held", kIni));
  WriteHost(file, "[b]\r\nk=2\r\n[other]\r\nk=4\r\n");  // another process, meanwhile
  EXPECT_TRUE(profiles().Flush(kIni));
  EXPECT_EQ(ReadHost(file), "[b]\r\nk=held\r\n[other]\r\nk=4\r\n");

  profiles().HoldWrites(kIni);
  ASSERT_TRUE(profiles().RemoveSection("b", kIni));
  EXPECT_TRUE(profiles().DropHeldWrites(kIni));
  EXPECT_EQ(Get("b", "k"), "held");
  EXPECT_TRUE(profiles().Flush(kIni));  // nothing held
  EXPECT_FALSE(profiles().DropHeldWrites(kIni));

  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile", "5"));
  profiles().HoldWrites(kIni);
  ASSERT_TRUE(profiles().RemoveSection("b", kIni));
  EXPECT_FALSE(profiles().Flush(kIni));
  EXPECT_EQ(ReadHost(file), "[b]\r\nk=held\r\n[other]\r\nk=4\r\n");
  EXPECT_EQ(Get("b", "k"), "held");
}

}  // namespace
}  // namespace zuba::platform::sim
