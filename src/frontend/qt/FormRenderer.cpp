#include "frontend/qt/FormRenderer.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "frontend/qt/ButtonWidget.h"
#include "frontend/qt/ControlWidgets.h"
#include "frontend/qt/FileEditWidget.h"
#include "frontend/qt/Glyphs.h"
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
#include "toolkit/ScreenArea.h"
#include "toolkit/StatusBar.h"

namespace zuba::qt {

namespace {

using toolkit::Control;
using toolkit::ControlKind;

// The work areas of the screens (each less its task bar and panels).
std::vector<toolkit::Rect> ScreenWorkAreas() {
  std::vector<toolkit::Rect> areas;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    areas.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  return areas;
}

// A caption with CR LF pairs (and lone CRs) as Qt's line breaks.
QString Lines(const std::string& text) { return QtLineBreaks(ToQt(text)); }

Qt::Alignment HorizontalOf(toolkit::Alignment alignment) {
  switch (alignment) {
    case toolkit::Alignment::kRightJustify:
      return Qt::AlignRight;
    case toolkit::Alignment::kCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

BevelKind BevelOf(toolkit::Bevel bevel) {
  switch (bevel) {
    case toolkit::Bevel::kLowered:
      return BevelKind::kLowered;
    case toolkit::Bevel::kRaised:
      return BevelKind::kRaised;
    default:
      return BevelKind::kNone;
  }
}

}  // namespace

FormRenderer::FormRenderer(toolkit::Form& form, RendererHost& host)
    : FormView(form), host_(host) {
  Start();
}

FormRenderer::~FormRenderer() {
  Stop();
  if (modalLoop_ != nullptr) modalLoop_->quit();
  delete window_;
}

void FormRenderer::Discard() {
  if (modalLoop_ != nullptr) modalLoop_->quit();
  if (window_ != nullptr) {
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
  }
}

void FormRenderer::RunModalLoop() {
  if (form_ == nullptr || !form_->ModalLoopRunning()) return;
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
}

// --- Model to Qt -------------------------------------------------------------

void FormRenderer::ModalEnded() {
  if (modalLoop_ != nullptr) modalLoop_->quit();
}

void FormRenderer::ApplyEnabled(Control& control) { WidgetOf(control)->setEnabled(control.Enabled()); }

void FormRenderer::ApplyRepaint(Control& control) {
  if (QWidget* widget = WidgetOf(control); widget->isVisible()) widget->repaint();
}

void FormRenderer::ApplyBounds(Control& control) {
  QWidget* widget = WidgetOf(control);
  if (control.Kind() != ControlKind::kForm) {
    widget->setGeometry(control.Left(), control.Top(), std::max(control.Width(), 0),
                        std::max(control.Height(), 0));
    return;
  }
  QSize client(form_->ClientWidth(), form_->ClientHeight());
  // A window that grows (edit mode) stays whole on its screen: the model
  // moves, and its change places the window.
  if (!SystemPlaces() && widget->isVisible() && widget->size() != client && KeepOnScreen()) return;
  if (form_->GetBorderStyle() == toolkit::BorderStyle::kSizeable) {
    widget->setMinimumSize(0, 0);
    widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    widget->setFixedSize(client);
  }
  if (SystemPlaces()) {
    widget->resize(client);
    return;
  }
  int left = form_->Left() + form_->FrameWidth();
  int top = form_->Top() + form_->FrameWidth() + form_->CaptionHeight();
  widget->setGeometry(left, top, client.width(), client.height());
}

void FormRenderer::ApplyText(Control& control) {
  QWidget* widget = WidgetOf(control);
  switch (control.Kind()) {
    case ControlKind::kForm:
      widget->setWindowTitle(ToQt(control.Caption()));
      break;
    case ControlKind::kLabel:
      static_cast<LabelWidget*>(widget)->SetCaption(Lines(control.Caption()));
      break;
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      QString shown = ToQt(control.Text());
      if (edit->text() == shown) break;
      // Typing goes on at the end; a text set by program shows from its start.
      edit->setText(shown);
      edit->setCursorPosition(edit->hasFocus() || control.Focused() ? shown.size() : 0);
      break;
    }
    case ControlKind::kButton:
      static_cast<QToolButton*>(widget)->setText(ToQt(control.Caption()));
      break;
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      static_cast<CheckWidget*>(widget)->SetCaption(Lines(control.Caption()));
      break;
    case ControlKind::kPanel:
      static_cast<PanelWidget*>(widget)->SetCaption(
          ToQt(control.Caption()),
          HorizontalOf(static_cast<toolkit::Panel&>(control).GetAlignment()));
      break;
    case ControlKind::kGroupBox:
    case ControlKind::kRadioGroup:
      static_cast<GroupBoxWidget*>(widget)->SetCaption(ToQt(control.Caption()));
      break;
    case ControlKind::kComboBox: {
      auto* combo = static_cast<QComboBox*>(widget);
      if (combo->isEditable() && combo->lineEdit()->text() != ToQt(control.Text())) {
        ShowComboText(control, ToQt(control.Text()));
      }
      break;
    }
    case ControlKind::kStatusBar:
      static_cast<StatusBarWidget*>(widget)->SetText(
          ToQt(static_cast<toolkit::StatusBar&>(control).SimpleText()));
      break;
    default:
      break;
  }
}

void FormRenderer::ShowComboText(Control& control, const QString& text) {
  // As in an edit: typing goes on at the end, a text chosen or set by
  // program shows from its start (a long entry in a narrow box would
  // otherwise show its end).
  QLineEdit* field = static_cast<QComboBox*>(WidgetOf(control))->lineEdit();
  if (field->text() != text) field->setText(text);
  field->setCursorPosition(typedInto_ == &control ? text.size() : 0);
}

void FormRenderer::ApplyShown(Control& control) { WidgetOf(control)->setVisible(control.Visible()); }

bool FormRenderer::FormShown() const { return window_->isVisible(); }

void FormRenderer::HideForm() { window_->hide(); }

void FormRenderer::PrepareShow() {
  ApplyWindowFlags();
  window_->setWindowModality(form_->ModalLoopRunning() ? Qt::ApplicationModal : Qt::NonModal);
}

void FormRenderer::ShowNative() { window_->show(); }

void FormRenderer::Activate() {
  window_->raise();
  window_->activateWindow();
  FocusFromModel();
}

toolkit::Rect FormRenderer::FrameAtModel() const {
  return toolkit::Rect{form_->Left(), form_->Top(), form_->Width(), form_->Height()};
}

std::vector<toolkit::Rect> FormRenderer::WorkAreas() const { return ScreenWorkAreas(); }

void FormRenderer::TakePosition() {
  QRect client = window_->geometry();
  form_->SetBounds(client.x() - form_->FrameWidth(),
                   client.y() - form_->FrameWidth() - form_->CaptionHeight(), form_->Width(),
                   form_->Height());
}

void FormRenderer::ApplyWindowFlags() {
  using toolkit::BorderStyle;
  Qt::WindowFlags flags = Qt::Window;
  switch (form_->GetBorderStyle()) {
    case BorderStyle::kNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case BorderStyle::kToolWindow:
      flags = Qt::Tool;
      break;
    case BorderStyle::kDialog:
      flags = Qt::Dialog;
      break;
    default:
      break;
  }
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  unsigned icons = form_->BorderIcons();
  if (icons & toolkit::kBiSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (icons & toolkit::kBiMinimize) flags |= Qt::WindowMinimizeButtonHint;
  if ((icons & toolkit::kBiMaximize) && form_->GetBorderStyle() == BorderStyle::kSizeable) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  if (static_cast<unsigned>(flags) == appliedFlags_) return;
  appliedFlags_ = static_cast<unsigned>(flags);
  bool visible = window_->isVisible();
  window_->setWindowFlags(flags);
  if (visible) window_->show();
}

void FormRenderer::ApplyCheck(Control& control) {
  if (control.Kind() == ControlKind::kCheckBox) {
    auto state = static_cast<toolkit::CheckBox&>(control).State();
    static_cast<CheckWidget*>(WidgetOf(control))
        ->SetMark(state == toolkit::CheckState::kChecked  ? CheckWidget::Mark::kChecked
                  : state == toolkit::CheckState::kGrayed ? CheckWidget::Mark::kGrayed
                                                          : CheckWidget::Mark::kUnchecked);
  } else if (control.Kind() == ControlKind::kRadioButton) {
    static_cast<CheckWidget*>(WidgetOf(control))
        ->SetMark(static_cast<toolkit::RadioButton&>(control).Checked()
                      ? CheckWidget::Mark::kChecked
                      : CheckWidget::Mark::kUnchecked);
  }
}

void FormRenderer::ApplyItems(Control& control) {
  if (control.Kind() != ControlKind::kComboBox && control.Kind() != ControlKind::kListBox) return;
  QStringList items;
  for (const std::string& item : static_cast<toolkit::ListControl&>(control).Items()) {
    items << ToQt(item);
  }
  QWidget* widget = WidgetOf(control);
  QSignalBlocker block(widget);
  if (control.Kind() == ControlKind::kComboBox) {
    auto* combo = static_cast<QComboBox*>(widget);
    QString text = combo->isEditable() ? combo->lineEdit()->text() : QString();
    combo->clear();
    combo->addItems(items);
    if (combo->isEditable()) ShowComboText(control, text);
  } else {
    auto* list = static_cast<ListWidget*>(widget);
    list->clear();
    list->addItems(items);
    list->FitEntries();
  }
}

void FormRenderer::ApplySelection(Control& control) {
  QWidget* widget = WidgetOf(control);
  if (control.Kind() == ControlKind::kComboBox) {
    auto& combo = static_cast<toolkit::ComboBox&>(control);
    auto* box = static_cast<QComboBox*>(widget);
    QSignalBlocker block(box);
    box->setCurrentIndex(combo.ItemIndex());
    if (box->isEditable()) ShowComboText(control, ToQt(combo.Text()));
  } else if (control.Kind() == ControlKind::kListBox) {
    auto& list = static_cast<toolkit::ListBox&>(control);
    auto* view = static_cast<QListWidget*>(widget);
    QSignalBlocker block(view);
    QSignalBlocker blockModel(view->selectionModel());
    for (int i = 0; i < view->count(); ++i) view->item(i)->setSelected(list.Selected(i));
    if (list.ItemIndex() >= 0 && list.ItemIndex() < view->count()) {
      view->setCurrentRow(list.ItemIndex(), list.MultiSelect()
                                                ? QItemSelectionModel::NoUpdate
                                                : QItemSelectionModel::ClearAndSelect);
      view->scrollToItem(view->item(list.ItemIndex()));
    }
  }
}

void FormRenderer::ApplyFocus(Control& control) {
  if (!control.Focused()) return;
  QWidget* widget = WidgetOf(control);
  if (!widget->hasFocus()) widget->setFocus(Qt::OtherFocusReason);
}

void FormRenderer::FocusFromModel() {
  Control* active = form_->ActiveControl();
  if (active == nullptr) return;
  if (QWidget* widget = WidgetOf(*active); widget != nullptr && !widget->hasFocus()) {
    widget->setFocus(Qt::OtherFocusReason);
  }
}

void FormRenderer::ApplyFont(Control& control) {
  QWidget* widget = WidgetOf(control);
  const toolkit::Font& font = control.GetFont();
  if (control.Kind() == ControlKind::kListBox) {
    static_cast<ListWidget*>(widget)->SetBaseFont(FontToQt(font));
  } else {
    widget->setFont(FontToQt(font));
  }
  QPalette palette = widget->palette();
  QColor ink = ColorToQt(font.color);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, ink);
    palette.setColor(group, QPalette::Text, ink);
    palette.setColor(group, QPalette::ButtonText, ink);
  }
  widget->setPalette(palette);
}

void FormRenderer::ApplyColor(Control& control) {
  QWidget* widget = WidgetOf(control);
  QPalette palette = widget->palette();
  QColor color = ColorToQt(control.GetColor());
  switch (control.Kind()) {
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit:
    case ControlKind::kComboBox:
    case ControlKind::kListBox:
      for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, color);
      }
      break;
    case ControlKind::kButton:
      palette.setColor(QPalette::Button, color);
      break;
    default:
      // Windows paint their own background; a label does unless it is
      // transparent, a picture never.
      palette.setColor(QPalette::Window, color);
      widget->setAutoFillBackground(control.Kind() == ControlKind::kLabel
                                        ? !static_cast<toolkit::Label&>(control).Transparent()
                                        : control.Kind() != ControlKind::kPicture);
      break;
  }
  widget->setPalette(palette);
}

void FormRenderer::ApplyStyle(Control& control) {
  QWidget* widget = WidgetOf(control);
  switch (control.Kind()) {
    case ControlKind::kForm:
      if (window_ != nullptr) ApplyWindowFlags();
      break;
    case ControlKind::kLabel: {
      auto& label = static_cast<toolkit::Label&>(control);
      static_cast<LabelWidget*>(widget)->SetLayout(HorizontalOf(label.GetAlignment()),
                                                   label.WordWrap());
      break;
    }
    case ControlKind::kPicture: {
      auto& picture = static_cast<toolkit::Picture&>(control);
      auto* view = static_cast<QLabel*>(widget);
      view->setPixmap(GlyphPixmap(picture.ImageName()));
      view->setScaledContents(picture.Stretch());
      view->setAlignment(picture.Center() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
      break;
    }
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit: {
      auto& edit = static_cast<toolkit::Edit&>(control);
      static_cast<QLineEdit*>(widget)->setReadOnly(edit.ReadOnly());
      widget->setAttribute(Qt::WA_InputMethodEnabled,
                           edit.GetImeMode() != toolkit::ImeMode::kDisable);
      break;
    }
    case ControlKind::kButton: {
      auto& button = static_cast<toolkit::Button&>(control);
      bool above = button.Layout() == toolkit::GlyphLayout::kTop ||
                   button.Layout() == toolkit::GlyphLayout::kBottom;
      static_cast<ButtonWidget*>(widget)->SetGlyph(GlyphPixmap(button.Glyph(), true),
                                                   GlyphPixmap(button.Glyph(), false), above);
      break;
    }
    case ControlKind::kCheckBox: {
      auto& box = static_cast<toolkit::CheckBox&>(control);
      Qt::Alignment vertical =
          box.CaptionPlacement() == toolkit::VerticalPlacement::kTop      ? Qt::AlignTop
          : box.CaptionPlacement() == toolkit::VerticalPlacement::kBottom ? Qt::AlignBottom
                                                                          : Qt::AlignVCenter;
      static_cast<CheckWidget*>(widget)->SetLayout(
          box.WordWrap(), vertical, box.CaptionSide() == toolkit::Alignment::kLeftJustify);
      break;
    }
    case ControlKind::kPanel: {
      auto& panel = static_cast<toolkit::Panel&>(control);
      static_cast<PanelWidget*>(widget)->SetBevels(BevelOf(panel.BevelInner()),
                                                   BevelOf(panel.BevelOuter()));
      ApplyText(control);
      break;
    }
    case ControlKind::kComboBox: {
      auto& combo = static_cast<toolkit::ComboBox&>(control);
      auto* view = static_cast<QComboBox*>(widget);
      bool editable = combo.Style() == toolkit::ComboStyle::kDropDown;
      if (view->isEditable() != editable) {
        view->setEditable(editable);
        if (editable) {
          view->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
          Install(view->lineEdit());  // found as a part of the combo box
        }
      }
      view->setMaxVisibleItems(std::max(combo.DropDownCount(), 1));
      break;
    }
    case ControlKind::kListBox: {
      auto& list = static_cast<toolkit::ListBox&>(control);
      static_cast<QListWidget*>(widget)->setSelectionMode(list.MultiSelect()
                                                              ? QAbstractItemView::MultiSelection
                                                              : QAbstractItemView::SingleSelection);
      ApplySelection(control);
      break;
    }
    case ControlKind::kStatusBar:
      static_cast<StatusBarWidget*>(widget)->SetSizeGrip(
          static_cast<toolkit::StatusBar&>(control).SizeGrip());
      break;
    default:
      break;
  }
}

}  // namespace zuba::qt
