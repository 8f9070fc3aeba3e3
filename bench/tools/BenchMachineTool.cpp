// zubanet-bench-machine DIR [SETTINGS]
//
// Writes the large machine the process measurements run on into DIR: the
// Windows 98 template with its device tree replaced by 20,008 keys
// (bench::CrowdedDeviceTree; the settings use its
// first adapter) and a settings file C:\ZUBANET\ZUBANET.INI of
// SETTINGS settings of 20 keys each (default 10,000), of this version's
// layout. A machine already in DIR is replaced.
#include <cstdlib>
#include <iostream>
#include <string>

#include "BenchMachines.h"
#include "platform/sim/RegeditFile.h"
#include "platform/sim/SimulatedMachine.h"

int main(int argc, char** argv) {
  using namespace zuba;
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: zubanet-bench-machine DIR [SETTINGS]\n";
    return 2;
  }
  const std::string directory = argv[1];
  const int settings = argc == 3 ? std::atoi(argv[2]) : 10000;
  try {
    platform::sim::CreateMachine(directory, platform::sim::OsKind::kWin98,
                                 platform::sim::IfMachineExists::kReplace);
    auto machine = platform::sim::OpenSimulatedMachine(directory);
    int adapters = 0;
    platform::sim::ImportRegedit4(*machine->registry, bench::CrowdedDeviceTree(&adapters),
                                  "enum.reg");
    core::TRegList setting;
    core::InitRegList(setting, false, *machine->system);
    // Items 0 to 19 (ip ... lo), as a save of a TCP/IP, DNS and workgroup
    // setting writes them.
    const char* values[20] = {
        "192.168.100.10", "192.168.100.1", "255.255.255.0", "1", "bench", "example.co.jp",
        "192.168.100.2,192.168.100.3", "example.co.jp", "WORKGROUP", "BENCH", "", "Yes", "No",
        "taro", "ZUBADOM", "192.168.100.2", "192.168.100.3", "8", "", "1"};
    for (int k = 0; k < 20; ++k) setting[k].Value = values[k];
    std::string text = bench::LargeSettingsText(setting, settings, 20);
    // Every setting on the first adapter of the tree (its TCP/IP subkey
    // 1000), and this version's layout: no conversion question at the start.
    for (std::string::size_type at = 0; (at = text.find("=0000\r\n", at)) != std::string::npos;) {
      text.replace(at, 5, "=1000");
    }
    text.insert(text.find("Previous="), "IniConvert=1\r\n");
    if (!machine->files->WriteBytes("C:\\ZUBANET\\ZUBANET.INI", text)) {
      std::cerr << "zubanet-bench-machine: cannot write the settings file\n";
      return 1;
    }
    std::cout << directory << ": " << adapters << " adapters, " << settings << " settings, "
              << text.size() << " bytes of settings\n";
  } catch (const std::exception& e) {
    std::cerr << "zubanet-bench-machine: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
