// The main window as designed: its controls, components and handlers.
#include "ui/mainform.h"

#include <utility>

#include "toolkit/Application.h"
#include "ui/ShortcutMenu.h"
#include "ui/TransferMenu.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

// What most controls of the window set besides their bounds.
struct Props {
  const char* caption = "";
  const char* hint = "";
  int tag = 0;
  int help = 0;
};

template <class T, class... Args>
T& Make(Control& parent, const char* name, Rect bounds, const Props& props, Args&&... args) {
  T& control = parent.Add<T>(name, std::forward<Args>(args)...);
  control.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  control.SetCaption(props.caption);
  control.SetHint(props.hint);
  control.SetTag(props.tag);
  control.SetHelpContext(props.help);
  return control;
}

Label& MakeLabel(Control& parent, const char* name, Rect bounds, const char* caption, int tag = 0) {
  Label& label = Make<Label>(parent, name, bounds, {caption, "", tag, 0});
  label.SetAutoSize(false);
  return label;
}

ComboBox& MakeList(Control& parent, const char* name, Rect bounds, const Props& props,
                   ComboStyle style = ComboStyle::kDropDownList) {
  ComboBox& box = Make<ComboBox>(parent, name, bounds, props);
  box.SetStyle(style);
  return box;
}

// An edit for dotted addresses and host names: the input method stays off.
Edit& MakeAsciiEdit(Control& parent, const char* name, Rect bounds, const Props& props) {
  Edit& edit = Make<Edit>(parent, name, bounds, props);
  edit.SetImeMode(ImeMode::kDisable);
  return edit;
}

template <class T>
T& Bold(T& control) {
  Font font = control.GetFont();
  font.bold = true;
  control.SetFont(font);
  return control;
}

TPanelEx& Bevelled(TPanelEx& panel) {
  panel.SetBevels(Bevel::kRaised, Bevel::kLowered);
  return panel;
}

MenuItem& MakeItem(PopupMenu& menu, const char* name, const char* caption, const char* hint = "") {
  MenuItem& item = menu.AddItem(name);
  item.SetCaption(caption);
  item.SetHint(hint);
  return item;
}

OpenDialog& MakeOpenDialog(Component& owner, const char* name, const char* title,
                           const char* fileName, const char* filter) {
  OpenDialog& dialog = owner.Add<toolkit::OpenDialog>(name);
  dialog.SetTitle(title);
  dialog.SetFileName(fileName);
  dialog.SetFilter(filter);
  return dialog;
}

constexpr char kGatewayHint[] = "値を入力後、リターンキーでリストに追加します";
constexpr char kListHint[] = "項目を選択し、DELキーで削除します";
constexpr char kCplHint[] =
    "切替がうまく行かないときにチェックしてみてください。設定を反映した後にコントロールパネルを"
    "起動します。";
constexpr char kTelHint[] = "テレフォニー（所在地）を変更します（未選択可）";
constexpr char kDialUpHint[] = "デフォルトで接続したいダイヤルアップ設定を選択します（未選択可）";

}  // namespace

TForm1::TForm1(Application& app, platform::Registry& registry, platform::Files& files,
               platform::Profiles& profiles, platform::System& system,
               std::vector<std::string> commandLine)
    : Form(app),
      // Top row and name group.
      LaSetting(MakeLabel(*this, "LaSetting", {2, 8, 39, 13}, "設定名", 20)),
      CbSetting(MakeList(*this, "CbSetting", {44, 4, 137, 21},
                         {"", "登録した設定を呼び出します", 20, 50})),
      PnOpr(Make<Panel>(*this, "PnOpr", {40, 28, 145, 29}, {"", "", 0, 33})),
      BtConfig(Make<Button>(PnOpr, "BtConfig", {4, 2, 77, 25},
                            {"設定", "設定を修正／作成します", 20, 50})),
      BtApply(Make<Button>(PnOpr, "BtApply", {84, 2, 57, 25},
                           {"反映", "呼び出した設定を反映します", 20, 50})),
      BtDelete(Make<Button>(*this, "BtDelete", {188, 2, 31, 29},
                            {"", "選択した設定を削除します", 10, 47})),
      GbNm(Bold(Make<GroupBox>(*this, "GbNm", {4, 60, 221, 41},
                               {"編集を行う設定名", "", 10, 47}))),
      EdNm(Make<Edit>(GbNm, "EdNm", {8, 14, 137, 21},
                      {"", "設定を区別するために必須です", 1, 26})),
      CbCpl(Make<TMultiLineCheckBox>(GbNm, "CbCpl", {184, 12, 33, 25}, {"起動", kCplHint, 0, 47})),
      Image5(Make<Picture>(GbNm, "Image5", {152, 8, 34, 29}, {"", kCplHint})),
      Image1(Make<Picture>(*this, "Image1", {232, 32, 20, 20}, {"", "", 10, 0})),
      fcbtHosts(Make<TFileCopyBtn>(
          *this, "fcbtHosts", {232, 4, 85, 25},
          {"Hosts変更", "切り替えるHOSTSファイルを選択します", 0, 47}, files)),
      fcbtLmhosts(Make<TFileCopyBtn>(
          *this, "fcbtLmhosts", {320, 4, 85, 25},
          {"LMHosts変更", "切り替えるLMHOSTSファイルを選択します", 0, 47}, files)),
      pcbPr(Make<TPrComboBox>(*this, "pcbPr", {252, 32, 153, 20},
                                       {"", "デフォルトプリンタを切り替えます"}, profiles,
                                       registry, files, system)),
      BtOpt(Make<Button>(*this, "BtOpt", {412, 2, 53, 55},
                         {"ｵﾌﾟｼｮﾝ ", "ZubaNetの動作を設定します", 30, 32})),
      BbCan(Make<Button>(
          *this, "BbCan", {468, 2, 69, 27},
          {"閉じる",
           "設定を保存せず（オプションは保存）、小さなダイアログに戻します", 10, 47})),
      BbOk(Make<Button>(*this, "BbOk", {468, 30, 69, 27},
                        {"保存", "作成した設定を保存します", 10, 47})),
      Sb1(Make<StatusBar>(*this, "Sb1", {0, 421, 693, 19}, {})),
      LsIniIni(Make<ListBox>(*this, "LsIniIni", {548, 160, 97, 149},
                             {"", "[Initialize]セクションで保持するキー一覧"})),
      // TCP/IP.
      CbTcp(Bold(Make<CheckBox>(*this, "CbTcp", {12, 102, 65, 15},
                                {"TCP/IP", "チェックすると TCP/IP の設定が有効になります", 1,
                                 34}))),
      PnTcp(Bevelled(Make<TPanelEx>(*this, "PnTcp", {4, 108, 221, 133}, {"", "", 0, 34}))),
      Image2(Make<Picture>(PnTcp, "Image2", {8, 12, 16, 16}, {"", "", 1, 0})),
      CbTnc(MakeList(PnTcp, "CbTnc", {28, 12, 185, 20},
                     {"", "変更の対象となるネットワークアダプタを選択します（必須）"})),
      CbTrg(MakeList(PnTcp, "CbTrg", {92, 10, 73, 20},
                     {"", "変更の対象となるカードのレジストリを選択します（必須）", 11, 0})),
      PnTcp2(Make<TPanelEx>(PnTcp, "PnTcp2", {4, 36, 109, 73}, {"", "", 0, 34})),
      LaTip(MakeLabel(PnTcp2, "LaTip", {4, 0, 50, 12}, "IPアドレス", 1)),
      EdTip(MakeAsciiEdit(PnTcp2, "EdTip", {4, 11, 101, 20},
                          {"", "IPを xx.yy.zz.ww 形式で入力します", 12, 34})),
      LaTms(MakeLabel(PnTcp2, "LaTms", {4, 33, 83, 12}, "サブネットマスク", 1)),
      EdTms(MakeAsciiEdit(PnTcp2, "EdTms", {4, 45, 101, 20},
                          {"", "サブネットマスクをを xx.yy.zz.ww 形式で入力します", 13, 34})),
      LaTgw(MakeLabel(PnTcp, "LaTgw", {117, 36, 64, 12}, "ゲートウェー", 1)),
      EdTgw(MakeAsciiEdit(PnTcp, "EdTgw", {116, 47, 97, 20}, {"", kGatewayHint, 1, 34})),
      LbTgw(Make<ListBox>(PnTcp, "LbTgw", {116, 68, 97, 33}, {"", kListHint, 1, 34})),
      CbTdh(Make<TMultiLineCheckBox>(PnTcp, "CbTdh", {8, 104, 51, 25},
                                     {"DHCPを使う", "DHCPをIPの解決に利用する際はチェックします",
                                      0, 34})),
      CbWiDh(Make<TMultiLineCheckBox>(
          PnTcp, "CbWiDh", {64, 104, 83, 25},
          {"WINS解決にDHCPを使う", "WINSの解決にDHCPを使用するときはチェックします", 0, 34})),
      BtWins(Make<Button>(PnTcp, "BtWins", {152, 104, 61, 25},
                          {"WINS設定", "WINS設定ダイアログを開きます", 0, 34})),
      // DNS.
      CbDde(Bold(Make<TTulGroupCheckBox>(
          *this, "CbDde", {240, 148, 145, 17},
          {"DNS（何も変更しない）",
           "DNS設定： チェック－使用する／未チェック－使用しない／グレー－変更なし", 400, 35}))),
      PnDns(Bevelled(Make<TPanelEx>(*this, "PnDns", {232, 156, 305, 85}, {"", "", 400, 35}))),
      LaDhs(MakeLabel(PnDns, "LaDhs", {8, 10, 42, 12}, "ホスト名")),
      EdDhs(MakeAsciiEdit(PnDns, "EdDhs", {8, 22, 93, 20},
                          {"", "このマシンのホスト名を入力", 21, 35})),
      LaDdm(MakeLabel(PnDns, "LaDdm", {8, 44, 53, 12}, "ドメイン 名")),
      EdDdm(MakeAsciiEdit(PnDns, "EdDdm", {8, 56, 93, 20},
                          {"", "somewhere.ne.jp 等と入力", 22, 35})),
      LaDip(MakeLabel(PnDns, "LaDip", {108, 10, 58, 12}, "検索順 (IP)")),
      EdDip(MakeAsciiEdit(PnDns, "EdDip", {108, 22, 93, 20}, {"", kGatewayHint, 2, 35})),
      LbDip(Make<ListBox>(PnDns, "LbDip", {108, 42, 93, 35}, {"", kListHint, 2, 35})),
      LaDsf(MakeLabel(PnDns, "LaDsf", {204, 10, 60, 12}, "サフィックス")),
      EdDsf(MakeAsciiEdit(PnDns, "EdDsf", {204, 22, 93, 20}, {"", kGatewayHint, 3, 35})),
      LbDsf(Make<ListBox>(PnDns, "LbDsf", {204, 42, 93, 35}, {"", kListHint, 3, 35})),
      // Proxy.
      CbPpe(Bold(Make<TTulGroupCheckBox>(
          *this, "CbPpe", {240, 58, 73, 17},
          {"IE Proxy", "InternetExplorerのプロキシ設定です。NNはサポートしていません。", 100,
           48}))),
      pnPxy(Make<TZbPanelEx>(*this, "pnPxy", {232, 65, 305, 81}, {"", "", 100, 48})),
      cbPxyEnable(Make<TTulGroupCheckBox>(
          pnPxy, "cbPxyEnable", {8, 12, 109, 17},
          {"Proxyを使用する",
           "チェックするとプロキシを使用します。チェックを外すと使用しません。", 110})),
      cbPxyLocal(Make<CheckBox>(
          pnPxy, "cbPxyLocal", {124, 12, 129, 17},
          {"ローカルはProxy不要",
           "ローカルのアドレスにはプロキシを使用しないときはチェックを・・・しても今はまだ機能が"
           "ありません（未実装）",
           110})),
      Label11(MakeLabel(pnPxy, "Label11", {8, 36, 40, 12}, "アドレス", 110)),
      edPxyAddr(Make<Edit>(pnPxy, "edPxyAddr", {52, 32, 117, 20},
                           {"",
                            "プロキシのアドレスです。プロトコル別に入力する場合は「ftp=a.b.c.b:"
                            "8080;http=a.b.c.d:80」等と入力します。",
                            110, 48})),
      Label9(MakeLabel(pnPxy, "Label9", {172, 36, 31, 12}, "ポート", 110)),
      edPxyPort(Make<Edit>(pnPxy, "edPxyPort", {204, 32, 45, 20},
                           {"",
                            "プロキシサーバのポートを入力します。プロトコル別にプロキシを使用する"
                            "場合は何も入力しません。",
                            110})),
      Button1(Make<Button>(pnPxy, "Button1", {256, 52, 43, 25},
                           {"詳細", "詳細設定用のダイアログを表示する・・・つもりです（未実装）",
                            110})),
      Label10(MakeLabel(pnPxy, "Label10", {2, 60, 48, 12}, "自動設定")),
      edPxyAutoURL(Make<Edit>(pnPxy, "edPxyAutoURL", {52, 56, 117, 20},
                              {"", "自動設定サーバが用意されている場合はここに記述します"})),
      // Dial-up.
      CbPpp(Bold(Make<TTulGroupCheckBox>(*this, "CbPpp", {12, 244, 45, 17},
                                         {"PPP", "チェックするとPPPの設定が有効になります", 200,
                                          19}))),
      PnPpp(Bevelled(Make<TPanelEx>(*this, "PnPpp", {4, 250, 221, 45}, {"", "", 200, 19}))),
      Image4(Make<Picture>(PnPpp, "Image4", {8, 22, 17, 17}, {"", kTelHint})),
      CbPtl(MakeList(PnPpp, "CbPtl", {28, 20, 69, 20}, {"", kTelHint, 31, 19},
                     ComboStyle::kDropDown)),
      Label3(MakeLabel(PnPpp, "Label3", {80, 4, 35, 12}, "自動で")),
      Image3(Make<Picture>(PnPpp, "Image3", {104, 22, 17, 16}, {"", kDialUpHint})),
      CbPpf(MakeList(PnPpp, "CbPpf", {124, 20, 89, 20}, {"", kDialUpHint, 31, 19},
                     ComboStyle::kDropDown)),
      CbPac(Make<CheckBox>(PnPpp, "CbPac", {124, 2, 45, 17},
                           {"接続", "チェックするとPPP自動ダイヤルを有効にします", 0, 19})),
      CbPad(Make<CheckBox>(PnPpp, "CbPad", {172, 2, 45, 17},
                           {"切断", "チェックするとPPP自動切断を有効にします", 0, 19})),
      // Launch.
      CbEex(Bold(Make<TTulGroupCheckBox>(
          *this, "CbEex", {12, 296, 93, 17},
          {"他アプリ起動",
           "チェックするとZubaNetの反映に併せて起動したいアプリケーションを設定できます", 300,
           36}))),
      PnEex(Bevelled(Make<TPanelEx>(*this, "PnEex", {4, 304, 221, 57}, {"", "", 300, 36}))),
      Label2(MakeLabel(PnEex, "Label2", {4, 16, 31, 12}, "アプリ")),
      fedExe(Make<FileNameEdit>(PnEex, "fedExe", {44, 10, 169, 21},
                                {"", "実行ファイルを選択します", 0, 36})),
      Label8(MakeLabel(PnEex, "Label8", {4, 36, 37, 12}, "ｵﾌﾟｼｮﾝ")),
      fedOpt(Make<FileNameEdit>(PnEex, "fedOpt", {44, 32, 169, 21},
                                {"", "起動オプションを入力します", 0, 36})),
      // Workgroup.
      CbWgp(Bold(Make<TTulGroupCheckBox>(
          *this, "CbWgp", {240, 244, 109, 17},
          {"ﾜｰｸｸﾞﾙｰﾌﾟなど",
           "チェックするとクライアント・ワークグループに関する設定が有効になります", 500, 37}))),
      PnWg(Bevelled(Make<TPanelEx>(*this, "PnWg", {232, 250, 305, 111}, {"", "", 500, 37}))),
      Label4(MakeLabel(PnWg, "Label4", {8, 12, 116, 12}, "コンピュータ名・コメント")),
      EdWlc(Make<Edit>(
          PnWg, "EdWlc", {8, 26, 121, 20},
          {"", "「ネットワーク」－「ユーザー情報」のコンピューター名を入力します（必須）", 41,
           37})),
      EdWcc(Make<Edit>(PnWg, "EdWcc", {8, 48, 121, 20},
                       {"", "「ネットワーク」－「ユーザー情報」のコメントを入力します", 0, 37})),
      Label6(MakeLabel(PnWg, "Label6", {8, 72, 47, 12}, "ｸﾞﾙｰﾌﾟ名")),
      EdWgp(Make<Edit>(
          PnWg, "EdWgp", {8, 84, 121, 20},
          {"", "「ネットワーク」－「ユーザー情報」のワークグループを入力します（必須）", 41,
           37})),
      RgLogon(Make<RadioGroup>(
          PnWg, "RgLogon", {132, 4, 57, 73},
          {"Logon", "「ネットワーク」－「優先的にログオンする」で指定するログオン先を選択", 0,
           37})),
      Label1(MakeLabel(PnWg, "Label1", {196, 4, 53, 12}, "ログオンID")),
      EdWli(Make<Edit>(PnWg, "EdWli", {196, 18, 101, 20},
                       {"",
                        "ログオン先が９５またはNTのときのログオンIDを入力します／不用のときは空に"
                        "する",
                        41, 37})),
      Label5(MakeLabel(PnWg, "Label5", {195, 42, 96, 12}, "PW認証NTﾄﾞﾒｲﾝ名")),
      EdWld(Make<Edit>(PnWg, "EdWld", {196, 54, 101, 20},
                       {"",
                        "ﾛｸﾞｵﾝ時にﾊﾟｽﾜｰﾄﾞ認証をするNTのﾄﾞﾒｲﾝ名を入力／不要のときは空にする",
                        41, 37})),
      CbWfs(Make<TMultiLineCheckBox>(
          PnWg, "CbWfs", {140, 78, 73, 27},
          {"ファイルを共有する",
           "ファイル共有設定： チェック－使用する／未チェック－使用しない／グレー－変更なし", 0,
           37})),
      CbWps(Make<TMultiLineCheckBox>(
          PnWg, "CbWps", {224, 78, 73, 27},
          {"プリンタを共有する",
           "プリンタ共有設定： チェック－使用する／未チェック－使用しない／グレー－変更なし", 0,
           37})),
      // Components.
      IniGT(profiles, files),
      Settings(IniGT, files),
      ExitWin(Add<TExitWin>("ExitWin")),
      PmOpt(Add<PopupMenu>("PmOpt")),
      PmOpt1(MakeItem(PmOpt, "PmOpt1", "アダプタ変更時に問合せする",
                      "チェックしないと対象レジストリ変更時に自動で現状の設定を埋め込みます")),
      PmOpt3(MakeItem(PmOpt, "PmOpt3", "「ﾊﾞｰｼﾞｮﾝの競合」はOKで答える",
                      "コンパネ自動起動のときに、出てくる（ときもある）ダイアログに対して、自動で"
                      "答えます")),
      PmOpt4(MakeItem(PmOpt, "PmOpt4", "再起動はWindowsのみ",
                      "ZubaNetの再起動方法をWindowsだけか、DOSから再起動かを選びます")),
      PmOpt5(MakeItem(PmOpt, "PmOpt5", "再起動必要時に確認する",
                      "チェックしないとZubaNet終了後、自動的に再起動します")),
      PmOpt2(MakeItem(PmOpt, "PmOpt2", "　不要時も確認する")),
      PmOpt6(MakeItem(PmOpt, "PmOpt6", "強制的にWin98モードにする",
                      "OSR2を使用していてWINSの設定がうまくいかない場合、チェックしてみてください")),
      PmOpt7(MakeItem(PmOpt, "PmOpt7", "反映後レジストリフラッシュを行う")),
      N3(MakeItem(PmOpt, "N3", "-")),
      pmEditList(MakeItem(PmOpt, "pmEditList", "設定名の表示順を並び替える...",
                          "設定名の表示順番を変更します")),
      Windows1(MakeItem(PmOpt, "Windows1", "Windows起動時に切り替える...")),
      N2(MakeItem(PmOpt, "N2", "-")),
      ZubaNet1(MakeItem(PmOpt, "ZubaNet1", "ZubaNetについて", "バージョン情報です")),
      N4(MakeItem(PmOpt, "N4", "-")),
      pmPreview(MakeItem(PmOpt, "pmPreview", "反映内容の確認...",
                         "呼び出した設定を反映すると何が変わるかを表示します")),
      pmUndo(MakeItem(PmOpt, "pmUndo", "前回の反映を元に戻す...",
                      "最後に反映した設定の変更を元に戻します")),
      N5(MakeItem(PmOpt, "N5", "-")),
      pmSaveWarnings(MakeItem(PmOpt, "pmSaveWarnings", "保存時に設定の誤りを警告する",
                              "通信できないゲートウェーやサブネットマスク、重複したアドレスなどを"
                              "保存の前に知らせます")),
      N6(MakeItem(PmOpt, "N6", "-")),
      pmTrial(MakeItem(PmOpt, "pmTrial", "試しに反映する...",
                       "呼び出した設定を反映し、再起動の後に使い続けるかをたずねます。"
                       "答えがなければ元に戻します")),
      pmStanding(MakeItem(PmOpt, "pmStanding", "現在の状態を確認...",
                          "いまの状態と一致する保存済みの設定と、前回反映した後に変わった値を"
                          "表示します")),
      odHosts(MakeOpenDialog(*this, "odHosts", "Hostsファイルの選択", "hosts*",
                             "hostsファイル|hosts*")),
      odLmhosts(MakeOpenDialog(*this, "odLmhosts", "Lmhostsファイルの選択", "lmhosts*",
                               "lmhostsファイル|lmhosts*")),
      OpenDialog(MakeOpenDialog(*this, "OpenDialog", "", "",
                                "Any file (*.*)|*.*|Exe file (*.exe)|*.exe|Batch file "
                                "(*.bat)|*.bat|Reg file (*.reg)|*.reg|PIF file (*.pif)|*.pif")),
      zbExec(Add<TZubaExec>("zbExec", system, files, app.Ui())),
      zbPPP(Add<TZubaPPP>("zbPPP", registry, profiles, files, system)),
      ZbProxy(Add<TZbProxy>("ZbProxy", registry)),
      zbVersion(Add<TZubaVersion>("zbVersion", system, app.Ui())),
      registry_(registry),
      files_(files),
      profiles_(profiles),
      system_(system),
      lead_(system),
      questions_(app, [this] { return PmOpt3.Checked(); }),
      commandLine_(std::move(commandLine)) {
  SetName("Form1");
  SetCaption("ZubaNet");
  SetBorderStyle(BorderStyle::kSingle);
  SetBorderIcons(kBiSystemMenu | kBiMinimize);
  SetPosition(FormPosition::kDefaultPosOnly);
  SetClientSize(693, 440);
  SetHint("F1キーでヘルプ表示");
  SetHelpContext(50);
  SetKeyPreview(true);
  SetShowHint(true);

  IniGT.SetDefaultDir(core::ddApplication);
  IniGT.SetFence(core::fnNone);
  IniGT.Loaded();

  questions_.OnWrites([this] { Hide(); }, [this] { Show(); });
  SetInitialStates();
  CreateDualListDlg();
  AddTransferMenu(*this);
  AddShortcutMenu(*this);
  BindHandlers();
}

TForm1::~TForm1() = default;

void TForm1::SetInitialStates() {
  CbSetting.SetTabOrder(0);
  PnOpr.SetBevels(Bevel::kNone, Bevel::kNone);
  BtConfig.SetGlyph("Config");
  BtApply.SetGlyph("Apply");
  BtConfig.SetShowHint(true);
  BtApply.SetShowHint(true);
  BtDelete.SetGlyph("Delete");
  BtDelete.SetEnabled(false);

  Font nameFont = EdNm.GetFont();
  nameFont.size = 10;
  EdNm.SetFont(nameFont);
  Font plain = GetFont();
  CbCpl.SetFont(plain);
  CbCpl.SetCaptionSide(Alignment::kLeftJustify);
  Image5.SetImageName("ControlPanel");
  Image1.SetImageName("Printer");

  fcbtHosts.SetNoFileCaption("Hosts変更");
  fcbtHosts.SetOpenDialog(&odHosts);
  fcbtHosts.SetCopyOverWrite(true);
  fcbtLmhosts.SetNoFileCaption("LMHosts変更");
  fcbtLmhosts.SetOpenDialog(&odLmhosts);
  fcbtLmhosts.SetCopyOverWrite(false);

  BtOpt.SetGlyph("Options");
  BtOpt.SetLayout(GlyphLayout::kTop);
  BbCan.SetGlyph("Close");
  BbCan.SetCancel(true);
  BbCan.SetEnabled(false);
  BbOk.SetGlyph("Save");

  Sb1.SetAlign(Align::kBottom);
  Sb1.SetSizeGrip(false);
  Sb1.SetVisible(false);

  LsIniIni.SetVisible(false);
  LsIniIni.SetItems(core::InitializeKeyNames());

  for (Control* required : std::initializer_list<Control*>{&EdNm, &CbTnc, &EdTip, &EdTms, &EdDhs,
                                                           &EdWlc, &EdWgp}) {
    required->SetColor(kRequiredColor);
  }

  CbTcp.SetChecked(true);
  Image2.SetImageName("Network");
  PnTcp2.SetBevels(Bevel::kNone, Bevel::kNone);
  CbWiDh.SetEnabled(false);

  CbDde.SetAllowGrayed(true);
  CbDde.SetState(CheckState::kGrayed);
  PnDns.SetEnabled(false);

  pnPxy.SetBevels(Bevel::kRaised, Bevel::kLowered);
  pnPxy.SetEnabled(false);
  cbPxyLocal.SetVisible(false);
  Button1.SetVisible(false);

  PnPpp.SetEnabled(false);
  Image4.SetImageName("Telephone");
  Image3.SetImageName("DialUp");

  PnEex.SetEnabled(false);
  fedExe.SetFilter("Exe File (*.exe)|*.exe|All files (*.*)|*.*");

  PnWg.SetEnabled(false);
  RgLogon.SetItems({"W9x", "NT", "他"});
  RgLogon.SetItemIndex(0);
  Label5.SetAlignment(Alignment::kRightJustify);
  for (TMultiLineCheckBox* box : {&CbWfs, &CbWps}) {
    box->SetAllowGrayed(true);
    box->SetState(CheckState::kGrayed);
  }
  // Each group check box lies over the top edge of its panel, which was
  // created after it: the box is drawn above the panel.
  for (Control* box : std::initializer_list<Control*>{&CbTcp, &CbDde, &CbPpe, &CbPpp, &CbEex,
                                                       &CbWgp}) {
    box->BringToFront();
  }

  PmOpt.SetHelpContext(32);
  PmOpt.SetAutoPopup(false);
  PmOpt7.SetVisible(false);
  for (MenuItem* item :
       {&PmOpt1, &PmOpt3, &PmOpt4, &PmOpt5, &PmOpt2, &PmOpt6, &PmOpt7, &pmSaveWarnings}) {
    item->SetHelpContext(32);
  }

  toolkit::OpenDialog& any = OpenDialog;
  any.SetOptions(kOfHideReadOnly | kOfFileMustExist);

  zbExec.SetExecFileEdit(&fedExe);
  zbExec.SetExecOptEdit(&fedOpt);
  zbPPP.SetPppComboBox(&CbPpf);
  zbPPP.SetTelComboBox(&CbPtl);
  zbPPP.SetAtConnectCB(&CbPac);
  zbPPP.SetAtDisConnCB(&CbPad);
  ZbProxy.SetPxEnabled(&cbPxyEnable);
  ZbProxy.SetPxNotLan(&cbPxyLocal);
  ZbProxy.SetPxAddr(&edPxyAddr);
  ZbProxy.SetPxPort(&edPxyPort);
  ZbProxy.SetPxAutoURL(&edPxyAutoURL);
  zbVersion.apDesc = "Network Configuration Changer for Windows9x";
  zbVersion.apName = "ZubaNet";
  zbVersion.apCopyrihgt = "Copyright (C) ZubaNet Project";
  zbVersion.apMail = "Mail: zubanet@example.jp";
  zbVersion.apHomePage = "Web: http://www.example.jp/zubanet/";
}

void TForm1::BindHandlers() {
  auto notify = [this](void (TForm1::*handler)(Component&)) -> NotifyEvent {
    return [this, handler](Component& sender) { (this->*handler)(sender); };
  };
  auto keyDown = [this](void (TForm1::*handler)(Component&, std::uint16_t&, ShiftState)) {
    return KeyEvent([this, handler](Component& sender, std::uint16_t& key, ShiftState shift) {
      (this->*handler)(sender, key, shift);
    });
  };
  auto keyPress = [this](void (TForm1::*handler)(Component&, char&)) {
    return KeyPressEvent([this, handler](Component& sender, char& key) {
      (this->*handler)(sender, key);
    });
  };

  SetOnCreate(notify(&TForm1::FormCreate));
  SetOnKeyPress(keyPress(&TForm1::FormKeyPress));
  SetOnClose([this](Component& sender, CloseAction& action) { FormClose(sender, action); });

  CbSetting.SetOnChange(notify(&TForm1::CbSettingChange));
  CbSetting.SetOnKeyDown(keyDown(&TForm1::CbSettingKeyDown));
  BtConfig.SetOnClick(notify(&TForm1::BtConfigClick));
  BtApply.SetOnClick(notify(&TForm1::BtApplyClick));
  BtDelete.SetOnClick(notify(&TForm1::BtDeleteClick));
  EdNm.SetOnEnter(notify(&TForm1::EdNmEnter));
  Image5.SetOnClick(notify(&TForm1::Image5Click));
  BtOpt.SetOnClick(notify(&TForm1::BtOptClick));
  BbCan.SetOnClick(notify(&TForm1::BbCanClick));
  BbOk.SetOnClick(notify(&TForm1::BbOkClick));

  CbTcp.SetOnClick(notify(&TForm1::CbTcpClick));
  CbTnc.SetOnChange(notify(&TForm1::CbTncChange));
  CbTrg.SetOnChange(notify(&TForm1::CbTrgChange));
  CbTdh.SetOnClick(notify(&TForm1::CbTdhClick));
  CbWiDh.SetOnClick(notify(&TForm1::CbWiDhClick));
  BtWins.SetOnClick(notify(&TForm1::BtWinsClick));
  CbDde.SetOnClick(notify(&TForm1::CbDdeClick));

  for (Edit* field : {&EdTgw, &EdDip, &EdDsf}) field->SetOnKeyPress(keyPress(&TForm1::EdTgwKeyPress));
  for (ListBox* list : {&LbTgw, &LbDip, &LbDsf}) list->SetOnKeyDown(keyDown(&TForm1::LbDipKeyDown));

  MouseEvent help = [this](Component& sender, MouseButton button, ShiftState shift, int x, int y) {
    CbMouseDownHelp(sender, button, shift, x, y);
  };
  SetOnMouseDown(help);
  for (Control* c : std::initializer_list<Control*>{
           &LaSetting, &Image1, &BtConfig, &BtApply, &BtDelete, &GbNm, &fcbtHosts, &fcbtLmhosts,
           &BtOpt, &BbCan, &BbOk, &CbTcp, &PnTcp, &CbDde, &PnDns, &CbPpe, &pnPxy, &CbPpp, &PnPpp,
           &CbEex, &PnEex, &CbWgp, &PnWg}) {
    c->SetOnMouseDown(help);
  }

  for (MenuItem* item : {&PmOpt1, &PmOpt2, &PmOpt3, &PmOpt4, &PmOpt6, &PmOpt7, &pmSaveWarnings}) {
    item->SetOnClick(notify(&TForm1::PmOptChkClick));
  }
  PmOpt5.SetOnClick(notify(&TForm1::PmOpt5Click));
  pmEditList.SetOnClick(notify(&TForm1::pmEditListClick));
  Windows1.SetOnClick(notify(&TForm1::Windows1Click));
  ZubaNet1.SetOnClick(notify(&TForm1::ZubaNet1Click));
  pmPreview.SetOnClick(notify(&TForm1::pmPreviewClick));
  pmUndo.SetOnClick(notify(&TForm1::pmUndoClick));
  pmTrial.SetOnClick(notify(&TForm1::pmTrialClick));
  pmStanding.SetOnClick(notify(&TForm1::pmStandingClick));
}

void TForm1::SizeForViewMode() { SetClientSize(kViewClientWidth, kViewClientHeight); }

void TForm1::SizeForEditMode() { SetClientSize(kEditClientWidth, kEditClientHeight); }

}  // namespace zuba::ui
