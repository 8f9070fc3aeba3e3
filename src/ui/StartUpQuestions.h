// The questions of the program's start that do not need the main window:
// the conversion of a settings file of the first layout, and the notice
// that a setting's network adapter is gone. The window's start and the
// command line's both ask them.
#ifndef ZUBA_UI_STARTUPQUESTIONS_H_
#define ZUBA_UI_STARTUPQUESTIONS_H_

#include <string>
#include <vector>

#include "core/IniGT.h"
#include "platform/Files.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"

namespace zuba::ui {

// A recalled setting carries an address whose adapter the machine no
// longer has: an information box says so.
void ShowAdapterChanged(toolkit::UiServices& ui);

// Asks to convert the settings file `ini` of the first layout (its
// settings `names`); on OK converts it, else says the conversion was
// cancelled. A conversion that fails is reported; the start goes on with
// the file as far as it was converted.
void OfferSettingsConversion(toolkit::Application& app, core::TIniGT& ini, platform::Files& files,
                             const std::vector<std::string>& names);

}  // namespace zuba::ui

#endif  // ZUBA_UI_STARTUPQUESTIONS_H_
