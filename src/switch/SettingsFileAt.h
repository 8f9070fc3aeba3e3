// The settings file at a full path, on given services.
#ifndef ZUBA_SWITCH_SETTINGSFILEAT_H_
#define ZUBA_SWITCH_SETTINGSFILEAT_H_

#include <string>

#include "core/IniGT.h"
#include "core/SettingsFile.h"
#include "platform/Services.h"

namespace zuba::switching {

class SettingsFileAt {
 public:
  SettingsFileAt(const platform::Services& services, const std::string& path)
      : ini_(services.profiles, services.files), file_(ini_, services.files) {
    ini_.SetFileName(path);
  }
  core::SettingsFile* operator->() { return &file_; }
  core::SettingsFile& operator*() { return file_; }

 private:
  core::TIniGT ini_;
  core::SettingsFile file_;
};

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_SETTINGSFILEAT_H_
