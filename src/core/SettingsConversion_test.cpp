#include "core/SettingsConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SettingsFile.h"
#include "platform/sim/MachineConfig.h"
#include "system/Errors.h"
#include "testing/TempMachine.h"

namespace zuba::core {
namespace {

constexpr char kIniPath[] = "C:\\ZUBANET\\Zubanet.ini";
constexpr char kCopyPath[] = "C:\\ZUBANET\\ZUBANET.---";

// A file of the first layout: the adapter lines of Office and Lost among the
// program's own keys, a key without value, and a setting section.
constexpr char kVersion1[] =
    "[Initialize]\r\nOpt1=1\r\nOffice=0000\r\nWindowSize.X=10\r\nLost=0001\r\nPrevious=Office\r\n"
    "opt7=\r\niniconvert=0\r\n[Office]\r\nip=1.2.3.4\r\n";

class SettingsConversionTest : public ::testing::Test {
 protected:
  SettingsConversionTest() : ini_(machine_.profiles(), machine_.files()) { ini_.Loaded(); }

  void Store(const std::string& path, const std::string& content) {
    ASSERT_TRUE(machine_.files().WriteBytes(path, content));
  }
  std::string Text(const std::string& path) {
    std::string content = "<missing>";
    machine_.files().ReadBytes(path, &content);
    return content;
  }
  void Convert() {
    ConvertSettingsFile(ini_, machine_.files(), InitializeKeyNames(), {"Office", "home"});
  }
  std::string ErrorOf() {
    try {
      Convert();
    } catch (const system::Exception& e) {
      return e.what();
    }
    return "(no error)";
  }
  void Fail(const std::string& call, const std::string& code) {
    ASSERT_TRUE(machine_.machine().config->Set("Fail", call, code));
  }

  testing::TempMachine machine_;
  TIniGT ini_;
};

TEST_F(SettingsConversionTest, AdapterLinesMoveOwnKeysStayTheRestIsDropped) {
  Store(kIniPath, kVersion1);
  Store(kCopyPath, "an older copy");
  Convert();
  EXPECT_EQ(Text(kIniPath),
            "[Initialize]\r\nOpt1=1\r\nWindowSize.X=10\r\nPrevious=Office\r\niniconvert=1\r\n"
            "[Office]\r\nip=1.2.3.4\r\n[NIC_registry_list]\r\nOffice=0000\r\n");
  EXPECT_EQ(Text(kCopyPath), kVersion1);  // the old bytes exactly

  // A file already in the current layout keeps its keys and gains the mark.
  Store(kIniPath, "[NIC_registry_list]\r\nhome=0001\r\n[Initialize]\r\nOpt2=0\r\nhome=0003\r\n");
  Convert();
  EXPECT_EQ(Text(kIniPath),
            "[NIC_registry_list]\r\nhome=0003\r\n[Initialize]\r\nOpt2=0\r\nIniConvert=1\r\n");
}

TEST_F(SettingsConversionTest, FailuresStopWhereTheyHappenAndLoseNoLine) {
  Store(kIniPath, kVersion1);
  Fail("WriteFile:" + std::string(kCopyPath), "5");
  EXPECT_EQ(ErrorOf(), std::string(kCopyPath) + " に書き込めません");
  EXPECT_EQ(Text(kIniPath), kVersion1);
  EXPECT_EQ(Text(kCopyPath), "<missing>");

  Fail("WriteFile:" + std::string(kCopyPath), "0");
  Fail("ReadFile:" + std::string(kIniPath), "5");
  EXPECT_EQ(ErrorOf(), "C:\\ZUBANET\\ZUBANET.ini を読み込めません");

  // The settings file refuses its writes: the copy is made, the file is as
  // it was.
  Fail("ReadFile:" + std::string(kIniPath), "0");
  Fail("WriteFile:" + std::string(kIniPath), "5");
  EXPECT_EQ(ErrorOf(), std::string(kIniPath) + " に書き込めません");
  EXPECT_EQ(Text(kIniPath), kVersion1);
  EXPECT_EQ(Text(kCopyPath), kVersion1);
}

}  // namespace
}  // namespace zuba::core
