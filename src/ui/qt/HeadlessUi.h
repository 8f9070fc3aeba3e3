// The UI services without a display (zubanet --headless): the scripted
// services, with every message box and warning dialog written to a stream
// as one UTF-8 line "[caption] text" (line breaks shown as \n; a box
// without a caption of its own shows the application title) and answered
// from the given answers in order, then with its first button.
#ifndef ZUBA_UI_QT_HEADLESSUI_H_
#define ZUBA_UI_QT_HEADLESSUI_H_

#include <ostream>
#include <vector>

#include "ui/toolkit/ScriptedUiServices.h"

namespace zuba::qt {

class HeadlessUi : public toolkit::ScriptedUiServices {
 public:
  // `out` must outlive the services.
  HeadlessUi(std::ostream& out, const std::vector<toolkit::MessageResult>& answers);
};

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_HEADLESSUI_H_
