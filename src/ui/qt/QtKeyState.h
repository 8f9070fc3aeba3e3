// The keyboard as the program sees it on a display: a platform::System whose
// key-state query also reports Shift, Ctrl and Alt as held while the
// window system holds them at the event being handled (so a Ctrl+click on a
// button reaches the handler that asks whether Ctrl is down). Every other
// call, and the keys the machine itself reports held, pass through.
#ifndef ZUBA_UI_QT_QTKEYSTATE_H_
#define ZUBA_UI_QT_QTKEYSTATE_H_

#include "platform/System.h"

namespace zuba::qt {

class QtKeyState : public platform::SystemWrapper {
 public:
  // `machine` must outlive this. A QGuiApplication must exist while keys
  // are asked for.
  explicit QtKeyState(platform::System& machine) : platform::SystemWrapper(machine) {}

  std::int16_t GetKeyState(int virtualKey) override;
};

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_QTKEYSTATE_H_
