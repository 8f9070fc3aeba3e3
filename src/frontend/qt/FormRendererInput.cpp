// The renderer's other direction: the user's input handed to the model's
// user actions (FormRenderer.h says how).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QEventLoop>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QWidget>
#include <vector>

#include "frontend/qt/FormRenderer.h"
#include "frontend/qt/QtKeys.h"
#include "frontend/qt/QtLook.h"
#include "frontend/qt/QtText.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Edit.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/Picture.h"
#include "toolkit/RadioButton.h"
#include "toolkit/StatusBar.h"

namespace zuba::qt {

namespace {

using toolkit::Control;
using toolkit::ControlKind;
namespace vk = toolkit::vk;

}  // namespace

// --- Qt to model -------------------------------------------------------------

Control* FormRenderer::ControlFor(QObject* object) const {
  for (QObject* o = object; o != nullptr; o = o->parent()) {
    if (!o->isWidgetType()) continue;
    if (Control* control = ControlOf(static_cast<QWidget*>(o))) return control;
    if (static_cast<QWidget*>(o)->isWindow() && o != window_) return nullptr;
  }
  return nullptr;
}

bool FormRenderer::Live(const QObject* object) const {
  return form_ != nullptr && object->isWidgetType() &&
         ControlOf(static_cast<QWidget*>(const_cast<QObject*>(object))) != nullptr;
}

Control* FormRenderer::ControlAt(const QPoint& global) const {
  if (window_ == nullptr) return nullptr;
  QWidget* under = window_->childAt(window_->mapFromGlobal(global));
  return ControlFor(under != nullptr ? under : window_);
}

void FormRenderer::HoverAt(const QPoint& global) {
  // A mouse move that a button, a check box or a drop-down list leaves
  // unhandled goes on to its parent: the hint is always that of the
  // control under the pointer, not of whoever saw the event.
  if (Control* pointed = ControlAt(global)) Hovered(*pointed);
}

bool FormRenderer::eventFilter(QObject* watched, QEvent* event) {
  if (form_ == nullptr) return false;
  Control* control = ControlFor(watched);
  if (control == nullptr) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      // Only where Qt delivers the key first; a key passed on to a parent
      // widget has been handled already.
      QWidget* focus = window_->focusWidget();
      if (focus != nullptr ? watched != focus : watched != window_) return false;
      return HandleKey(*control, watched, static_cast<QKeyEvent*>(event));
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return HandleMouse(*control, static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      DragMoved(mouse);
      HoverAt(mouse->globalPosition().toPoint());
      return false;
    }
    case QEvent::Enter:
      HoverAt(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
      return false;
    case QEvent::Leave:
      if (watched == window_) Left();
      return false;
    case QEvent::InputMethod: {
      // What an input method commits goes in as typed characters, except
      // into an edit, which takes it where its caret is.
      if (IsEdit(control->Kind())) return false;
      auto* input = static_cast<QInputMethodEvent*>(event);
      std::string bytes;
      if (!input->commitString().isEmpty() && FromQt(input->commitString(), &bytes)) {
        typedInto_ = control;
        for (char byte : bytes) {
          if (form_ == nullptr || !control->KeyPress(byte)) break;
        }
        typedInto_ = nullptr;
        Done();
      }
      return true;
    }
    case QEvent::ContextMenu:
      return true;  // right clicks go to the model
    case QEvent::ToolTip: {
      // The tip of the control under the pointer, whichever widget Qt asks
      // (a part of a control, or a parent the request went on to).
      auto* help = static_cast<QHelpEvent*>(event);
      Control* pointed = ControlAt(help->globalPos());
      if (pointed == nullptr) pointed = control;
      std::string tip = TipOf(*pointed);
      if (!tip.empty()) {
        QToolTip::showText(help->globalPos(), ToQt(tip), WidgetOf(*pointed));
      } else {
        QToolTip::hideText();
      }
      return true;
    }
    case QEvent::FocusIn: {
      if (control->Focused() || control == form_) return false;
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::MouseFocusReason && control->Focus()) {
        Done();
        return false;
      }
      if (form_ != nullptr) FocusFromModel();
      return false;
    }
    case QEvent::Close:
      if (watched != window_) return false;
      event->ignore();
      form_->ClickCloseBox();
      Done();
      return true;
    case QEvent::Move:
      if (watched == window_ && event->spontaneous()) TakePosition();
      return false;
    case QEvent::Resize:
      if (watched == window_ && event->spontaneous() &&
          form_->GetBorderStyle() == toolkit::BorderStyle::kSizeable) {
        form_->SetClientSize(window_->width(), window_->height());
      }
      return false;
    default:
      return false;
  }
}

bool FormRenderer::HandleKey(Control& control, QObject* watched, QKeyEvent* event) {
  if (IsEdit(control.Kind())) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) return HandleEditKey(control, edit, event);
  }
  std::uint16_t key = VirtualKeyOf(*event);
  toolkit::ShiftState shift = ShiftOf(*event);
  QString typed = TypedText(*event);
  char simple = key != 0 ? toolkit::CharForKey(key, shift) : 0;
  typedInto_ = typed.isEmpty() ? nullptr : &control;
  if (key != 0 && (typed.isEmpty() || (typed.size() == 1 && typed[0] == QLatin1Char(simple)))) {
    control.PressKey(key, shift);
  } else if (!typed.isEmpty()) {
    std::string bytes;
    if (!FromQt(typed, &bytes)) {
      typedInto_ = nullptr;
      QApplication::beep();
      return true;
    }
    for (char byte : bytes) {
      if (form_ == nullptr || !control.KeyPress(byte)) break;
    }
  }
  typedInto_ = nullptr;
  Done();
  return true;
}

bool FormRenderer::HandleEditKey(Control& control, QLineEdit* edit, QKeyEvent* event) {
  std::uint16_t key = VirtualKeyOf(*event);
  toolkit::ShiftState shift = ShiftOf(*event);
  bool atEnd = !edit->hasSelectedText() && edit->cursorPosition() == edit->text().size();
  switch (key) {
    case vk::kLeft:
    case vk::kRight:
    case vk::kHome:
    case vk::kEnd:
    case vk::kDelete:
    case vk::kInsert:
      // The handlers see the key; the caret and deleting are the edit's.
      control.PressKey(key, shift);
      Done();
      return !Live(edit);
    case vk::kBack:
      if (atEnd && shift.NoKeys()) break;  // the model's own Backspace
      return false;
    case vk::kShift:
    case vk::kControl:
    case vk::kMenu:
      control.PressKey(key, shift);
      Done();
      return true;
    default:
      if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        if (key == vk::kReturn || key == vk::kEscape || key == vk::kTab || key >= 0x70) break;
        return false;  // cut, copy, paste, undo, select all
      }
      if (QString typed = TypedText(*event); !typed.isEmpty()) {
        std::string bytes;
        if (!FromQt(typed, &bytes)) {
          QApplication::beep();
          return true;
        }
        if (!atEnd) return false;  // typed in the middle: the edit inserts it
        for (char byte : bytes) {
          if (form_ == nullptr || !control.KeyPress(byte)) break;
        }
        Done();
        return true;
      }
      break;
  }
  control.PressKey(key, shift);
  Done();
  return true;
}

bool FormRenderer::HandleMouse(Control& control, QMouseEvent* event) {
  QWidget* widget = WidgetOf(control);
  const QPoint global = event->globalPosition().toPoint();
  const QPoint at = widget->mapFromGlobal(global);
  const QEvent::Type type = event->type();
  const ControlKind kind = control.Kind();
  toolkit::MouseInput input;
  input.button = event->button() == Qt::LeftButton    ? toolkit::MouseButton::kLeft
                 : event->button() == Qt::RightButton ? toolkit::MouseButton::kRight
                                                      : toolkit::MouseButton::kMiddle;
  input.step = type == QEvent::MouseButtonPress     ? toolkit::MouseStep::kPress
               : type == QEvent::MouseButtonRelease ? toolkit::MouseStep::kRelease
                                                    : toolkit::MouseStep::kDoubleClick;
  input.held = ShiftOf(event->modifiers());
  input.x = at.x();
  input.y = at.y();
  input.inside = widget->rect().contains(at);
  const bool left = input.button == toolkit::MouseButton::kLeft;
  if (left && kind == ControlKind::kListBox && input.step == toolkit::MouseStep::kPress) {
    auto* view = static_cast<QListWidget*>(widget);
    input.row = view->indexAt(view->viewport()->mapFromGlobal(global)).row();
    dragStart_ = global;
  }
  auto* button = qobject_cast<QToolButton*>(widget);
  if (left && input.step == toolkit::MouseStep::kRelease && button != nullptr &&
      PressedAsAButton(kind, false)) {
    button->setDown(false);  // shown up before the click's handlers run
  }
  switch (Mouse(control, input)) {
    case toolkit::MouseOutcome::kNative:
      return false;  // an edit places its caret, a drop-down list opens natively
    case toolkit::MouseOutcome::kPressed:
      if (button != nullptr && control.Usable()) button->setDown(true);
      return true;
    case toolkit::MouseOutcome::kListReleased:
      DragReleased(control, event);
      return true;
    default:
      return true;
  }
}

void FormRenderer::DragMoved(QMouseEvent* event) {
  if (dragSource_ == nullptr || dragging_) return;
  if ((event->buttons() & Qt::LeftButton) == 0) {
    EndDrag();
    return;
  }
  QPoint moved = event->globalPosition().toPoint() - dragStart_;
  if (FormView::DragMoved(moved.manhattanLength(), QApplication::startDragDistance())) {
    QApplication::setOverrideCursor(Qt::DragMoveCursor);
  }
}

void FormRenderer::DragEnded() { QApplication::restoreOverrideCursor(); }

void FormRenderer::DragReleased(Control& control, QMouseEvent* event) {
  QPoint global = event->globalPosition().toPoint();
  QWidget* under = QApplication::widgetAt(global);
  Control* target = under != nullptr ? ControlFor(under) : nullptr;
  QPoint at = target != nullptr ? WidgetOf(*target)->mapFromGlobal(global) : QPoint();
  Dropped(control, target, at.x(), at.y());
}

void FormRenderer::Edited(Control& control, QLineEdit* edit, const QString& text) {
  auto& model = static_cast<toolkit::Edit&>(control);
  std::string bytes;
  int cursor = edit->cursorPosition();
  if (!FromQtEdit(model.Text(), text, &bytes) || !model.EditText(bytes)) {
    // Refused (a character without a CP932 code, or an edit that cannot be
    // reached): the field shows the model's text again.
    QApplication::beep();
    if (Live(edit)) {
      edit->setText(ToQt(model.Text()));
      edit->setCursorPosition(std::min(cursor, static_cast<int>(edit->text().size())));
    }
    return;
  }
  Done();
}

void FormRenderer::Chosen(Control& control, int index) {
  if (!static_cast<toolkit::ListControl&>(control).Choose(index) && !Gone(control)) {
    ApplySelection(control);
  }
  Done();
}

void FormRenderer::Browse(Control& control) {
  static_cast<toolkit::FileNameEdit&>(control).Browse();
  Done();
}

}  // namespace zuba::qt
