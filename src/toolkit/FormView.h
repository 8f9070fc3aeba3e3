// What every front-end does with a form of the control model that does not
// depend on its drawing toolkit, written once: the bookkeeping of the
// controls and their native windows, the dispatch of the model's changes,
// the showing and placing of the form's window, and the classification of
// the user's mouse input into the model's user actions.
//
// A front-end derives one class from FormView<Native>, Native being its
// handle of a native window (a pointer or a handle, default-constructed as
// "none"), and writes what only it can: creating a native window for a
// control (Create) and destroying it (Destroy), applying each kind of
// change to it (the Apply* hooks), stacking, painting, and turning its own
// input events into MouseInput and key calls.
//
// Life: the derived constructor calls Start() once it can create windows;
// the derived destructor calls Stop(). A form that goes (deleted) tells no
// observer: FormView hears it through the form's free notification and
// forgets every window (FormGone), the derived class then destroys its own
// (Discard, which also sets window_ to none).
#ifndef ZUBA_TOOLKIT_FORMVIEW_H_
#define ZUBA_TOOLKIT_FORMVIEW_H_

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/ControlObserver.h"
#include "toolkit/Form.h"
#include "toolkit/Keys.h"
#include "toolkit/ListBox.h"
#include "toolkit/ScreenArea.h"

namespace zuba::toolkit {

// A mouse event of the front-end, said in the model's terms.
enum class MouseStep { kPress, kRelease, kDoubleClick };

struct MouseInput {
  MouseButton button = MouseButton::kLeft;
  MouseStep step = MouseStep::kPress;
  ShiftState held;
  int x = 0;  // in the control's client area
  int y = 0;
  bool inside = true;  // the pointer lies on the control
  int row = -1;        // a list box's entry under the pointer; -1 for none
  bool browse = false;  // on the browse button of a file-name edit
};

// What the front-end does with the event once the model has had it.
enum class MouseOutcome {
  kNative,       // the native control handles it too (an edit places its caret)
  kTaken,        // the model took it; the native control never sees it
  kPressed,      // taken: a button is pressed (shown down; capture the mouse)
  kReleased,     // taken: the pressed button is let go; the front-end shows it
                 // up before the model hears (PressedAsAButton), as a click's
                 // handler may open a dialog
  kListPressed,  // taken: a list box is pressed (capture the mouse)
  kListReleased  // taken: a list box is let go: the front-end calls Dropped
};

// Calls `removed` with each component it is on the free-notification list
// of (FreeNotification) when that component is deleted.
class RemovalWatch : public Component {
 public:
  explicit RemovalWatch(std::function<void(Component&)> removed) : removed_(std::move(removed)) {}

 protected:
  void Notification(Component& component, Operation operation) override {
    Component::Notification(component, operation);
    if (operation == Operation::kRemove) removed_(component);
  }

 private:
  std::function<void(Component&)> removed_;
};

template <typename Native>
class FormView : public ControlObserver {
 public:
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;
  ~FormView() override = default;

  // The native window of a control of the form; none when it has none.
  Native NativeOf(const Control& control) const {
    auto it = natives_.find(&control);
    return it == natives_.end() ? Native{} : it->second;
  }
  // The native window of the form's control named `name`; none when none.
  Native FindNative(const std::string& name) const {
    if (form_ == nullptr) return Native{};
    if (SameTextNoCase(form_->Name(), name)) return window_;
    Control* control = form_->FindControl(name);
    return control == nullptr ? Native{} : NativeOf(*control);
  }

  void ControlChanged(Control& control, Change change) override {
    if (form_ == nullptr) return;
    switch (change) {
      case Change::kChildAdded:
        if (Native parent = control.Parent() ? NativeOf(*control.Parent()) : Native{}) {
          Build(control, parent);
          Restack(*control.Parent());
        }
        return;
      case Change::kChildRemoved:
        Unbuild(control);
        return;
      case Change::kModalEnded:
        if (&control == form_) ModalEnded();
        return;
      default:
        if (natives_.count(&control) != 0) Apply(control, change);
        return;
    }
  }

 protected:
  explicit FormView(toolkit::Form& form)
      : form_(&form), watch_(std::make_unique<RemovalWatch>([this](Component& gone) {
          if (&gone == form_) FormGone();
        })) {}

  // Builds the form's windows and follows the form from then on.
  void Start() {
    form_->FreeNotification(*watch_);
    Build(*form_, Native{});
    form_->AddObserver(*this);
  }
  // Stops following the form (it keeps its windows).
  void Stop() {
    if (form_ != nullptr) form_->RemoveObserver(*this);
    watch_.reset();
  }

  // --- Native windows --------------------------------------------------------

  // Makes the native window of `control` inside `parent` (none for the
  // form); none when it cannot be made.
  virtual Native Create(Control& control, Native parent) = 0;
  // The window has been made and recorded, before its properties are set.
  virtual void Created(Control&, Native) {}
  // Destroys the window of a control leaving the form (its children's are
  // gone already).
  virtual void Destroy(Control& control, Native native) = 0;
  // The form has gone: every record is cleared; the window is to go and
  // window_ to be set to none.
  virtual void Discard() = 0;
  // Stacks the windows of `parent`'s children as the model's z-order says.
  virtual void Restack(Control& parent) = 0;

  void Build(Control& control, Native parent) {
    if (natives_.count(&control) != 0) return;
    Native native = Create(control, parent);
    if (!native) return;
    natives_[&control] = native;
    controls_[native] = &control;
    if (&control == form_) window_ = native;
    Created(control, native);
    ApplyAll(control);
    for (Control* child : control.Children()) Build(*child, native);
    if (!control.Children().empty()) Restack(control);
    if (&control == form_) ApplyVisible(control);
  }

  void Unbuild(Control& control) {
    for (Control* child : control.Children()) Unbuild(*child);
    auto it = natives_.find(&control);
    if (it == natives_.end()) return;
    Native native = it->second;
    natives_.erase(it);
    controls_.erase(native);
    if (pressed_ == &control) pressed_ = nullptr;
    if (hovered_ == &control) hovered_ = nullptr;
    if (dragSource_ == &control) EndDrag();
    Destroy(control, native);
  }

  // The control whose native window is `native` itself; nullptr for none.
  Control* ControlOf(Native native) const {
    auto it = controls_.find(native);
    return it == controls_.end() ? nullptr : it->second;
  }
  // Records a part of a control's window (a browse button) as the control's.
  void AddPart(Native part, Control& control) { controls_[part] = &control; }
  void RemovePart(Native part) { controls_.erase(part); }

  // --- Model to native -------------------------------------------------------

  virtual void ApplyBounds(Control& control) = 0;
  virtual void ApplyText(Control& control) = 0;
  virtual void ApplyEnabled(Control& control) = 0;
  // A control's own window shown or hidden (the form's: ShowForm, HideForm).
  virtual void ApplyShown(Control& control) = 0;
  virtual void ApplyCheck(Control& control) = 0;
  virtual void ApplyItems(Control& control) = 0;
  virtual void ApplySelection(Control& control) = 0;
  virtual void ApplyFocus(Control& control) = 0;
  virtual void ApplyFont(Control& control) = 0;
  virtual void ApplyColor(Control& control) = 0;
  virtual void ApplyRepaint(Control& control) = 0;
  virtual void ApplyStyle(Control& control) = 0;
  // The form's modal loop is to end.
  virtual void ModalEnded() = 0;

  void ApplyAll(Control& control) {
    ApplyStyle(control);
    ApplyFont(control);
    ApplyColor(control);
    ApplyText(control);
    ApplyItems(control);
    ApplySelection(control);
    ApplyCheck(control);
    ApplyBounds(control);
    ApplyEnabled(control);
    if (&control != form_) ApplyVisible(control);
  }

  void Apply(Control& control, Change change) {
    switch (change) {
      case Change::kBounds:
        ApplyBounds(control);
        break;
      case Change::kText:
        ApplyText(control);
        break;
      case Change::kEnabled:
        ApplyEnabled(control);
        break;
      case Change::kVisible:
        ApplyVisible(control);
        break;
      case Change::kChecked:
        ApplyCheck(control);
        break;
      case Change::kItems:
        ApplyItems(control);
        ApplySelection(control);
        break;
      case Change::kItemIndex:
        ApplySelection(control);
        break;
      case Change::kFocus:
        ApplyFocus(control);
        break;
      case Change::kFont:
        ApplyFont(control);
        break;
      case Change::kColor:
        ApplyColor(control);
        break;
      case Change::kRepaint:
        ApplyRepaint(control);
        break;
      case Change::kStyle:
        ApplyStyle(control);
        if (&control == form_) ApplyBounds(control);
        break;
      case Change::kZOrder:
        if (control.Parent() != nullptr) Restack(*control.Parent());
        break;
      default:
        break;  // hints are asked for when shown; tab order is the model's
    }
  }

  void ApplyVisible(Control& control) {
    if (&control != form_) {
      ApplyShown(control);
    } else if (control.Visible()) {
      ShowForm();
    } else if (FormShown()) {
      HideForm();
    }
  }

  // --- The form's window on the screen ---------------------------------------

  // Whether the form's window is shown now.
  virtual bool FormShown() const = 0;
  virtual void HideForm() = 0;
  // Before the window first shows, or shows again: its style and modality.
  virtual void PrepareShow() = 0;
  virtual void ShowNative() = 0;
  // The shown window comes to the front and takes the focus the model says.
  virtual void Activate() = 0;
  // The window's frame on the screen where the model puts it: the model's
  // bounds, or the native frame's size around the model's client area.
  virtual Rect FrameAtModel() const = 0;
  // The work areas of the screens (each less its task bar).
  virtual std::vector<Rect> WorkAreas() const = 0;
  // The model learns where the window is.
  virtual void TakePosition() = 0;

  void ShowForm() {
    if (FormShown()) return;
    PrepareShow();
    const bool systemPlaced = SystemPlaces();
    PlaceWindow();
    if (form_ == nullptr) return;
    ShowNative();
    shownBefore_ = true;
    if (systemPlaced) TakePosition();  // the model learns where the system put it
    Activate();
  }

  // Whether the system chooses where the window appears: a form of a
  // default position, shown for the first time, not placed by the program.
  bool SystemPlaces() const {
    return !shownBefore_ && !form_->PositionSet() &&
           (form_->Position() == FormPosition::kDefault ||
            form_->Position() == FormPosition::kDefaultPosOnly);
  }

  // Puts the window where the model says (centred for a centred form),
  // whole inside the work area of its screen; the model follows.
  void PlaceWindow() {
    if (form_->Position() == FormPosition::kScreenCenter) {
      const Rect frame = FrameAtModel();
      const std::vector<Rect> areas = WorkAreas();
      const Rect centred =
          CenteredIn(frame, areas.empty() ? Rect{0, 0, 640, 480} : areas[AreaOf(frame, areas)]);
      form_->SetBounds(centred.left, centred.top, form_->Width(), form_->Height());
    } else if (!SystemPlaces()) {
      KeepOnScreen();
    }
    if (form_ != nullptr) ApplyBounds(*form_);
  }

  // Moves a window the program has placed whole into the work area of its
  // screen: true when the model was moved (and the window with it).
  bool KeepOnScreen() {
    const Rect frame = FrameAtModel();
    const Rect kept = toolkit::KeepOnScreen(frame, WorkAreas());
    if (kept == frame) return false;
    form_->SetBounds(kept.left, kept.top, form_->Width(), form_->Height());
    return true;
  }

  // --- Native to model -------------------------------------------------------

  // The front-end's host is told that a user action was handed to the model.
  virtual void ActionDone() = 0;
  // After a user action: tells the host, unless the form went.
  void Done() {
    if (form_ != nullptr) ActionDone();
  }
  // Whether `control` (or the whole form) went during a user action.
  bool Gone(const Control& control) const {
    return form_ == nullptr || natives_.count(&control) == 0;
  }

  // The pointer has come onto `pointed`: its hint is shown, once.
  void Hovered(Control& pointed) {
    if (&pointed == hovered_) return;
    hovered_ = &pointed;
    pointed.Hover();
    Done();
  }
  void Left() { hovered_ = nullptr; }

  // A mouse button on `control`, handed to the model: a right click on
  // release; a press into an edit or a drop-down list, and a double click;
  // a list box chooses the entry pressed (Ctrl toggles it in a
  // multi-select list) and may be dragged; buttons, check boxes and what
  // is drawn by the front-end are clicked where the button is let go.
  MouseOutcome Mouse(Control& control, const MouseInput& input) {
    const ControlKind kind = control.Kind();
    if (input.button == MouseButton::kRight) {
      if (input.step == MouseStep::kRelease) {
        control.RightClick(input.x, input.y);
        Done();
      }
      return MouseOutcome::kTaken;
    }
    if (input.button != MouseButton::kLeft) return MouseOutcome::kTaken;  // the middle one
    if ((IsEdit(kind) && !input.browse) || kind == ControlKind::kComboBox) {
      if (input.step == MouseStep::kPress) {
        control.Click(input.held);
        Done();
      } else if (input.step == MouseStep::kDoubleClick) {
        control.DoubleClick();
        Done();
      }
      // An edit places its caret, a drop-down list opens itself.
      if (Gone(control)) return MouseOutcome::kTaken;
      if (kind == ControlKind::kComboBox && !control.Usable()) return MouseOutcome::kTaken;
      return MouseOutcome::kNative;
    }
    if (kind == ControlKind::kListBox) {
      if (input.step == MouseStep::kDoubleClick) {
        control.DoubleClick();
        Done();
        return MouseOutcome::kTaken;
      }
      if (input.step == MouseStep::kRelease) return MouseOutcome::kListReleased;
      dragSource_ = &control;
      dragging_ = false;
      control.Click(input.held);
      if (!Gone(control) && input.row >= 0) {
        auto& list = static_cast<ListBox&>(control);
        if (input.held.Has(kCtrlKey) && list.MultiSelect()) {
          list.ToggleChoice(input.row);
        } else {
          list.Choose(input.row);
        }
      }
      Done();
      return MouseOutcome::kListPressed;
    }
    const bool pressable = IsButton(kind) || input.browse;
    if (input.step == MouseStep::kPress || (input.step == MouseStep::kDoubleClick && pressable)) {
      pressed_ = &control;
      pressedBrowse_ = input.browse;
      return MouseOutcome::kPressed;
    }
    if (input.step == MouseStep::kDoubleClick) {
      control.DoubleClick();
      Done();
      return MouseOutcome::kTaken;
    }
    const bool click = pressed_ == &control && pressedBrowse_ == input.browse && input.inside;
    pressed_ = nullptr;
    if (click) {
      if (input.browse) {
        Browse(control);
      } else {
        control.Click(input.held);
      }
      Done();
    }
    return MouseOutcome::kReleased;
  }
  // The browse button of a file-name edit was clicked.
  virtual void Browse(Control& control) = 0;

  // The left button moved `distance` (its Manhattan length) from where a
  // list box was pressed: past `threshold` a drag begins. True when it did.
  bool DragMoved(int distance, int threshold) {
    if (dragSource_ == nullptr || dragging_ || distance < threshold) return false;
    dragging_ = true;
    return true;
  }
  // The list box pressed is let go over `target` (nullptr for no control of
  // the form) at x, y of it: dropped there when it was dragged.
  void Dropped(Control& control, Control* target, int x, int y) {
    const bool dragged = dragSource_ == &control && dragging_;
    EndDrag();
    if (!dragged || target == nullptr || target == &control) return;
    control.DragTo(*target, x, y);
    Done();
  }
  // The drag ends; the front-end restores what it showed for it.
  virtual void DragEnded() {}
  void EndDrag() {
    if (dragging_) DragEnded();
    dragSource_ = nullptr;
    dragging_ = false;
  }

  // Clears every record when the form goes, then Discard()s its window.
  void FormGone() {
    form_ = nullptr;
    natives_.clear();
    controls_.clear();
    pressed_ = nullptr;
    hovered_ = nullptr;
    EndDrag();
    Discard();
  }

  static bool IsEdit(ControlKind kind) {
    return kind == ControlKind::kEdit || kind == ControlKind::kFileNameEdit;
  }
  static bool IsButton(ControlKind kind) {
    return kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
           kind == ControlKind::kRadioButton;
  }
  // Whether the left button on this kind (or a browse button) presses it
  // until let go (MouseOutcome::kPressed): not an edit, a drop-down list
  // or a list box, which take the button themselves.
  static bool PressedAsAButton(ControlKind kind, bool browse) {
    return !((IsEdit(kind) && !browse) || kind == ControlKind::kComboBox ||
             kind == ControlKind::kListBox);
  }

  // The tool tip of `control`: its short hint while the application and
  // the control show hints; empty for none.
  std::string TipOf(const Control& control) const {
    Application* app = form_ != nullptr ? form_->GetApplication() : nullptr;
    if (app == nullptr || !app->ShowHint() || !control.ShowHint()) return "";
    return GetShortHint(control.EffectiveHint());
  }

  toolkit::Form* form_;
  Native window_{};
  std::map<const Control*, Native> natives_;
  std::map<Native, Control*> controls_;
  Control* pressed_ = nullptr;  // where the left button went down
  bool pressedBrowse_ = false;  // on its browse button
  Control* dragSource_ = nullptr;
  bool dragging_ = false;
  Control* hovered_ = nullptr;
  bool shownBefore_ = false;

 private:
  // Hears when the form goes: a form that goes tells no observer.
  std::unique_ptr<RemovalWatch> watch_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FORMVIEW_H_
