#include "switch/ApplyCheck.h"

#include <cstdint>
#include <utility>

#include "system/IntegerText.h"

namespace zuba::switching {
namespace {

// The registry value each item without a location of its own ends up in.
const char* ExtraValueName(int index) {
  switch (index) {
    case core::kPe:
      return "ProxyEnable";
    case core::kPv:
      return "ProxyServer";
    case core::kPa:
      return "AutoConfigURL";
    case core::kPf:
      return "InternetProfile";
    case core::kPc:
      return "EnableAutodial";
    case core::kPd:
      return "EnableAutodisconnect";
    default:
      return nullptr;
  }
}

std::string NameOf(const core::TRegList& setting, int index) {
  const char* extra = ExtraValueName(index);
  if (extra) return extra;
  const core::TNetReg& item = setting[index];
  return item.ValueName.empty() ? item.KeyCode : item.ValueName;
}

bool IsAddressList(const std::string& text) {
  if (text.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = text.find(',', start);
    if (!IsAddressInRange(text.substr(start, comma - start))) return false;
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

std::string Quoted(const std::string& value) {
  constexpr std::size_t kShown = 64;
  return "'" + (value.size() > kShown ? value.substr(0, kShown) + "..." : value) + "'";
}

std::string CheckAddresses(const core::TRegList& setting) {
  const bool winsWritten = setting[core::kNt].IsSet && setting[core::kNt].Value == "8";
  const std::pair<int, bool> addresses[] = {
      {core::kIp, false}, {core::kGw, true}, {core::kMs, false}, {core::kDi, true},
      {core::kWp, true},  {core::kWs, true}};
  for (const auto& [index, emptyAllowed] : addresses) {
    const core::TNetReg& item = setting[index];
    if (!item.IsSet) continue;
    if ((index == core::kWp || index == core::kWs) && !winsWritten) continue;
    bool good = item.Separator ? IsAddressList(item.Value)
                               : (emptyAllowed && item.Value.empty()) || IsAddressInRange(item.Value);
    if (!good) {
      return NameOf(setting, index) + " の値 " + Quoted(item.Value) +
             " は正しいアドレスではありません";
    }
  }
  return {};
}

std::string CheckNumbers(const core::TRegList& setting) {
  for (int index = 0; index < core::kItemCount; ++index) {
    const core::TNetReg& item = setting[index];
    std::int32_t ignored;
    if (item.IsSet && item.Vtype == 'x' && !system::ParseInteger32(item.Value, 10, &ignored)) {
      return NameOf(setting, index) + " の値 " + Quoted(item.Value) + " は整数ではありません";
    }
  }
  return {};
}

std::string CheckLengths(const core::TRegList& setting) {
  for (int index = 0; index < core::kItemCount; ++index) {
    const core::TNetReg& item = setting[index];
    const bool toRegistry = index <= core::kWi || index == core::kPf || index == core::kPv ||
                            index == core::kPa;
    if (item.IsSet && toRegistry && item.Value.size() > kMaxRegistryText) {
      return NameOf(setting, index) + " の値が長すぎます（" + std::to_string(item.Value.size()) +
             " バイト）。レジストリの値は " + std::to_string(kMaxRegistryText) +
             " バイトまでです";
    }
  }
  return {};
}

}  // namespace

bool IsAddressInRange(const std::string& text) {
  int parts = 0;
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t start = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      if (value > 255) return false;
      ++i;
    }
    if (i == start) return false;
    ++parts;
    if (i == text.size()) break;
    if (text[i] != '.') return false;
    ++i;
  }
  return parts == 4;
}

std::string FindUnwritableValue(const core::TRegList& setting) {
  for (auto check : {CheckLengths, CheckAddresses, CheckNumbers}) {
    std::string message = check(setting);
    if (!message.empty()) return message;
  }
  return {};
}

}  // namespace zuba::switching
