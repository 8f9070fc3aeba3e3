#include "ui/PrComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/NetMachine.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace actions;  // the system's side of the component

using platform::kHkeyLocalMachine;
using platform::sim::OsKind;
using Names = std::vector<std::string>;

constexpr char kLaser[] = "レーザー プリンタ";
constexpr char kColor[] = "カラー プリンタ";

// Records the win.ini change notices it is asked to send.
class RecordingSystem : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  void BroadcastWinIniChange(const std::string& section) override {
    notices.push_back(section);
    SystemWrapper::BroadcastWinIniChange(section);
  }
  Names notices;
};

// win.ini that refuses every write.
class ReadOnlyProfiles : public platform::ProfilesWrapper {
 public:
  using ProfilesWrapper::ProfilesWrapper;
  bool WriteString(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {
    return false;
  }
};

class PrinterTest : public ::testing::TestWithParam<OsKind> {
 protected:
  TPrComboBox& Create(platform::Profiles& profiles) {
    TPrComboBox& box =
        form_.Add<TPrComboBox>("pcbPr", profiles, machine_.registry(), machine_.files(), system_);
    box.FillPrinters();
    return box;
  }
  TPrComboBox& Create() { return Create(machine_.profiles()); }
  std::string WinIni() {
    std::string bytes;
    machine_.files().ReadBytes(kWinIniPath, &bytes);
    return bytes;
  }
  void WriteWinIni(const std::string& text) {
    ASSERT_TRUE(machine_.files().WriteBytes(kWinIniPath, text));
  }
  std::string RegistryDefault() {
    return testing::ValueText(machine_.registry(), kHkeyLocalMachine, kPrintersKey, "Default");
  }

  testing::TempMachine machine_{GetParam()};
  const std::string kWinIniPath = machine_.files().WindowsDirectory() + "\\WIN.INI";
  RecordingSystem system_{machine_.system()};
  toolkit::ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
  toolkit::Form& form_ = app_.CreateForm<toolkit::Form>();
};

TEST_P(PrinterTest, ListsThePrintersWithADevicesText) {
  TPrComboBox& box = Create();
  EXPECT_EQ(box.Style(), toolkit::ComboStyle::kDropDownList);
  EXPECT_EQ(box.Items(), (Names{kLaser, kColor}));
  EXPECT_EQ(box.ItemIndex(), -1);
  WriteWinIni("[Devices]\r\nA=DRV,LPT1:\r\nEmpty=\r\nB=DRV,FILE:\r\n");
  box.SetItemIndex(0);
  box.FillPrinters();
  EXPECT_EQ(box.Items(), (Names{"A", "B"}));
  EXPECT_EQ(box.ItemIndex(), -1);
}

TEST_P(PrinterTest, DefaultPrinterIsTheDeviceEntryUpToItsComma) {
  TPrComboBox& box = Create();
  EXPECT_EQ(box.GetDefaultPrinter(), kLaser);
  WriteWinIni("[windows]\r\ndevice=LaserA,winspool,LPT1:\r\n");
  EXPECT_EQ(box.GetDefaultPrinter(), "LaserA");
  WriteWinIni("[windows]\r\ndevice=LaserA\r\n");
  EXPECT_EQ(box.GetDefaultPrinter(), "LaserA");
  WriteWinIni("[windows]\r\nload=\r\n");
  EXPECT_EQ(box.GetDefaultPrinter(), "");
}

TEST_P(PrinterTest, ApplyWritesTheDeviceLineExactlyAndTellsTheWindows) {
  TPrComboBox& box = Create();
  box.SetItemIndex(box.IndexOf(kColor));
  ASSERT_TRUE(box.ApplyDefaultPrinter());
  const std::string winIni = WinIni();
  EXPECT_NE(winIni.find(std::string("\r\ndevice=") + kColor + ",ZBCOLOR,LPT2:\r\n"),
            std::string::npos);
  EXPECT_EQ(RegistryDefault(), std::string("\"") + kColor + "\"");
  EXPECT_EQ(system_.notices, (Names{"windows"}));
  EXPECT_EQ(box.GetDefaultPrinter(), kColor);
}

TEST_P(PrinterTest, NothingSelectedOrNoLongerInstalledChangesNothing) {
  TPrComboBox& box = Create();
  const std::string before = WinIni();
  EXPECT_FALSE(box.ApplyDefaultPrinter());
  // The printer went from [devices] after the list was filled.
  box.SetItemIndex(box.IndexOf(kColor));
  ASSERT_TRUE(machine_.profiles().RemoveKey("devices", kColor, kWinIniPath));
  const std::string withoutColor = WinIni();
  EXPECT_NE(withoutColor, before);
  EXPECT_FALSE(box.ApplyDefaultPrinter());
  EXPECT_EQ(WinIni(), withoutColor);
  EXPECT_EQ(RegistryDefault(), std::string("\"") + kLaser + "\"");
  EXPECT_TRUE(system_.notices.empty());
}

TEST_P(PrinterTest, WithoutThePrintersKeyOnlyWinIniChanges) {
  testing::EditRegistry(machine_.registry(),
                        std::string("[-HKEY_LOCAL_MACHINE") + kPrintersKey + "]\n");
  TPrComboBox& box = Create();
  box.SetItemIndex(1);
  EXPECT_TRUE(box.ApplyDefaultPrinter());
  EXPECT_EQ(RegistryDefault(), "no key");
  EXPECT_EQ(box.GetDefaultPrinter(), kColor);
  EXPECT_EQ(system_.notices.size(), 1u);
}

// The registry's record of the default printer goes back to what it was,
// so that it never disagrees with win.ini's.
TEST_P(PrinterTest, ARefusedWinIniWriteIsNoSuccessAndLeavesTheRegistryAsItWas) {
  ReadOnlyProfiles readOnly(machine_.profiles());
  TPrComboBox& box = Create(readOnly);
  box.SetItemIndex(1);
  EXPECT_FALSE(box.ApplyDefaultPrinter());
  EXPECT_TRUE(system_.notices.empty());
  EXPECT_EQ(box.GetDefaultPrinter(), kLaser);
  EXPECT_EQ(RegistryDefault(), std::string("\"") + kLaser + "\"");

  // A value that was not there is not left behind; one of another kind
  // comes back with its kind.
  testing::EditRegistry(machine_.registry(),
                        std::string("[HKEY_LOCAL_MACHINE") + kPrintersKey + "]\n\"Default\"=-\n");
  EXPECT_FALSE(box.ApplyDefaultPrinter());
  EXPECT_EQ(RegistryDefault(), "-");
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kPrintersKey +
                                                 "]\n\"Default\"=hex:01,02\n");
  EXPECT_FALSE(box.ApplyDefaultPrinter());
  platform::RegKey key = 0;
  ASSERT_EQ(machine_.registry().OpenKey(kHkeyLocalMachine, kPrintersKey + 1, &key), 0);
  platform::RegValue value;
  ASSERT_EQ(machine_.registry().QueryValue(key, "Default", &value), 0);
  machine_.registry().CloseKey(key);
  EXPECT_EQ(value.type, platform::kRegBinary);
  EXPECT_EQ(value.data, "\x01\x02");
}

INSTANTIATE_TEST_SUITE_P(Machines, PrinterTest,
                         ::testing::Values(OsKind::kWin98, OsKind::kWin95, OsKind::kNt));

}  // namespace
}  // namespace zuba::ui
