#include "switch/ApplyFlow.h"

#include <exception>

#include "actions/AppLauncher.h"
#include "actions/DialUpSettings.h"
#include "actions/Printers.h"
#include "actions/ProxySettings.h"
#include "actions/ZNetUtil.h"
#include "core/IniGT.h"
#include "core/SettingsFile.h"
#include "network/ChgDNS.h"
#include "network/ChgLogon.h"
#include "network/ChgWINS.h"
#include "switch/ApplyCheck.h"
#include "switch/SettingsFileAt.h"
#include "system/MyRegs.h"
#include "system/ZubaUtil.h"
#include "system/jstrm.h"

namespace zuba::switching {
namespace {

constexpr char kNothingChanged[] = "\r\n\r\n何も書き換えていません。";
constexpr char kNotDoneHeader[] = "\r\n\r\n次のものは反映されていません:";
constexpr char kCutShort[] = "（途中で止まりました）";
constexpr char kRestartNotDone[] = "再起動（終了）の確認";

std::string NoAdapterMessage(const std::string& name) {
  return "設定【" + name +
         "】にはネットワークアダプタの指定がないため、TCP/IP の値の書き込み先が"
         "決まりません。\r\n設定を開いてアダプタを選び、保存し直してください。";
}

}  // namespace

ApplyFlow::ApplyFlow(const ApplyServices& services, system::AppShell& shell)
    : services_(services), shell_(shell) {}

void ApplyFlow::Run(const ApplyRequest& request) {
  const core::TRegList setting = Prepare(request);
  RunApplySteps(Plan(request, setting));
}

core::TRegList ApplyFlow::Prepare(const ApplyRequest& request) {
  core::TRegList setting = request.setting;
  SettingsFileAt file(services_, request.settingsFile);
  if (!network::AppendAdapterSubkey(setting, file->ReadAdapter(request.settingName),
                                    request.forceWin98Mode, services_.system)) {
    throw ApplyError(NoAdapterMessage(request.settingName) + kNothingChanged);
  }
  const std::string unwritable = FindUnwritableValue(setting);
  if (!unwritable.empty()) {
    throw ApplyError("設定【" + request.settingName + "】の値を書き込めません。\r\n" + unwritable +
                     kNothingChanged);
  }
  return setting;
}

std::vector<ApplyStep> ApplyFlow::Plan(const ApplyRequest& request,
                                       const core::TRegList& setting) {
  std::vector<ApplyStep> steps;
  platform::Registry& registry = services_.registry;
  for (int index = core::kIp; index <= core::kLi; ++index) {
    const core::TNetReg& item = setting[index];
    if (!item.IsSet) continue;
    steps.push_back({"レジストリの値 " + item.ValueName,
                     [&registry, &shell = shell_, &item] {
                       if (network::WriteItem(registry, item) == network::ItemWrite::kUnknownType) {
                         system::ShowInfoBox(shell, network::UnknownTypeMessage(item));
                       }
                     }});
  }
  const core::TNetReg& de = setting[core::kDe];
  if (de.IsSet && de.Value == "0") {
    steps.push_back({"DNS の値の削除 (HostName, Domain, NameServer, SearchList)",
                     [&registry, &system = services_.system, &de] {
                       network::ClearDnsValues(registry, system, de.Value);
                     }});
  }
  if (setting[core::kNt].IsSet) {
    steps.push_back({"WINS の値 (NameServer1, NameServer2, ScopeID, NodeType)",
                     [&registry, &setting] {
                       network::WriteWinsItems(registry, setting[core::kWp], setting[core::kWs],
                                               setting[core::kWi], setting[core::kNt]);
                     }});
  }
  if (request.changeLogon && (request.logonChoice == network::kWindowsLogon ||
                              request.logonChoice == network::kNetworkClientLogon)) {
    steps.push_back({"ログオンの設定", [&registry, &system = services_.system, &request, &setting] {
                       network::ChangeLogonProvider(registry, system::LeadBytes(system),
                                                    request.logonChoice,
                                                    setting[core::kLd].Value);
                     }});
  }
  if (!request.hosts.source.empty()) {
    steps.push_back({"hosts の置き換え", [this, &request] { CopyReplacement(request.hosts, "hosts"); }});
  }
  if (!request.lmhosts.source.empty()) {
    steps.push_back(
        {"lmhosts の置き換え", [this, &request] { CopyReplacement(request.lmhosts, "lmhosts"); }});
  }
  if (!request.printer.empty()) {
    steps.push_back({"通常使うプリンタ (" + request.printer + ")",
                     [this, &request] { SetPrinter(request.printer); }});
  }
  if (!request.launchFile.empty()) {
    steps.push_back({"アプリケーションの起動 (" + request.launchFile + ")", [this, &request] {
                       if (actions::LaunchApplication(services_.system, services_.files, shell_,
                                                      request.launchFile, request.launchOptions,
                                                      actions::LaunchWait::kUntilEnded) ==
                           actions::LaunchOutcome::kNotRunnable) {
                         system::ShowInfoBox(shell_, actions::NotRunnableMessage(request.launchFile));
                       }
                     }});
  }
  if (setting[core::kPc].IsSet) {
    steps.push_back({"ダイヤルアップの設定", [this, &setting] { ApplyDialUp(setting); }});
  }
  if (setting[core::kPe].IsSet) {
    steps.push_back({"プロキシの設定", [&registry, &setting] {
                       actions::ProxySettings(registry).Apply(setting[core::kPe].Value == "1",
                                                         setting[core::kPv].Value,
                                                         setting[core::kPa].Value);
                     }});
  }
  if (request.runControlPanel && request.answerConflicts) {
    steps.push_back({"ネットワーク コントロールパネルの起動", [this, &request] {
                       const std::string stopped = actions::RunNetworkControlPanel(
                           services_.system, services_.files, shell_, request.answerConflicts);
                       if (!stopped.empty()) system::ShowInfoBox(shell_, stopped);
                     }});
  }
  steps.push_back({"前回反映した設定名 (Previous) の記録", [this, &request] { WritePrevious(request); }});
  if (request.flushRegistry) {
    steps.push_back({"レジストリのフラッシュ", [this, &request] { FlushRegistry(request); }});
  }
  return steps;
}

void ApplyFlow::CopyReplacement(const FileReplacement& file, const std::string& what) {
  platform::Files& files = services_.files;
  const auto ifExists =
      file.replaceExisting ? platform::IfTargetExists::kReplace : platform::IfTargetExists::kFail;
  if (files.CopyTo(file.source, file.target, ifExists)) return;
  // An lmhosts that exists already is kept on purpose.
  if (!file.replaceExisting && files.GetAttributes(file.target) != platform::kInvalidAttributes) {
    return;
  }
  if (files.GetAttributes(file.source) == platform::kInvalidAttributes) {
    throw system::Exception(what + " のコピー元 " + file.source + " がありません");
  }
  throw system::Exception(file.source + " を " + file.target + " にコピーできません");
}

void ApplyFlow::SetPrinter(const std::string& printer) {
  switch (actions::SetDefaultPrinter(services_.profiles, services_.registry, services_.files,
                                     services_.system, printer)) {
    case actions::PrinterSwitch::kSwitched:
      return;
    case actions::PrinterSwitch::kNotInstalled:
      throw system::Exception("プリンタ " + printer + " はインストールされていません");
    case actions::PrinterSwitch::kNotWritten:
      throw system::Exception("win.ini に書き込めません (通常使うプリンタ " + printer + ")");
  }
}

void ApplyFlow::ApplyDialUp(const core::TRegList& setting) {
  actions::DialUpSettings ppp(services_.registry, services_.profiles, services_.files,
                        services_.system);
  if (!ppp.Apply(setting[core::kPc].Value == "1", setting[core::kPd].Value == "1",
                 setting[core::kPf].Value, setting[core::kTl].Value)) {
    throw system::Exception("telephon.ini に書き込めません (所在地 " + setting[core::kTl].Value +
                            ")");
  }
}

void ApplyFlow::WritePrevious(const ApplyRequest& request) {
  SettingsFileAt(services_, request.settingsFile)->WritePrevious(request.settingName);
}

void ApplyFlow::FlushRegistry(const ApplyRequest& request) {
  const long localMachine = system::FlushRegRoot(services_.registry, platform::kHkeyLocalMachine);
  const long currentUser = system::FlushRegRoot(services_.registry, platform::kHkeyCurrentUser);
  SettingsFileAt(services_, request.settingsFile)
      ->WriteFlushResults(static_cast<std::int32_t>(localMachine),
                         static_cast<std::int32_t>(currentUser));
}

void RunApplySteps(const std::vector<ApplyStep>& steps) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    try {
      steps[i].run();
    } catch (const std::exception& error) {
      std::string message = error.what();
      message += kNotDoneHeader;
      for (std::size_t j = i; j < steps.size(); ++j) {
        message += "\r\n・" + steps[j].label + (j == i ? kCutShort : "");
      }
      message += std::string("\r\n・") + kRestartNotDone;
      throw ApplyError(message);
    }
  }
}

}  // namespace zuba::switching
