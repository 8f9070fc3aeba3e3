// The root of the model's object tree: a named, tagged object that owns the
// components created under it and tells interested components when it goes.
#ifndef ZUBA_TOOLKIT_COMPONENT_H_
#define ZUBA_TOOLKIT_COMPONENT_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zuba::toolkit {

class Application;

enum class Operation { kInsert, kRemove };

class Component {
 public:
  Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  // Destroys the owned components (last created first), then sends the
  // removal notification to every component registered with
  // FreeNotification.
  virtual ~Component();

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // The integer every component carries for the program's own use.
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  Component* Owner() const { return owner_; }

  // Creates a T (constructed from `args`) owned by this component, named
  // `name`, and answers it. It lives until this component goes or
  // DestroyComponent is called on it. A control created under a control
  // becomes its child (Control); a form stays a window of its own.
  template <class T, class... Args>
  T& Add(std::string name, Args&&... args) {
    auto created = std::make_unique<T>(std::forward<Args>(args)...);
    T& result = *created;
    created->SetName(std::move(name));
    Adopt(std::move(created));
    return result;
  }

  // Destroys a component this one owns. False (and nothing happens) when
  // `component` is not owned by this one.
  bool DestroyComponent(Component& component);

  std::size_t ComponentCount() const { return owned_.size(); }
  Component& ComponentAt(std::size_t index) const { return *owned_.at(index); }
  // The owned component with this name (compared without regard to case),
  // searched among the direct ones only; nullptr when there is none.
  Component* FindComponent(const std::string& name) const;

  // `listener` receives Notification(*this, Operation::kRemove) when this
  // component goes. The link is dropped when either side goes first.
  void FreeNotification(Component& listener);
  void RemoveFreeNotification(Component& listener);

  // The application this component belongs to, found through its owners and
  // parents; nullptr for a component outside any form.
  virtual Application* GetApplication() const;

 protected:
  // Another component is inserted into this one's owned list (kInsert), or
  // one that this component owns or registered for goes (kRemove: the
  // component is still addressable but no longer usable). Base: nothing.
  virtual void Notification(Component& component, Operation operation);

  // Takes ownership of a component just created. Control overrides it to
  // link child controls.
  virtual void Adopt(std::unique_ptr<Component> component);

  // An owned component is about to be destroyed; it is still whole. Control
  // overrides it to unlink a child control.
  virtual void Releasing(Component& component);

  // Destroys the owned components, last created first. Used by destructors
  // of derived classes that must see their owned components go first.
  void DestroyOwnedComponents();

  // Runs an event handler the way every handler runs: through the
  // application's handler path (Application::RunHandler), or directly when
  // the component belongs to no application.
  void RunHandler(const std::function<void()>& handler);

 private:
  void StopListening();
  void NotifyListeners();

  std::string name_;
  int tag_ = 0;
  Component* owner_ = nullptr;
  std::vector<std::unique_ptr<Component>> owned_;
  std::vector<Component*> listeners_;  // told when this one goes
  std::vector<Component*> watched_;    // those this one is listening to
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_COMPONENT_H_
