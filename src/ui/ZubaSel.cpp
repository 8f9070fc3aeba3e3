#include "ui/ZubaSel.h"

namespace zuba::ui {

TfmZbSel::TfmZbSel(toolkit::Application& app, platform::Registry& registry,
                   platform::Files& files, platform::Profiles& profiles,
                   platform::System& system, const std::string& settingsPath)
    : Form(app),
      registry_(registry),
      files_(files),
      profiles_(profiles),
      system_(system),
      settingsPath_(settingsPath) {
  SetName("fmZbSel");
  SetBorderStyle(toolkit::BorderStyle::kDialog);
  SetPosition(toolkit::FormPosition::kScreenCenter);
}

}  // namespace zuba::ui
