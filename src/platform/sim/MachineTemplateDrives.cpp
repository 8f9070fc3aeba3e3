// The files of the template machines' drive C:.
#include "platform/sim/MachineTemplate.h"

namespace zuba::platform::sim {
namespace {

// Printers as win.ini lists them: the default printer in [windows] device
// is its name, a comma and its [devices] text.
constexpr char kWinIni[] = R"([windows]
load=
run=
NullPort=なし
device=レーザー プリンタ,ZBLASER,LPT1:

[Desktop]
Wallpaper=(なし)
TileWallpaper=1

[intl]
iCountry=81
sCountry=日本

[devices]
レーザー プリンタ=ZBLASER,LPT1:
カラー プリンタ=ZBCOLOR,LPT2:

[PrinterPorts]
レーザー プリンタ=ZBLASER,LPT1:,15,45
カラー プリンタ=ZBCOLOR,LPT2:,15,45
)";

constexpr char kSystemIni[] = R"([boot]
shell=Explorer.exe
system.drv=system.drv

[386Enh]
network=*vnetsup,*vredir,*vnetbios,*vserver
)";

// Windows 95 keeps its dialling locations here: "Locations" gives the count
// after the comma, "CurrentLocation" the current position after the comma.
constexpr char kTelephonIni[] = R"([Locations]
CurrentLocation=0,0
Locations=3,2
Location0=1,"自宅","","","03",81,0,0,1,"",0,""
Location1=2,"会社","0","0","06",81,0,0,1,"",0,""
)";

constexpr char kHosts[] = R"(127.0.0.1       localhost
192.168.1.10    zubapc
)";

constexpr char kHostsSample[] = R"(# A sample hosts file: one address and its host names per line.
#
# 192.168.1.20     fileserver.example.co.jp   fileserver

127.0.0.1       localhost
)";

constexpr char kHostsOffice[] = R"(127.0.0.1       localhost
192.168.1.10    zubapc
192.168.1.20    fileserver.example.co.jp fileserver
192.168.1.30    mail.example.co.jp mail
)";

constexpr char kHostsHome[] = R"(127.0.0.1       localhost
192.168.0.10    zubapc
192.168.0.1     router
)";

constexpr char kLmhosts[] = R"(192.168.1.2     ZUBASERVER     #PRE #DOM:ZUBADOM
)";

constexpr char kLmhostsSample[] =
    R"(# A sample lmhosts file: one address and its NetBIOS name per line,
# optionally followed by #PRE and #DOM:domain.
#
# 192.168.1.2      ZUBASERVER    #PRE  #DOM:ZUBADOM
)";

constexpr char kLmhostsOffice[] = R"(192.168.1.2     ZUBASERVER     #PRE #DOM:ZUBADOM
192.168.1.20    FILESERVER     #PRE
)";

std::string AutoexecBat(const std::string& windows) {
  return "@ECHO OFF\nSET PATH=" + windows + ";" + windows + "\\COMMAND\nSET TEMP=" + windows +
         "\\TEMP\nSET TMP=" + windows + "\\TEMP\n";
}

// Stand-ins for the program and its help file: they mark where the program
// lives on the machine; nothing runs them.
constexpr char kProgram[] = "MZ; ZubaNet program image (a stand-in on the simulated machine)\n";
constexpr char kHelp[] = "?_; ZubaNet help file (a stand-in on the simulated machine)\n";

}  // namespace

void AddTemplateDrives(OsKind os, MachineTemplate* machine) {
  const std::string windows = TemplateWindowsDirectory(os);
  machine->directories = {
      windows,
      windows + "\\COMMAND",
      windows + "\\SYSTEM",
      windows + "\\TEMP",
      "C:\\Program Files",
      "C:\\My Documents",
      "C:\\ZUBANET",
  };
  auto text = [&](const std::string& path, const char* content) {
    machine->files.push_back({path, WithCrLf(content)});
  };
  text("C:\\AUTOEXEC.BAT", AutoexecBat(windows).c_str());
  text("C:\\CONFIG.SYS", "");
  text(windows + "\\WIN.INI", kWinIni);
  text(windows + "\\SYSTEM.INI", kSystemIni);
  if (os == OsKind::kWin95) text(windows + "\\TELEPHON.INI", kTelephonIni);
  text(windows + "\\HOSTS", kHosts);
  text(windows + "\\HOSTS.SAM", kHostsSample);
  text(windows + "\\hosts.office", kHostsOffice);
  text(windows + "\\hosts.home", kHostsHome);
  text(windows + "\\LMHOSTS", kLmhosts);
  text(windows + "\\LMHOSTS.SAM", kLmhostsSample);
  text(windows + "\\lmhosts.office", kLmhostsOffice);
  text("C:\\ZUBANET\\ZUBANET.EXE", kProgram);
  text("C:\\ZUBANET\\ZUBANET.HLP", kHelp);
}

}  // namespace zuba::platform::sim
