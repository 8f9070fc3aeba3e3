#include "BenchMachines.h"

namespace zuba::bench {

std::string CrowdedDeviceTree(int* adapters) {
  std::string text = "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\Enum]\r\n\r\n";
  std::string network;
  int counter = 0;
  *adapters = 0;
  for (int bus = 0; bus < 8; ++bus) {
    const std::string busPath = "HKEY_LOCAL_MACHINE\\Enum\\BUS" + std::to_string(bus);
    text += "[" + busPath + "]\r\n\r\n";
    for (int device = 0; device < 50; ++device) {
      const std::string devicePath = busPath + "\\DEV_" + std::to_string(device);
      text += "[" + devicePath + "]\r\n\r\n";
      for (int instance = 0; instance < 49; ++instance) {
        const bool adapter = ++counter % 500 == 0;
        const std::string path = devicePath + "\\" + std::to_string(instance);
        text += "[" + path + "]\r\n\"Class\"=\"" + (adapter ? "Net" : "System") +
                "\"\r\n\"DeviceDesc\"=\"デバイス " + std::to_string(counter) +
                "\"\r\n\"Driver\"=\"System\\\\" + std::to_string(counter) + "\"\r\n\r\n";
        if (!adapter) continue;
        const std::string tcp = std::to_string(1000 + *adapters);
        text += "[" + path + "\\Bindings]\r\n\"NETBEUI\\\\0000\"=\"\"\r\n\"MSTCP\\\\" + tcp +
                "\"=\"\"\r\n\r\n";
        network += "[HKEY_LOCAL_MACHINE\\Enum\\Network\\MSTCP\\" + tcp +
                   "]\r\n\"Driver\"=\"NetTrans\\\\" + tcp + "\"\r\n\r\n";
        ++*adapters;
      }
    }
  }
  return text + network;
}

std::string BenchSettingName(int index) { return "Setting" + std::to_string(1000 + index); }

std::string LargeSettingsText(const core::TRegList& setting, int settings, int keysPerSetting) {
  std::string text = "[Initialize]\r\nOpt1=1\r\nPrevious=" + BenchSettingName(0) + "\r\n";
  text += "[SETTINGLIST]\r\nSETTINGS.Count=" + std::to_string(settings) + "\r\n";
  for (int i = 0; i < settings; ++i) {
    text += "SETTINGS." + std::to_string(i) + "=" + BenchSettingName(i) + "\r\n";
  }
  text += "[NIC_registry_list]\r\n";
  for (int i = 0; i < settings; ++i) text += BenchSettingName(i) + "=0000\r\n";
  for (int i = 0; i < settings; ++i) {
    text += "[" + BenchSettingName(i) + "]\r\n";
    for (int k = 0; k < keysPerSetting; ++k) {
      text += setting[k].KeyCode + "=" + setting[k].Value + "\r\n";
    }
  }
  return text;
}

}  // namespace zuba::bench
