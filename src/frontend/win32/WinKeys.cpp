#include "frontend/win32/WinKeys.h"

#include "platform/Cp932.h"

namespace zuba::winui {

toolkit::ShiftState HeldKeys() {
  unsigned flags = 0;
  if (GetKeyState(VK_SHIFT) < 0) flags |= toolkit::kShiftKey;
  if (GetKeyState(VK_CONTROL) < 0) flags |= toolkit::kCtrlKey;
  if (GetKeyState(VK_MENU) < 0) flags |= toolkit::kAltKey;
  return toolkit::ShiftState(flags);
}

char AccessKey(const std::string& caption) {
  for (std::size_t i = 0; i < caption.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(caption[i]);
    if (platform::IsCp932LeadByte(c)) {
      ++i;  // a trail byte is never an "&"
      continue;
    }
    if (c != '&' || i + 1 >= caption.size()) continue;
    char next = caption[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    return next >= 'a' && next <= 'z' ? static_cast<char>(next - 'a' + 'A') : next;
  }
  return 0;
}

}  // namespace zuba::winui
