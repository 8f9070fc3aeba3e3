#include "platform/sim/RegeditFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimulatedMachine.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using namespace std::string_literals;

class RegeditFileTest : public ::testing::Test {
 protected:
  std::string ReadHive(const std::string& name) {
    std::ifstream in(dir_.path() + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  testing::TempDir dir_;
  EventLog events_{dir_.path()};
  std::unique_ptr<Registry> registry_ = OpenSimRegistry(dir_.path(), events_);
};

// As the exporter writes it: every kind of value, escapes, a "ソ" whose
// second byte is 0x5C, wrapped hex data and an empty key.
const std::string kMachine =
    "[HKEY_LOCAL_MACHINE]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ソフト]\r\n"
    "@=\"既定\"\r\n"
    "\"Path\"=\"C:\\\\ZUBANET\\\\ZUBANET.EXE \\\"ソ\\\"\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Bytes\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
    "  16,17,18,19,1a,1b,1c,1d\r\n"
    "\"Expand\"=hex(2):25,77,69,6e,64,69,72,25,00\r\n"
    "\"Multi\"=hex(7):61,00,62,00,00\r\n"
    "\"None\"=hex(0):\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\ソフト\\Empty]\r\n\r\n";
const std::string kUser =
    "[HKEY_CURRENT_USER]\r\n\r\n"
    "[HKEY_CURRENT_USER\\RemoteAccess]\r\n"
    "\"Default\"=\"接続\"\r\n\r\n";

TEST_F(RegeditFileTest, ImportThenExportGivesTheSameText) {
  const std::string text = "REGEDIT4\r\n\r\n" + kMachine + kUser;
  ImportRegedit4(*registry_, text, "all.reg");
  EXPECT_EQ(ExportRegedit4(*registry_, ""), text);
  // The hives hold exactly what an export of their root gives.
  EXPECT_EQ(ReadHive("system.reg"), ExportRegedit4(*registry_, "HKEY_LOCAL_MACHINE"));
  EXPECT_EQ(ReadHive("user.reg"), "REGEDIT4\r\n\r\n" + kUser);
  // A key asked for in any case is written with the names as created.
  EXPECT_EQ(ExportRegedit4(*registry_, "hklm\\SOFTWARE\\ソフト\\empty"),
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\ソフト\\Empty]\r\n\r\n");
  EXPECT_THROW(ExportRegedit4(*registry_, "HKEY_LOCAL_MACHINE\\Missing"), MachineError);
  EXPECT_THROW(ExportRegedit4(*registry_, "HKEY_USERS"), MachineError);
}

TEST_F(RegeditFileTest, ImportDeletesAndCompletesAsTheRegistryEditorDoes) {
  ImportRegedit4(*registry_, "REGEDIT4\r\n\r\n" + kMachine, "base.reg");
  ImportRegedit4(*registry_,
                 "REGEDIT4\n"
                 "[-HKEY_LOCAL_MACHINE\\Software\\ソフト]\n"
                 "[-HKEY_LOCAL_MACHINE\\Not\\There]\n"
                 "[HKEY_LOCAL_MACHINE\\Software]\n"
                 "\"Gone\"=-\n"
                 "\"E\"=hex(2):41\n"
                 "[HKEY_CLASSES_ROOT\\.txt]\n"
                 "@=\"txtfile\"\n",
                 "change.reg");
  EXPECT_EQ(ExportRegedit4(*registry_, "HKEY_LOCAL_MACHINE\\Software"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n"
            "\"E\"=hex(2):41,00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt]\r\n"
            "@=\"txtfile\"\r\n\r\n");
}

TEST_F(RegeditFileTest, MalformedFileIsRefusedAsAWhole) {
  ImportRegedit4(*registry_, "REGEDIT4\r\n\r\n" + kMachine, "base.reg");
  const std::string before = ReadHive("system.reg");
  const std::string bad =
      "REGEDIT4\r\n"
      "[-HKEY_LOCAL_MACHINE\\Software]\r\n"
      "[HKEY_LOCAL_MACHINE\\New]\r\n"
      "\"ok\"=\"fine\"\r\n"
      "\"broken\"=dword:xyz\r\n";
  try {
    ImportRegedit4(*registry_, bad, "bad.reg");
    FAIL() << "imported";
  } catch (const MachineError& e) {
    EXPECT_EQ(std::string(e.what()), "bad.reg:5: invalid dword value");
  }
  EXPECT_EQ(ReadHive("system.reg"), before);
  EXPECT_EQ(ExportRegedit4(*registry_, "HKEY_LOCAL_MACHINE"), before);

  for (const char* text :
       {"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", "REGEDIT4\n[HKEY_USERS\\.Default]\n"}) {
    EXPECT_THROW(ImportRegedit4(*registry_, text, "root.reg"), MachineError) << text;
  }
  EXPECT_EQ(ReadHive("system.reg"), before);
}

}  // namespace
}  // namespace zuba::platform::sim
