// A control of the model: a component with a place on a form. It carries
// the state every control of the window toolkit has (bounds, visibility, its
// own Enabled flag, caption, hint, help context, font, colour, children,
// tab order, focus), raises the common events, and offers the actions a
// user performs on it. Each action first checks that the control can take
// the input (it, and every parent, is enabled and visible) and answers
// false, doing nothing, when it cannot.
#ifndef ZUBA_TOOLKIT_CONTROL_H_
#define ZUBA_TOOLKIT_CONTROL_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/ControlObserver.h"
#include "toolkit/Events.h"
#include "toolkit/Graphics.h"
#include "toolkit/Keys.h"

namespace zuba::toolkit {

class Form;
class PopupMenu;

// What a control is, for a renderer that creates one widget per control.
enum class ControlKind {
  kForm,
  kPanel,
  kGroupBox,
  kRadioGroup,
  kLabel,
  kPicture,
  kEdit,
  kFileNameEdit,
  kButton,
  kCheckBox,
  kRadioButton,
  kComboBox,
  kListBox,
  kStatusBar,
};

// How a control follows its parent's client area.
enum class Align { kNone, kTop, kBottom, kLeft, kRight, kClient };

class Control : public Component {
 public:
  Control() = default;
  ~Control() override;

  virtual ControlKind Kind() const = 0;
  // A windowed control has a window of its own and can take the focus;
  // labels and pictures are drawn on their parent.
  virtual bool IsWindowed() const { return true; }
  // A custom-drawn windowed container (panels, group boxes, radio groups).
  virtual bool IsCustomDrawnContainer() const { return false; }

  // --- Tree ---------------------------------------------------------------

  Control* Parent() const { return parent_; }
  // The child controls in creation order.
  const std::vector<Control*>& Children() const { return children_; }
  // The form this control is on (itself for a form); nullptr when none.
  Form* ParentForm() const;
  // The topmost parent (a form, or the control itself).
  Control& Root();
  // The child with this name, searched in the whole tree below; nullptr when
  // none.
  Control* FindControl(const std::string& name) const;
  // Destroys a child control. False when `child` is not a child of this one.
  bool DestroyChild(Control& child) { return DestroyComponent(child); }

  Application* GetApplication() const override;

  // --- Bounds -------------------------------------------------------------

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const Rect& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  // The client area's size (a form's excludes its frame).
  virtual int ClientWidth() const { return Width(); }
  virtual int ClientHeight() const { return Height(); }
  // Converts a point of this control's client area to screen coordinates.
  virtual void ClientToScreen(int x, int y, int* screenX, int* screenY) const;

  Align GetAlign() const { return align_; }
  void SetAlign(Align align);

  // --- Visibility and enabled state ---------------------------------------

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  // The control's own flag.
  bool Enabled() const { return enabled_; }
  // Changes the own flag; when it really changes, EnabledChanged runs.
  void SetEnabled(bool enabled);
  // The effective state: this control and every parent are enabled.
  bool Usable() const;
  // Usable, and this control and every parent below the form are visible: a
  // user can reach it. (A form need not be shown for its controls to take
  // input, so the model works before the first show.)
  bool Reachable() const;

  // --- Text, hint, help, font, colour -------------------------------------

  // Caption and text are one value (the window text).
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  virtual const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // ShowHint: tool tips for this control. With ParentShowHint (the default)
  // the control follows its parent's ShowHint.
  bool ShowHint() const;
  void SetShowHint(bool showHint);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool parentShowHint);
  // The hint the mouse shows over this control: its own, else the nearest
  // parent's.
  std::string EffectiveHint() const;

  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int helpContext) { helpContext_ = helpContext; }

  // The font in force: the control's own, or with ParentFont its parent's.
  const Font& GetFont() const;
  void SetFont(const Font& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  // The colour in force: the control's own, or with ParentColor its parent's.
  Color GetColor() const;
  void SetColor(Color color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  // --- Focus and tab order ------------------------------------------------

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  // Position among the parent's windowed children (0 first); -1 for a
  // control that is not windowed or has no parent.
  int TabOrder() const;
  void SetTabOrder(int order);
  // The windowed children in tab order.
  const std::vector<Control*>& TabList() const { return tabList_; }

  // --- Z-order ------------------------------------------------------------

  // The children from the bottom up: creation order, changed by
  // BringToFront and SendToBack. Windowed children are always drawn above
  // the labels and pictures of their parent, whatever their places here.
  const std::vector<Control*>& ZOrder() const { return zOrder_; }
  // Puts the control above (below) all its siblings, leaving the creation
  // order (Children) and the tab order as they are.
  void BringToFront();
  void SendToBack();

  // A windowed control that a user can reach.
  bool CanFocus() const;
  bool Focused() const;
  // Moves the focus here by program. Throws system::Exception when the
  // control cannot take the focus (disabled, hidden or not windowed).
  void SetFocus();

  // The pop-up menu shown by a right click; nullptr for none.
  PopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(PopupMenu* menu);

  // --- Observers ----------------------------------------------------------

  // `observer` hears of every change of this control and of the controls
  // below it until it is removed or this control goes. A control destroyed
  // through DestroyChild announces kChildRemoved for its whole subtree
  // first; a form that goes (with its application) tells nobody.
  void AddObserver(ControlObserver& observer);
  void RemoveObserver(ControlObserver& observer);
  // Asks for a repaint (kRepaint); Update paints at once.
  void Invalidate() { Notify(Change::kRepaint); }
  void Update() { Notify(Change::kRepaint); }

  // --- Events -------------------------------------------------------------

  void SetOnClick(NotifyEvent handler) { onClick_ = std::move(handler); }
  void SetOnDblClick(NotifyEvent handler) { onDblClick_ = std::move(handler); }
  void SetOnMouseDown(MouseEvent handler) { onMouseDown_ = std::move(handler); }
  void SetOnMouseUp(MouseEvent handler) { onMouseUp_ = std::move(handler); }
  void SetOnEnter(NotifyEvent handler) { onEnter_ = std::move(handler); }
  void SetOnExit(NotifyEvent handler) { onExit_ = std::move(handler); }
  void SetOnKeyDown(KeyEvent handler) { onKeyDown_ = std::move(handler); }
  void SetOnKeyPress(KeyPressEvent handler) { onKeyPress_ = std::move(handler); }
  void SetOnDragOver(DragOverEvent handler) { onDragOver_ = std::move(handler); }
  void SetOnDragDrop(DragDropEvent handler) { onDragDrop_ = std::move(handler); }

  // --- User actions -------------------------------------------------------
  // Each answers false, doing nothing, when the control is not Reachable().

  // A left click: focuses a control that takes the focus on a click, then
  // raises OnMouseDown, does what a click does to this kind of control
  // (UserClick) and raises OnMouseUp. `shift`: the keys held meanwhile
  // (Application::HeldKeys).
  bool Click(ShiftState shift = {});
  bool DoubleClick();
  // A right click at x, y (client coordinates): OnMouseDown and OnMouseUp
  // with the right button, then the control's pop-up menu, if any.
  bool RightClick(int x = 0, int y = 0);
  // The mouse rests over the control: the application's hint becomes its
  // long hint.
  bool Hover();
  // The user moves the focus here (a click or a Tab). False as well when the
  // control cannot take the focus.
  bool Focus();
  // A key pressed while this control has the focus (it is focused first):
  // the key-down handlers (the form's first with KeyPreview), then the
  // dialog keys (Tab, Escape for the cancel button, Return for the default
  // button, F1 for help), the control's own key handling, and the character
  // the key produces through the key-press handlers.
  bool PressKey(std::uint16_t key, ShiftState shift = {});
  // One character typed (WM_CHAR) while this control has the focus.
  bool KeyPress(char key);
  // Types a text: each character as KeyPress; CR, ESC, BS and TAB go
  // through PressKey with their keys.
  bool TypeText(const std::string& text);
  // Drags this control onto `target` and drops it at x, y of the target:
  // the target's OnDragOver decides, its OnDragDrop receives the drop.
  bool DragTo(Control& target, int x = 0, int y = 0);

 protected:
  // The own enabled flag has just changed. Base: tells the observers.
  // Subclasses call the base first.
  virtual void EnabledChanged();
  // The own visible flag has just changed. Base: tells the observers.
  virtual void VisibleChanged();
  // The text has just changed. Base: tells the observers.
  virtual void TextChanged();
  // The bounds have just changed. Base: tells the observers, lays out
  // aligned children.
  virtual void BoundsChanged();

  // What a user's click does to this kind of control; base: OnClick.
  virtual void UserClick();
  // Whether a click moves the focus to this control.
  virtual bool FocusOnClick() const { return false; }
  // The control's own handling of a key after the handlers and dialog keys;
  // true when the key is used up (no character follows).
  virtual bool HandleKey(std::uint16_t key, ShiftState shift);
  // The control's own handling of a character after the key-press
  // handlers; 0 when they swallowed it.
  virtual void HandleChar(char key);
  // Whether the control takes Tab, Return or Escape itself (a multi-line
  // edit would); those are then no dialog keys for it.
  virtual bool WantsKey(std::uint16_t key) const;

  virtual void DoEnter();
  virtual void DoExit();

  // Raise the events through the handler path.
  void FireClick();
  void FireDblClick();
  void FireMouseDown(MouseButton button, ShiftState shift, int x, int y);
  void FireMouseUp(MouseButton button, ShiftState shift, int x, int y);
  void FireKeyDown(std::uint16_t& key, ShiftState shift);
  void FireKeyPress(char& key);

  // Runs a user action: through the application's dispatch when there is
  // one, else directly. `held`: the keys the user holds meanwhile.
  void Dispatch(const std::function<void()>& action, ShiftState held = {});

  // Tells the observers of this control and of every parent.
  void Notify(Change change);

  // Moves the focus here as a user's click does (OnExit, OnEnter), without
  // checking that the control can take it.
  void TakeFocus();

  // Lays out the children with an Align other than kNone in this control's
  // client area.
  void RealignChildren();

  void Adopt(std::unique_ptr<Component> component) override;
  void Releasing(Component& component) override;
  // Subclasses that override it call the base (it forgets a pop-up menu
  // that goes).
  void Notification(Component& component, Operation operation) override;

 private:
  friend class Form;

  void LinkChild(Control& child);
  void UnlinkChild(Control& child);
  void NotifyInheritors(Change change, bool (Control::*inherits)() const);
  // The key and character path of PressKey and KeyPress, on this control
  // as the focused one.
  void DeliverKey(std::uint16_t key, ShiftState shift);
  void DeliverChar(char key);

  bool isForm_ = false;  // known without a virtual call, also while a form goes
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::vector<Control*> tabList_;
  std::vector<Control*> zOrder_;
  std::vector<ControlObserver*> observers_;
  Rect bounds_;
  Align align_ = Align::kNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  int helpContext_ = 0;
  Font font_;
  bool parentFont_ = true;
  Color color_ = kClBtnFace;
  bool parentColor_ = true;
  bool tabStop_ = false;
  bool aligning_ = false;
  PopupMenu* popupMenu_ = nullptr;

  NotifyEvent onClick_;
  NotifyEvent onDblClick_;
  MouseEvent onMouseDown_;
  MouseEvent onMouseUp_;
  NotifyEvent onEnter_;
  NotifyEvent onExit_;
  KeyEvent onKeyDown_;
  KeyPressEvent onKeyPress_;
  DragOverEvent onDragOver_;
  DragDropEvent onDragDrop_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_CONTROL_H_
