#include <gtest/gtest.h>

#include <cstdio>
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

TEST_F(MachineRegTest, ExportWithUtf8PrintsUtf8WithLineFeeds) {
  ASSERT_EQ(Run({"export", "--utf8",
                 "hklm\\system\\currentcontrolset\\services\\class\\netclient\\0000"}),
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
  EXPECT_EQ(Run({"export", "--utf8", "a", "b"}), kExitUsage);
  EXPECT_EQ(Run({"import"}), kExitUsage);
  EXPECT_EQ(Run({"import", "--utf8"}), kExitUsage);
}

// What regedit gives: an export that imports back to exactly the same
// registry, Japanese names and values included. By default the export is
// the machine's own bytes (a root's export is its hive file); the UTF-8
// export for people imports back as well.
TEST_F(MachineRegTest, ExportImportsBackToExactlyTheSameRegistry) {
  for (platform::sim::OsKind os :
       {platform::sim::OsKind::kWin98, platform::sim::OsKind::kWin95, platform::sim::OsKind::kNt}) {
    testing::TempMachine machine(os);
    const std::string systemReg = ReadHostFile(machine.HostPath("system.reg"));
    const std::string userReg = ReadHostFile(machine.HostPath("user.reg"));
    ASSERT_EQ(RunTool(machine.directory(), "reg export HKEY_LOCAL_MACHINE"), kExitOk);
    EXPECT_EQ(out_, systemReg);
    ASSERT_EQ(RunTool(machine.directory(), "reg export HKEY_CURRENT_USER"), kExitOk);
    EXPECT_EQ(out_, userReg);

    for (const char* option : {"", " --utf8"}) {
      SCOPED_TRACE(option);
      ASSERT_EQ(RunTool(machine.directory(), std::string("reg export") + option), kExitOk);
      EXPECT_EQ(err_, "");
      const std::string file = scratch_.path() + "/all.reg";
      std::ofstream(file, std::ios::binary) << out_;
      for (const char* hive : {"system.reg", "user.reg"}) {
        ASSERT_EQ(std::remove(machine.HostPath(hive).c_str()), 0);
      }
      ASSERT_EQ(
          RunTool(machine.directory(), std::string("reg import") + option + " '" + file + "'"),
          kExitOk)
          << err_;
      EXPECT_EQ(ReadHostFile(machine.HostPath("system.reg")), systemReg);
      EXPECT_EQ(ReadHostFile(machine.HostPath("user.reg")), userReg);
    }
  }
}

// Exporting a key and importing it again changes nothing: no second,
// garbled copy of the dial-up connections.
TEST_F(MachineRegTest, AKeyExportedAndImportedAgainChangesNothing) {
  const std::string userReg = ReadHostFile(machine_.HostPath("user.reg"));
  ASSERT_EQ(Run({"export", "HKEY_CURRENT_USER\\RemoteAccess"}), kExitOk);
  EXPECT_NE(out_.find("[HKEY_CURRENT_USER\\RemoteAccess\\Profile\\" +
                      std::string("自宅プロバイダ") + "]\r\n"),
            std::string::npos);
  const std::string file = scratch_.path() + "/remote.reg";
  std::ofstream(file, std::ios::binary) << out_;
  ASSERT_EQ(Run({"import", file}), kExitOk) << err_;
  EXPECT_EQ(ReadHostFile(machine_.HostPath("user.reg")), userReg);

  // A UTF-8 file imported without --utf8 is CP932 to the machine; a file
  // that is not UTF-8 is refused by the UTF-8 import, and nothing changes.
  std::ofstream(file, std::ios::binary)
      << "REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"v\"=\"\x83\x5C\"\r\n";
  EXPECT_EQ(Run({"import", "--utf8", file}), kExitError);
  EXPECT_NE(err_.find("not UTF-8"), std::string::npos) << err_;
  EXPECT_EQ(ReadHostFile(machine_.HostPath("user.reg")), userReg);
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
