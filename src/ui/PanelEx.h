// A panel that passes every change of its enabled state on to all controls
// inside it, labels included, and optionally to its parent.
#ifndef ZUBA_UI_PANELEX_H_
#define ZUBA_UI_PANELEX_H_

#include "toolkit/Panel.h"

namespace zuba::ui {

class TPanelEx : public toolkit::Panel {
 public:
  TPanelEx() = default;

  // When true, the parent control's enabled state follows the panel's.
  bool UpdateParent() const { return updateParent_; }
  void SetUpdateParent(bool updateParent) { updateParent_ = updateParent; }

 protected:
  // After the base handling: the parent follows (UpdateParent), then the
  // whole tree below the panel takes the panel's state.
  void EnabledChanged() override;

  // Sets the enabled state of each child of `parent`, in child order,
  // repainting group boxes and descending into custom-drawn containers
  // (through this function again, so an override acts at every level), so
  // every control below `parent` ends in `enabled`.
  virtual void SetChildrenEnabled(toolkit::Control& parent, bool enabled);

 private:
  bool updateParent_ = false;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_PANELEX_H_
