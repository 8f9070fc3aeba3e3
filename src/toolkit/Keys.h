// Keys as Windows reports them: virtual-key codes and the state of Shift,
// Ctrl, Alt and the mouse buttons at the moment of an event.
#ifndef ZUBA_TOOLKIT_KEYS_H_
#define ZUBA_TOOLKIT_KEYS_H_

#include <cstdint>

namespace zuba::toolkit {

// Windows virtual-key codes (VK_*). Letters and digits are their upper-case
// ASCII codes ('A' is 0x41, '0' is 0x30).
namespace vk {
constexpr std::uint16_t kBack = 0x08;
constexpr std::uint16_t kTab = 0x09;
constexpr std::uint16_t kReturn = 0x0D;
constexpr std::uint16_t kShift = 0x10;
constexpr std::uint16_t kControl = 0x11;
constexpr std::uint16_t kMenu = 0x12;  // Alt
constexpr std::uint16_t kEscape = 0x1B;
constexpr std::uint16_t kSpace = 0x20;
constexpr std::uint16_t kPrior = 0x21;
constexpr std::uint16_t kNext = 0x22;
constexpr std::uint16_t kEnd = 0x23;
constexpr std::uint16_t kHome = 0x24;
constexpr std::uint16_t kLeft = 0x25;
constexpr std::uint16_t kUp = 0x26;
constexpr std::uint16_t kRight = 0x27;
constexpr std::uint16_t kDown = 0x28;
constexpr std::uint16_t kInsert = 0x2D;
constexpr std::uint16_t kDelete = 0x2E;
constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF10 = 0x79;
constexpr std::uint16_t kApps = 0x5D;
}  // namespace vk

enum ShiftFlag : unsigned {
  kShiftKey = 0x01,
  kAltKey = 0x02,
  kCtrlKey = 0x04,
  kLeftButton = 0x08,
  kRightButton = 0x10,
  kMiddleButton = 0x20,
  kDoubleClick = 0x40,
};

// A set of ShiftFlag values.
class ShiftState {
 public:
  constexpr ShiftState(unsigned flags = 0) : flags_(flags) {}  // NOLINT: a set of flags
  constexpr bool Has(ShiftFlag flag) const { return (flags_ & flag) != 0; }
  // No Shift, Ctrl or Alt key is held.
  constexpr bool NoKeys() const { return (flags_ & (kShiftKey | kAltKey | kCtrlKey)) == 0; }
  // Of Shift, Ctrl and Alt exactly the keys in `flags` are held.
  constexpr bool KeysAre(unsigned flags) const {
    return (flags_ & (kShiftKey | kAltKey | kCtrlKey)) == flags;
  }
  constexpr unsigned Flags() const { return flags_; }
  constexpr bool operator==(ShiftState other) const { return flags_ == other.flags_; }

 private:
  unsigned flags_;
};

enum class MouseButton { kLeft, kRight, kMiddle };

// The character a key produces when pressed with `shift` (what Windows
// sends as WM_CHAR): Return 0x0D, Escape 0x1B, Backspace 0x08, Space, the
// letters (lower case unless Shift is held) and the digits. 0 for a key that
// produces no character, and for every key while Ctrl or Alt is held.
char CharForKey(std::uint16_t key, ShiftState shift);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_KEYS_H_
