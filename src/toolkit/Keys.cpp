#include "toolkit/Keys.h"

namespace zuba::toolkit {

char CharForKey(std::uint16_t key, ShiftState shift) {
  if (shift.Has(kCtrlKey) || shift.Has(kAltKey)) return 0;
  switch (key) {
    case vk::kReturn:
      return '\r';
    case vk::kEscape:
      return '\x1b';
    case vk::kBack:
      return '\b';
    case vk::kSpace:
      return ' ';
    default:
      break;
  }
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  if (key >= 'A' && key <= 'Z') {
    return static_cast<char>(shift.Has(kShiftKey) ? key : key - 'A' + 'a');
  }
  return 0;
}

}  // namespace zuba::toolkit
