// A form: a top-level window of the model. It holds the focus of its
// controls, previews keys, handles the dialog keys, and is shown, hidden,
// closed or run modally.
#ifndef ZUBA_TOOLKIT_FORM_H_
#define ZUBA_TOOLKIT_FORM_H_

#include <cstdint>

#include "toolkit/Control.h"

namespace zuba::toolkit {

// The result of a modal form (the Windows ID* values; 0 while running).
enum class ModalResult {
  kNone = 0,
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7
};

enum class BorderStyle { kNone, kSingle, kSizeable, kDialog, kToolWindow };
enum BorderIcon : unsigned { kBiSystemMenu = 1, kBiMinimize = 2, kBiMaximize = 4, kBiHelp = 8 };
// Where the form appears when first shown.
enum class FormPosition { kDesigned, kDefault, kDefaultPosOnly, kScreenCenter };

class Form : public Control {
 public:
  // A form belongs to `app` (which must outlive it) and starts hidden.
  explicit Form(Application& app);
  ~Form() override;

  ControlKind Kind() const override { return ControlKind::kForm; }
  Application* GetApplication() const override { return &app_; }
  Application& App() const { return app_; }

  // --- Window -------------------------------------------------------------

  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle style);
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons);
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position) { position_ = position; }
  // Whether Left or Top has changed since the form was created. A form of
  // a default position that the program has placed before its first show
  // appears where it was placed, not where the system would put it.
  bool PositionSet() const { return positionSet_; }
  // The program moves the form to `left`, `top`: PositionSet from now on,
  // also where the form stood there already.
  void MoveTo(int left, int top);

  // The bounds of a form are its window on the screen; the client area is
  // what lies inside the frame and the caption.
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientSize(int width, int height);
  void ClientToScreen(int x, int y, int* screenX, int* screenY) const override;
  // The frame width and the caption height of the border style.
  int FrameWidth() const;
  int CaptionHeight() const;

  // --- Keys and focus -----------------------------------------------------

  // With KeyPreview the form's OnKeyDown and OnKeyPress see every key first.
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }

  // The control that has (or gets, when the form is shown) the focus.
  Control* ActiveControl() const { return activeControl_; }
  // By program; nullptr takes the focus away. Throws system::Exception when
  // the control is not on this form or cannot take the focus.
  void SetActiveControl(Control* control);
  // Moves the focus to the next (or previous) control in tab order after
  // `current` (nullptr: from the start) that has a tab stop and can take the
  // focus. False when there is none.
  bool SelectNext(Control* current, bool forward);

  // --- Life ---------------------------------------------------------------

  void SetOnCreate(NotifyEvent handler) { onCreate_ = std::move(handler); }
  void SetOnShow(NotifyEvent handler) { onShow_ = std::move(handler); }
  void SetOnHide(NotifyEvent handler) { onHide_ = std::move(handler); }
  void SetOnClose(CloseEvent handler) { onClose_ = std::move(handler); }
  void SetOnCloseQuery(CloseQueryEvent handler) { onCloseQuery_ = std::move(handler); }

  // Raises OnCreate, once: the form's construction is complete.
  // Application::CreateForm calls it.
  void FinishCreation();

  // Shows the form modally: raises OnShow, runs the modal loop of the UI
  // services until ModalResult is set (a button with a modal result, Close,
  // the close box) and the close handlers let the form go, hides it and
  // answers the modal result. Throws system::Exception when the form is
  // already visible.
  ModalResult ShowModal();
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult result) { modalResult_ = result; }
  bool ModalLoopRunning() const { return modalRunning_; }
  // Ends a running modal loop as cancelled without asking the close
  // handlers (the UI services use it when the loop cannot go on).
  void AbortModal();

  // Closes the form: a modal form gets the modal result Cancel; otherwise
  // OnCloseQuery may refuse, OnClose chooses what happens (default: hide),
  // and closing the main form terminates the application.
  void Close();
  // The user clicks the close box of the title bar.
  bool ClickCloseBox();

 protected:
  // The visible flag has just changed; base: shown, raises OnShow and then
  // focuses the first control in tab order when none is active; hidden,
  // raises OnHide. Subclasses call the base first.
  virtual void ShowingChanged();
  void VisibleChanged() override;
  void BoundsChanged() override;

 private:
  friend class Control;
  friend class Application;

  // Escape, Return, Tab and F1 as dialog keys; true when used up.
  bool DialogKey(Control& target, std::uint16_t key, ShiftState shift);
  // A control leaves the form: forget it as the active control.
  void ForgetControl(Control& removed);
  void FocusControl(Control* control);
  bool CloseQuery();
  void DoClose(CloseAction& action);
  void CloseModal();
  // Where a key pressed on the form goes: the active control when it is
  // reachable, else the form.
  Control& KeyTarget();

  Application& app_;
  BorderStyle borderStyle_ = BorderStyle::kSizeable;
  unsigned borderIcons_ = kBiSystemMenu | kBiMinimize | kBiMaximize;
  FormPosition position_ = FormPosition::kDesigned;
  bool positionSet_ = false;
  int seenLeft_ = 0;  // Left and Top as last seen by BoundsChanged
  int seenTop_ = 0;
  bool keyPreview_ = false;
  Control* activeControl_ = nullptr;
  bool created_ = false;
  ModalResult modalResult_ = ModalResult::kNone;
  bool modalRunning_ = false;
  NotifyEvent onCreate_;
  NotifyEvent onShow_;
  NotifyEvent onHide_;
  CloseEvent onClose_;
  CloseQueryEvent onCloseQuery_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FORM_H_
