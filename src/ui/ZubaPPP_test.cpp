#include "ui/ZubaPPP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/sim/MachineConfig.h"
#include "system/Errors.h"
#include "testing/NetMachine.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace actions;  // the system's side of the component

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::sim::OsKind;
using Names = std::vector<std::string>;

constexpr char kTelephonPath[] = "C:\\WINDOWS\\TELEPHON.INI";

class DialUpTest : public ::testing::Test {
 protected:
  explicit DialUpTest(OsKind os = OsKind::kWin98) : machine_(os) {}

  TZubaPPP& Create() {
    return form_.Add<TZubaPPP>("zbPPP", machine_.registry(), machine_.profiles(), machine_.files(),
                               machine_.system());
  }
  std::string Value(platform::RegKey root, const std::string& key, const std::string& name) {
    return testing::ValueText(machine_.registry(), root, key, name);
  }
  std::string CurrentId() { return Value(kHkeyLocalMachine, kLocationsKey, "CurrentID"); }
  void WriteTelephon(const Names& lines) {
    ASSERT_TRUE(platform::WriteTextLines(machine_.files(), kTelephonPath, lines));
  }
  Names TelephonLines() {
    Names lines;
    platform::ReadTextLines(machine_.files(), kTelephonPath, &lines);
    return lines;
  }

  testing::TempMachine machine_;
  toolkit::ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
  toolkit::Form& form_ = app_.CreateForm<toolkit::Form>();
};

class Win95DialUpTest : public DialUpTest {
 protected:
  Win95DialUpTest() : DialUpTest(OsKind::kWin95) {}
};

TEST_F(DialUpTest, ListsConnectionsAndRegistryLocationsOnce) {
  TZubaPPP& ppp = Create();
  EXPECT_EQ(ppp.ConnectionNames(), (Names{"自宅プロバイダ", "ソフト開発部"}));
  EXPECT_EQ(ppp.LocationNames(), (Names{"自宅", "会社"}));
  // Every key with a "Name" counts, descendants before their parent.
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kLocationsKey +
                                                 "\\Location1\\Inner]\n\"Name\"=\"奥\"\n");
  Names names;
  ppp.GetLocationNames(names);
  EXPECT_EQ(names, (Names{"自宅", "奥", "会社"}));
  EXPECT_EQ(ppp.LocationNames().size(), 2u);  // read at creation only
}

TEST_F(DialUpTest, ApplyAndReadRoundTripInTheRegistry) {
  TZubaPPP& ppp = Create();
  network::DialUpValues now = ppp.ReadCurrent();
  EXPECT_TRUE(now.autoDial);
  EXPECT_FALSE(now.autoDisconnect);
  EXPECT_EQ(now.connectionName, "自宅プロバイダ");
  EXPECT_EQ(now.locationName, "自宅");  // CurrentID 1 is Location0

  ppp.Apply(false, true, "ソフト開発部", "会社");
  EXPECT_EQ(Value(kHkeyCurrentUser, kInternetSettingsKey, "EnableAutodial"), "hex:00,00,00,00");
  EXPECT_EQ(Value(kHkeyCurrentUser, kInternetSettingsKey, "EnableAutodisconnect"),
            "hex:01,00,00,00");
  EXPECT_EQ(CurrentId(), "hex:02,00,00,00");
  now = ppp.ReadCurrent();
  EXPECT_FALSE(now.autoDial);
  EXPECT_TRUE(now.autoDisconnect);
  EXPECT_EQ(now.connectionName, "ソフト開発部");
  EXPECT_EQ(now.locationName, "会社");

  // An empty connection is written too; an unknown location changes nothing.
  ppp.Apply(true, false, "", "どこか");
  EXPECT_EQ(Value(kHkeyCurrentUser, kRemoteAccessKey, "InternetProfile"), "\"\"");
  EXPECT_EQ(CurrentId(), "hex:02,00,00,00");
}

TEST_F(DialUpTest, RegistryLocationsAreChosenByTheExactName) {
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kLocationsKey +
                                                 "\\Location2]\n\"ID\"=dword:00000007\n"
                                                 "\"Name\"=\"Office\"\n");
  TZubaPPP& ppp = Create();
  // The list finds "office" (position 2), but the registry wants "Office".
  ppp.Apply(true, false, "", "office");
  EXPECT_EQ(CurrentId(), "dword:00000001");
  ppp.SetCurrentLocation(-1, "Office");
  EXPECT_EQ(CurrentId(), "hex:07,00,00,00");
  EXPECT_EQ(ppp.GetCurrentLocationName(), "Office");
}

TEST_F(DialUpTest, CurrentLocationWithoutAMatchIsEmpty) {
  TZubaPPP& ppp = Create();
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kLocationsKey +
                                                 "]\n\"CurrentID\"=dword:00000009\n");
  EXPECT_EQ(ppp.GetCurrentLocationName(), "");
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kLocationsKey +
                                                 "]\n\"CurrentID\"=-\n");
  EXPECT_EQ(ppp.GetCurrentLocationName(), "");
  // A location without an "ID" is never made current.
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_LOCAL_MACHINE") + kLocationsKey +
                                                 "\\Location1]\n\"ID\"=-\n");
  ppp.SetCurrentLocation(1, "会社");
  EXPECT_EQ(CurrentId(), "-");
  ppp.SetCurrentLocation(0, "自宅");
  EXPECT_EQ(CurrentId(), "hex:01,00,00,00");
}

TEST_F(DialUpTest, FlagsReadAsIntegersOrBinaryAndMissingKeysChangeNothing) {
  TZubaPPP& ppp = Create();
  testing::EditRegistry(machine_.registry(), std::string("[HKEY_CURRENT_USER") +
                                                 kInternetSettingsKey +
                                                 "]\n\"EnableAutodial\"=dword:00000000\n"
                                                 "\"EnableAutodisconnect\"=hex:02,00\n");
  network::DialUpValues now = ppp.ReadCurrent();
  EXPECT_FALSE(now.autoDial);
  EXPECT_TRUE(now.autoDisconnect);
  testing::EditRegistry(
      machine_.registry(),
      std::string("[HKEY_CURRENT_USER") + kInternetSettingsKey + "]\n\"EnableAutodial\"=\"1\"\n");
  EXPECT_THROW(ppp.ReadCurrent(), system::ERegistryException);

  testing::EditRegistry(machine_.registry(),
                        "[-HKEY_CURRENT_USER\\Software]\n[-HKEY_CURRENT_USER\\RemoteAccess]\n");
  now = ppp.ReadCurrent();
  EXPECT_FALSE(now.autoDial);
  EXPECT_EQ(now.connectionName, "");
  ppp.Apply(true, true, "自宅プロバイダ", "自宅");
  EXPECT_FALSE(testing::KeyExists(machine_.registry(), kHkeyCurrentUser, kRemoteAccessKey));
  EXPECT_FALSE(testing::KeyExists(machine_.registry(), kHkeyCurrentUser, kInternetSettingsKey));
}

TEST_F(DialUpTest, ControlsShowCaptureAndClear) {
  TZubaPPP& ppp = Create();
  auto& connections = form_.Add<toolkit::ComboBox>("CbPpf");
  auto& locations = form_.Add<toolkit::ComboBox>("CbPtl");
  auto& dial = form_.Add<toolkit::CheckBox>("CbPac");
  auto& hangUp = form_.Add<toolkit::CheckBox>("CbPad");

  // Nothing bound: nothing shown, empty values, no error.
  ppp.ShowValues(true, true, "自宅プロバイダ", "自宅");
  EXPECT_EQ(ppp.CaptureValues().connectionName, "");
  EXPECT_FALSE(ppp.CaptureValues().autoDial);

  ppp.SetPppComboBox(&connections);
  ppp.SetTelComboBox(&locations);
  ppp.SetAtConnectCB(&dial);
  ppp.SetAtDisConnCB(&hangUp);
  EXPECT_EQ(connections.Items(), ppp.ConnectionNames());
  EXPECT_EQ(locations.Items(), ppp.LocationNames());

  int clicks = 0;
  dial.SetOnClick([&](toolkit::Component&) { ++clicks; });
  ppp.ShowValues(true, false, "ソフト開発部", "会社");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(connections.ItemIndex(), 1);
  EXPECT_EQ(locations.ItemIndex(), 1);
  network::DialUpValues captured = ppp.CaptureValues();
  EXPECT_TRUE(captured.autoDial);
  EXPECT_FALSE(captured.autoDisconnect);
  EXPECT_EQ(captured.connectionName, "ソフト開発部");
  EXPECT_EQ(captured.locationName, "会社");

  // A name not listed selects nothing; typed text is not taken.
  ppp.ShowValues(false, true, "どこか", "会社");
  EXPECT_EQ(connections.ItemIndex(), -1);
  connections.SetText("typed");
  EXPECT_EQ(ppp.CaptureValues().connectionName, "");

  ppp.ClearControls();
  EXPECT_FALSE(dial.Checked());
  EXPECT_FALSE(hangUp.Checked());
  EXPECT_EQ(locations.ItemIndex(), -1);

  // A control that goes is dropped.
  form_.DestroyChild(locations);
  EXPECT_EQ(ppp.TelComboBox(), nullptr);
  ppp.ShowValues(true, true, "自宅プロバイダ", "自宅");
  EXPECT_EQ(ppp.CaptureValues().locationName, "");

  // A box bound twice and then unbound from one place stays watched for
  // the other, so it is dropped there too when it goes.
  ppp.SetAtDisConnCB(&dial);
  ppp.SetAtConnectCB(nullptr);
  form_.DestroyChild(dial);
  EXPECT_EQ(ppp.AtDisConnCB(), nullptr);
}

TEST_F(Win95DialUpTest, TelephonIniRoundTripByIndex) {
  TZubaPPP& ppp = Create();
  // "Locations=3,2": the count is the 2 after the comma.
  EXPECT_EQ(ppp.LocationNames(), (Names{"自宅", "会社"}));
  EXPECT_EQ(ppp.ReadCurrent().locationName, "自宅");
  ppp.Apply(true, false, "自宅プロバイダ", "会社");
  const Names lines = TelephonLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "CurrentLocation=1,1"), lines.end());
  EXPECT_EQ(ppp.ReadCurrent().locationName, "会社");
  // Not listed: index -1 writes nothing.
  ppp.Apply(true, false, "", "どこか");
  EXPECT_EQ(TelephonLines(), lines);
}

TEST_F(Win95DialUpTest, TheCountFollowsTheComma) {
  WriteTelephon({"[Locations]", "Locations=1,3", "Location0=0,\"A\",\"x\"", "Location2=2,\"C\"",
                 "CurrentLocation=0,2"});
  TZubaPPP& ppp = Create();
  EXPECT_EQ(ppp.LocationNames(), (Names{"A", "", "C"}));  // a missing line gives ""
  EXPECT_EQ(ppp.GetCurrentLocationName(), "C");
  ppp.SetCurrentLocation(2, "");
  EXPECT_EQ(TelephonLines()[4], "CurrentLocation=2,2");
  ppp.SetCurrentLocation(3, "");  // not below N
  ppp.SetCurrentLocation(-1, "");
  EXPECT_EQ(TelephonLines()[4], "CurrentLocation=2,2");
}

TEST_F(Win95DialUpTest, ApplySaysWhenTelephonIniRefusesTheLocation) {
  TZubaPPP& ppp = Create();
  const Names lines = TelephonLines();
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile:C:\\WINDOWS\\TELEPHON.INI", "5"));
  EXPECT_FALSE(ppp.Apply(true, false, "", "会社"));
  EXPECT_EQ(TelephonLines(), lines);
  EXPECT_TRUE(ppp.Apply(true, false, "", "どこか"));  // not listed: nothing to write
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile:C:\\WINDOWS\\TELEPHON.INI", "0"));
  EXPECT_TRUE(ppp.Apply(true, false, "", "会社"));
  EXPECT_EQ(TelephonLines()[1], "CurrentLocation=1,1");
}

TEST_F(Win95DialUpTest, DamagedLinesGiveNoNamesAndNoWrites) {
  const Names damaged[] = {
      {"[Locations]", "Locations=3", "Location0=\"A\"", "CurrentLocation=0"},
      {"[Locations]", "Locations=1,three", "Location0=\"A\"", "CurrentLocation=0,x"},
      {"[Locations]", "Locations=1,", "Location0=\"A\"", "CurrentLocation=0,"},
  };
  for (const Names& lines : damaged) {
    WriteTelephon(lines);
    TZubaPPP& ppp = Create();
    EXPECT_TRUE(ppp.LocationNames().empty()) << lines[1];
    EXPECT_EQ(ppp.GetCurrentLocationName(), "") << lines[3];
    ppp.SetCurrentLocation(0, "A");
    EXPECT_EQ(TelephonLines(), lines);
    form_.DestroyComponent(ppp);
  }
}

TEST_F(Win95DialUpTest, NamesStandBetweenTheFirstTwoQuotes) {
  WriteTelephon({"[Locations]", "Locations=0,4", "Location0=1,\"Home\",\"03\"",
                 "Location1=no quotes", "Location2=1,\"open", "Location3=0,\"\",\"B\"",
                 "CurrentLocation=9,1"});
  TZubaPPP& ppp = Create();
  EXPECT_EQ(ppp.LocationNames(), (Names{"Home", "", "", ""}));
  EXPECT_EQ(ppp.GetCurrentLocationName(), "");  // index 1 holds the empty name
  WriteTelephon({"[Locations]", "Locations=0,4", "CurrentLocation=0,7"});
  EXPECT_EQ(ppp.GetCurrentLocationName(), "");  // outside the list
}

TEST_F(Win95DialUpTest, AHugeCountIsBounded) {
  WriteTelephon({"[Locations]", "Locations=0,2147483647", "Location0=1,\"A\""});
  TZubaPPP& ppp = Create();
  ASSERT_EQ(ppp.LocationNames().size(), static_cast<std::size_t>(TelephonIni::kMaxListed));
  EXPECT_EQ(ppp.LocationNames()[0], "A");
  WriteTelephon({"[Locations]", "Locations=0,2147483648"});  // beyond 32 bits
  Names names;
  ppp.GetLocationNames(names);
  EXPECT_TRUE(names.empty());
}

TEST_F(Win95DialUpTest, NoTelephonIniNoLocations) {
  ASSERT_TRUE(machine_.files().RemoveFile(kTelephonPath));
  TZubaPPP& ppp = Create();
  EXPECT_TRUE(ppp.LocationNames().empty());
  EXPECT_EQ(ppp.ReadCurrent().locationName, "");
  ppp.SetCurrentLocation(0, "");
  EXPECT_EQ(machine_.files().GetAttributes(kTelephonPath), platform::kInvalidAttributes);
}

TEST(DialUpNtTest, TheNtTemplateKeepsLocationsInTheRegistry) {
  testing::TempMachine machine(OsKind::kNt);
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  toolkit::Form& form = app.CreateForm<toolkit::Form>();
  TZubaPPP& ppp = form.Add<TZubaPPP>("zbPPP", machine.registry(), machine.profiles(),
                                     machine.files(), machine.system());
  ppp.Apply(true, true, "ソフト開発部", "会社");
  network::DialUpValues now = ppp.ReadCurrent();
  EXPECT_TRUE(now.autoDisconnect);
  EXPECT_EQ(now.connectionName, "ソフト開発部");
  EXPECT_EQ(now.locationName, "会社");
}

}  // namespace
}  // namespace zuba::ui
