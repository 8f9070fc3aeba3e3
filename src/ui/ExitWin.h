// The component the main window carries to mark that it ends Windows; the
// operations are actions/ExitWin32.h's free functions.
#ifndef ZUBA_UI_EXITWIN_H_
#define ZUBA_UI_EXITWIN_H_

#include "toolkit/Component.h"

namespace zuba::ui {

class TExitWin : public toolkit::Component {};

}  // namespace zuba::ui

#endif  // ZUBA_UI_EXITWIN_H_
