#include "toolkit/Component.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Cp932Text.h"

namespace zuba::toolkit {
namespace {

void Erase(std::vector<Component*>& list, Component* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

Component::~Component() {
  DestroyOwnedComponents();
  StopListening();
  NotifyListeners();
}

bool Component::DestroyComponent(Component& component) {
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const std::unique_ptr<Component>& c) {
    return c.get() == &component;
  });
  if (it == owned_.end()) return false;
  // Tell the listeners while the component is still whole, then unlink it.
  component.StopListening();
  component.NotifyListeners();
  Releasing(component);
  std::unique_ptr<Component> dying = std::move(*it);
  owned_.erase(std::find(owned_.begin(), owned_.end(), nullptr));
  dying.reset();
  return true;
}

Component* Component::FindComponent(const std::string& name) const {
  for (const auto& c : owned_) {
    if (SameTextNoCase(c->Name(), name)) return c.get();
  }
  return nullptr;
}

void Component::FreeNotification(Component& listener) {
  if (&listener == this) return;
  if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) {
    listeners_.push_back(&listener);
    listener.watched_.push_back(this);
  }
}

void Component::RemoveFreeNotification(Component& listener) {
  Erase(listeners_, &listener);
  Erase(listener.watched_, this);
}

Application* Component::GetApplication() const {
  return owner_ != nullptr ? owner_->GetApplication() : nullptr;
}

void Component::Notification(Component&, Operation) {}

void Component::Adopt(std::unique_ptr<Component> component) {
  component->owner_ = this;
  Component& added = *component;
  owned_.push_back(std::move(component));
  Notification(added, Operation::kInsert);
}

void Component::Releasing(Component&) {}

void Component::DestroyOwnedComponents() {
  while (!owned_.empty()) DestroyComponent(*owned_.back());
}

void Component::RunHandler(const std::function<void()>& handler) {
  if (Application* app = GetApplication()) {
    app->RunHandler(handler);
  } else {
    handler();
  }
}

void Component::StopListening() {
  for (Component* source : watched_) Erase(source->listeners_, this);
  watched_.clear();
}

void Component::NotifyListeners() {
  // A listener may drop other links while it is told; take them one by one.
  while (!listeners_.empty()) {
    Component* listener = listeners_.back();
    listeners_.pop_back();
    Erase(listener->watched_, this);
    listener->Notification(*this, Operation::kRemove);
  }
}

}  // namespace zuba::toolkit
