// The main window's apply flow: writing the selected setting into the
// system and the restart decision.
#include "ui/mainform.h"

namespace zuba::ui {

void TForm1::BtApplyClick(toolkit::Component&) {}

}  // namespace zuba::ui
