#include "core/SettingsTransfer.h"

#include <string_view>

#include "core/RegType.h"
#include "core/SettingName.h"
#include "platform/Cp932.h"
#include "system/Errors.h"

namespace zuba::core {
namespace {

constexpr char kFormatKey[] = "Format";
constexpr char kCodePageKey[] = "CodePage";
constexpr char kTextKey[] = "Text";
// Its bytes tell the code page: another code page spells it otherwise.
constexpr char kProbeText[] = "設定の移行";
constexpr char kCrLf[] = "\r\n";

constexpr char kDamaged[] = "ファイルが壊れています";
constexpr char kOtherCodePage[] = "ファイルが Shift_JIS (コードページ 932) ではありません";

struct Section {
  std::string name;
  std::vector<std::string> entries;
};

std::string KeyOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// The value of `key` among `entries` (exact key), or `def`.
std::string ValueOf(const std::vector<std::string>& entries, const std::string& key,
                    const std::string& def = std::string()) {
  for (const std::string& entry : entries) {
    const std::string::size_type eq = entry.find('=');
    if (entry.compare(0, eq, key) == 0 && eq == key.size()) return entry.substr(eq + 1);
  }
  return def;
}

const Section* FindSection(const std::vector<Section>& sections, std::size_t end,
                           const std::string& name) {
  for (std::size_t i = 0; i < end; ++i) {
    if (platform::EqualsNoCaseCp932(sections[i].name, name)) return &sections[i];
  }
  return nullptr;
}

// Whether every byte belongs to a character of code page 932 (the bytes
// 0x80, 0xA0 and 0xFD-0xFF are none, nor a lead byte without its trail).
bool IsCp932Text(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) return false;
    if (!platform::IsCp932LeadByte(byte)) continue;
    if (i + 1 >= text.size() ||
        !platform::IsCp932TrailByte(static_cast<unsigned char>(text[i + 1]))) {
      return false;
    }
    ++i;
  }
  return true;
}

TransferRead Refuse(TransferFault fault, const std::string& reason) {
  TransferRead read;
  read.fault = fault;
  read.reason = reason;
  return read;
}

}  // namespace

std::string TransferText(SettingsFile& file, const std::vector<std::string>& names,
                         const std::vector<AdapterInfo>& adapters) {
  std::string text;
  std::string registryList;
  std::string descriptionList;
  for (const std::string& name : names) {
    std::string body;
    for (const std::string& entry : file.ReadSettingEntries(name)) {
      if (FindItemIndex(KeyOf(entry)) < kItemCount) body += entry + kCrLf;
    }
    if (body.empty()) throw system::Exception("「" + name + "」 という設定はありません");
    text += "[" + name + "]" + kCrLf + body;
    const std::string adapter = file.ReadAdapter(name);
    if (adapter.empty()) continue;
    registryList += name + "=" + adapter + kCrLf;
    for (const AdapterInfo& info : adapters) {
      if (!platform::EqualsNoCaseCp932(info.subkey, adapter)) continue;
      descriptionList += name + "=" + info.description + kCrLf;
      break;
    }
  }
  text += std::string("[") + kAdapterSection + "]" + kCrLf + registryList;
  text += std::string("[") + kDescriptionSection + "]" + kCrLf + descriptionList;
  text += std::string("[") + kTransferSection + "]" + kCrLf;
  text += std::string(kFormatKey) + "=1" + kCrLf + kCodePageKey + "=932" + kCrLf;
  text += std::string(kSettingsListName) + ".Count=" + std::to_string(names.size()) + kCrLf;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += std::string(kSettingsListName) + "." + std::to_string(i) + "=" + names[i] + kCrLf;
  }
  text += std::string(kTextKey) + "=" + kProbeText + kCrLf;
  return text;
}

TransferRead ReadTransferText(const std::string& bytes) {
  for (std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (bytes.compare(0, mark.size(), mark) == 0) {
      return Refuse(TransferFault::kCodePage, kOtherCodePage);
    }
  }
  if (bytes.find('\0') != std::string::npos) return Refuse(TransferFault::kDamaged, kDamaged);
  // The last line ends with its line break: a file cut short has lost it.
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, kCrLf) != 0) {
    return Refuse(TransferFault::kDamaged, kDamaged);
  }
  std::vector<Section> sections;
  std::string lastEntry;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = platform::FindCp932(line, ']', 1);
      if (close != line.size() - 1) return Refuse(TransferFault::kDamaged, kDamaged);
      sections.push_back({line.substr(1, close - 1), {}});
      continue;
    }
    if (sections.empty() || platform::FindCp932(line, '=') == std::string::npos) {
      return Refuse(TransferFault::kDamaged, kDamaged);
    }
    sections.back().entries.push_back(line);
    lastEntry = line;
  }
  if (sections.empty() || sections.back().name != kTransferSection) {
    return Refuse(TransferFault::kDamaged, kDamaged);
  }
  const std::vector<std::string>& header = sections.back().entries;
  if (ValueOf(header, kCodePageKey) != "932") {
    return Refuse(TransferFault::kCodePage, kOtherCodePage);
  }
  const std::string probe = std::string(kTextKey) + "=" + kProbeText;
  if (lastEntry != probe) {
    // Cut inside the line, or the probe spelled in another code page.
    const bool cut = lastEntry.size() < probe.size() && probe.compare(0, lastEntry.size(),
                                                                      lastEntry) == 0;
    return cut || KeyOf(lastEntry) != kTextKey ? Refuse(TransferFault::kDamaged, kDamaged)
                                               : Refuse(TransferFault::kCodePage, kOtherCodePage);
  }
  if (!IsCp932Text(bytes)) return Refuse(TransferFault::kCodePage, kOtherCodePage);
  if (ValueOf(header, kFormatKey) != "1") return Refuse(TransferFault::kDamaged, kDamaged);

  const std::string countText = ValueOf(header, std::string(kSettingsListName) + ".Count");
  if (countText.empty() || countText.size() > 6 ||
      countText.find_first_not_of("0123456789") != std::string::npos) {
    return Refuse(TransferFault::kDamaged, kDamaged);
  }
  const std::size_t count = std::stoul(countText);
  const std::size_t settingSections = sections.size() - 1;
  const Section* registry = FindSection(sections, settingSections, kAdapterSection);
  const Section* descriptions = FindSection(sections, settingSections, kDescriptionSection);
  TransferRead read;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string missing = "\n";
    TransferredSetting setting;
    setting.name = ValueOf(header, std::string(kSettingsListName) + "." + std::to_string(i),
                           missing);
    std::string why;
    if (setting.name == missing || !CheckSettingName(setting.name, &why)) {
      return Refuse(TransferFault::kDamaged, kDamaged);
    }
    for (const TransferredSetting& earlier : read.settings) {
      if (platform::EqualsNoCaseCp932(earlier.name, setting.name)) {
        return Refuse(TransferFault::kDamaged, kDamaged);
      }
    }
    const Section* section = FindSection(sections, settingSections, setting.name);
    if (section == nullptr) return Refuse(TransferFault::kDamaged, kDamaged);
    for (const std::string& entry : section->entries) {
      if (FindItemIndex(KeyOf(entry)) < kItemCount) setting.entries.push_back(entry);
    }
    if (setting.entries.empty()) return Refuse(TransferFault::kDamaged, kDamaged);
    if (registry != nullptr) setting.adapter = ValueOf(registry->entries, setting.name);
    if (descriptions != nullptr) {
      setting.adapterDescription = ValueOf(descriptions->entries, setting.name);
    }
    read.settings.push_back(std::move(setting));
  }
  return read;
}

std::string BindAdapter(const TransferredSetting& setting, const std::vector<AdapterInfo>& present) {
  if (setting.adapter.empty()) return std::string();
  const std::string& description = setting.adapterDescription;
  for (const AdapterInfo& info : present) {
    if (platform::EqualsNoCaseCp932(info.subkey, setting.adapter) &&
        (description.empty() || platform::EqualsNoCaseCp932(info.description, description))) {
      return info.subkey;
    }
  }
  if (description.empty()) return std::string();
  for (const AdapterInfo& info : present) {
    if (platform::EqualsNoCaseCp932(info.description, description)) return info.subkey;
  }
  return std::string();
}

void WriteImportedSetting(SettingsFile& file, const TransferredSetting& setting,
                          const std::string& adapter) {
  // A setting of that name goes whole, its adapter entry with it.
  if (file.SettingExists(setting.name)) file.DeleteSetting(setting.name);
  file.RemoveAdapterEntry(setting.name);
  file.WriteSettingEntries(setting.name, setting.entries);
  if (!adapter.empty()) file.WriteAdapter(setting.name, adapter);
}

}  // namespace zuba::core
