// A reference from one component to another that it does not own (a
// component's bound control, a button's dialog): the holder registers for
// the other's removal notice, so the reference is dropped when the other
// goes first, and it never dangles.
#ifndef ZUBA_ACTIONS_COMPONENTREF_H_
#define ZUBA_ACTIONS_COMPONENTREF_H_

#include "ui/toolkit/Component.h"

namespace zuba::actions {

// Points `field` of `holder` at `target` (or nothing): the old target stops
// notifying `holder`, the new one starts. The holder's Notification must
// call ForgetRef for each of its references.
template <class T>
void AssignRef(toolkit::Component& holder, T*& field, T* target) {
  if (field == target) return;
  if (field != nullptr) field->RemoveFreeNotification(holder);
  field = target;
  if (target != nullptr) target->FreeNotification(holder);
}

// Empties `field` when it refers to `gone`, a component that is going.
template <class T>
void ForgetRef(T*& field, const toolkit::Component& gone) {
  if (field != nullptr && static_cast<const toolkit::Component*>(field) == &gone) field = nullptr;
}

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_COMPONENTREF_H_
