// Renders one form of the control model as a Qt window: one widget per
// control, at the control's exact bounds relative to its parent's client
// area, and keeps both in step in each direction.
//
// Model to Qt: the renderer observes the form (ControlObserver) and applies
// every change (bounds, texts, enabled and visible flags, check states,
// entries and selection, focus, fonts, colours, window styles, children
// added and removed) to the widgets.
//
// Qt to model: the user's input is never acted on by Qt itself where the
// model has a say. Clicks, keys, right clicks, choices, focus moves, hovers
// and the close box are handed to the model's user actions (Click, PressKey,
// KeyPress, RightClick, Choose, Focus, Hover, ClickCloseBox), and what the
// model makes of them comes back through the observer. Only an edit's own
// editing (the caret, selections, typing in the middle, pasting) is left to
// Qt; its result is handed to the model with EditText. Hovers and tool
// tips belong to the control under the pointer, whichever widget Qt hands
// the mouse move to (a button or a check box passes it on to its parent):
// the control's short hint is the tool tip while the application and the
// control show hints.
#ifndef ZUBA_FRONTEND_QT_FORMRENDERER_H_
#define ZUBA_FRONTEND_QT_FORMRENDERER_H_

#include <QObject>
#include <QPoint>
#include <memory>
#include <string>
#include <unordered_map>

#include "toolkit/ControlObserver.h"
#include "toolkit/Form.h"

class QEventLoop;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QRect;
class QWidget;

namespace zuba::qt {

// What a renderer asks of the front-end around it.
class RendererHost {
 public:
  virtual ~RendererHost() = default;
  // A user action has just been handed to the model; the forms it showed
  // are to be rendered.
  virtual void UserActionDone() = 0;
};

class FormRenderer : public QObject, public toolkit::ControlObserver {
 public:
  // Builds the window of `form` (shown when the form is visible) and
  // follows the form until it goes. `host` must outlive the renderer.
  FormRenderer(toolkit::Form& form, RendererHost& host);
  ~FormRenderer() override;

  // The form; nullptr once it has gone (the window is then gone too).
  toolkit::Form* Form() const { return form_; }
  QWidget* Window() const { return window_; }
  // The widget of a control of the form; nullptr when it has none.
  QWidget* WidgetOf(const toolkit::Control& control) const;
  // The widget of the form's control named `name`; nullptr when none.
  QWidget* FindWidget(const std::string& name) const;

  // Waits in a nested event loop until the form's modal loop ends, the
  // form goes or the application quits.
  void RunModalLoop();

  void ControlChanged(toolkit::Control& control, toolkit::Change change) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Watch;

  void FormGone();
  void Build(toolkit::Control& control, QWidget* parent);
  QWidget* Create(toolkit::Control& control, QWidget* parent);
  void Install(QWidget* widget);
  // Stacks the widgets of `parent`'s children as the model's z-order says.
  void Restack(toolkit::Control& parent);
  void Unbuild(toolkit::Control& control);

  void ApplyAll(toolkit::Control& control);
  void Apply(toolkit::Control& control, toolkit::Change change);
  void ApplyBounds(toolkit::Control& control);
  void ApplyText(toolkit::Control& control);
  void ApplyVisible(toolkit::Control& control);
  // The text of an editable combo box's field, shown from its start unless
  // the user is typing in it.
  void ShowComboText(toolkit::Control& control, const QString& text);
  void ApplyCheck(toolkit::Control& control);
  void ApplyItems(toolkit::Control& control);
  void ApplySelection(toolkit::Control& control);
  void ApplyFocus(toolkit::Control& control);
  void ApplyFont(toolkit::Control& control);
  void ApplyColor(toolkit::Control& control);
  void ApplyStyle(toolkit::Control& control);
  void ApplyWindowFlags();
  void ShowWindow();
  // Whether the system chooses where the window appears (a form of a
  // default position, shown for the first time, not placed by the program).
  bool SystemPlaces() const;
  // Puts the window where the model says (centred for a centred form),
  // whole inside the work area of its screen; the model follows.
  void PlaceWindow();
  // Moves a window the program has placed whole into the work area of its
  // screen: true when the model was moved (and the window with it).
  bool KeepOnScreen();
  // The model learns where the window is.
  void TakePosition();
  void FocusFromModel();

  // The control a widget (or a part of one) stands for; nullptr when none.
  toolkit::Control* ControlFor(QObject* object) const;
  // The control under the global point `global`; the form where no other
  // control is, nullptr when the window has gone.
  toolkit::Control* ControlAt(const QPoint& global) const;
  // The pointer is at `global`: a control it has come onto shows its hint.
  void HoverAt(const QPoint& global);
  bool HandleKey(toolkit::Control& control, QObject* watched, QKeyEvent* event);
  bool HandleEditKey(toolkit::Control& control, QLineEdit* edit, QKeyEvent* event);
  bool HandleMouse(toolkit::Control& control, QObject* watched, QMouseEvent* event);
  // The left button moves with a list box pressed: past the drag distance a
  // drag begins. Released: drops it on the control under the mouse.
  void DragMoved(QMouseEvent* event);
  void DragReleased(toolkit::Control& control, QMouseEvent* event);
  void Edited(toolkit::Control& control, QLineEdit* edit, const QString& text);
  void Chosen(toolkit::Control& control, int index);
  void Browse(toolkit::Control& control);
  // After a user action: tells the host, unless the form went.
  void Done();

  toolkit::Form* form_;
  RendererHost& host_;
  std::unique_ptr<Watch> watch_;
  QWidget* window_ = nullptr;
  std::unordered_map<const toolkit::Control*, QWidget*> widgets_;
  std::unordered_map<const QObject*, toolkit::Control*> controls_;
  toolkit::Control* pressed_ = nullptr;  // where the left button went down
  // A list box pressed with the left button can be dragged onto another
  // control: released there, it is dropped on it (Control::DragTo).
  toolkit::Control* dragSource_ = nullptr;
  QPoint dragStart_;
  bool dragging_ = false;
  toolkit::Control* hovered_ = nullptr;
  // The control characters are being typed into (while they are handed on).
  toolkit::Control* typedInto_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  bool shownBefore_ = false;
  unsigned appliedFlags_ = 0;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_FORMRENDERER_H_
