#include "ui/HeldKeysSystem.h"

namespace zuba::ui {

std::int16_t HeldKeysSystem::GetKeyState(int virtualKey) {
  std::int16_t state = SystemWrapper::GetKeyState(virtualKey);
  if (app_ == nullptr) return state;
  toolkit::ShiftState held = app_->HeldKeys();
  bool down = (virtualKey == platform::kVkShift && held.Has(toolkit::kShiftKey)) ||
              (virtualKey == platform::kVkControl && held.Has(toolkit::kCtrlKey)) ||
              (virtualKey == platform::kVkMenu && held.Has(toolkit::kAltKey));
  if (down) state = static_cast<std::int16_t>(static_cast<std::uint16_t>(state) | 0x8000u);
  return state;
}

}  // namespace zuba::ui
