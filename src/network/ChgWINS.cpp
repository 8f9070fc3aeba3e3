#include "network/ChgWINS.h"

#include "system/MyRegs.h"

namespace zuba::network {

bool WriteWinsItem(platform::Registry& registry, const core::TNetReg& item, WinsWrite what) {
  if (item.RootKey == 0) return false;
  if (what == WinsWrite::kWrite) {
    return system::WriteRegString(registry, item.RootKey, item.KeyPath, item.ValueName, item.Value);
  }
  return system::DeleteRegValue(registry, item.RootKey, item.KeyPath, item.ValueName);
}

void WriteWinsItems(platform::Registry& registry, const core::TNetReg& wp, const core::TNetReg& ws,
                    const core::TNetReg& wi, const core::TNetReg& nt) {
  if (nt.Value == kNodeTypeWinsOn) {
    for (const core::TNetReg* item : {&wp, &ws, &wi, &nt}) {
      WriteWinsItem(registry, *item, WinsWrite::kWrite);
    }
    return;
  }
  for (const core::TNetReg* item : {&wp, &ws, &wi}) {
    WriteWinsItem(registry, *item, WinsWrite::kDelete);
  }
  WriteWinsItem(registry, nt, nt.Value.empty() ? WinsWrite::kDelete : WinsWrite::kWrite);
}

std::string NodeTypeFor(bool winsByDhcp, const std::string& primaryServer) {
  if (winsByDhcp) return kNodeTypeByDhcp;
  return primaryServer.empty() ? kNodeTypeWinsOff : kNodeTypeWinsOn;
}

}  // namespace zuba::network
