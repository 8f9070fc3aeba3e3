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

bool IsEditKind(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kFileNameEdit;
}

bool TakesClicksOnRelease(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
         kind == ControlKind::kRadioButton;
}

}  // namespace

// --- Qt to model -------------------------------------------------------------

Control* FormRenderer::ControlFor(QObject* object) const {
  for (QObject* o = object; o != nullptr; o = o->parent()) {
    auto it = controls_.find(o);
    if (it != controls_.end()) return it->second;
    if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow() && o != window_) return nullptr;
  }
  return nullptr;
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
  Control* pointed = ControlAt(global);
  if (pointed == nullptr || pointed == hovered_) return;
  hovered_ = pointed;
  pointed->Hover();
  Done();
}

void FormRenderer::Done() {
  if (form_ != nullptr) host_.UserActionDone();
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
      return HandleMouse(*control, watched, static_cast<QMouseEvent*>(event));
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
      if (watched == window_) hovered_ = nullptr;
      return false;
    case QEvent::InputMethod: {
      // What an input method commits goes in as typed characters, except
      // into an edit, which takes it where its caret is.
      if (IsEditKind(control->Kind())) return false;
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
      toolkit::Application* app = form_->GetApplication();
      std::string hint = toolkit::GetShortHint(pointed->EffectiveHint());
      if (app != nullptr && app->ShowHint() && pointed->ShowHint() && !hint.empty()) {
        QToolTip::showText(help->globalPos(), ToQt(hint), WidgetOf(*pointed));
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
  if (IsEditKind(control.Kind())) {
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
      return form_ == nullptr || controls_.count(edit) == 0;
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

bool FormRenderer::HandleMouse(Control& control, QObject* watched, QMouseEvent* event) {
  QWidget* widget = WidgetOf(control);
  QPoint global = event->globalPosition().toPoint();
  QPoint at = widget->mapFromGlobal(global);
  QEvent::Type type = event->type();
  ControlKind kind = control.Kind();
  auto gone = [&] { return form_ == nullptr || controls_.count(widget) == 0; };
  if (event->button() == Qt::RightButton) {
    if (type == QEvent::MouseButtonRelease) {
      control.RightClick(at.x(), at.y());
      Done();
    }
    return true;
  }
  if (event->button() != Qt::LeftButton) return true;
  toolkit::ShiftState held = ShiftOf(event->modifiers());
  if (IsEditKind(kind) || kind == ControlKind::kComboBox) {
    if (type == QEvent::MouseButtonPress) {
      control.Click(held);
      Done();
    } else if (type == QEvent::MouseButtonDblClick) {
      control.DoubleClick();
      Done();
    }
    // A drop-down list opens natively; its choice comes back as activated.
    return gone();
  }
  if (kind == ControlKind::kListBox) {
    if (type == QEvent::MouseButtonDblClick) {
      control.DoubleClick();
      Done();
    } else if (type == QEvent::MouseButtonRelease) {
      DragReleased(control, event);
    } else if (type == QEvent::MouseButtonPress) {
      dragSource_ = &control;
      dragStart_ = global;
      dragging_ = false;
      auto* view = static_cast<QListWidget*>(widget);
      int row = view->indexAt(view->viewport()->mapFromGlobal(global)).row();
      bool toggle = (event->modifiers() & Qt::ControlModifier) != 0;
      control.Click(held);
      if (!gone() && row >= 0) {
        auto& list = static_cast<toolkit::ListBox&>(control);
        if (toggle && list.MultiSelect()) {
          list.ToggleChoice(row);
        } else {
          list.Choose(row);
        }
      }
      Done();
    }
    return true;
  }
  (void)watched;
  auto* button = qobject_cast<QToolButton*>(widget);
  if (type == QEvent::MouseButtonPress ||
      (type == QEvent::MouseButtonDblClick && TakesClicksOnRelease(kind))) {
    pressed_ = &control;
    if (button != nullptr && control.Usable()) button->setDown(true);
    return true;
  }
  if (type == QEvent::MouseButtonDblClick) {
    control.DoubleClick();
    Done();
    return true;
  }
  bool click = pressed_ == &control && widget->rect().contains(at);
  pressed_ = nullptr;
  if (button != nullptr) button->setDown(false);
  if (click) {
    control.Click(held);
    Done();
  }
  return true;
}

void FormRenderer::DragMoved(QMouseEvent* event) {
  if (dragSource_ == nullptr || dragging_) return;
  if ((event->buttons() & Qt::LeftButton) == 0) {
    dragSource_ = nullptr;
    return;
  }
  QPoint moved = event->globalPosition().toPoint() - dragStart_;
  if (moved.manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  QApplication::setOverrideCursor(Qt::DragMoveCursor);
}

void FormRenderer::DragReleased(Control& control, QMouseEvent* event) {
  const bool dragged = dragSource_ == &control && dragging_;
  if (dragging_) QApplication::restoreOverrideCursor();
  dragSource_ = nullptr;
  dragging_ = false;
  if (!dragged) return;
  QPoint global = event->globalPosition().toPoint();
  QWidget* under = QApplication::widgetAt(global);
  Control* target = under != nullptr ? ControlFor(under) : nullptr;
  if (target == nullptr || target == &control) return;
  QPoint at = WidgetOf(*target)->mapFromGlobal(global);
  control.DragTo(*target, at.x(), at.y());
  Done();
}

void FormRenderer::Edited(Control& control, QLineEdit* edit, const QString& text) {
  auto& model = static_cast<toolkit::Edit&>(control);
  std::string bytes;
  int cursor = edit->cursorPosition();
  if (!FromQtEdit(model.Text(), text, &bytes) || !model.EditText(bytes)) {
    // Refused (a character without a CP932 code, or an edit that cannot be
    // reached): the field shows the model's text again.
    QApplication::beep();
    if (form_ != nullptr && controls_.count(edit) != 0) {
      edit->setText(ToQt(model.Text()));
      edit->setCursorPosition(std::min(cursor, static_cast<int>(edit->text().size())));
    }
    return;
  }
  Done();
}

void FormRenderer::Chosen(Control& control, int index) {
  if (!static_cast<toolkit::ListControl&>(control).Choose(index) && form_ != nullptr &&
      widgets_.count(&control) != 0) {
    ApplySelection(control);
  }
  Done();
}

void FormRenderer::Browse(Control& control) {
  static_cast<toolkit::FileNameEdit&>(control).Browse();
  Done();
}

}  // namespace zuba::qt
