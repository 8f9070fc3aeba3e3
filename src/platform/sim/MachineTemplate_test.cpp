// The template machines, read the way the program reads a Windows 9x machine.
#include "platform/sim/MachineTemplate.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

class Reader {
 public:
  explicit Reader(Registry& registry) : registry_(registry) {}

  bool Value(RegKey root, const std::string& path, const std::string& name, RegValue* value) {
    RegKey key;
    if (registry_.OpenKey(root, path, &key) != kErrorSuccess) return false;
    long result = registry_.QueryValue(key, name, value);
    registry_.CloseKey(key);
    return result == kErrorSuccess;
  }
  std::string String(const std::string& path, const std::string& name,
                     RegKey root = kHkeyLocalMachine) {
    RegValue value;
    if (!Value(root, path, name, &value)) return "<missing>";
    EXPECT_EQ(value.type, kRegSz) << path << " " << name;
    return value.data.substr(0, value.data.find('\0'));
  }
  std::vector<std::string> Names(const std::string& path, bool values) {
    std::vector<std::string> names;
    RegKey key;
    if (registry_.OpenKey(kHkeyLocalMachine, path, &key) != kErrorSuccess) return names;
    std::string name;
    for (std::uint32_t i = 0; (values ? registry_.EnumValue(key, i, &name)
                                      : registry_.EnumKey(key, i, &name)) == kErrorSuccess;
         ++i) {
      names.push_back(name);
    }
    registry_.CloseKey(key);
    return names;
  }
  // Depth first, a key's descendants before the key, as the adapter search walks.
  void FindByClass(const std::string& path, const std::string& cls,
                   std::vector<std::string>* found) {
    for (const std::string& sub : Names(path, false)) FindByClass(path + "\\" + sub, cls, found);
    std::string value = String(path, "Class");
    if (value.size() == cls.size() &&
        std::equal(value.begin(), value.end(), cls.begin(),
                   [](char a, char b) { return std::toupper(a) == std::toupper(b); })) {
      found->push_back(path);
    }
  }

 private:
  Registry& registry_;
};

// The adapters as the program discovers them: (description, NetTrans subkey).
std::vector<std::pair<std::string, std::string>> Adapters(Reader& reader) {
  std::vector<std::string> keys;
  reader.FindByClass("\\Enum", "Net", &keys);
  std::vector<std::pair<std::string, std::string>> adapters;
  for (const std::string& key : keys) {
    for (const std::string& binding : reader.Names(key + "\\Bindings", true)) {
      if (binding.substr(0, binding.find('\\')) != "MSTCP") continue;
      std::string driver = reader.String("\\Enum\\Network\\MSTCP\\" + binding.substr(6), "Driver");
      adapters.emplace_back(reader.String(key, "DeviceDesc"), driver.substr(driver.find('\\') + 1));
      break;
    }
  }
  return adapters;
}

constexpr char kNetTrans[] = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
constexpr char kMstcp[] = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kVnetsup[] = "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr char kLocations[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
constexpr char kInternet[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

TEST(MachineTemplateTest, NetworkConfigurationOfWindows98) {
  TempMachine machine;
  Reader reader(machine.registry());
  EXPECT_EQ(Adapters(reader),
            (std::vector<std::pair<std::string, std::string>>{
                {"PCI Fast Ethernet Adapter", "0000"}, {"ダイヤルアップ アダプタ", "0001"}}));
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0000", "IPAddress"), "192.168.1.10");
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0000", "IPMask"), "255.255.255.0");
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0000", "DefaultGateway"),
            "192.168.1.1,192.168.1.254");
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0000", "NodeType"), "8");
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0001", "IPAddress"), "0.0.0.0");
  EXPECT_EQ(reader.String(kMstcp, "NameServer1"), "<missing>");
  EXPECT_EQ(reader.String(kMstcp, "EnableDNS"), "1");
  EXPECT_EQ(reader.String(kMstcp, "NameServer"), "192.168.1.2,192.168.1.3");
  EXPECT_EQ(reader.String(kVnetsup, "WorkGroup"), "WORKGROUP");
  EXPECT_EQ(reader.String(kVnetsup, "Comment"), "ソフト開発部 表示端末");
  EXPECT_EQ(reader.String(kVnetsup, "FileSharing"), "Yes");
  EXPECT_EQ(reader.String(kVnetsup, "PrintSharing"), "No");
  EXPECT_EQ(reader.String("\\System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                          "ComputerName"),
            "ZUBAPC");
  EXPECT_EQ(reader.String("\\Network\\Logon", "username"), "taro");
  EXPECT_EQ(reader.String("\\Network\\Logon", "PrimaryProvider"), "Microsoft Network");
  EXPECT_EQ(reader.String("\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                          "AuthenticatingAgent"),
            "ZUBADOM");
  EXPECT_EQ(reader.String("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Network\\Real Mode Net",
                          "preferredredir"),
            "VREDIR");
  EXPECT_EQ(
      reader.String("System\\CurrentControlSet\\Services\\Class\\NetClient\\0000", "DriverDesc"),
      "Microsoft ネットワーク クライアント");
  EXPECT_EQ(reader.String(
                "System\\CurrentControlSet\\Services\\Class\\NetClient\\0000\\Ndi\\Default", ""),
            "True");
  EXPECT_EQ(reader.String("\\Config\\0001\\System\\CurrentControlSet\\Control\\Print\\Printers",
                          "Default"),
            "レーザー プリンタ");
  EXPECT_EQ(reader.Names("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true).size(),
            0u);
}

TEST(MachineTemplateTest, ExtrasOfWindows98) {
  TempMachine machine;
  Reader reader(machine.registry());
  EXPECT_EQ(reader.Names(kLocations, false), (std::vector<std::string>{"Location0", "Location1"}));
  EXPECT_EQ(reader.String(std::string(kLocations) + "\\Location0", "Name"), "自宅");
  RegValue value;
  ASSERT_TRUE(reader.Value(kHkeyLocalMachine, kLocations, "CurrentID", &value));
  EXPECT_EQ(value.type, kRegDword);
  EXPECT_EQ(value.data, std::string("\x01\0\0\0", 4));

  for (const char* name : {"ProxyEnable", "EnableAutodial", "EnableAutodisconnect"}) {
    ASSERT_TRUE(reader.Value(kHkeyCurrentUser, kInternet, name, &value)) << name;
    EXPECT_EQ(value.type, kRegBinary);
    EXPECT_EQ(value.data.size(), 4u);
  }
  EXPECT_EQ(reader.String(kInternet, "ProxyServer", kHkeyCurrentUser), "proxy.example.co.jp:8080");
  EXPECT_EQ(reader.String("\\RemoteAccess", "InternetProfile", kHkeyCurrentUser), "自宅プロバイダ");
  RegKey key;
  ASSERT_EQ(machine.registry().OpenKey(kHkeyCurrentUser, "RemoteAccess\\Profile", &key),
            kErrorSuccess);
  std::string name;
  ASSERT_EQ(machine.registry().EnumKey(key, 1, &name), kErrorSuccess);
  EXPECT_EQ(name, "ソフト開発部");  // a name with the trail byte 0x5C
  machine.registry().CloseKey(key);

  Profiles& profiles = machine.profiles();
  std::string device;
  profiles.GetString("windows", "device", "", &device, 256, "win.ini");
  EXPECT_EQ(device, "レーザー プリンタ,ZBLASER,LPT1:");
  std::string names;
  profiles.GetKeyNames("devices", &names, 1024, "WIN.INI");
  static const char kPrinters[] = "レーザー プリンタ\0カラー プリンタ\0";
  EXPECT_EQ(names, std::string(kPrinters, sizeof kPrinters));

  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(machine.files(), "C:\\AUTOEXEC.BAT", &lines));
  EXPECT_EQ(lines.front(), "@ECHO OFF");
  ASSERT_TRUE(ReadTextLines(machine.files(), "C:\\WINDOWS\\hosts", &lines));
  EXPECT_EQ(lines.back(), "192.168.1.10    zubapc");
  EXPECT_NE(machine.files().GetAttributes(machine.files().ProgramPath()), kInvalidAttributes);
  EXPECT_NE(machine.files().GetAttributes("C:\\ZUBANET\\Zubanet.hlp"), kInvalidAttributes);
  EXPECT_EQ(machine.files().GetAttributes("C:\\WINDOWS\\TELEPHON.INI"), kInvalidAttributes);
}

TEST(MachineTemplateTest, Windows95KeepsWinsInMstcpAndLocationsInTelephonIni) {
  TempMachine machine(OsKind::kWin95);
  Reader reader(machine.registry());
  EXPECT_EQ(Adapters(reader).size(), 2u);
  EXPECT_EQ(reader.String(kMstcp, "NameServer1"), "192.168.1.2");
  EXPECT_EQ(reader.String(kMstcp, "NodeType"), "8");
  EXPECT_EQ(reader.String(std::string(kNetTrans) + "0000", "NodeType"), "<missing>");
  RegKey key;
  EXPECT_EQ(machine.registry().OpenKey(kHkeyLocalMachine, kLocations, &key), kErrorFileNotFound);

  std::string value;
  machine.profiles().GetString("Locations", "Locations", "", &value, 256, "telephon.ini");
  EXPECT_EQ(value.substr(value.find(',') + 1), "2");
  machine.profiles().GetString("Locations", "Location1", "", &value, 256, "telephon.ini");
  EXPECT_EQ(value, "2,\"会社\",\"0\",\"0\",\"06\",81,0,0,1,\"\",0,\"\"");
}

TEST(MachineTemplateTest, NtHasItsOwnWindowsDirectory) {
  TempMachine machine(OsKind::kNt);
  EXPECT_EQ(machine.files().WindowsDirectory(), "C:\\WINNT");
  EXPECT_NE(machine.files().GetAttributes("C:\\WINNT\\WIN.INI"), kInvalidAttributes);
}

}  // namespace
}  // namespace zuba::platform::sim
