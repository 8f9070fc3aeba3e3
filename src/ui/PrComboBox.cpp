#include "ui/PrComboBox.h"

namespace zuba::ui {

TPrComboBox::TPrComboBox(platform::Profiles& profiles, platform::Registry& registry,
                         platform::Files& files, platform::System& system)
    : Printers(profiles, registry, files, system) {
  SetStyle(toolkit::ComboStyle::kDropDownList);
}

void TPrComboBox::FillPrinters() { SetItems(InstalledPrinters()); }

void TPrComboBox::ClearPrinterChoice() { SetItemIndex(-1); }

bool TPrComboBox::ApplyDefaultPrinter() {
  if (ItemIndex() < 0) return false;
  return SwitchTo(Item(ItemIndex())) == actions::PrinterSwitch::kSwitched;
}

}  // namespace zuba::ui
