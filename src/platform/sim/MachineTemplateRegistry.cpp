// The registry of the template machines, as REGEDIT4 text. Keys appear in
// the order Windows 9x would have created them, which is the order the
// registry enumerates them in.
#include "platform/sim/MachineTemplate.h"

namespace zuba::platform::sim {
namespace {

// Two network adapters with class Net: an Ethernet card bound to NetBEUI and
// TCP/IP (NetBEUI first) and the dial-up adapter bound to TCP/IP. Each
// binding names a protocol instance under Enum\Network, whose "Driver"
// points at the protocol's class key (NetTrans\0000 is the card's TCP/IP,
// NetTrans\0001 the dial-up adapter's, NetTrans\0002 NetBEUI).
constexpr char kEnum[] = R"(
[HKEY_LOCAL_MACHINE\Enum]

[HKEY_LOCAL_MACHINE\Enum\PCI]

[HKEY_LOCAL_MACHINE\Enum\PCI\VEN_1A5B&DEV_0201&SUBSYS_00000000&REV_01]

[HKEY_LOCAL_MACHINE\Enum\PCI\VEN_1A5B&DEV_0201&SUBSYS_00000000&REV_01\BUS_00&DEV_0B&FUNC_00]
"Class"="Net"
"DeviceDesc"="PCI Fast Ethernet Adapter"
"Driver"="Net\\0000"
"Mfg"="Zuba Devices"
"HardwareID"="PCI\\VEN_1A5B&DEV_0201&SUBSYS_00000000&REV_01,PCI\\VEN_1A5B&DEV_0201"
"ConfigFlags"=hex:00,00,00,00

[HKEY_LOCAL_MACHINE\Enum\PCI\VEN_1A5B&DEV_0201&SUBSYS_00000000&REV_01\BUS_00&DEV_0B&FUNC_00\Bindings]
"NETBEUI\\0000"=""
"MSTCP\\0000"=""

[HKEY_LOCAL_MACHINE\Enum\Root]

[HKEY_LOCAL_MACHINE\Enum\Root\Net]

[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000]
"Class"="Net"
"DeviceDesc"="ダイヤルアップ アダプタ"
"Driver"="Net\\0001"
"Mfg"="Microsoft"
"HardwareID"="*PNP8387"
"ConfigFlags"=hex:00,00,00,00

[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000\Bindings]
"MSTCP\\0001"=""

[HKEY_LOCAL_MACHINE\Enum\Network]

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP]

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0000]
"Class"="NetTrans"
"DeviceDesc"="TCP/IP"
"Driver"="NetTrans\\0000"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\MSTCP\\0000"
"CompatibleIDs"="MSTCP"

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0000\Bindings]
"VREDIR\\0000"=""
"VSERVER\\0000"=""

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0001]
"Class"="NetTrans"
"DeviceDesc"="TCP/IP"
"Driver"="NetTrans\\0001"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\MSTCP\\0001"
"CompatibleIDs"="MSTCP"

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0001\Bindings]
"VREDIR\\0001"=""

[HKEY_LOCAL_MACHINE\Enum\Network\NETBEUI]

[HKEY_LOCAL_MACHINE\Enum\Network\NETBEUI\0000]
"Class"="NetTrans"
"DeviceDesc"="NetBEUI"
"Driver"="NetTrans\\0002"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\NETBEUI\\0000"
"CompatibleIDs"="NETBEUI"

[HKEY_LOCAL_MACHINE\Enum\Network\NETBEUI\0000\Bindings]
"VREDIR\\0002"=""

[HKEY_LOCAL_MACHINE\Enum\Network\VREDIR]

[HKEY_LOCAL_MACHINE\Enum\Network\VREDIR\0000]
"Class"="NetClient"
"DeviceDesc"="Microsoft ネットワーク クライアント"
"Driver"="NetClient\\0000"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\VREDIR\\0000"

[HKEY_LOCAL_MACHINE\Enum\Network\VREDIR\0001]
"Class"="NetClient"
"DeviceDesc"="Microsoft ネットワーク クライアント"
"Driver"="NetClient\\0000"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\VREDIR\\0000"

[HKEY_LOCAL_MACHINE\Enum\Network\VREDIR\0002]
"Class"="NetClient"
"DeviceDesc"="Microsoft ネットワーク クライアント"
"Driver"="NetClient\\0000"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\VREDIR\\0000"

[HKEY_LOCAL_MACHINE\Enum\Network\VSERVER]

[HKEY_LOCAL_MACHINE\Enum\Network\VSERVER\0000]
"Class"="NetService"
"DeviceDesc"="Microsoft ネットワーク共有サービス"
"Driver"="NetService\\0000"
"Mfg"="Microsoft"
"MasterCopy"="Enum\\Network\\VSERVER\\0000"
)";

constexpr char kSystem[] = R"(
[HKEY_LOCAL_MACHINE\System]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ComputerName\ComputerName]
"ComputerName"="ZUBAPC"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print\Printers]
"Default"="レーザー プリンタ"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print\Printers\レーザー プリンタ]
"Name"="レーザー プリンタ"
"Port"="LPT1:"
"Printer Driver"="ZBLASER"
"Attributes"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Print\Printers\カラー プリンタ]
"Name"="カラー プリンタ"
"Port"="LPT2:"
"Printer Driver"="ZBCOLOR"
"Attributes"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net]
@="ネットワーク アダプタ"
"Class"="Net"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net\0000]
"DriverDesc"="PCI Fast Ethernet Adapter"
"DeviceVxDs"="zbpci.sys"
"DevLoader"="*ndis"
"InfPath"="NETZUBA.INF"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net\0001]
"DriverDesc"="ダイヤルアップ アダプタ"
"DeviceVxDs"="pppmac.vxd"
"DevLoader"="*ndis"
"InfPath"="NETPPP.INF"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient]
@="ネットワーク クライアント"
"Class"="NetClient"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0000]
"DriverDesc"="Microsoft ネットワーク クライアント"
"DeviceVxDs"="vredir.vxd"
"InfPath"="NETCLI.INF"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0000\Ndi]
"DeviceID"="VREDIR"
"InstallInf"=""

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0000\Ndi\Default]
@="True"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetService]
@="ネットワーク サービス"
"Class"="NetService"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetService\0000]
"DriverDesc"="Microsoft ネットワーク共有サービス"
"DeviceVxDs"="vserver.vxd"
"InfPath"="NETSRVR.INF"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans]
@="ネットワーク プロトコル"
"Class"="NetTrans"
)";

// The TCP/IP of the Ethernet card; `wins` holds the WINS values where
// Windows 98 keeps them.
std::string NetTrans(const char* wins) {
  std::string text = R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0000]
"DriverDesc"="TCP/IP"
"IPAddress"="192.168.1.10"
"IPMask"="255.255.255.0"
"DefaultGateway"="192.168.1.1,192.168.1.254"
)";
  text += wins;
  text += R"("DeviceVxDs"="vtcp.386,vip.386,vdhcp.386"
"InfPath"="NETTRANS.INF"
"ProviderName"="Microsoft"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0001]
"DriverDesc"="TCP/IP"
"IPAddress"="0.0.0.0"
"IPMask"="0.0.0.0"
"DeviceVxDs"="vtcp.386,vip.386,vdhcp.386"
"InfPath"="NETTRANS.INF"
"ProviderName"="Microsoft"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0002]
"DriverDesc"="NetBEUI"
"DeviceVxDs"="vnetbeui.vxd"
"InfPath"="NETTRANS.INF"
"ProviderName"="Microsoft"
)";
  return text;
}

constexpr char kWins[] = R"("NameServer1"="192.168.1.2"
"NameServer2"="192.168.1.3"
"NodeType"="8"
)";

// DNS (and on Windows 95 WINS) under VxD\MSTCP, the workgroup, comment and
// sharing under VxD\VNETSUP, the domain of the logon under MSNP32.
std::string Services(const char* wins) {
  std::string text = R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
"Type"="1"
"EnableDNS"="1"
"HostName"="zubapc"
"Domain"="example.co.jp"
"NameServer"="192.168.1.2,192.168.1.3"
"SearchList"="example.co.jp,example.jp"
"LMHostFile"="C:\\WINDOWS\\LMHOSTS"
)";
  text += wins;
  text += R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\VNETSUP]
"StaticVxD"="vnetsup.vxd"
"Start"=hex:00
"ComputerName"="ZUBAPC"
"WorkGroup"="WORKGROUP"
"Comment"="ソフト開発部 表示端末"
"FileSharing"="Yes"
"PrintSharing"="No"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\MSNP32]

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\MSNP32\NetworkProvider]
"Name"="Microsoft Network"
"ProviderPath"="msnp32.dll"
"AuthenticatingAgent"="ZUBADOM"
)";
  return text;
}

// The logon: the Microsoft network client is the primary logon (its
// Ndi\Default key above, the provider values here) with a domain.
constexpr char kNetwork[] = R"(
[HKEY_LOCAL_MACHINE\Network]

[HKEY_LOCAL_MACHINE\Network\Logon]
"username"="taro"
"PrimaryProvider"="Microsoft Network"
"LMLogon"=hex:01,00,00,00
"MustBeValidated"=hex:00,00,00,00

[HKEY_LOCAL_MACHINE\Config]

[HKEY_LOCAL_MACHINE\Config\0001]

[HKEY_LOCAL_MACHINE\Config\0001\System]

[HKEY_LOCAL_MACHINE\Config\0001\System\CurrentControlSet]

[HKEY_LOCAL_MACHINE\Config\0001\System\CurrentControlSet\Control]

[HKEY_LOCAL_MACHINE\Config\0001\System\CurrentControlSet\Control\Print]

[HKEY_LOCAL_MACHINE\Config\0001\System\CurrentControlSet\Control\Print\Printers]
"Default"="レーザー プリンタ"
)";

std::string CurrentVersion(OsKind os) {
  std::string text = R"(
[HKEY_LOCAL_MACHINE\SOFTWARE]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion]
"RegisteredOwner"="ずば 太郎"
"RegisteredOrganization"="ソフト開発部"
"ProgramFilesDir"="C:\\Program Files"
)";
  if (os == OsKind::kWin95) {
    text += R"("ProductName"="Microsoft Windows 95"
"Version"="Windows 95"
"VersionNumber"="4.00.950"
"SubVersionNumber"=""
"SystemRoot"="C:\\WINDOWS"
)";
  } else if (os == OsKind::kWin98) {
    text += R"("ProductName"="Microsoft Windows 98"
"Version"="Windows 98"
"VersionNumber"="4.10.2222"
"SubVersionNumber"=" A "
"SystemRoot"="C:\\WINDOWS"
)";
  } else {
    text += R"("SystemRoot"="C:\\WINNT"
)";
  }
  text += R"(
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Network]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Network\Real Mode Net]
"preferredredir"="VREDIR"
"AutoLogon"=hex:01

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce]
)";
  return text;
}

// Dialling locations of Windows 98 (Windows 95 keeps them in telephon.ini).
// The identifiers differ from the positions on purpose: "CurrentID" 1 is the
// first location.
constexpr char kTelephony[] = R"(
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Locations]
"CurrentID"=dword:00000001
"NextID"=dword:00000003
"NumEntries"=dword:00000002

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Locations\Location0]
"ID"=dword:00000001
"Name"="自宅"
"AreaCode"="03"
"Country"=dword:00000051
"OutsideAccess"=""
"LongDistanceAccess"=""
"Flags"=dword:00000001

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Locations\Location1]
"ID"=dword:00000002
"Name"="会社"
"AreaCode"="06"
"Country"=dword:00000051
"OutsideAccess"="0"
"LongDistanceAccess"="0"
"Flags"=dword:00000001
)";

constexpr char kNtVersion[] = R"(
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT]

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion]
"CurrentVersion"="4.0"
"CurrentBuildNumber"="1381"
"CSDVersion"="Service Pack 6"
"SystemRoot"="C:\\WINNT"
)";

}  // namespace

std::string TemplateSystemReg(OsKind os) {
  const bool win95 = os == OsKind::kWin95;
  std::string reg = "REGEDIT4\n";
  reg += kEnum;
  reg += kSystem;
  reg += NetTrans(win95 ? "" : kWins);
  reg += Services(win95 ? kWins : "");
  reg += kNetwork;
  reg += CurrentVersion(os);
  if (!win95) reg += kTelephony;
  if (os == OsKind::kNt) reg += kNtVersion;
  reg += "\n";
  return WithCrLf(reg);
}

std::string TemplateUserReg(OsKind) {
  // Proxy off with a server and a configuration script on record, automatic
  // dialling on and disconnection off (4-byte binary values), and two
  // dial-up connections of which the first is the default.
  return WithCrLf(R"(REGEDIT4

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Microsoft]

[HKEY_CURRENT_USER\Software\Microsoft\Windows]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings]
"ProxyEnable"=hex:00,00,00,00
"ProxyServer"="proxy.example.co.jp:8080"
"ProxyOverride"="<local>"
"AutoConfigURL"="http://proxy.example.co.jp/proxy.pac"
"EnableAutodial"=hex:01,00,00,00
"EnableAutodisconnect"=hex:00,00,00,00

[HKEY_CURRENT_USER\RemoteAccess]
"InternetProfile"="自宅プロバイダ"
"EnableRemoteConnect"=hex:01,00,00,00

[HKEY_CURRENT_USER\RemoteAccess\Profile]

[HKEY_CURRENT_USER\RemoteAccess\Profile\自宅プロバイダ]
"User"="taro"
"PhoneNumber"="0312345678"

[HKEY_CURRENT_USER\RemoteAccess\Profile\ソフト開発部]
"User"="zuba"
"PhoneNumber"="0687654321"

)");
}

}  // namespace zuba::platform::sim
