// Pop-up menus and their items. A menu is shown by program (Popup) or by a
// right click on a control that carries it; the UI services let the user
// choose, and the chosen item is clicked as a user's action.
#ifndef ZUBA_TOOLKIT_POPUPMENU_H_
#define ZUBA_TOOLKIT_POPUPMENU_H_

#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Events.h"

namespace zuba::toolkit {

class MenuItem : public Component {
 public:
  MenuItem() = default;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  // A separator line has the caption "-".
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int helpContext) { helpContext_ = helpContext; }

  // The sub-items in creation order; a new one is created at the end.
  const std::vector<MenuItem*>& Items() const { return items_; }
  MenuItem& AddItem(const std::string& name);
  MenuItem* ParentItem() const { return parentItem_; }
  // The item with this name here or below; nullptr when none.
  MenuItem* FindItem(const std::string& name);

  void SetOnClick(NotifyEvent handler) { onClick_ = std::move(handler); }

  // The item and every item above it are enabled and visible.
  bool Reachable() const;
  // The user chooses the item: OnClick. False when it is not Reachable or a
  // separator.
  bool Click();
  // The user highlights the item: the application's hint becomes its hint.
  bool Hover();

 private:
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
  int helpContext_ = 0;
  std::vector<MenuItem*> items_;
  MenuItem* parentItem_ = nullptr;
  NotifyEvent onClick_;
};

class PopupMenu : public Component {
 public:
  PopupMenu();

  // The top-level items are the items of this root item.
  MenuItem& Items() { return *root_; }
  MenuItem& AddItem(const std::string& name) { return root_->AddItem(name); }
  MenuItem* FindItem(const std::string& name) { return root_->FindItem(name); }

  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int helpContext) { helpContext_ = helpContext; }
  // The control that showed the menu last by a right click (nullptr when it
  // was shown by program).
  Component* PopupComponent() const { return popupComponent_; }

  void SetOnPopup(NotifyEvent handler) { onPopup_ = std::move(handler); }

  // Shows the menu at the screen position x, y: OnPopup, then the UI
  // services' menu; the item chosen is clicked as a user's choice. Nothing
  // when the menu belongs to no application.
  void Popup(int x, int y);
  // The same for a right click on `source`.
  void PopupFor(Component* source, int x, int y);

 protected:
  void Notification(Component& component, Operation operation) override;

 private:
  MenuItem* root_;
  bool autoPopup_ = true;
  int helpContext_ = 0;
  Component* popupComponent_ = nullptr;
  NotifyEvent onPopup_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_POPUPMENU_H_
