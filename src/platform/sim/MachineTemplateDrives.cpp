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

// A stand-in for the program: it marks where the program lives on the
// machine; nothing runs it.
constexpr char kProgram[] = "MZ; ZubaNet program image (a stand-in on the simulated machine)\n";
// The help file: one section per topic number (the help contexts of the
// program's windows); a topic's first line is its title, the rest its text.
constexpr char kHelp[] = R"(; ZubaNet help file: [Help] holds its settings, [NUMBER] starts topic NUMBER.
[Help]
Title=ZubaNet ヘルプ

[50]
設定の呼び出しと反映
「設定名」の一覧から登録した設定を選ぶと、その内容が呼び出されます。
「反映」を押すと、呼び出した設定をこのマシンに書き込みます。TCP/IP やワークグループを変えたときは、
反映のあとで Windows を再起動します。

一覧で Shift キーを押しながら Enter キーを押しても反映できます。Enter キーだけなら設定の編集に移ります。

[33]
設定と反映のボタン
「設定」で設定の編集を始めます。「反映」で呼び出した設定をこのマシンに書き込みます。

[26]
設定名
設定を区別する名前です。必ず入力してください。保存すると、この名前で設定の一覧に加わります。

[47]
設定の編集
編集した設定は「保存」で設定名の名前で保存します。「閉じる」を押すと保存せずに小さなダイアログに戻ります。
ごみ箱のボタンは一覧で選んだ設定を削除します。
「Hosts変更」「LMHosts変更」では、反映のときに Windows ディレクトリにコピーする hosts と lmhosts のファイルを選びます。

[34]
TCP/IP の設定
変更するネットワーク アダプタを選び、IP アドレスとサブネット マスクを xx.yy.zz.ww の形式で入力します。
DHCP を使うときは「DHCPを使う」をチェックします。
ゲートウェイは入力してから Enter キーで一覧に追加し、一覧で選んで Delete キーで取り除きます。
「WINS設定」で WINS サーバーとスコープ ID を設定します。WINS を使わないときはプライマリ サーバーを空にします。

[35]
DNS の設定
チェックすると DNS を使い、チェックを外すと使いません。グレーのときは DNS の設定を変えません。
ホスト名は必ず入力してください。DNS サーバーの検索順とドメインのサフィックスは、入力してから Enter キーで一覧に追加します。

[37]
ワークグループなど
コンピュータ名、コメント、ワークグループ、優先的にログオンするネットワークとログオン ID を設定します。
ファイルとプリンタの共有は、グレーのとき変更しません。

[19]
ダイヤルアップ (PPP) の設定
既定で接続するダイヤルアップ接続と所在地を選びます。選ばなければ変更しません。
「接続」は自動ダイヤル、「切断」は自動切断を有効にします。

[48]
Internet Explorer のプロキシ
プロキシを使うときはアドレスとポートを入力します。プロトコル別に指定するときは
ftp=a.b.c.d:8080;http=a.b.c.d:80 のように入力し、ポートは空にします。
自動設定のサーバーがあるときは、そのアドレスを入力します。

[36]
他のアプリケーションの起動
反映のあとで起動するアプリケーションとその起動オプションを指定します。

[32]
オプション
ZubaNet の動作を設定します。チェックした項目は次に起動したときも有効です。
「設定名の表示順を並び替える...」で一覧の順番を変え、「Windows起動時に切り替える...」で起動時の切り替えを準備します。
)";
// Programs of Windows, stand-ins as well: starting them is recorded, and
// RUNDLL32.EXE with the Network control panel opens the scripted panel.
constexpr char kRundll32[] = "MZ; RUNDLL32.EXE (a stand-in on the simulated machine)\n";
constexpr char kNotepad[] = "MZ; NOTEPAD.EXE (a stand-in on the simulated machine)\n";

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
  text(windows + "\\RUNDLL32.EXE", kRundll32);
  text(windows + "\\NOTEPAD.EXE", kNotepad);
  text(windows + "\\LMHOSTS", kLmhosts);
  text(windows + "\\LMHOSTS.SAM", kLmhostsSample);
  text(windows + "\\lmhosts.office", kLmhostsOffice);
  text("C:\\ZUBANET\\ZUBANET.EXE", kProgram);
  text("C:\\ZUBANET\\ZUBANET.HLP", kHelp);
}

}  // namespace zuba::platform::sim
