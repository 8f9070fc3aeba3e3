#include "platform/sim/SimWindows.h"

#include <cstdio>

#include "platform/WinError.h"
#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

std::string Hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

}  // namespace

WindowHandle SimWindows::Find(const std::string& title) {
  for (const WindowSpan& w : desktop_.OpenWindows(MachineNow())) {
    if (EqualsNoCaseCp932(w.title, title)) return w.handle;
  }
  return 0;
}

bool SimWindows::PostKeyDown(WindowHandle window, int virtualKey, std::uint32_t keyData) {
  if (std::uint32_t code = context_.config.FailCode("PostMessage")) {
    context_.Fail(code);
    context_.events.Append("PostMessage WM_KEYDOWN to window " + Hex(window, 8) +
                           " failed: error " + std::to_string(code));
    return false;
  }
  const MachineTime now = MachineNow();
  for (const WindowSpan& w : desktop_.OpenWindows(now)) {
    if (w.handle != window) continue;
    if (!desktop_.RecordKey({now, window, virtualKey, keyData})) {
      context_.Fail(kErrorNotEnoughMemory);  // the message queue refused it
      return false;
    }
    context_.events.Append("PostMessage WM_KEYDOWN to \"" + w.title + "\" (" + Hex(window, 8) +
                           "): key " + Hex(static_cast<std::uint32_t>(virtualKey), 2) + ", data " +
                           Hex(keyData, 8));
    return true;
  }
  context_.Fail(kErrorInvalidWindowHandle);
  return false;
}

void SimWindows::BroadcastWinIniChange(const std::string& section) {
  context_.events.Append("broadcast WM_WININICHANGE " + section);
}

}  // namespace zuba::platform::sim
