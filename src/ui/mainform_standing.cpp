// Where the machine stands: the saved settings it holds now (each one's
// apply planned without writing anything) and how it differs from the last
// apply, from the option menu or /S.
#include "switch/SwitchService.h"
#include "ui/mainform.h"

namespace zuba::ui {

void TForm1::pmStandingClick(toolkit::Component&) { RunHandler([this] { ShowStanding(); }); }

void TForm1::ShowStanding() {
  Switch().ShowStanding(CbSetting.Items(), Options(), InstalledPrinter());
}

}  // namespace zuba::ui
