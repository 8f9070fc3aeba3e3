// The registry calls machine.ini's [Fail] section can make fail, so that a
// registry that refuses a write can be reached from outside the code:
//
//   RegCreateKey    Registry::CreateKey    (the key created or opened)
//   RegSetValue     Registry::SetValue     (the key of the value)
//   RegDeleteValue  Registry::DeleteValue  (the key of the value)
//   RegDeleteKey    Registry::DeleteKey    (the key deleted)
//   RegFlushKey     Registry::FlushKey     (the key flushed, a root)
//
// NAME=CODE makes every such call answer CODE (its result code) without
// doing anything; NAME:KEY=CODE only for the key KEY and every key below it,
// KEY written from its root: "HKEY_LOCAL_MACHINE\System\CurrentControlSet".
// Key names compare without regard to ASCII case. Reading calls never fail.
#ifndef ZUBA_PLATFORM_SIM_REGISTRYFAULTS_H_
#define ZUBA_PLATFORM_SIM_REGISTRYFAULTS_H_

#include <memory>

#include "platform/Registry.h"
#include "platform/sim/MachineConfig.h"

namespace zuba::platform::sim {

// A registry that forwards every call to `target`, except the writes
// machine.ini's [Fail] switches refuse. `target` and `config` must outlive
// it. Registry::... calls through it reach `target` unchanged otherwise, so
// ApplyAsOneWrite (SimRegistry.h) treats it as its target.
std::unique_ptr<Registry> WithRegistryFaults(Registry& target, MachineConfig& config);

// The registry a WithRegistryFaults registry forwards to; `registry` itself
// for any other.
Registry& FaultsTarget(Registry& registry);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_REGISTRYFAULTS_H_
