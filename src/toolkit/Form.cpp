#include "toolkit/Form.h"

#include <algorithm>
#include <vector>

#include "system/Errors.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {
namespace {

constexpr char kCannotFocus[] = "Cannot focus a disabled or invisible window";
constexpr char kVisibleModal[] = "Cannot make a visible window modal";

bool IsBelow(const Control* control, const Control& ancestor) {
  for (const Control* c = control; c != nullptr; c = c->Parent()) {
    if (c == &ancestor) return true;
  }
  return false;
}

// Every windowed control below `parent`, each container followed by its own
// controls, in tab order.
void CollectTabOrder(const Control& parent, std::vector<Control*>* list) {
  for (Control* c : parent.TabList()) {
    list->push_back(c);
    CollectTabOrder(*c, list);
  }
}

// The first button below `parent` (creation order, depth first) that can
// take the focus and for which `wanted` holds.
template <class Pred>
Button* FindButton(const Control& parent, Pred wanted) {
  for (Control* c : parent.Children()) {
    if (auto* button = dynamic_cast<Button*>(c); button && wanted(*button) && button->CanFocus()) {
      return button;
    }
    if (Button* found = FindButton(*c, wanted)) return found;
  }
  return nullptr;
}

}  // namespace

Form::Form(Application& app) : app_(app) {
  isForm_ = true;
  visible_ = false;
  parentFont_ = false;
  parentColor_ = false;
  parentShowHint_ = false;
  app_.RegisterForm(*this);
}

Form::~Form() {
  // The controls go while the form is whole, and without telling the
  // form's observers, which may be gone already.
  observers_.clear();
  DestroyOwnedComponents();
  app_.UnregisterForm(*this);
}

// --- Window -----------------------------------------------------------------

void Form::SetBorderStyle(BorderStyle style) {
  if (style == borderStyle_) return;
  int width = ClientWidth();
  int height = ClientHeight();
  borderStyle_ = style;
  SetClientSize(width, height);
  Notify(Change::kStyle);
}

void Form::SetBorderIcons(unsigned icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  Notify(Change::kStyle);
}

int Form::FrameWidth() const {
  switch (borderStyle_) {
    case BorderStyle::kNone:
      return 0;
    case BorderStyle::kSizeable:
      return 4;
    default:
      return 3;
  }
}

int Form::CaptionHeight() const {
  switch (borderStyle_) {
    case BorderStyle::kNone:
      return 0;
    case BorderStyle::kToolWindow:
      return 16;
    default:
      return 18;
  }
}

int Form::ClientWidth() const { return std::max(Width() - 2 * FrameWidth(), 0); }

int Form::ClientHeight() const {
  return std::max(Height() - CaptionHeight() - 2 * FrameWidth(), 0);
}

void Form::SetClientSize(int width, int height) {
  SetBounds(Left(), Top(), width + 2 * FrameWidth(), height + CaptionHeight() + 2 * FrameWidth());
}

void Form::ClientToScreen(int x, int y, int* screenX, int* screenY) const {
  *screenX = Left() + FrameWidth() + x;
  *screenY = Top() + FrameWidth() + CaptionHeight() + y;
}

void Form::MoveTo(int left, int top) {
  SetBounds(left, top, Width(), Height());
  positionSet_ = true;
}

void Form::BoundsChanged() {
  if (Left() != seenLeft_ || Top() != seenTop_) positionSet_ = true;
  seenLeft_ = Left();
  seenTop_ = Top();
  Control::BoundsChanged();
}

// --- Keys and focus ---------------------------------------------------------

void Form::SetActiveControl(Control* control) {
  if (control != nullptr &&
      (control->ParentForm() != this || control == this || !control->CanFocus())) {
    throw system::Exception(kCannotFocus);
  }
  FocusControl(control);
}

void Form::FocusControl(Control* control) {
  if (control == activeControl_) return;
  Control* old = activeControl_;
  activeControl_ = control;
  if (old != nullptr) {
    old->Notify(Change::kFocus);
    old->DoExit();
  }
  if (control != nullptr && activeControl_ == control) {
    control->Notify(Change::kFocus);
    control->DoEnter();
  }
}

bool Form::SelectNext(Control* current, bool forward) {
  std::vector<Control*> list;
  CollectTabOrder(*this, &list);
  int count = static_cast<int>(list.size());
  if (count == 0) return false;
  auto found = std::find(list.begin(), list.end(), current);
  int start = found == list.end() ? (forward ? -1 : count) : static_cast<int>(found - list.begin());
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = forward ? i + 1 : i - 1;
    if (i >= count) i = 0;
    if (i < 0) i = count - 1;
    Control* candidate = list[i];
    if (candidate == current) break;
    if (candidate->TabStop() && candidate->CanFocus()) {
      FocusControl(candidate);
      return true;
    }
  }
  return false;
}

Control& Form::KeyTarget() {
  if (activeControl_ != nullptr && activeControl_->Reachable()) return *activeControl_;
  return *this;
}

bool Form::DialogKey(Control& target, std::uint16_t key, ShiftState shift) {
  switch (key) {
    case vk::kTab:
      if (shift.Has(kCtrlKey) || shift.Has(kAltKey)) return false;
      SelectNext(&target, !shift.Has(kShiftKey));
      return true;
    case vk::kEscape: {
      if (!shift.NoKeys()) return false;
      Button* cancel = FindButton(*this, [](const Button& b) { return b.Cancel(); });
      if (cancel == nullptr) return false;
      static_cast<Control*>(cancel)->UserClick();
      return true;
    }
    case vk::kReturn: {
      if (!shift.NoKeys()) return false;
      Button* button = dynamic_cast<Button*>(&target);
      if (button == nullptr) {
        button = FindButton(*this, [](const Button& b) { return b.Default(); });
      }
      if (button == nullptr) return false;
      static_cast<Control*>(button)->UserClick();
      return true;
    }
    case vk::kF1: {
      for (Control* c = &target; c != nullptr; c = c->Parent()) {
        if (c->HelpContext() != 0) {
          app_.HelpContext(c->HelpContext());
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

void Form::ForgetControl(Control& removed) {
  if (activeControl_ != nullptr && IsBelow(activeControl_, removed)) activeControl_ = nullptr;
}

// --- Life -------------------------------------------------------------------

void Form::FinishCreation() {
  if (created_) return;
  created_ = true;
  if (!onCreate_) return;
  NotifyEvent handler = onCreate_;
  RunHandler([&] { handler(*this); });
}

void Form::VisibleChanged() {
  Control::VisibleChanged();
  ShowingChanged();
}

void Form::ShowingChanged() {
  if (Visible()) {
    if (onShow_) {
      NotifyEvent handler = onShow_;
      RunHandler([&] { handler(*this); });
    }
    if (activeControl_ == nullptr) SelectNext(nullptr, true);
  } else if (onHide_) {
    NotifyEvent handler = onHide_;
    RunHandler([&] { handler(*this); });
  }
}

ModalResult Form::ShowModal() {
  if (Visible() || modalRunning_) throw system::Exception(kVisibleModal);
  modalResult_ = ModalResult::kNone;
  modalRunning_ = true;
  app_.PushModal(*this);
  // Whatever happens (a handler raising inside another one), the form leaves
  // the modal state hidden.
  struct Leave {
    Form& form;
    ~Leave() {
      form.modalRunning_ = false;
      form.app_.PopModal(form);
      form.Hide();
    }
  } leave{*this};
  Show();
  if (modalRunning_ && modalResult_ != ModalResult::kNone) CloseModal();
  if (modalRunning_) app_.Ui().RunModal(*this);
  if (modalRunning_) AbortModal();
  return modalResult_;
}

void Form::AbortModal() {
  if (!modalRunning_) return;
  if (modalResult_ == ModalResult::kNone) modalResult_ = ModalResult::kCancel;
  modalRunning_ = false;
  Notify(Change::kModalEnded);
}

void Form::CloseModal() {
  CloseAction action = CloseAction::kNone;
  if (CloseQuery()) {
    action = CloseAction::kHide;
    DoClose(action);
  }
  if (action == CloseAction::kNone) {
    modalResult_ = ModalResult::kNone;
    return;
  }
  modalRunning_ = false;
  Notify(Change::kModalEnded);
}

bool Form::CloseQuery() {
  bool canClose = true;
  if (onCloseQuery_) {
    CloseQueryEvent handler = onCloseQuery_;
    RunHandler([&] { handler(*this, canClose); });
  }
  return canClose;
}

void Form::DoClose(CloseAction& action) {
  if (!onClose_) return;
  CloseEvent handler = onClose_;
  RunHandler([&] { handler(*this, action); });
}

void Form::Close() {
  if (modalRunning_) {
    modalResult_ = ModalResult::kCancel;
    return;
  }
  if (!CloseQuery()) return;
  CloseAction action = CloseAction::kHide;
  DoClose(action);
  if (action == CloseAction::kNone) return;
  if (app_.MainForm() == this) {
    app_.Terminate();
  } else if (action == CloseAction::kHide || action == CloseAction::kFree) {
    Hide();
  }
}

bool Form::ClickCloseBox() {
  if ((borderIcons_ & kBiSystemMenu) == 0 || borderStyle_ == BorderStyle::kNone || !Usable()) {
    return false;
  }
  Dispatch([this] { Close(); });
  return true;
}

}  // namespace zuba::toolkit
