#include "toolkit/PopupMenu.h"

#include "toolkit/Application.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {

MenuItem& MenuItem::AddItem(const std::string& name) {
  MenuItem& item = Add<MenuItem>(name);
  item.parentItem_ = this;
  items_.push_back(&item);
  return item;
}

MenuItem* MenuItem::FindItem(const std::string& name) {
  for (MenuItem* item : items_) {
    if (SameTextNoCase(item->Name(), name)) return item;
    if (MenuItem* found = item->FindItem(name)) return found;
  }
  return nullptr;
}

bool MenuItem::Reachable() const {
  for (const MenuItem* item = this; item != nullptr; item = item->parentItem_) {
    if (!item->enabled_ || !item->visible_) return false;
  }
  return true;
}

bool MenuItem::Click() {
  if (!Reachable() || IsLine()) return false;
  auto action = [this] {
    if (!onClick_) return;
    NotifyEvent handler = onClick_;
    RunHandler([&] { handler(*this); });
  };
  if (Application* app = GetApplication()) {
    app->DispatchUserAction(action);
  } else {
    action();
  }
  return true;
}

bool MenuItem::Hover() {
  Application* app = GetApplication();
  if (app == nullptr || !visible_) return false;
  std::string hint = GetLongHint(hint_);
  app->DispatchUserAction([app, hint] { app->SetHint(hint); });
  return true;
}

PopupMenu::PopupMenu() : root_(&Add<MenuItem>(std::string())) {}

void PopupMenu::Popup(int x, int y) { PopupFor(nullptr, x, y); }

void PopupMenu::PopupFor(Component* source, int x, int y) {
  Application* app = GetApplication();
  if (app == nullptr) return;
  if (popupComponent_ != nullptr) popupComponent_->RemoveFreeNotification(*this);
  popupComponent_ = source;
  if (source != nullptr) source->FreeNotification(*this);
  if (onPopup_) {
    NotifyEvent handler = onPopup_;
    RunHandler([&] { handler(*this); });
  }
  MenuItem* chosen = app->Ui().TrackPopup(*this, x, y);
  if (chosen != nullptr) chosen->Click();
}

void PopupMenu::Notification(Component& component, Operation operation) {
  Component::Notification(component, operation);
  if (operation == Operation::kRemove && &component == popupComponent_) popupComponent_ = nullptr;
}

}  // namespace zuba::toolkit
