// zubanet-machine show
//
// Prints the machine's network configuration for a person, in UTF-8: the
// adapters with their TCP/IP values, DNS, WINS, workgroup, logon, sharing,
// proxy, dial-up, default printer, the hosts files, and a pending power
// action, RunOnce entries and the desktop's shortcuts (each file's target
// and arguments) where the machine holds them. The network values
// come through the program's own readers (adapter discovery, the current-
// configuration reader, the logon provider), so `show` sees what the program
// would read; the printer, dial-up and proxy values through the program's
// own components.
//
// A value whose key is missing shows as "(not present)", an empty one as
// "(empty)". Exit code 1 when the registry holds data of the wrong kind where
// the readers cannot go on (a "Class" or "Driver" below \Enum that is not a
// string, say).
#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "actions/DialUpSettings.h"
#include "actions/Printers.h"
#include "actions/ProxySettings.h"
#include "app/Terminal.h"
#include "app/machine/Commands.h"
#include "core/RegType.h"
#include "platform/TextCodec.h"
#include "platform/sim/PowerState.h"
#include "network/ChgLogon.h"
#include "network/CurrentConfig.h"
#include "system/Errors.h"
#include "network/GetRegs.h"
#include "system/MyRegs.h"
#include "system/ZubaUtil.h"

namespace zuba::app {
namespace {

using core::TNetReg;
using core::TRegList;

constexpr std::size_t kLabelWidth = 17;
constexpr std::size_t kHostsLinesShown = 3;
constexpr char kRunOnce[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The report: CP932 text with LF line ends, a heading per group and one
// aligned "label  value" line per value.
class Report {
 public:
  void Heading(const std::string& title) {
    if (!text_.empty()) text_ += '\n';
    text_ += title + '\n';
  }
  void Line(const std::string& label, const std::string& value, int depth = 1) {
    std::string line(2 * depth, ' ');
    line += label;
    line.resize(std::max(line.size() + 1, 2 + kLabelWidth + 1), ' ');
    text_ += line + value + '\n';
  }
  void Text(const std::string& text, int depth = 1) {
    text_ += std::string(2 * depth, ' ') + text + '\n';
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::string Plain(const TNetReg& item) {
  if (!item.IsSet) return "(not present)";
  return item.Value.empty() ? "(empty)" : item.Value;
}

// A list item's entries joined by ", ".
std::string ListText(const TNetReg& item, const system::LeadBytes& lead) {
  if (!item.IsSet || item.Value.empty()) return Plain(item);
  std::string rest = item.Value;
  const std::string separator(1, item.Separator);
  std::string joined = system::TakeToken(rest, separator, lead);
  while (!rest.empty()) joined += ", " + system::TakeToken(rest, separator, lead);
  return joined;
}

// The value followed by what it means, for the items that hold a code.
std::string Coded(const TNetReg& item,
                  std::initializer_list<std::pair<const char*, const char*>> meanings) {
  if (item.IsSet) {
    for (const auto& [code, meaning] : meanings) {
      if (item.Value != code) continue;
      return item.Value.empty() ? std::string("(empty: ") + meaning + ")"
                                : item.Value + " (" + meaning + ")";
    }
  }
  return Plain(item);
}

std::string OnOff(const TNetReg& item) { return Coded(item, {{"1", "on"}, {"0", "off"}}); }

void ShowWinsServers(Report& report, const TRegList& list, int depth) {
  report.Line("WINS primary", Plain(list[core::kWp]), depth);
  report.Line("WINS secondary", Plain(list[core::kWs]), depth);
  report.Line(
      "Node type",
      Coded(list[core::kNt], {{"8", "WINS on"}, {"1", "WINS off"}, {"", "WINS servers from DHCP"}}),
      depth);
}

void ShowSystem(Report& report, platform::System& system) {
  system::OsNameInfo os;
  report.Heading("System");
  if (system::GetOSName(system, os)) {
    report.Line("Version", os.name + " " + std::to_string(os.major) + "." +
                               std::to_string(os.minor) + "." + std::to_string(os.build));
  } else {
    report.Line("Version", "(the version query failed)");
  }
}

void ShowAdapters(Report& report, network::CurrentConfig& reader, platform::Registry& registry,
                  platform::System& system, const system::LeadBytes& lead, bool win98Mode) {
  system::NameList descriptions, registers;
  network::DiscoverAdapters(registry, lead, descriptions, registers);
  report.Heading("Adapters");
  if (descriptions.empty()) report.Line("(none)", "no network adapter is bound to TCP/IP");
  for (std::size_t i = 0; i < descriptions.size(); ++i) {
    TRegList list;
    core::InitRegList(list, false, system);
    reader.ReadRegistryItems(registers[i], false, list);
    const std::string subkey =
        registers[i].empty() ? "no NetTrans subkey" : "NetTrans\\" + registers[i];
    report.Text(std::to_string(i + 1) + ". " + descriptions[i] + " (" + subkey + ")");
    report.Line("IP address", Coded(list[core::kIp], {{"0.0.0.0", "from DHCP"}}), 2);
    report.Line("Subnet mask", Plain(list[core::kMs]), 2);
    report.Line("Gateways", ListText(list[core::kGw], lead), 2);
    if (win98Mode) ShowWinsServers(report, list, 2);
  }
}

void ShowNetwork(Report& report, const TRegList& list, const system::LeadBytes& lead,
                 bool win98Mode) {
  report.Heading("DNS");
  report.Line("Enabled", Coded(list[core::kDe], {{"1", "DNS on"}, {"0", "DNS off"}}));
  report.Line("Host", Plain(list[core::kDh]));
  report.Line("Domain", Plain(list[core::kDd]));
  report.Line("Servers", ListText(list[core::kDi], lead));
  report.Line("Suffixes", ListText(list[core::kDs], lead));

  report.Heading(win98Mode ? "WINS (servers per adapter, above)" : "WINS");
  if (!win98Mode) ShowWinsServers(report, list, 1);
  report.Line("Scope ID", Plain(list[core::kWi]));

  report.Heading("Workgroup");
  report.Line("Workgroup", Plain(list[core::kWg]));
  report.Line("Computer name", Plain(list[core::kLc]));
  report.Line("Comment", Plain(list[core::kCc]));

  report.Heading("Logon");
  report.Line("Provider",
              Coded(list[core::kLo], {{"0", "Windows logon"}, {"1", "Microsoft network client"}}));
  report.Line("Domain", Plain(list[core::kLd]));
  report.Line("User name", Plain(list[core::kLi]));

  report.Heading("Sharing");
  report.Line("Files", Plain(list[core::kFs]));
  report.Line("Printers", Plain(list[core::kPs]));

  report.Heading("Proxy");
  report.Line("Enabled", OnOff(list[core::kPe]));
  report.Line("Server", Plain(list[core::kPv]));
  report.Line("Auto-config URL", Plain(list[core::kPa]));

  report.Heading("Dial-up");
  report.Line("Auto dial", OnOff(list[core::kPc]));
  report.Line("Auto disconnect", OnOff(list[core::kPd]));
  report.Line("Connection", Plain(list[core::kPf]));
  report.Line("Location", Plain(list[core::kTl]));

  report.Heading("Default printer");
  report.Line("Printer", Plain(list[core::kPr]));
}

// The default dial-up connection as the machine holds it. The program's
// reader takes an empty name for none, which suits the program; the report
// tells an empty value from a missing one.
void ReadConnectionAsHeld(platform::Registry& registry, TNetReg& item) {
  platform::RegKey key = 0;
  if (registry.OpenKey(platform::kHkeyCurrentUser, actions::kRemoteAccessKey + 1, &key) !=
      platform::kErrorSuccess) {
    return;
  }
  const bool present =
      registry.QueryValue(key, actions::kInternetProfileValue, nullptr) == platform::kErrorSuccess;
  registry.CloseKey(key);
  if (present && !item.IsSet) {
    system::ReadRegString(registry, platform::kHkeyCurrentUser, actions::kRemoteAccessKey,
                          actions::kInternetProfileValue, item.Value);
    item.IsSet = true;
  }
}

void ShowHostsFile(Report& report, platform::Files& files, const std::string& windowsDir,
                   const std::string& name) {
  const std::string path = windowsDir + name;
  std::string content;
  if (!files.ReadBytes(path, &content)) {
    report.Line(name, path + ": not present");
    return;
  }
  std::vector<std::string> lines;
  platform::ReadTextLines(files, path, &lines);
  report.Line(name, path + ": " + std::to_string(content.size()) + " bytes, " +
                        std::to_string(lines.size()) + (lines.size() == 1 ? " line" : " lines"));
  for (std::size_t i = 0; i < lines.size() && i < kHostsLinesShown; ++i) {
    report.Line("", lines[i]);
  }
  if (lines.size() > kHostsLinesShown) report.Line("", "...");
}

void ShowPendingPowerAction(Report& report, platform::sim::MachineConfig& config) {
  const platform::sim::PowerAction action = platform::sim::PendingPowerAction(config);
  if (action == platform::sim::PowerAction::kNone) return;
  report.Heading("Pending power action");
  report.Line("Action", platform::sim::PowerActionName(action));
}

void ShowRunOnce(Report& report, platform::Registry& registry) {
  for (const auto& [root, rootName] :
       {std::pair{platform::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
        std::pair{platform::kHkeyCurrentUser, "HKEY_CURRENT_USER"}}) {
    platform::RegKey key = 0;
    if (registry.OpenKey(root, kRunOnce, &key) != platform::kErrorSuccess) continue;
    system::NameList names;
    std::string name;
    for (std::uint32_t i = 0; registry.EnumValue(key, i, &name) == platform::kErrorSuccess; ++i) {
      names.push_back(name);
    }
    registry.CloseKey(key);
    if (names.empty()) continue;
    report.Heading(std::string("RunOnce (") + rootName + ")");
    for (const std::string& value : names) {
      std::string command;
      try {
        system::ReadRegString(registry, root, kRunOnce, value, command);
      } catch (const system::ERegistryException&) {
        command = "(not a string)";
      }
      report.Line(value.empty() ? "(default)" : value, command);
    }
  }
}

void ShowDesktopShortcuts(Report& report, platform::Files& files, platform::System& system) {
  std::string desktop;
  std::vector<platform::FindData> found;
  if (!system.GetSpecialFolder(platform::kCsidlDesktopDirectory, &desktop) ||
      !files.FindFiles(desktop + "\\*.lnk", &found) || found.empty()) {
    return;
  }
  report.Heading("Desktop shortcuts (" + desktop + ")");
  for (const platform::FindData& file : found) {
    platform::ShellLink link;
    if (!system.ReadShellLink(desktop + "\\" + file.longName, &link)) {
      report.Line(file.longName, "(not a shortcut)");
      continue;
    }
    report.Line(file.longName, link.arguments.empty() ? link.target
                                                      : link.target + " " + link.arguments);
  }
}

std::string DescribeMachine(platform::sim::Machine& machine) {
  platform::Registry& registry = *machine.registry;
  platform::System& system = *machine.system;
  const system::LeadBytes lead(system);
  const bool win98Mode = system::IsWin98Mode(false, system);
  actions::Printers printer(*machine.profiles, registry, *machine.files, system);
  actions::DialUpSettings dialUp(registry, *machine.profiles, *machine.files, system);
  actions::ProxySettings proxy(registry);
  network::CurrentConfig reader(registry, system, printer, dialUp, proxy);

  Report report;
  ShowSystem(report, system);
  ShowAdapters(report, reader, registry, system, lead, win98Mode);
  TRegList list;
  reader.ReadCurrentConfig("", false, list);
  ReadConnectionAsHeld(registry, list[core::kPf]);
  ShowNetwork(report, list, lead, win98Mode);

  report.Heading("Hosts files");
  const std::string windowsDir = system::GetWindowsDir(*machine.files);
  ShowHostsFile(report, *machine.files, windowsDir, "hosts");
  ShowHostsFile(report, *machine.files, windowsDir, "lmhosts");

  ShowPendingPowerAction(report, *machine.config);
  ShowRunOnce(report, registry);
  ShowDesktopShortcuts(report, *machine.files, system);
  return report.text();
}

}  // namespace

int RunShow(CommandContext& context) {
  if (!context.args.empty()) {
    context.err << "usage: zubanet-machine show\n";
    return kExitUsage;
  }
  auto machine = OpenMachine(context.location);
  std::string text;
  try {
    text = DescribeMachine(*machine);
  } catch (const system::Exception& e) {
    context.err << "zubanet-machine: show: ";
    WriteCp932(context.err, e.what());
    context.err << "\n";
    return kExitError;
  }
  context.out << "Machine  " << machine->directory << "\n\n";
  WriteCp932(context.out, text);
  context.out.flush();
  return context.out ? kExitOk : kExitError;
}

}  // namespace zuba::app
