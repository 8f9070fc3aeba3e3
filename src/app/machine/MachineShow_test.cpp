// zubanet-machine show, run through the binary (ZUBA_MACHINE_TOOL, set by
// CTest) on template machines and on machines edited for the case.
#include <gtest/gtest.h>

#include <fstream>

#include "app/machine/Commands.h"  // the exit codes
#include "testing/MachineTool.h"
#include "testing/NetMachine.h"
#include "testing/TempMachine.h"
#include "testing/Unprivileged.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

// The Windows 98 template as `show` prints it after its "Machine" line: UTF-8,
// so the literals that hold Japanese are u8 literals.
constexpr char kWin98Template[] =
    u8R"(System
  Version           Win98 4.10.2222

Adapters
  1. PCI Fast Ethernet Adapter (NetTrans\0000)
    IP address      192.168.1.10
    Subnet mask     255.255.255.0
    Gateways        192.168.1.1, 192.168.1.254
    WINS primary    192.168.1.2
    WINS secondary  192.168.1.3
    Node type       8 (WINS on)
  2. ダイヤルアップ アダプタ (NetTrans\0001)
    IP address      0.0.0.0 (from DHCP)
    Subnet mask     0.0.0.0
    Gateways        (empty)
    WINS primary    (empty)
    WINS secondary  (empty)
    Node type       (empty: WINS servers from DHCP)

DNS
  Enabled           1 (DNS on)
  Host              zubapc
  Domain            example.co.jp
  Servers           192.168.1.2, 192.168.1.3
  Suffixes          example.co.jp, example.jp

WINS (servers per adapter, above)
  Scope ID          (empty)

Workgroup
  Workgroup         WORKGROUP
  Computer name     ZUBAPC
  Comment           ソフト開発部 表示端末

Logon
  Provider          1 (Microsoft network client)
  Domain            ZUBADOM
  User name         taro

Sharing
  Files             Yes
  Printers          No

Proxy
  Enabled           0 (off)
  Server            proxy.example.co.jp:8080
  Auto-config URL   http://proxy.example.co.jp/proxy.pac

Dial-up
  Auto dial         1 (on)
  Auto disconnect   0 (off)
  Connection        自宅プロバイダ
  Location          自宅

Default printer
  Printer           レーザー プリンタ

Hosts files
  hosts             C:\WINDOWS\hosts: 51 bytes, 2 lines
                    127.0.0.1       localhost
                    192.168.1.10    zubapc
  lmhosts           C:\WINDOWS\lmhosts: 50 bytes, 1 line
                    192.168.1.2     ZUBASERVER     #PRE #DOM:ZUBADOM
)";

class MachineShowTest : public testing::MachineToolTest {
 protected:
  int Show(const std::string& machine, const std::string& args = "") {
    return RunTool(machine, "show" + args);
  }
  // The output after the "Machine" line and the blank line that follows it.
  std::string Body() const {
    const std::size_t start = out_.find("\n\n");
    return start == std::string::npos ? out_ : out_.substr(start + 2);
  }
  bool Shows(const std::string& text) const { return out_.find(text) != std::string::npos; }

  testing::TempDir dir_;
};

TEST_F(MachineShowTest, TheWindows98Template) {
  testing::TempMachine machine;
  ASSERT_EQ(Show(machine.directory()), kExitOk) << err_;
  EXPECT_EQ(out_.substr(0, out_.find('\n')), "Machine  " + machine.directory());
  EXPECT_EQ(Body(), kWin98Template);
  EXPECT_EQ(err_, "");
}

TEST_F(MachineShowTest, WindowsNinetyFiveKeepsWinsUnderMstcp) {
  testing::TempMachine machine(platform::sim::OsKind::kWin95);
  ASSERT_EQ(Show(machine.directory()), kExitOk) << err_;
  EXPECT_TRUE(Shows("  Version           Win95 4.0.950\n"));
  EXPECT_TRUE(Shows("    Gateways        (empty)\n\nDNS\n"));  // no WINS lines per adapter
  EXPECT_TRUE(Shows("WINS\n  WINS primary      192.168.1.2\n"));
  EXPECT_TRUE(Shows(u8"  Location          自宅\n"));  // from telephon.ini
}

TEST_F(MachineShowTest, EditedMachineShowsWhatItHoldsAndSkipsWhatIsMissing) {
  testing::TempMachine machine;
  testing::EditRegistry(machine.registry(), R"(
[-HKEY_LOCAL_MACHINE\Enum\PCI]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0000\Ndi\Default]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\VNETSUP]
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
"EnableDNS"="0"
"HostName"=-
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce]
"ZubaNet"="C:\\ZUBANET\\ZUBANET.EXE 会社"
)");
  machine.files().RemoveFile("C:\\WINDOWS\\LMHOSTS");
  machine.system().ExitWindowsEx(2, 0);  // a reboot is pending
  ASSERT_EQ(Show(machine.directory()), kExitOk) << err_;
  EXPECT_TRUE(Shows(u8"Adapters\n  1. ダイヤルアップ アダプタ (NetTrans\\0001)\n"));
  EXPECT_TRUE(Shows("  Enabled           0 (DNS off)\n  Host              (empty)\n"));
  EXPECT_TRUE(Shows("  Workgroup         (not present)\n"));
  EXPECT_TRUE(Shows("  Provider          0 (Windows logon)\n"));
  EXPECT_TRUE(Shows("  lmhosts           C:\\WINDOWS\\lmhosts: not present\n"));
  EXPECT_TRUE(Shows("Pending power action\n  Action            reboot\n"));
  EXPECT_TRUE(
      Shows(u8"RunOnce (HKEY_LOCAL_MACHINE)\n  ZubaNet           C:\\ZUBANET\\ZUBANET.EXE 会社\n"));
  EXPECT_FALSE(Shows("HKEY_CURRENT_USER"));
}

TEST_F(MachineShowTest, AnEmptyDefaultConnectionIsShownAsEmpty) {
  testing::TempMachine machine;
  testing::EditRegistry(machine.registry(),
                        "[HKEY_CURRENT_USER\\RemoteAccess]\n\"InternetProfile\"=\"\"\n");
  ASSERT_EQ(Show(machine.directory()), kExitOk) << err_;
  EXPECT_TRUE(Shows("  Connection        (empty)\n")) << out_;
  testing::EditRegistry(machine.registry(),
                        "[HKEY_CURRENT_USER\\RemoteAccess]\n\"InternetProfile\"=-\n");
  ASSERT_EQ(Show(machine.directory()), kExitOk) << err_;
  EXPECT_TRUE(Shows("  Connection        (not present)\n")) << out_;
}

// Commands that only read work on a machine that may not be written;
// commands that write fail, say so, and change nothing.
TEST_F(MachineShowTest, AReadOnlyMachineCanBeShownButNotChanged) {
  testing::TempMachine machine;
  const std::string file = machine.HostPath("change.reg");
  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\New]\r\n";
  const std::string systemReg = ReadHostFile(machine.HostPath("system.reg"));
  testing::ReadOnlyTree readOnly(machine.directory());
  ASSERT_EQ(RunToolUnprivileged(machine.directory(), "show"), kExitOk) << err_;
  EXPECT_EQ(Body(), kWin98Template);
  ASSERT_EQ(RunToolUnprivileged(machine.directory(), "reg export 'HKLM\\Enum'"), kExitOk) << err_;
  EXPECT_EQ(RunToolUnprivileged(machine.directory(), "reg import '" + file + "'"), kExitError);
  EXPECT_EQ(err_, "zubanet-machine: " + file + ": the registry could not be saved (error 1016)\n");
  EXPECT_EQ(ReadHostFile(machine.HostPath("system.reg")), systemReg);
}

TEST_F(MachineShowTest, BadDataAndBadArguments) {
  testing::TempMachine machine;
  testing::EditRegistry(machine.registry(), R"(
[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000]
"Class"=dword:00000001
)");
  EXPECT_EQ(Show(machine.directory()), kExitError);
  EXPECT_NE(err_.find("zubanet-machine: show: "), std::string::npos) << err_;
  EXPECT_NE(err_.find("Class"), std::string::npos) << err_;
  EXPECT_EQ(Show(machine.directory(), " extra"), kExitUsage);
}

}  // namespace
}  // namespace zuba::app
