// Renders one form of the control model as a Qt window: one widget per
// control, at the control's exact bounds relative to its parent's client
// area, and keeps both in step in each direction. What does not depend on
// Qt (the records of controls and widgets, the dispatch of the model's
// changes, showing and placing, what a click means to the model) is
// toolkit/FormView's; this class creates, paints and reads the input.
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
#include <QWidget>
#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/FormView.h"

class QEventLoop;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QRect;

namespace zuba::qt {

// What a renderer asks of the front-end around it.
class RendererHost {
 public:
  virtual ~RendererHost() = default;
  // A user action has just been handed to the model; the forms it showed
  // are to be rendered.
  virtual void UserActionDone() = 0;
};

class FormRenderer : public QObject, public toolkit::FormView<QWidget*> {
 public:
  // Builds the window of `form` (shown when the form is visible) and
  // follows the form until it goes. `host` must outlive the renderer.
  FormRenderer(toolkit::Form& form, RendererHost& host);
  ~FormRenderer() override;

  // The form; nullptr once it has gone (the window is then gone too).
  toolkit::Form* Form() const { return form_; }
  QWidget* Window() const { return window_; }
  // The widget of a control of the form; nullptr when it has none.
  QWidget* WidgetOf(const toolkit::Control& control) const { return NativeOf(control); }
  // The widget of the form's control named `name`; nullptr when none.
  QWidget* FindWidget(const std::string& name) const { return FindNative(name); }

  // Waits in a nested event loop until the form's modal loop ends, the
  // form goes or the application quits.
  void RunModalLoop();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building (FormRendererBuild.cpp).
  QWidget* Create(toolkit::Control& control, QWidget* parent) override;
  void Created(toolkit::Control& control, QWidget* widget) override;
  // Every part of the widget shows its input to the renderer first.
  void Install(QWidget* widget);
  void Destroy(toolkit::Control& control, QWidget* widget) override;
  void Discard() override;
  void Restack(toolkit::Control& parent) override;

  // Model to Qt (FormRenderer.cpp).
  void ApplyBounds(toolkit::Control& control) override;
  void ApplyText(toolkit::Control& control) override;
  void ApplyEnabled(toolkit::Control& control) override;
  void ApplyShown(toolkit::Control& control) override;
  // The text of an editable combo box's field, shown from its start unless
  // the user is typing in it.
  void ShowComboText(toolkit::Control& control, const QString& text);
  void ApplyCheck(toolkit::Control& control) override;
  void ApplyItems(toolkit::Control& control) override;
  void ApplySelection(toolkit::Control& control) override;
  void ApplyFocus(toolkit::Control& control) override;
  void ApplyFont(toolkit::Control& control) override;
  void ApplyColor(toolkit::Control& control) override;
  void ApplyRepaint(toolkit::Control& control) override;
  void ApplyStyle(toolkit::Control& control) override;
  void ModalEnded() override;
  void ApplyWindowFlags();
  bool FormShown() const override;
  void HideForm() override;
  void PrepareShow() override;
  void ShowNative() override;
  void Activate() override;
  toolkit::Rect FrameAtModel() const override;
  std::vector<toolkit::Rect> WorkAreas() const override;
  void TakePosition() override;
  void FocusFromModel();

  // Qt to model (FormRendererInput.cpp).
  // The control a widget (or a part of one) stands for; nullptr when none.
  toolkit::Control* ControlFor(QObject* object) const;
  // Whether `object` is still the widget of a control of the form.
  bool Live(const QObject* object) const;
  // The control under the global point `global`; the form where no other
  // control is, nullptr when the window has gone.
  toolkit::Control* ControlAt(const QPoint& global) const;
  // The pointer is at `global`: a control it has come onto shows its hint.
  void HoverAt(const QPoint& global);
  bool HandleKey(toolkit::Control& control, QObject* watched, QKeyEvent* event);
  bool HandleEditKey(toolkit::Control& control, QLineEdit* edit, QKeyEvent* event);
  bool HandleMouse(toolkit::Control& control, QMouseEvent* event);
  // The left button moves with a list box pressed: past the drag distance a
  // drag begins. Released: drops it on the control under the mouse.
  void DragMoved(QMouseEvent* event);
  void DragReleased(toolkit::Control& control, QMouseEvent* event);
  void DragEnded() override;
  void Edited(toolkit::Control& control, QLineEdit* edit, const QString& text);
  void Chosen(toolkit::Control& control, int index);
  void Browse(toolkit::Control& control) override;
  void ActionDone() override { host_.UserActionDone(); }

  RendererHost& host_;
  QPoint dragStart_;
  // The control characters are being typed into (while they are handed on).
  toolkit::Control* typedInto_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  unsigned appliedFlags_ = 0;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_FORMRENDERER_H_
