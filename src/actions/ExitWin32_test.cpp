#include "actions/ExitWin32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/PowerState.h"
#include "testing/TempMachine.h"

namespace zuba::actions {
namespace {

using platform::sim::OsKind;
using platform::sim::PowerAction;
using testing::TempMachine;

// What `request` raised: "EExitError: <text>", "Exception: <text>" or
// "nothing".
std::string Raised(const std::function<void()>& request) {
  try {
    request();
  } catch (const EExitError& e) {
    return std::string("EExitError: ") + e.what();
  } catch (const system::Exception& e) {
    return std::string("Exception: ") + e.what();
  }
  return "nothing";
}

// Records the calls that end Windows and answers the thunk's result.
class RecordingSystem : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  bool OpenProcessToken(std::uint32_t access, std::uint32_t* token) override {
    calls.push_back("OpenProcessToken " + std::to_string(access));
    return SystemWrapper::OpenProcessToken(access, token);
  }
  bool LookupPrivilegeValue(const std::string& name, platform::Luid* luid) override {
    calls.push_back("LookupPrivilegeValue " + name);
    return SystemWrapper::LookupPrivilegeValue(name, luid);
  }
  bool AdjustTokenPrivilege(std::uint32_t token, const platform::Luid& luid,
                            std::uint32_t attributes) override {
    calls.push_back("AdjustTokenPrivileges " + std::to_string(attributes));
    return SystemWrapper::AdjustTokenPrivilege(token, luid, attributes);
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    calls.push_back("ExitWindowsEx " + std::to_string(flags));
    return SystemWrapper::ExitWindowsEx(flags, reserved);
  }
  std::uint32_t LoadLibrary16(const std::string& module) override {
    calls.push_back("LoadLibrary16");
    return SystemWrapper::LoadLibrary16(module);
  }
  std::uint16_t CallThunk16(std::uint32_t thunk, std::uint32_t target16, std::uint32_t argument32,
                            std::uint16_t argument16) override {
    calls.push_back("QT_Thunk " + std::to_string(argument32) + " " + std::to_string(argument16));
    SystemWrapper::CallThunk16(thunk, target16, argument32, argument16);
    return thunkResult;
  }
  std::vector<std::string> calls;
  std::uint16_t thunkResult = 1;
};

class ExitWin32Test : public ::testing::Test {
 protected:
  void Use(OsKind os) { machine_ = std::make_unique<TempMachine>(os); }
  void FailCall(const std::string& name, const std::string& code = "5") {
    ASSERT_TRUE(machine_->machine().config->Set("Fail", name, code));
  }
  PowerAction Pending() { return platform::sim::PendingPowerAction(*machine_->machine().config); }
  std::string Events() {
    std::ifstream in(machine_->HostPath("events.log"));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  platform::System& system() { return machine_->system(); }

  std::unique_ptr<TempMachine> machine_;
};

TEST_F(ExitWin32Test, Windows9xEndsAndRestarts) {
  for (OsKind os : {OsKind::kWin98, OsKind::kWin95}) {
    Use(os);
    EXPECT_FALSE(IsWindowsNT(system()));
    PowerOff(system());
    EXPECT_EQ(Pending(), PowerAction::kPowerOff);
    Reboot(system());
    EXPECT_EQ(Pending(), PowerAction::kReboot);
    RestartWindows(system());
    EXPECT_EQ(Pending(), PowerAction::kRestartWindows);
    // Kernel32 goes first, User.exe second.
    EXPECT_NE(Events().find("QT_Thunk 0x1A70E47 (0x42, 0x0): power action restart-windows "
                            "pending\nFreeLibrary 0xBFF70000\nFreeLibrary16 0x1A27\n"),
              std::string::npos)
        << Events();
  }
  RecordingSystem recording(system());
  PowerOff(recording);
  Reboot(recording);
  EXPECT_EQ(recording.calls, (std::vector<std::string>{"ExitWindowsEx 9", "ExitWindowsEx 2"}));
  recording.thunkResult = 0x8000;  // any non-zero result is success
  EXPECT_EQ(Raised([&] { RestartWindows(recording); }), "nothing");
  EXPECT_EQ(recording.calls.back(), "QT_Thunk 66 0");
  recording.thunkResult = 0;
  EXPECT_EQ(Raised([&] { RestartWindows(recording); }),
            "EExitError: Windows を再起動することが出来ませんでした。");
}

TEST_F(ExitWin32Test, Windows9xFailuresRaiseTheirTexts) {
  Use(OsKind::kWin98);
  FailCall("ExitWindowsEx");
  EXPECT_EQ(Raised([&] { PowerOff(system()); }),
            "EExitError: コンピュータの電源を切るのに失敗しました。");
  Use(OsKind::kWin95);
  FailCall("ExitWindowsEx");
  EXPECT_EQ(Raised([&] { Reboot(system()); }), "EExitError: Unable to reboot Windows");
  FailCall("ExitWindows", "1");
  EXPECT_EQ(Raised([&] { RestartWindows(system()); }),
            "EExitError: Windows を再起動することが出来ませんでした。");
  EXPECT_EQ(Pending(), PowerAction::kNone);

  struct Case {
    const char* call;
    const char* raised;
    const char* released;  // what the events end with
  };
  for (const Case& c : {
           Case{"LoadLibrary16", "Exception: User.exe の呼び出しに失敗しました。",
                "LoadLibrary16 User.exe: 5\n"},
           Case{"GetProcAddress16", "Exception: ExitWindows の呼び出しに失敗しました。",
                "failed: error 5\nFreeLibrary16 0x1A27\n"},
           Case{"LoadLibrary", "Exception: Kernel32.dll の呼び出しに失敗しました。",
                "LoadLibrary Kernel32.dll failed: error 5\nFreeLibrary16 0x1A27\n"},
           Case{"GetProcAddress", "Exception: QT_Thunk の呼び出しに失敗しました。",
                "failed: error 5\nFreeLibrary 0xBFF70000\nFreeLibrary16 0x1A27\n"},
       }) {
    SCOPED_TRACE(c.call);
    Use(OsKind::kWin98);
    FailCall(c.call);
    EXPECT_EQ(Raised([&] { RestartWindows(system()); }), c.raised);
    const std::string events = Events();
    ASSERT_GE(events.size(), std::string(c.released).size());
    EXPECT_EQ(events.substr(events.size() - std::string(c.released).size()), c.released) << events;
    EXPECT_EQ(Pending(), PowerAction::kNone);
  }
}

TEST_F(ExitWin32Test, WindowsNtEnablesThePrivilegeFirst) {
  Use(OsKind::kNt);
  EXPECT_TRUE(IsWindowsNT(system()));
  RecordingSystem recording(system());
  PowerOff(recording);
  EXPECT_EQ(recording.calls, (std::vector<std::string>{
                                 "OpenProcessToken 40", "LookupPrivilegeValue SeShutdownPrivilege",
                                 "AdjustTokenPrivileges 2", "ExitWindowsEx 1"}));
  EXPECT_EQ(Pending(), PowerAction::kShutdown);
  Reboot(system());
  EXPECT_EQ(Pending(), PowerAction::kReboot);
  recording.calls.clear();
  EXPECT_EQ(Raised([&] { RestartWindows(recording); }),
            "EExitError: Windows NT ではWindowsの再起動はできません。");
  EXPECT_TRUE(recording.calls.empty());

  const std::string shutdownTail = "Windows を終了させることができませんでした。";
  const std::string rebootTail = "Windows を再起動させることが出来ませんでした。";
  for (const char* call : {"OpenProcessToken", "AdjustTokenPrivileges", "ExitWindowsEx"}) {
    SCOPED_TRACE(call);
    Use(OsKind::kNt);
    FailCall(call);
    const std::string head = std::string(call) == "OpenProcessToken"
                                 ? "EExitError: トークンを開けません。\r\n"
                                 : "EExitError: 特権を再設定できません。\r\n";
    EXPECT_EQ(Raised([&] { PowerOff(system()); }), head + shutdownTail);
    EXPECT_EQ(Raised([&] { Reboot(system()); }), head + rebootTail);
    EXPECT_EQ(Pending(), PowerAction::kNone);
  }

  // Without the privilege's identifier nothing happens and nothing is said.
  Use(OsKind::kNt);
  FailCall("LookupPrivilegeValue");
  RecordingSystem silent(system());
  EXPECT_EQ(Raised([&] { PowerOff(silent); }), "nothing");
  EXPECT_EQ(Raised([&] { Reboot(silent); }), "nothing");
  const std::vector<std::string> lookup = {"OpenProcessToken 40",
                                           "LookupPrivilegeValue SeShutdownPrivilege"};
  std::vector<std::string> twice = lookup;
  twice.insert(twice.end(), lookup.begin(), lookup.end());
  EXPECT_EQ(silent.calls, twice);
  EXPECT_EQ(Pending(), PowerAction::kNone);
}

TEST_F(ExitWin32Test, AFailedVersionQueryIsNotNt) {
  Use(OsKind::kNt);
  FailCall("GetVersionEx", "87");
  EXPECT_FALSE(IsWindowsNT(system()));
}

}  // namespace
}  // namespace zuba::actions
