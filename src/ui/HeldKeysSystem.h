// The system as the program sees it while a user works with it: the key
// state query also reports Shift, Ctrl and Alt as held when the user holds
// them during the action being dispatched (a Ctrl+click on a display, a
// scripted key with Ctrl+). Everything else goes to the machine.
#ifndef ZUBA_UI_HELDKEYSSYSTEM_H_
#define ZUBA_UI_HELDKEYSSYSTEM_H_

#include <cstdint>

#include "platform/System.h"
#include "toolkit/Application.h"

namespace zuba::ui {

class HeldKeysSystem : public platform::SystemWrapper {
 public:
  // `target` must outlive this object.
  explicit HeldKeysSystem(platform::System& target) : SystemWrapper(target) {}

  // The application whose user actions count from now on (nullptr: none);
  // it must outlive its use here.
  void Watch(const toolkit::Application& app) { app_ = &app; }

  // The machine's key state, with the down bit (0x8000) added for a
  // modifier the user holds.
  std::int16_t GetKeyState(int virtualKey) override;

 private:
  const toolkit::Application* app_ = nullptr;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_HELDKEYSSYSTEM_H_
