#include "core/SettingsConversion.h"

#include <utility>

#include "core/AnsiText.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "platform/Cp932.h"
#include "system/Errors.h"
#include "system/jstrm.h"

namespace zuba::core {
namespace {

constexpr char kReadError[] = " を読み込めません";
constexpr char kWriteError[] = " に書き込めません";

std::string ProgramPathWith(platform::Files& files, const char* extension) {
  return ChangeExtension(files.ProgramPath(), extension);
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names) {
    if (platform::EqualsNoCaseCp932(candidate, name)) return true;
  }
  return false;
}

}  // namespace

std::string ConvertedFilePath(platform::Files& files) { return ProgramPathWith(files, ".ini"); }

std::string ConversionCopyPath(platform::Files& files) { return ProgramPathWith(files, ".---"); }

void ConvertSettingsFile(TIniGT& ini, platform::Files& files,
                         const std::vector<std::string>& keptKeys,
                         const std::vector<std::string>& settingNames) {
  const std::string path = ConvertedFilePath(files);
  const std::string copy = ConversionCopyPath(files);
  std::string content;
  if (!files.ReadBytes(path, &content)) throw system::Exception(path + kReadError);
  if (!files.WriteBytes(copy, content)) throw system::Exception(copy + kWriteError);

  std::vector<std::string> lines;
  ini.ReadKeyValues(kInitializeSection, &lines);
  const system::LeadBytes lead = system::LeadBytes::FromPredicate(IsCp932LeadByte);
  std::vector<std::string> kept;
  std::vector<std::pair<std::string, std::string>> adapters;
  bool marked = false;
  for (std::string line : lines) {
    const std::string name = system::TakeToken(line, "=", lead);
    if (Contains(keptKeys, name)) {
      if (platform::EqualsNoCaseCp932(name, kIniConvertKey)) {
        line = "1";
        marked = true;
      }
      kept.push_back(name + "=" + line);
    } else if (Contains(settingNames, name)) {
      adapters.emplace_back(name, line);
    }
  }
  if (!marked) kept.push_back(std::string(kIniConvertKey) + "=1");

  if (!adapters.empty() && !ini.WriteKeys(kAdapterSection, adapters)) {
    for (const auto& [name, subkey] : adapters) ini.WriteText(kAdapterSection, name, subkey);
  }
  ini.WriteSection(kInitializeSection, kept);
  ini.Flush();
}

}  // namespace zuba::core
