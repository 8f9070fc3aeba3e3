// A panel like TPanelEx that, after passing its enabled state down, sets
// the check state of every check box and radio button inside it again, so
// that group check boxes inside re-apply their own groups over the blanket
// setting.
#ifndef ZUBA_UI_ZBPANELEX_H_
#define ZUBA_UI_ZBPANELEX_H_

#include "ui/PanelEx.h"

namespace zuba::ui {

class TZbPanelEx : public TPanelEx {
 public:
  TZbPanelEx() = default;

 protected:
  // As TPanelEx's, and at every level of the walk: after the children of
  // `parent` (with everything below them) have their state, each check box
  // among them, then each radio button, has its check state set again to
  // the state it has. A grayed box stays grayed.
  void SetChildrenEnabled(toolkit::Control& parent, bool enabled) override;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZBPANELEX_H_
