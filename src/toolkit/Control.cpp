#include "toolkit/Control.h"

#include <algorithm>

#include "system/Errors.h"
#include "toolkit/Application.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace zuba::toolkit {
namespace {

constexpr char kCannotFocus[] = "Cannot focus a disabled or invisible window";

}  // namespace

Control::~Control() {
  // A control that goes tears its subtree down silently (its removal was
  // announced while it was still linked); then its children go while it
  // is still whole.
  observers_.clear();
  DestroyOwnedComponents();
  if (parent_ != nullptr) parent_->UnlinkChild(*this);
}

// --- Tree -------------------------------------------------------------------

Form* Control::ParentForm() const {
  Control* c = const_cast<Control*>(this);
  while (c != nullptr && !c->isForm_) c = c->parent_;
  return static_cast<Form*>(c);
}

Control& Control::Root() {
  Control* c = this;
  while (c->parent_ != nullptr) c = c->parent_;
  return *c;
}

Control* Control::FindControl(const std::string& name) const {
  for (Control* child : children_) {
    if (SameTextNoCase(child->Name(), name)) return child;
    if (Control* found = child->FindControl(name)) return found;
  }
  return nullptr;
}

Application* Control::GetApplication() const {
  if (parent_ != nullptr) return parent_->GetApplication();
  return Component::GetApplication();
}

void Control::Adopt(std::unique_ptr<Component> component) {
  // A form created under a control is owned by it but stays a window of its
  // own, never a child.
  Control* child = dynamic_cast<Control*>(component.get());
  Component::Adopt(std::move(component));
  if (child != nullptr && !child->isForm_) LinkChild(*child);
}

void Control::Releasing(Component& component) {
  if (auto* child = dynamic_cast<Control*>(&component); child && child->parent_ == this) {
    UnlinkChild(*child);
  }
  Component::Releasing(component);
}

void Control::Notification(Component& component, Operation operation) {
  Component::Notification(component, operation);
  if (operation == Operation::kRemove && popupMenu_ == &component) popupMenu_ = nullptr;
}

void Control::LinkChild(Control& child) {
  child.parent_ = this;
  children_.push_back(&child);
  zOrder_.push_back(&child);
  if (child.IsWindowed()) tabList_.push_back(&child);
  child.Notify(Change::kChildAdded);
  if (child.align_ != Align::kNone) RealignChildren();
}

void Control::UnlinkChild(Control& child) {
  // Observers above hear of the whole subtree leaving, innermost first.
  struct Leaving {
    static void Tell(Control& c) {
      for (Control* below : c.children_) Tell(*below);
      c.Notify(Change::kChildRemoved);
    }
  };
  Leaving::Tell(child);
  if (Form* form = ParentForm()) form->ForgetControl(child);
  children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), &child), tabList_.end());
  zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), &child), zOrder_.end());
  child.parent_ = nullptr;
  if (child.align_ != Align::kNone) RealignChildren();
}

// --- Bounds -----------------------------------------------------------------

void Control::SetBounds(int left, int top, int width, int height) {
  Rect bounds{left, top, std::max(width, 0), std::max(height, 0)};
  if (bounds == bounds_) return;
  bounds_ = bounds;
  BoundsChanged();
  if (align_ != Align::kNone && parent_ != nullptr && !parent_->aligning_) {
    parent_->RealignChildren();
  }
}

void Control::ClientToScreen(int x, int y, int* screenX, int* screenY) const {
  if (parent_ != nullptr) {
    parent_->ClientToScreen(x + Left(), y + Top(), screenX, screenY);
  } else {
    *screenX = x + Left();
    *screenY = y + Top();
  }
}

void Control::SetAlign(Align align) {
  if (align == align_) return;
  align_ = align;
  if (parent_ != nullptr) parent_->RealignChildren();
}

void Control::BoundsChanged() {
  Notify(Change::kBounds);
  RealignChildren();
}

void Control::RealignChildren() {
  if (aligning_) return;
  aligning_ = true;
  int left = 0;
  int top = 0;
  int right = ClientWidth();
  int bottom = ClientHeight();
  for (Align pass : {Align::kTop, Align::kBottom, Align::kLeft, Align::kRight, Align::kClient}) {
    for (Control* child : children_) {
      if (child->align_ != pass || !child->visible_) continue;
      int h = child->Height();
      int w = child->Width();
      switch (pass) {
        case Align::kTop:
          child->SetBounds(left, top, right - left, h);
          top += h;
          break;
        case Align::kBottom:
          bottom -= h;
          child->SetBounds(left, bottom, right - left, h);
          break;
        case Align::kLeft:
          child->SetBounds(left, top, w, bottom - top);
          left += w;
          break;
        case Align::kRight:
          right -= w;
          child->SetBounds(right, top, w, bottom - top);
          break;
        case Align::kClient:
          child->SetBounds(left, top, right - left, bottom - top);
          break;
        case Align::kNone:
          break;
      }
    }
  }
  aligning_ = false;
}

// --- Visibility and enabled state -------------------------------------------

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  if (align_ != Align::kNone && parent_ != nullptr) parent_->RealignChildren();
}

void Control::VisibleChanged() { Notify(Change::kVisible); }

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void Control::EnabledChanged() { Notify(Change::kEnabled); }

bool Control::Usable() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

bool Control::Reachable() const {
  if (!Usable()) return false;
  for (const Control* c = this; c->parent_ != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

// --- Text, hint, font, colour -----------------------------------------------

void Control::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void Control::TextChanged() { Notify(Change::kText); }

void Control::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Notify(Change::kHint);
}

bool Control::ShowHint() const {
  if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
  return showHint_;
}

void Control::SetShowHint(bool showHint) {
  showHint_ = showHint;
  parentShowHint_ = false;
  NotifyInheritors(Change::kHint, &Control::ParentShowHint);
}

void Control::SetParentShowHint(bool parentShowHint) {
  if (parentShowHint == parentShowHint_) return;
  parentShowHint_ = parentShowHint;
  NotifyInheritors(Change::kHint, &Control::ParentShowHint);
}

std::string Control::EffectiveHint() const {
  for (const Control* c = this; c != nullptr; c = c->parent_) {
    if (!c->hint_.empty()) return c->hint_;
  }
  return std::string();
}

const Font& Control::GetFont() const {
  if (parentFont_ && parent_ != nullptr) return parent_->GetFont();
  return font_;
}

void Control::SetFont(const Font& font) {
  font_ = font;
  parentFont_ = false;
  NotifyInheritors(Change::kFont, &Control::ParentFont);
}

void Control::SetParentFont(bool parentFont) {
  if (parentFont == parentFont_) return;
  if (!parentFont) font_ = GetFont();
  parentFont_ = parentFont;
  NotifyInheritors(Change::kFont, &Control::ParentFont);
}

Color Control::GetColor() const {
  if (parentColor_ && parent_ != nullptr) return parent_->GetColor();
  return color_;
}

void Control::SetColor(Color color) {
  color_ = color;
  parentColor_ = false;
  NotifyInheritors(Change::kColor, &Control::ParentColor);
}

void Control::SetParentColor(bool parentColor) {
  if (parentColor == parentColor_) return;
  if (!parentColor) color_ = GetColor();
  parentColor_ = parentColor;
  NotifyInheritors(Change::kColor, &Control::ParentColor);
}

void Control::NotifyInheritors(Change change, bool (Control::*inherits)() const) {
  Notify(change);
  for (Control* child : children_) {
    if ((child->*inherits)()) child->NotifyInheritors(change, inherits);
  }
}

// --- Focus and tab order ----------------------------------------------------

void Control::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  Notify(Change::kTabOrder);
}

int Control::TabOrder() const {
  if (parent_ == nullptr) return -1;
  const auto& list = parent_->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void Control::SetTabOrder(int order) {
  int current = TabOrder();
  if (current < 0) return;
  auto& list = parent_->tabList_;
  order = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
  if (order == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + order, this);
  for (Control* sibling : list) sibling->Notify(Change::kTabOrder);
}

// --- Z-order ----------------------------------------------------------------

void Control::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->zOrder_;
  if (list.back() == this) return;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  Notify(Change::kZOrder);
}

void Control::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->zOrder_;
  if (list.front() == this) return;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  Notify(Change::kZOrder);
}

bool Control::CanFocus() const { return IsWindowed() && Reachable(); }

bool Control::Focused() const {
  Form* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

void Control::SetFocus() {
  if (!CanFocus()) throw system::Exception(kCannotFocus);
  TakeFocus();
}

void Control::TakeFocus() {
  Form* form = ParentForm();
  if (form != nullptr && form != this) form->FocusControl(this);
}

void Control::SetPopupMenu(PopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(*this);
  popupMenu_ = menu;
  if (menu != nullptr) menu->FreeNotification(*this);
}

// --- Observers --------------------------------------------------------------

void Control::AddObserver(ControlObserver& observer) {
  if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
    observers_.push_back(&observer);
  }
}

void Control::RemoveObserver(ControlObserver& observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), &observer), observers_.end());
}

void Control::Notify(Change change) {
  for (Control* c = this; c != nullptr; c = c->parent_) {
    // An observer may remove itself while it is told.
    for (std::size_t i = 0; i < c->observers_.size(); ++i) {
      c->observers_[i]->ControlChanged(*this, change);
    }
  }
}

// --- Events -----------------------------------------------------------------

void Control::FireClick() {
  if (!onClick_) return;
  NotifyEvent handler = onClick_;
  RunHandler([&] { handler(*this); });
}

void Control::FireDblClick() {
  if (!onDblClick_) return;
  NotifyEvent handler = onDblClick_;
  RunHandler([&] { handler(*this); });
}

void Control::FireMouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (!onMouseDown_) return;
  MouseEvent handler = onMouseDown_;
  RunHandler([&] { handler(*this, button, shift, x, y); });
}

void Control::FireMouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (!onMouseUp_) return;
  MouseEvent handler = onMouseUp_;
  RunHandler([&] { handler(*this, button, shift, x, y); });
}

void Control::FireKeyDown(std::uint16_t& key, ShiftState shift) {
  if (!onKeyDown_) return;
  KeyEvent handler = onKeyDown_;
  RunHandler([&] { handler(*this, key, shift); });
}

void Control::FireKeyPress(char& key) {
  if (!onKeyPress_) return;
  KeyPressEvent handler = onKeyPress_;
  RunHandler([&] { handler(*this, key); });
}

void Control::DoEnter() {
  if (!onEnter_) return;
  NotifyEvent handler = onEnter_;
  RunHandler([&] { handler(*this); });
}

void Control::DoExit() {
  if (!onExit_) return;
  NotifyEvent handler = onExit_;
  RunHandler([&] { handler(*this); });
}

void Control::UserClick() { FireClick(); }

bool Control::HandleKey(std::uint16_t, ShiftState) { return false; }

void Control::HandleChar(char) {}

bool Control::WantsKey(std::uint16_t) const { return false; }

void Control::Dispatch(const std::function<void()>& action, ShiftState held) {
  if (Application* app = GetApplication()) {
    app->DispatchUserAction(action, held);
  } else {
    action();
  }
}

// --- User actions -----------------------------------------------------------

bool Control::Click(ShiftState shift) {
  if (!Reachable()) return false;
  unsigned keys = shift.Flags() & (kShiftKey | kCtrlKey | kAltKey);
  Dispatch(
      [this, keys] {
        if (FocusOnClick() && CanFocus() && !Focused()) TakeFocus();
        if (!Reachable()) return;
        int x = Width() / 2;
        int y = Height() / 2;
        FireMouseDown(MouseButton::kLeft, keys | kLeftButton, x, y);
        UserClick();
        FireMouseUp(MouseButton::kLeft, keys, x, y);
      },
      keys);
  return true;
}

bool Control::DoubleClick() {
  if (!Reachable()) return false;
  Dispatch([this] {
    if (FocusOnClick() && CanFocus() && !Focused()) TakeFocus();
    if (!Reachable()) return;
    int x = Width() / 2;
    int y = Height() / 2;
    FireMouseDown(MouseButton::kLeft, kLeftButton, x, y);
    UserClick();
    FireMouseUp(MouseButton::kLeft, 0, x, y);
    FireMouseDown(MouseButton::kLeft, kLeftButton | kDoubleClick, x, y);
    FireDblClick();
    FireMouseUp(MouseButton::kLeft, 0, x, y);
  });
  return true;
}

bool Control::RightClick(int x, int y) {
  if (!Reachable()) return false;
  Dispatch([this, x, y] {
    FireMouseDown(MouseButton::kRight, kRightButton, x, y);
    FireMouseUp(MouseButton::kRight, 0, x, y);
    if (popupMenu_ != nullptr && popupMenu_->AutoPopup() && Reachable()) {
      int sx = 0;
      int sy = 0;
      ClientToScreen(x, y, &sx, &sy);
      popupMenu_->PopupFor(this, sx, sy);
    }
  });
  return true;
}

bool Control::Hover() {
  // Hints show over disabled controls too, but not over hidden ones.
  for (const Control* c = this; c->parent_ != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  Application* app = GetApplication();
  if (app == nullptr) return false;
  std::string hint = GetLongHint(EffectiveHint());
  Dispatch([app, hint] { app->SetHint(hint); });
  return true;
}

bool Control::Focus() {
  if (!CanFocus()) return false;
  Dispatch([this] { TakeFocus(); });
  return true;
}

bool Control::PressKey(std::uint16_t key, ShiftState shift) {
  Form* form = ParentForm();
  Control* target = this;
  if (form == this) {
    target = &form->KeyTarget();
  } else if (!CanFocus()) {
    return false;
  }
  Dispatch(
      [target, key, shift] {
        if (!target->Focused()) target->TakeFocus();
        target->DeliverKey(key, shift);
      },
      shift);
  return true;
}

bool Control::KeyPress(char key) {
  Form* form = ParentForm();
  Control* target = this;
  if (form == this) {
    target = &form->KeyTarget();
  } else if (!CanFocus()) {
    return false;
  }
  Dispatch([target, key] {
    if (!target->Focused()) target->TakeFocus();
    target->DeliverChar(key);
  });
  return true;
}

bool Control::TypeText(const std::string& text) {
  for (char c : text) {
    bool done = true;
    switch (c) {
      case '\r':
        done = PressKey(vk::kReturn);
        break;
      case '\x1b':
        done = PressKey(vk::kEscape);
        break;
      case '\b':
        done = PressKey(vk::kBack);
        break;
      case '\t':
        done = PressKey(vk::kTab);
        break;
      default:
        done = KeyPress(c);
        break;
    }
    if (!done) return false;
  }
  return true;
}

bool Control::DragTo(Control& target, int x, int y) {
  if (!Reachable() || !target.Reachable()) return false;
  Dispatch([this, &target, x, y] {
    if (!target.onDragOver_) return;
    bool accept = true;
    DragOverEvent over = target.onDragOver_;
    target.RunHandler([&] { over(target, *this, x, y, accept); });
    if (!accept || !target.onDragDrop_) return;
    DragDropEvent drop = target.onDragDrop_;
    target.RunHandler([&] { drop(target, *this, x, y); });
  });
  return true;
}

void Control::DeliverKey(std::uint16_t key, ShiftState shift) {
  Form* form = ParentForm();
  if (form != nullptr && form != this && form->KeyPreview()) form->FireKeyDown(key, shift);
  if (key != 0) FireKeyDown(key, shift);
  if (key == 0) return;
  if (!WantsKey(key) && form != nullptr && form->DialogKey(*this, key, shift)) return;
  if (HandleKey(key, shift)) return;
  char c = CharForKey(key, shift);
  if (c != 0) DeliverChar(c);
}

void Control::DeliverChar(char key) {
  Form* form = ParentForm();
  if (form != nullptr && form != this && form->KeyPreview()) form->FireKeyPress(key);
  if (key != 0) FireKeyPress(key);
  HandleChar(key);
}

}  // namespace zuba::toolkit
