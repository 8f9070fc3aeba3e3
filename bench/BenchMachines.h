// Large inputs the benchmarks share: a crowded device tree for the
// registry and a settings file with many settings.
#ifndef ZUBA_BENCH_BENCHMACHINES_H_
#define ZUBA_BENCH_BENCHMACHINES_H_

#include <string>

#include "core/RegType.h"

namespace zuba::bench {

// A REGEDIT4 text that replaces the device tree by 8 buses of 50 devices of
// 49 instances: 20,008 keys below \Enum, each instance with a class, a
// description and a driver. One instance in 500 is a network adapter bound
// to NetBEUI and TCP/IP, with its TCP/IP instance under Enum\Network\MSTCP
// (another 80 keys or so); `*adapters` is their number.
std::string CrowdedDeviceTree(int* adapters);

// "Setting1000", "Setting1001", ... for 0, 1, ...
std::string BenchSettingName(int index);

// A settings file of `settings` settings, each with the first
// `keysPerSetting` items of `setting` (key code = Value), with its stored
// list and adapter entries; Previous names the first setting.
std::string LargeSettingsText(const core::TRegList& setting, int settings, int keysPerSetting);

}  // namespace zuba::bench

#endif  // ZUBA_BENCH_BENCHMACHINES_H_
