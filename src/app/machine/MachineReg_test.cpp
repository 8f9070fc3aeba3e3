#include <gtest/gtest.h>

#include <fstream>

#include "app/machine/Commands.h"  // the exit codes
#include "platform/TextCodec.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

// Runs the zubanet-machine binary (ZUBA_MACHINE_TOOL, set by CTest) on the
// test's machine.
class MachineRegTest : public testing::MachineToolTest {
 protected:
  int Run(const std::vector<std::string>& args) {
    std::string quoted = "reg";
    for (const std::string& arg : args) quoted += " '" + arg + "'";
    return RunTool(machine_.directory(), quoted);
  }
  std::string Value(const std::string& path, const std::string& name) {
    machine_.Reopen();
    platform::Registry& registry = machine_.registry();
    platform::RegKey key;
    if (registry.OpenKey(platform::kHkeyLocalMachine, path, &key) != platform::kErrorSuccess) {
      return "<no key>";
    }
    platform::RegValue value;
    long r = registry.QueryValue(key, name, &value);
    registry.CloseKey(key);
    return r == platform::kErrorSuccess ? value.data : "<no value>";
  }

  testing::TempMachine machine_;
};

TEST_F(MachineRegTest, ExportPrintsUtf8WithLineFeeds) {
  ASSERT_EQ(Run({"export", "hklm\\system\\currentcontrolset\\services\\class\\netclient\\0000"}),
            kExitOk);
  const std::string out = out_;
  EXPECT_EQ(out.rfind("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\"
                      "Class\\NetClient\\0000]\n",
                      0),
            0u)
      << out;
  EXPECT_NE(
      out.find(platform::Cp932ToUtf8("\"DriverDesc\"=\"Microsoft ネットワーク クライアント\"\n")),
      std::string::npos);
  EXPECT_EQ(out.find('\r'), std::string::npos);

  EXPECT_EQ(Run({"export", "HKEY_LOCAL_MACHINE\\No\\Such\\Key"}), kExitError);
  EXPECT_NE(err_.find("no such key"), std::string::npos);
  EXPECT_EQ(Run({"export", "a", "b"}), kExitUsage);
  EXPECT_EQ(Run({"import"}), kExitUsage);
}

TEST_F(MachineRegTest, ImportAppliesACp932FileOrRefusesItWhole) {
  const std::string file = machine_.HostPath("A.reg");
  // The RunOnce script the switch batch imports at boot, with a Japanese name.
  std::ofstream(file, std::ios::binary)
      << "REGEDIT4\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
         "\"ZubaNet\"=\"C:\\\\ZUBANET\\\\zubanet.exe 会社ソ /c\"\r\n";
  ASSERT_EQ(Run({"import", file}), kExitOk) << err_;
  const std::string runOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  EXPECT_EQ(Value(runOnce, "ZubaNet"), std::string("C:\\ZUBANET\\zubanet.exe 会社ソ /c") + '\0');

  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n"
                                           "[-HKEY_LOCAL_MACHINE\\Software]\r\n"
                                           "[HKEY_LOCAL_MACHINE\\X]\r\n"
                                           "\"v\"=hex:0g\r\n";
  EXPECT_EQ(Run({"import", file}), kExitError);
  EXPECT_EQ(err_, "zubanet-machine: " + file + ":4: invalid hex data\n");
  EXPECT_EQ(Value(runOnce, "ZubaNet"), std::string("C:\\ZUBANET\\zubanet.exe 会社ソ /c") + '\0');
  EXPECT_EQ(Value("X", ""), "<no key>");

  EXPECT_EQ(Run({"import", machine_.HostPath("missing.reg")}), kExitError);
  EXPECT_NE(err_.find("missing.reg: cannot read"), std::string::npos);
}

}  // namespace
}  // namespace zuba::app
