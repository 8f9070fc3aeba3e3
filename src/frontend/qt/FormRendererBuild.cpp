// The renderer's building: a widget for each control of the model, and
// the widgets stacked as the model's z-order says (FormRenderer.h).
#include "frontend/qt/FormRenderer.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <vector>

#include "frontend/qt/ButtonWidget.h"
#include "frontend/qt/ControlWidgets.h"
#include "frontend/qt/FileEditWidget.h"
#include "frontend/qt/QtKeys.h"
#include "frontend/qt/QtText.h"
#include "toolkit/Control.h"

namespace zuba::qt {

using toolkit::Control;
using toolkit::ControlKind;

// --- Building ----------------------------------------------------------------

void FormRenderer::Created(Control&, QWidget* widget) { Install(widget); }

void FormRenderer::Install(QWidget* widget) {
  std::vector<QWidget*> parts{widget};
  for (QWidget* part : widget->findChildren<QWidget*>()) parts.push_back(part);
  for (QWidget* part : parts) {
    part->installEventFilter(this);
    part->setMouseTracking(true);
  }
}

void FormRenderer::Restack(Control& parent) {
  // Windowed children on top of each other in the model's z-order; labels
  // and pictures, drawn on the parent, under all of them in theirs.
  QWidget* lowestWindowed = nullptr;
  for (Control* child : parent.ZOrder()) {
    QWidget* widget = child->IsWindowed() ? WidgetOf(*child) : nullptr;
    if (widget == nullptr) continue;
    widget->raise();
    if (lowestWindowed == nullptr) lowestWindowed = widget;
  }
  for (Control* child : parent.ZOrder()) {
    QWidget* widget = child->IsWindowed() ? nullptr : WidgetOf(*child);
    if (widget == nullptr) continue;
    if (lowestWindowed != nullptr) {
      widget->stackUnder(lowestWindowed);
    } else {
      widget->raise();
    }
  }
}

QWidget* FormRenderer::Create(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.Kind()) {
    case ControlKind::kForm: {
      widget = new QWidget(nullptr, Qt::Window);
      widget->setAttribute(Qt::WA_QuitOnClose, false);
      widget->setAutoFillBackground(true);
      break;
    }
    case ControlKind::kPanel:
      widget = new PanelWidget(parent);
      break;
    case ControlKind::kGroupBox:
    case ControlKind::kRadioGroup:
      widget = new GroupBoxWidget(parent);
      break;
    case ControlKind::kLabel:
      widget = new LabelWidget(parent);
      break;
    case ControlKind::kPicture:
      widget = new QLabel(parent);
      break;
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit: {
      QLineEdit* edit = nullptr;
      if (control.Kind() == ControlKind::kFileNameEdit) {
        auto* file = new FileEditWidget(parent);
        QObject::connect(file, &FileEditWidget::Browse, this, [this, &control, file] {
          if (Live(file)) Browse(control);
        });
        edit = file;
      } else {
        edit = new QLineEdit(parent);
      }
      edit->setContextMenuPolicy(Qt::NoContextMenu);
      QObject::connect(edit, &QLineEdit::textEdited, this,
                       [this, &control, edit](const QString& t) {
                         if (Live(edit)) Edited(control, edit, t);
                       });
      widget = edit;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new ButtonWidget(parent);
      // Only a mnemonic (Alt and the marked letter) clicks it natively.
      QObject::connect(button, &QToolButton::clicked, this, [this, &control, button] {
        if (!Live(button)) return;
        control.Click(ShiftOf(QGuiApplication::keyboardModifiers()));
        Done();
      });
      widget = button;
      break;
    }
    case ControlKind::kCheckBox:
      widget = new CheckWidget(parent, false);
      break;
    case ControlKind::kRadioButton:
      widget = new CheckWidget(parent, true);
      break;
    case ControlKind::kComboBox: {
      auto* combo = new ComboWidget(parent);
      combo->setContextMenuPolicy(Qt::NoContextMenu);
      QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), this,
                       [this, &control, combo](int index) {
                         if (Live(combo)) Chosen(control, index);
                       });
      widget = combo;
      break;
    }
    case ControlKind::kListBox:
      widget = new ListWidget(parent);
      break;
    case ControlKind::kStatusBar:
      widget = new StatusBarWidget(parent);
      break;
  }
  widget->setObjectName(ToQt(control.Name()));
  widget->setFocusPolicy(control.IsWindowed() && !control.IsCustomDrawnContainer() &&
                                 control.Kind() != ControlKind::kStatusBar &&
                                 control.Kind() != ControlKind::kForm
                             ? Qt::StrongFocus
                             : Qt::NoFocus);
  return widget;
}

void FormRenderer::Destroy(Control&, QWidget* widget) {
  widget->hide();
  widget->deleteLater();
}

}  // namespace zuba::qt
