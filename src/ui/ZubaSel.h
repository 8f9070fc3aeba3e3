// The boot-time switch maker: a dialog that writes a batch file with a menu
// of the saved settings and one registry script per setting, and hooks the
// batch file into AUTOEXEC.BAT. It keeps a settings-file store of its own on
// the main window's file. Created hidden after the main window; the option
// menu's "Windows起動時に切り替える..." shows it modally.
#ifndef ZUBA_UI_ZUBASEL_H_
#define ZUBA_UI_ZUBASEL_H_

#include <string>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "ui/toolkit/Form.h"

namespace zuba::ui {

class TfmZbSel : public toolkit::Form {
 public:
  // `settingsPath` is the settings file's Windows path. The services must
  // outlive the dialog.
  TfmZbSel(toolkit::Application& app, platform::Registry& registry, platform::Files& files,
           platform::Profiles& profiles, platform::System& system,
           const std::string& settingsPath);

 private:
  platform::Registry& registry_;
  platform::Files& files_;
  platform::Profiles& profiles_;
  platform::System& system_;
  std::string settingsPath_;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBASEL_H_
