#include "platform/sim/PowerState.h"

#include "platform/Cp932.h"
#include "platform/System.h"

namespace zuba::platform::sim {
namespace {

struct Named {
  PowerAction action;
  const char* name;
};
constexpr Named kNames[] = {
    {PowerAction::kNone, "none"},         {PowerAction::kLogoff, "logoff"},
    {PowerAction::kShutdown, "shutdown"}, {PowerAction::kPowerOff, "poweroff"},
    {PowerAction::kReboot, "reboot"},     {PowerAction::kRestartWindows, "restart-windows"},
};

}  // namespace

const char* PowerActionName(PowerAction action) {
  for (const Named& n : kNames) {
    if (n.action == action) return n.name;
  }
  return "none";
}

PowerAction ParsePowerAction(const std::string& name) {
  for (const Named& n : kNames) {
    if (EqualsNoCaseCp932(name, n.name)) return n.action;
  }
  return PowerAction::kNone;
}

PowerAction PowerActionOfExitFlags(std::uint32_t flags) {
  if (flags & kEwxPowerOff) return PowerAction::kPowerOff;
  if (flags & kEwxReboot) return PowerAction::kReboot;
  if (flags & kEwxShutdown) return PowerAction::kShutdown;
  return PowerAction::kLogoff;
}

PowerAction PowerActionOfExitCode16(std::uint32_t returnCode) {
  if (returnCode == kEwRestartWindows) return PowerAction::kRestartWindows;
  if (returnCode == kEwRebootSystem) return PowerAction::kReboot;
  return PowerAction::kShutdown;
}

PowerAction PendingPowerAction(MachineConfig& config) {
  return ParsePowerAction(config.Get("Power", "Pending"));
}

bool SetPendingPowerAction(MachineConfig& config, PowerAction action) {
  return config.Set("Power", "Pending",
                    action == PowerAction::kNone ? "" : PowerActionName(action));
}

}  // namespace zuba::platform::sim
