#include "ui/ZubaVersion.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/VersionResource.h"
#include "system/ZubaUtil.h"

namespace zuba::ui {

TZubaVersion::TZubaVersion(platform::System& system, system::AppShell& shell)
    : apDesc("Shows the version of a program and the word of its maker"),
      apName("TZubaVersion"),
      apCopyrihgt("Copyright (C) 1998-2001 ZubaNet Project"),
      apMail("zubanet@example.com"),
      apHomePage("http://www.example.com/zubanet/"),
      system_(system),
      shell_(shell) {}

std::string TZubaVersion::AboutText() {
  std::string text = apDesc + "\n" + apName + " Ver. " + GetFileVersionText() + "\n" + apCopyrihgt +
                     "\n\n" + apMail + "\n" + apHomePage;
  if (!apComm.empty()) text += apComm;
  return text;
}

void TZubaVersion::ShowAbout() { system::ShowInfoBox(shell_, AboutText()); }

std::string TZubaVersion::GetFileVersionText() {
  std::string block;
  if (!system_.ReadOwnVersionInfo(&block) || block.empty()) return "";
  std::string data;
  std::uint32_t length = 0;
  // A table shorter than one entry counts as none.
  if (!platform::QueryVersionValue(block, "\\VarFileInfo\\Translation", &data, &length) ||
      length < 4 || data.size() < 4) {
    return "";
  }
  std::uint32_t entry = 0;
  for (int i = 3; i >= 0; --i) entry = entry << 8 | static_cast<unsigned char>(data[i]);
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", entry);
  std::string table = std::string(digits + 4, 4) + std::string(digits, 4);
  if (!platform::QueryVersionValue(block, "\\StringFileInfo\\" + table + "\\FileVersion", &data,
                                   &length)) {
    return "";
  }
  // Copy the reported length, stopping at a zero, then drop the last
  // character of that length: the value's terminating zero.
  std::string copied = data.substr(0, std::min<std::size_t>(length, data.size()));
  copied = copied.substr(0, copied.find('\0'));
  return length == 0 ? "" : copied.substr(0, length - 1);
}

}  // namespace zuba::ui
