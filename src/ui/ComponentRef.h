// A reference from one component to another that it does not own (a
// component's bound control, a button's dialog): the holder registers for
// the other's removal notice, so the reference is dropped when the other
// goes first, and it never dangles.
#ifndef ZUBA_UI_COMPONENTREF_H_
#define ZUBA_UI_COMPONENTREF_H_

#include "toolkit/Component.h"

namespace zuba::ui {

// Points `field` of `holder` at `target` (or nothing), and has `target`
// notify `holder` when it goes. The holder's Notification must call
// ForgetRef for each of its references.
//
// An old target keeps notifying the holder: the same control may be bound
// in two of the holder's places, and unbinding it from one must not leave
// the other dangling. A notice about a control no longer bound anywhere
// changes nothing, and a control registers a holder only once.
template <class T>
void AssignRef(toolkit::Component& holder, T*& field, T* target) {
  field = target;
  if (target != nullptr) target->FreeNotification(holder);
}

// Empties `field` when it refers to `gone`, a component that is going.
template <class T>
void ForgetRef(T*& field, const toolkit::Component& gone) {
  if (field != nullptr && static_cast<const toolkit::Component*>(field) == &gone) field = nullptr;
}

}  // namespace zuba::ui

#endif  // ZUBA_UI_COMPONENTREF_H_
