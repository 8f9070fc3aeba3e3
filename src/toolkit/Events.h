// The signatures of event handlers. Every handler receives the component
// that raised the event (the sender); key handlers receive the key or the
// character in and out (set it to 0 to swallow it).
#ifndef ZUBA_TOOLKIT_EVENTS_H_
#define ZUBA_TOOLKIT_EVENTS_H_

#include <cstdint>
#include <functional>

#include "toolkit/Keys.h"

namespace zuba::toolkit {

class Component;

using NotifyEvent = std::function<void(Component& sender)>;
using KeyEvent = std::function<void(Component& sender, std::uint16_t& key, ShiftState shift)>;
using KeyPressEvent = std::function<void(Component& sender, char& key)>;
using MouseEvent =
    std::function<void(Component& sender, MouseButton button, ShiftState shift, int x, int y)>;
using DragOverEvent =
    std::function<void(Component& sender, Component& source, int x, int y, bool& accept)>;
using DragDropEvent = std::function<void(Component& sender, Component& source, int x, int y)>;

// What closing a form does after its close handler (TCloseAction).
enum class CloseAction { kNone, kHide, kFree, kMinimize };
using CloseEvent = std::function<void(Component& sender, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Component& sender, bool& canClose)>;

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_EVENTS_H_
