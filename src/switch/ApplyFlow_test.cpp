#include "switch/ApplyFlow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/sim/MachineConfig.h"
#include "testing/NetMachine.h"
#include "testing/RecordingShell.h"
#include "testing/TempMachine.h"

namespace zuba::switching {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using Items = std::vector<std::pair<std::string, std::string>>;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\ZUBANET.INI";
constexpr char kAdapterKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
constexpr char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kVnetsupKey[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr char kInternetKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr char kLocationsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";

// Every group a setting can carry.
const Items kOffice = {
    {"ip", "10.1.2.3"},         {"gw", "10.1.2.1,10.1.2.254"}, {"ms", "255.255.0.0"},
    {"de", "1"},                {"dh", "office-pc"},           {"dd", "office.example"},
    {"di", "10.1.0.53,10.1.0.54"}, {"ds", "office.example"},   {"wg", "OFFICE"},
    {"lc", "OFFICEPC"},         {"cc", "会社の端末"},           {"fs", "No"},
    {"ps", "Yes"},              {"li", "hanako"},              {"ld", "OFFICEDOM"},
    {"wp", "10.1.0.10"},        {"ws", "10.1.0.11"},           {"nt", "8"},
    {"wi", "scope"},            {"lo", "0"},                   {"pe", "1"},
    {"pv", "proxy.office:8080"}, {"pa", ""},                   {"pf", "ソフト開発部"},
    {"pc", "1"},                {"pd", "0"},                   {"tl", "会社"},
    {"pr", "カラー プリンタ"}};

class ApplyFlowTest : public ::testing::Test {
 protected:
  ApplyFlowTest() { SetIni("NIC_registry_list", "Office", "0000"); }

  ApplyServices Services() {
    return {machine_.registry(), machine_.files(), machine_.profiles(), machine_.system()};
  }

  // A request for the setting `name` holding `items`, with the window's
  // controls as they stand after recalling it: the logon group off, no
  // files, printer or application chosen.
  ApplyRequest Request(const Items& items, const std::string& name = "Office") {
    ApplyRequest request;
    request.settingName = name;
    request.settingsFile = kSettingsFile;
    core::InitRegList(request.setting, false, machine_.system());
    for (const auto& [code, value] : items) {
      core::TNetReg& item = request.setting[core::FindItemIndex(code)];
      item.Value = value;
      item.IsSet = true;
    }
    return request;
  }

  // As the window stands after recalling kOffice.
  ApplyRequest OfficeRequest() {
    ApplyRequest request = Request(kOffice);
    request.changeLogon = true;
    request.logonChoice = 0;
    request.hosts = {"C:\\WINDOWS\\hosts.office", "C:\\WINDOWS\\hosts", true};
    request.lmhosts = {"C:\\WINDOWS\\lmhosts.office", "C:\\WINDOWS\\lmhosts", false};
    request.printer = "カラー プリンタ";
    return request;
  }

  void Run(const ApplyRequest& request) { ApplyFlow(Services(), ui_).Run(request); }

  // The message of the ApplyError the apply raises; empty when it raises none.
  std::string RunFailing(const ApplyRequest& request) {
    try {
      Run(request);
    } catch (const ApplyError& error) {
      return error.what();
    }
    return {};
  }

  std::string Value(platform::RegKey root, const std::string& key, const std::string& name) {
    return testing::ValueText(machine_.registry(), root, key, name);
  }
  std::string Hklm(const std::string& key, const std::string& name) {
    return Value(kHkeyLocalMachine, key, name);
  }
  std::string Hkcu(const std::string& key, const std::string& name) {
    return Value(kHkeyCurrentUser, key, name);
  }
  std::string Ini(const std::string& section, const std::string& key,
                  const std::string& file = kSettingsFile) {
    std::string value;
    machine_.profiles().GetString(section, key, "(none)", &value, 4096, file);
    return value;
  }
  void SetIni(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(machine_.profiles().WriteString(section, key, value, kSettingsFile));
  }
  std::string File(const std::string& path) {
    std::string content;
    return machine_.files().ReadBytes(path, &content) ? content : "(missing)";
  }
  std::string Events() {
    std::ifstream in(machine_.HostPath("events.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // Everything an apply may change.
  std::string Snapshot() {
    return testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE") +
           testing::ExportKey(machine_.registry(), "HKEY_CURRENT_USER") +
           File("C:\\WINDOWS\\WIN.INI") + File("C:\\WINDOWS\\hosts") +
           File("C:\\WINDOWS\\lmhosts") + File(kSettingsFile);
  }
  void Fail(const std::string& call, const std::string& code = "5") {
    ASSERT_TRUE(machine_.machine().config->Set("Fail", call, code));
  }

  testing::TempMachine machine_;
  testing::RecordingShell ui_;
};

TEST_F(ApplyFlowTest, WritesEveryGroupOfTheSettingIntoTheMachine) {
  const std::string lmhostsBefore = File("C:\\WINDOWS\\lmhosts");
  Run(OfficeRequest());

  EXPECT_EQ(Hklm(kAdapterKey, "IPAddress"), "\"10.1.2.3\"");
  EXPECT_EQ(Hklm(kAdapterKey, "DefaultGateway"), "\"10.1.2.1,10.1.2.254\"");
  EXPECT_EQ(Hklm(kAdapterKey, "IPMask"), "\"255.255.0.0\"");
  EXPECT_EQ(Hklm(kMstcpKey, "EnableDNS"), "\"1\"");
  EXPECT_EQ(Hklm(kMstcpKey, "NameServer"), "\"10.1.0.53,10.1.0.54\"");
  EXPECT_EQ(Hklm(kMstcpKey, "SearchList"), "\"office.example\"");
  EXPECT_EQ(Hklm(kVnetsupKey, "WorkGroup"), "\"OFFICE\"");
  EXPECT_EQ(Hklm(kVnetsupKey, "Comment"), "\"会社の端末\"");
  EXPECT_EQ(Hklm(kVnetsupKey, "FileSharing"), "\"No\"");
  EXPECT_EQ(Hklm("System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                 "ComputerName"),
            "\"OFFICEPC\"");
  EXPECT_EQ(Hklm("Network\\Logon", "username"), "\"hanako\"");
  // Windows 98: the WINS servers and node type go to the adapter.
  EXPECT_EQ(Hklm(kAdapterKey, "NameServer1"), "\"10.1.0.10\"");
  EXPECT_EQ(Hklm(kAdapterKey, "NodeType"), "\"8\"");
  EXPECT_EQ(Hklm(kMstcpKey, "ScopeID"), "\"scope\"");
  // The Windows logon with the domain.
  EXPECT_FALSE(testing::KeyExists(machine_.registry(), kHkeyLocalMachine,
                                  "System\\CurrentControlSet\\Services\\Class\\NetClient\\0000\\Ndi\\Default"));
  EXPECT_EQ(Hklm("Network\\Logon", "PrimaryProvider"), "\"\"");
  EXPECT_EQ(Hklm("System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                 "AuthenticatingAgent"),
            "\"OFFICEDOM\"");
  // hosts replaced; the existing lmhosts kept.
  EXPECT_EQ(File("C:\\WINDOWS\\hosts"), File("C:\\WINDOWS\\hosts.office"));
  EXPECT_EQ(File("C:\\WINDOWS\\lmhosts"), lmhostsBefore);
  // The printer, in win.ini and the registry, with the notice.
  EXPECT_EQ(Ini("windows", "device", "C:\\WINDOWS\\WIN.INI"), "カラー プリンタ,ZBCOLOR,LPT2:");
  EXPECT_EQ(Hklm("Config\\0001\\System\\CurrentControlSet\\Control\\Print\\Printers", "Default"),
            "\"カラー プリンタ\"");
  EXPECT_NE(Events().find("broadcast WM_WININICHANGE windows"), std::string::npos);
  // Dial-up and proxy.
  EXPECT_EQ(Hkcu(kInternetKey, "EnableAutodial"), "hex:01,00,00,00");
  EXPECT_EQ(Hkcu(kInternetKey, "EnableAutodisconnect"), "hex:00,00,00,00");
  EXPECT_EQ(Hkcu("RemoteAccess", "InternetProfile"), "\"ソフト開発部\"");
  EXPECT_EQ(Hklm(kLocationsKey, "CurrentID"), "hex:02,00,00,00");
  EXPECT_EQ(Hkcu(kInternetKey, "ProxyEnable"), "hex:01,00,00,00");
  EXPECT_EQ(Hkcu(kInternetKey, "ProxyServer"), "\"proxy.office:8080\"");
  EXPECT_EQ(Hkcu(kInternetKey, "AutoConfigURL"), "\"\"");
  // The name recorded; no flush without Opt7; nothing shown.
  EXPECT_EQ(Ini("Initialize", "Previous"), "Office");
  EXPECT_EQ(Ini("Initialize", "H_LOC_MCN"), "(none)");
  EXPECT_EQ(Events().find("registry flush"), std::string::npos);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ApplyFlowTest, LeavesAloneWhatTheSettingDoesNotCarry) {
  // Only the proxy group: no network value, dial-up value or file changes.
  const std::string network = testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE");
  const std::string dialUp = Hkcu(kInternetKey, "EnableAutodial") +
                             Hkcu("RemoteAccess", "InternetProfile");
  const std::string hosts = File("C:\\WINDOWS\\hosts");
  Run(Request({{"pe", "0"}, {"pv", "proxy:80"}, {"pa", "http://wpad/proxy.pac"}}, "Proxy"));
  EXPECT_EQ(testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE"), network);
  EXPECT_EQ(Hkcu(kInternetKey, "EnableAutodial") + Hkcu("RemoteAccess", "InternetProfile"),
            dialUp);
  EXPECT_EQ(File("C:\\WINDOWS\\hosts"), hosts);
  EXPECT_EQ(Hkcu(kInternetKey, "ProxyEnable"), "hex:00,00,00,00");
  EXPECT_EQ(Hkcu(kInternetKey, "AutoConfigURL"), "\"http://wpad/proxy.pac\"");
  EXPECT_EQ(Ini("Initialize", "Previous"), "Proxy");

  // A setting saved without TCP/IP needs no adapter entry and keeps the
  // system's WINS values, address, mask and gateways.
  const std::string adapter = testing::ExportKey(
      machine_.registry(), std::string("HKEY_LOCAL_MACHINE\\") + kAdapterKey);
  Run(Request({{"de", "0"}, {"wg", "HOME"}}, "Home"));
  EXPECT_EQ(testing::ExportKey(machine_.registry(),
                               std::string("HKEY_LOCAL_MACHINE\\") + kAdapterKey),
            adapter);
  EXPECT_EQ(Hklm(kVnetsupKey, "WorkGroup"), "\"HOME\"");
  // DNS switched off: its values go after EnableDNS has been written.
  EXPECT_EQ(Hklm(kMstcpKey, "EnableDNS"), "\"0\"");
  for (const char* name : {"HostName", "Domain", "NameServer", "SearchList"}) {
    EXPECT_EQ(Hklm(kMstcpKey, name), "-") << name;
  }
  EXPECT_EQ(Ini("Initialize", "Previous"), "Home");
}

TEST_F(ApplyFlowTest, WinsOffRemovesTheServersAndAnUnknownTypeIsSkipped) {
  ApplyRequest request = Request({{"ip", "0.0.0.0"}, {"ms", "0.0.0.0"}, {"nt", "1"}, {"li", "x"}});
  request.setting[core::kLi].Vtype = 'q';
  Run(request);
  EXPECT_EQ(Hklm(kAdapterKey, "IPAddress"), "\"0.0.0.0\"");
  EXPECT_EQ(Hklm(kAdapterKey, "NameServer1"), "-");
  EXPECT_EQ(Hklm(kAdapterKey, "NameServer2"), "-");
  EXPECT_EQ(Hklm(kMstcpKey, "ScopeID"), "-");
  EXPECT_EQ(Hklm(kAdapterKey, "NodeType"), "\"1\"");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], "Apply: Vtype Error\r\nusername");
  EXPECT_NE(Hklm("Network\\Logon", "username"), "\"x\"");
  EXPECT_EQ(Ini("Initialize", "Previous"), "Office");
}

TEST_F(ApplyFlowTest, FlushesBothRootsAndRecordsTheResultsWithOpt7) {
  ApplyRequest request = Request({{"wg", "OFFICE"}});
  request.flushRegistry = true;
  Run(request);
  EXPECT_EQ(Ini("Initialize", "H_LOC_MCN"), "0");
  EXPECT_EQ(Ini("Initialize", "H_CUR_USR"), "0");
  const std::string events = Events();
  EXPECT_LT(events.find("registry flush HKEY_LOCAL_MACHINE"),
            events.find("registry flush HKEY_CURRENT_USER"));

  // A flush that fails is recorded, never reported.
  Fail("RegFlushKey:HKEY_CURRENT_USER", "1016");
  Run(request);
  EXPECT_EQ(Ini("Initialize", "H_LOC_MCN"), "0");
  EXPECT_EQ(Ini("Initialize", "H_CUR_USR"), "1016");
}

TEST_F(ApplyFlowTest, RefusesASettingThatCannotBeWrittenWholeBeforeWritingAnything) {
  struct Case {
    Items items;
    std::string expected;
  };
  const Case cases[] = {
      {{{"ip", "192.168.300.1"}, {"ms", "255.255.255.0"}},
       "IPAddress の値 '192.168.300.1' は正しいアドレスではありません"},
      {{{"ip", "10.0.0.1"}, {"ms", "255.255.255.0"}, {"gw", "10.0.0.1,10.0.0.1024"}},
       "DefaultGateway の値 '10.0.0.1,10.0.0.1024' は正しいアドレスではありません"},
      {{{"wg", "OFFICE"}, {"pc", "yes"}, {"pd", "0"}},
       "EnableAutodial の値 'yes' は整数ではありません"},
      {{{"wg", "OFFICE"}, {"pe", "1"}, {"pv", std::string(40000, 'p')}},
       "ProxyServer の値が長すぎます（40000 バイト）。レジストリの値は 16299 バイトまでです"},
      {{{"wg", "OFFICE"}, {"nt", "8"}, {"wp", "1.2.3"}},
       "NameServer1 の値 '1.2.3' は正しいアドレスではありません"},
  };
  const std::string before = Snapshot();
  for (const Case& c : cases) {
    const std::string message = RunFailing(Request(c.items));
    EXPECT_EQ(message, "設定【Office】の値を書き込めません。\r\n" + c.expected +
                           "\r\n\r\n何も書き換えていません。");
    EXPECT_EQ(Snapshot(), before) << c.expected;
  }

  // The same servers are never checked when they are not written.
  Run(Request({{"wg", "OFFICE"}, {"nt", "1"}, {"wp", "1.2.3"}}));
  EXPECT_EQ(Hklm(kVnetsupKey, "WorkGroup"), "\"OFFICE\"");
}

TEST_F(ApplyFlowTest, RefusesTcpIpWithoutAnAdapterEntryAndNeverWritesAPathEndingInABackslash) {
  ASSERT_TRUE(machine_.profiles().RemoveSection("NIC_registry_list", kSettingsFile));
  const std::string before = Snapshot();
  const std::string message = RunFailing(Request({{"ip", "10.0.0.9"}, {"ms", "255.0.0.0"}}));
  EXPECT_EQ(message.substr(0, message.find("\r\n")),
            "設定【Office】にはネットワークアダプタの指定がないため、TCP/IP の値の書き込み先が"
            "決まりません。");
  EXPECT_NE(message.find("何も書き換えていません。"), std::string::npos);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(Hklm("System\\CurrentControlSet\\Services\\Class\\NetTrans", "IPAddress"), "-");

  // In Win98 mode the WINS items need the adapter too.
  const std::string winsOnly = RunFailing(Request({{"nt", "1"}}));
  EXPECT_NE(winsOnly.find("ネットワークアダプタの指定がない"), std::string::npos);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(ApplyFlowTest, WhatVanishedSinceTheRecallIsToldAndNeverPassesForApplied) {
  // A launcher file that is gone is told, and the apply goes on.
  ApplyRequest launch = Request({{"wg", "OFFICE"}});
  launch.launchFile = "C:\\Program Files\\Gone\\gone.exe";
  Run(launch);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0],
            "C:\\Program Files\\Gone\\gone.exe\nこのファイルを実行できません");
  EXPECT_EQ(Ini("Initialize", "Previous"), "Office");

  // A hosts source that vanished stops the apply before the printer.
  ApplyRequest hosts = Request({{"wg", "HOME"}});
  hosts.hosts = {"C:\\WINDOWS\\hosts.gone", "C:\\WINDOWS\\hosts", true};
  hosts.printer = "カラー プリンタ";
  std::string message = RunFailing(hosts);
  EXPECT_EQ(message.substr(0, message.find("\r\n")),
            "hosts のコピー元 C:\\WINDOWS\\hosts.gone がありません");
  EXPECT_NE(message.find("・通常使うプリンタ (カラー プリンタ)"), std::string::npos);
  EXPECT_EQ(Hklm(kVnetsupKey, "WorkGroup"), "\"HOME\"");
  EXPECT_EQ(Ini("windows", "device", "C:\\WINDOWS\\WIN.INI"), "レーザー プリンタ,ZBLASER,LPT1:");

  // A printer that was removed stops it too, before the name is recorded.
  ApplyRequest printer = Request({{"wg", "OFFICE"}}, "Printer");
  printer.printer = "消えたプリンタ";
  message = RunFailing(printer);
  EXPECT_EQ(message.substr(0, message.find("\r\n")),
            "プリンタ 消えたプリンタ はインストールされていません");
  EXPECT_EQ(Ini("Initialize", "Previous"), "Office");
}

TEST(ApplyStepsTest, FailureNamesTheStepCutShortAndEveryStepAfterIt) {
  std::vector<std::string> ran;
  const std::vector<ApplyStep> steps = {
      {"one", [&] { ran.push_back("one"); }},
      {"two", [&] { throw system::ERegistryException("Failed to set data for 'X'"); }},
      {"three", [&] { ran.push_back("three"); }}};
  try {
    RunApplySteps(steps);
    FAIL() << "no error";
  } catch (const ApplyError& error) {
    EXPECT_STREQ(error.what(),
                 "Failed to set data for 'X'\r\n\r\n次のものは反映されていません:"
                 "\r\n・two（途中で止まりました）\r\n・three\r\n・再起動（終了）の確認");
  }
  EXPECT_EQ(ran, std::vector<std::string>{"one"});
}

// One step of an apply made to fail by a fault switch of the machine.
struct StepFault {
  int step;              // the step of the apply that fails (4 to 17)
  std::string fault;     // the [Fail] switch, NAME or NAME:PATH
  std::string code;      // its code
  bool stops;            // whether the apply stops there
  std::string message;   // the start of the error's message (empty: none)
};

void PrintTo(const StepFault& fault, std::ostream* out) { *out << "step " << fault.step; }

class ApplyStepFaultTest : public ApplyFlowTest, public ::testing::WithParamInterface<StepFault> {
 protected:
  // A setting with a change at every step from 6 to 17.
  ApplyRequest EveryStep() {
    Items items = kOffice;
    for (auto& [code, value] : items) {
      if (code == "de") value = "0";  // step 7 deletes the DNS values
      if (code == "nt") value = "1";  // step 8 deletes the WINS servers
    }
    ApplyRequest request = Request(items);
    request.changeLogon = true;
    request.logonChoice = 0;
    request.hosts = {"C:\\WINDOWS\\hosts.office", "C:\\WINDOWS\\hosts", true};
    request.printer = "カラー プリンタ";
    request.launchFile = "C:\\WINDOWS\\NOTEPAD.EXE";
    request.runControlPanel = GetParam().step == 15;
    request.answerConflicts = [] { return false; };
    request.flushRegistry = true;
    if (GetParam().step == 14) request.setting[core::kPc].IsSet = false;  // dial-up shares its key
    return request;
  }

  // Whether the change of `step` is in the machine.
  bool Done(int step) {
    switch (step) {
      case 6:
        return Hklm("Network\\Logon", "username") == "\"hanako\"";
      case 7:
        return Hklm(kMstcpKey, "HostName") == "-";
      case 8:
        return Hklm(kAdapterKey, "NodeType") == "\"1\"";
      case 9:
        return Hklm("System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                    "AuthenticatingAgent") == "\"OFFICEDOM\"";
      case 10:
        return File("C:\\WINDOWS\\hosts") == File("C:\\WINDOWS\\hosts.office");
      case 11:
        return Ini("windows", "device", "C:\\WINDOWS\\WIN.INI") == "カラー プリンタ,ZBCOLOR,LPT2:";
      case 12:
        return Events().find("NOTEPAD.EXE") != std::string::npos;
      case 13:
        return Hkcu("RemoteAccess", "InternetProfile") == "\"ソフト開発部\"";
      case 14:
        return Hkcu(kInternetKey, "ProxyServer") == "\"proxy.office:8080\"";
      case 16:
        return Ini("Initialize", "Previous") == "Office";
      case 17:
        return Ini("Initialize", "H_LOC_MCN") != "(none)";
      default:
        return true;
    }
  }

};

TEST_P(ApplyStepFaultTest, StepThatFailsKeepsWhatWasWrittenAndRunsNothingAfterIt) {
  const StepFault& fault = GetParam();
  if (fault.step == 5) {
    SetIni("NIC_registry_list", "Office", "");
  } else {
    Fail(fault.fault, fault.code);
  }
  const std::string message = RunFailing(EveryStep());
  if (!fault.stops) {
    EXPECT_EQ(message, "");
    for (int step = 6; step <= 17; ++step) EXPECT_TRUE(Done(step)) << "step " << step;
    if (fault.message.empty()) {
      EXPECT_TRUE(ui_.messages.empty());
    } else {
      ASSERT_EQ(ui_.messages.size(), 1u);
      EXPECT_EQ(ui_.messages[0], fault.message);
    }
    return;
  }
  // What the failing step wrote before it failed stays too.
  if (fault.step == 6) {
    EXPECT_EQ(Hklm(kAdapterKey, "IPAddress"), "\"10.1.2.3\"");
  }
  EXPECT_EQ(message.substr(0, fault.message.size()), fault.message) << message;
  if (fault.step <= 5) {
    EXPECT_NE(message.find("何も書き換えていません。"), std::string::npos);
  } else {
    EXPECT_NE(message.find("次のものは反映されていません:"), std::string::npos);
    EXPECT_NE(message.find("再起動（終了）の確認"), std::string::npos);
  }
  for (int step = 6; step <= 17; ++step) {
    if (step == 15 || (step == 13 && fault.step == 14)) continue;
    EXPECT_EQ(Done(step), step < fault.step) << "step " << step << "\n" << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, ApplyStepFaultTest,
    ::testing::Values(
        // 4: the settings file cannot be read, so no adapter entry is found.
        StepFault{4, "ReadFile:C:\\ZUBANET\\ZUBANET.INI", "5", true, "設定【Office】にはネットワークアダプタの指定がない"},
        // 5: the entry is there but empty.
        StepFault{5, "", "", true, "設定【Office】にはネットワークアダプタの指定がない"},
        // 6: the generic writer stops at EnableDNS, after the adapter's values.
        StepFault{6, std::string("RegSetValue:HKEY_LOCAL_MACHINE\\") + kMstcpKey, "5", true,
                  "Failed to set data for 'EnableDNS'"},
        StepFault{7, std::string("RegDeleteValue:HKEY_LOCAL_MACHINE\\") + kMstcpKey, "5", true,
                  "Failed to delete 'HostName'"},
        StepFault{8, std::string("RegDeleteValue:HKEY_LOCAL_MACHINE\\") + kAdapterKey, "5", true,
                  "Failed to delete 'NameServer1'"},
        StepFault{9, "RegCreateKey:HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\MSNP32",
                  "5", true, "Failed to create key for 'AuthenticatingAgent'"},
        StepFault{10, "CopyFile:C:\\WINDOWS\\hosts", "5", true,
                  "C:\\WINDOWS\\hosts.office を C:\\WINDOWS\\hosts にコピーできません"},
        StepFault{11, "WriteFile:C:\\WINDOWS\\WIN.INI", "5", true,
                  "win.ini に書き込めません (通常使うプリンタ カラー プリンタ)"},
        // 12: a start that fails is not reported and stops nothing.
        StepFault{12, "CreateProcess", "5", false, ""},
        StepFault{13, "RegSetValue:HKEY_CURRENT_USER\\RemoteAccess", "5", true,
                  "Failed to set data for 'InternetProfile'"},
        StepFault{14, std::string("RegSetValue:HKEY_CURRENT_USER\\") + kInternetKey, "5", true,
                  "Failed to set data for 'ProxyEnable'"},
        // 15: the control panel reports its own failures and stops nothing.
        StepFault{15, "PostMessage", "5", false, "RET_Down Post Error:5"},
        StepFault{16, "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "5", true,
                  "C:\\ZUBANET\\ZUBANET.INI に書き込めません"},
        // 17: a flush that fails is only recorded.
        StepFault{17, "RegFlushKey", "1016", false, ""}));

}  // namespace
}  // namespace zuba::switching
