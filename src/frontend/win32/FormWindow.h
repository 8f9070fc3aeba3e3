// Renders one form of the control model as a window of the Windows API:
// one window per control, at the control's exact bounds in its parent's
// client area, kept in step in each direction. What does not depend on the
// Windows API (the records of controls and windows, the dispatch of the
// model's changes, showing and placing, what a click means to the model)
// is toolkit/FormView's; this class creates, paints and reads the input.
//
// Model to Windows: the form window observes the form (ControlObserver)
// and applies every change (bounds, texts, enabled and visible flags,
// check states, entries and selection, focus, fonts, colours, styles,
// z-order, children added and removed) to the windows. Edits, check boxes,
// radio buttons, drop-down lists, list boxes and the status bar are the
// system's own controls (EDIT, BUTTON, COMBOBOX, LISTBOX and COMCTL32's
// status bar); glyph buttons are drawn by the form window (owner-drawn
// BUTTONs); panels, group boxes, radio groups, labels and pictures are
// windows of a class of our own that paints them as Windows 95 does.
//
// Windows to model: the message loop shows every input message to the
// form window first (PreTranslate), and the window hands it to the
// model's user actions (Click, PressKey, KeyPress, RightClick, Choose,
// Focus, Hover, DragTo, ClickCloseBox); what the model makes of it comes
// back through the observer. The system's controls never act on a click
// or a key by themselves where the model has a say: only an edit's own
// editing (caret, selection, typing in the middle, pasting, the input
// method) is the EDIT's, and its result goes to the model with EditText;
// a drop-down list opens itself and its choice goes to Choose. Tool tips
// ask the model for their text when they are about to show: the control's
// short hint while the application and the control show hints.
#ifndef ZUBA_FRONTEND_WIN32_FORMWINDOW_H_
#define ZUBA_FRONTEND_WIN32_FORMWINDOW_H_

#include "frontend/win32/WinApi.h"

#include <map>
#include <string>
#include <vector>

#include "frontend/win32/WinLook.h"
#include "toolkit/Form.h"
#include "toolkit/FormView.h"

namespace zuba::winui {

// What a form window asks of the front-end around it.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // A user action has just been handed to the model; the forms it showed
  // are to be made windows.
  virtual void UserActionDone() = 0;
  // A menu item was highlighted in an open pop-up menu (WM_MENUSELECT).
  virtual void MenuSelected(WPARAM wParam, LPARAM lParam) = 0;
  // The window that owns the windows of the other forms; nullptr for none.
  virtual HWND OwnerWindow() const = 0;
  virtual GdiCache& Gdi() = 0;
};

class FormWindow : public toolkit::FormView<HWND> {
 public:
  // Registers the window classes of the form windows; once per process,
  // before the first form window.
  static void RegisterClasses(HINSTANCE instance);

  // Makes the window of `form` (shown when the form is visible) and
  // follows the form until it goes. `host` must outlive the form window.
  FormWindow(toolkit::Form& form, WindowHost& host);
  ~FormWindow() override;

  // The form; nullptr once it has gone (its window is gone then too).
  toolkit::Form* Form() const { return form_; }
  HWND Window() const { return window_; }
  // The window of a control of the form; nullptr when it has none.
  HWND WindowOf(const toolkit::Control& control) const { return NativeOf(control); }
  // The window of the form's control named `name`; nullptr when none.
  HWND FindWindowOf(const std::string& name) const { return FindNative(name); }
  // Whether `hwnd` is the form's window or lies inside it.
  bool Contains(HWND hwnd) const;

  // Shows a message of the message loop to the model first: true when the
  // model took it (it is then not dispatched).
  bool PreTranslate(const MSG& msg);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Building (FormWindow.cpp).
  HWND Create(toolkit::Control& control, HWND parent) override;
  void Created(toolkit::Control& control, HWND hwnd) override;
  void Destroy(toolkit::Control& control, HWND hwnd) override;
  void Discard() override;
  void Rebuild(toolkit::Control& control);
  void Restack(toolkit::Control& parent) override;
  void AddTool(HWND hwnd);

  // Model to Windows (FormWindow.cpp).
  void ApplyBounds(toolkit::Control& control) override;
  void ApplyText(toolkit::Control& control) override;
  void ApplyEnabled(toolkit::Control& control) override;
  void ApplyShown(toolkit::Control& control) override;
  void ApplyCheck(toolkit::Control& control) override;
  void ApplyItems(toolkit::Control& control) override;
  void ApplySelection(toolkit::Control& control) override;
  void ApplyFocus(toolkit::Control& control) override;
  void ApplyFont(toolkit::Control& control) override;
  void ApplyColor(toolkit::Control& control) override;
  void ApplyRepaint(toolkit::Control& control) override;
  void ApplyStyle(toolkit::Control& control) override;
  void ModalEnded() override;
  void ApplyWindowStyle();
  bool FormShown() const override;
  void HideForm() override;
  void PrepareShow() override;
  void ShowNative() override;
  void Activate() override;
  toolkit::Rect FrameAtModel() const override;
  std::vector<toolkit::Rect> WorkAreas() const override;
  // The size of the window's frame around the model's client area.
  SIZE FrameSize() const;
  void TakePosition() override;
  void FocusFromModel();

  // Painting of the windows of our own class and the owner-drawn buttons
  // (FormWindowPaint.cpp).
  void Paint(HWND hwnd);
  void PaintPane(toolkit::Control& control, HDC dc, const RECT& rect);
  void DrawButton(const DRAWITEMSTRUCT& item);
  LRESULT ColorFor(HWND child, HDC dc);
  LRESULT Notify(const NMHDR& header);

  // Input (FormWindowInput.cpp).
  toolkit::Control* ControlFor(HWND hwnd) const;
  bool Mouse(toolkit::Control& control, const MSG& msg);
  bool Key(toolkit::Control& control, const MSG& msg);
  bool EditKey(toolkit::Control& control, const MSG& msg);
  bool Accelerator(char letter);
  void Edited(toolkit::Control& control, HWND edit);
  void Chosen(toolkit::Control& control, int index);
  void Browse(toolkit::Control& control) override;
  void ActionDone() override { host_.UserActionDone(); }

  WindowHost& host_;
  HWND tips_ = nullptr;
  // The browse button inside each file-name edit.
  std::map<HWND, toolkit::Control*> browseButtons_;
  std::map<const toolkit::Control*, HBITMAP> browseGlyphs_;
  std::string tipText_;
  HWND pressedWindow_ = nullptr;  // where the left button went down
  POINT dragStart_{};
  bool applying_ = false;  // the model's text is being put into a window
  bool placing_ = false;   // the window is being moved to the model's place
};

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_FORMWINDOW_H_
