#include "frontend/qt/ControlWidgets.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>
#include <algorithm>

namespace zuba::qt {
namespace {

// One bevel line around `rect`: light top and left, dark bottom and right
// for a raised one, the other way round for a lowered one.
void DrawBevel(QPainter& painter, const QRect& rect, BevelKind kind, const QPalette& palette) {
  if (kind == BevelKind::kNone) return;
  QColor light = palette.color(QPalette::Light);
  QColor dark = palette.color(QPalette::Dark);
  QColor topLeft = kind == BevelKind::kRaised ? light : dark;
  QColor bottomRight = kind == BevelKind::kRaised ? dark : light;
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;
constexpr int kGroupCaptionLeft = 8;

// Draws the caption of `widget` where it says, in the font that fits:
// the window text colour, or etched grey when the widget is disabled.
// Answers the rectangle the text took.
QRect DrawCaption(QPainter& painter, const QWidget& widget, const Captioned& caption) {
  painter.setFont(caption.CaptionFont());
  QRect used = painter.boundingRect(caption.CaptionBox(), caption.CaptionFlags(),
                                    caption.CaptionText());
  widget.style()->drawItemText(&painter, caption.CaptionBox(), caption.CaptionFlags(),
                               widget.palette(), widget.isEnabled(), caption.CaptionText(),
                               QPalette::WindowText);
  return used;
}

}  // namespace

// --- Label ------------------------------------------------------------------

LabelWidget::LabelWidget(QWidget* parent) : QWidget(parent) {}

void LabelWidget::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void LabelWidget::SetLayout(Qt::Alignment horizontal, bool wordWrap) {
  alignment_ = horizontal;
  wordWrap_ = wordWrap;
  update();
}

int LabelWidget::CaptionFlags() const {
  return static_cast<int>(alignment_) | Qt::AlignTop | (wordWrap_ ? Qt::TextWordWrap : 0);
}

void LabelWidget::paintEvent(QPaintEvent*) {
  if (caption_.isEmpty()) return;
  QPainter painter(this);
  DrawCaption(painter, *this, *this);
}

// --- Panel ------------------------------------------------------------------

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent) {}

void PanelWidget::SetBevels(BevelKind inner, BevelKind outer) {
  inner_ = inner;
  outer_ = outer;
  update();
}

void PanelWidget::SetCaption(const QString& caption, Qt::Alignment alignment) {
  caption_ = caption;
  alignment_ = alignment;
  update();
}

QRect PanelWidget::Inside() const {
  int bevels = (outer_ != BevelKind::kNone) + (inner_ != BevelKind::kNone);
  return rect().adjusted(bevels, bevels, -bevels, -bevels);
}

QRect PanelWidget::CaptionBox() const { return Inside().adjusted(1, 0, -1, 0); }

int PanelWidget::CaptionFlags() const {
  return static_cast<int>(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine;
}

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect rect = this->rect().adjusted(0, 0, -1, -1);
  DrawBevel(painter, rect, outer_, palette());
  if (outer_ != BevelKind::kNone) rect.adjust(1, 1, -1, -1);
  DrawBevel(painter, rect, inner_, palette());
  if (!caption_.isEmpty()) DrawCaption(painter, *this, *this);
}

// --- Group box --------------------------------------------------------------

GroupBoxWidget::GroupBoxWidget(QWidget* parent) : QWidget(parent) {}

void GroupBoxWidget::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

QRect GroupBoxWidget::CaptionBox() const {
  return QRect(kGroupCaptionLeft + 1, 0, std::max(width() - 2 * kGroupCaptionLeft, 0),
               fontMetrics().height());
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int top = fontMetrics().height() / 2;
  QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  if (caption_.isEmpty()) return;
  // The frame stops either side of the caption.
  QFont font = CaptionFont();
  int width = std::min(QFontMetrics(font).horizontalAdvance(caption_), CaptionBox().width());
  painter.fillRect(QRect(kGroupCaptionLeft, 0, width + 2, fontMetrics().height()),
                   palette().color(QPalette::Window));
  DrawCaption(painter, *this, *this);
}

// --- Check box and radio button ---------------------------------------------

CheckWidget::CheckWidget(QWidget* parent, bool radio) : QWidget(parent), radio_(radio) {}

void CheckWidget::SetMark(Mark mark) {
  if (mark == mark_) return;
  mark_ = mark;
  update();
}

void CheckWidget::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void CheckWidget::SetLayout(bool wordWrap, Qt::Alignment vertical, bool captionLeft) {
  wordWrap_ = wordWrap;
  vertical_ = vertical;
  captionLeft_ = captionLeft;
  update();
}

QRect CheckWidget::CaptionBox() const {
  int width = std::max(this->width() - kBoxSize - kBoxGap, 0);
  return captionLeft_ ? QRect(0, 0, width, height()) : QRect(kBoxSize + kBoxGap, 0, width, height());
}

int CheckWidget::CaptionFlags() const {
  return static_cast<int>(vertical_) | Qt::AlignLeft |
         (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine) | Qt::TextShowMnemonic;
}

void CheckWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  int boxTop = vertical_ == Qt::AlignTop      ? 1
               : vertical_ == Qt::AlignBottom ? height() - kBoxSize - 1
                                              : (height() - kBoxSize) / 2;
  int boxLeft = captionLeft_ ? width() - kBoxSize : 0;
  QStyleOptionButton option;
  option.initFrom(this);
  option.rect = QRect(boxLeft, boxTop, kBoxSize, kBoxSize);
  option.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
  option.state |= mark_ == Mark::kChecked  ? QStyle::State_On
                  : mark_ == Mark::kGrayed ? QStyle::State_NoChange
                                           : QStyle::State_Off;
  style()->drawPrimitive(radio_ ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                         &option, &painter, this);
  QRect used = DrawCaption(painter, *this, *this);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = used.adjusted(-1, 0, 1, 0).intersected(rect());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

// --- Combo box --------------------------------------------------------------

ListWidget::ListWidget(QWidget* parent) : QListWidget(parent), base_(font()) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);  // cut at the edge, as Windows does
}

void ListWidget::SetBaseFont(const QFont& font) {
  base_ = font;
  FitEntries();
}

void ListWidget::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  FitEntries();
}

bool ListWidget::EntriesFit(const QFont& font) {
  setFont(font);
  if (count() == 0) return true;
  QRect room = contentsRect();
  int rowHeight = std::max(sizeHintForRow(0), 1);
  int width = room.width();
  if (count() > room.height() / rowHeight) {
    width -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  }
  return sizeHintForColumn(0) <= width;
}

void ListWidget::FitEntries() {
  const int full = base_.pixelSize() > 0 ? base_.pixelSize() : QFontInfo(base_).pixelSize();
  for (int pixels = full; pixels >= std::max(full * 2 / 3, 1); --pixels) {
    for (int stretch = 100; stretch >= kMinStretch; stretch -= 4) {
      QFont font = base_;
      font.setPixelSize(pixels);
      if (stretch != 100) font.setStretch(stretch);
      if (EntriesFit(font)) return;
    }
  }
}

void ComboWidget::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  QStyleOptionComboBox field = option;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    field.palette.setColor(group, QPalette::Button, palette().color(group, QPalette::Base));
  }
  field.subControls = QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxEditField;
  painter.drawComplexControl(QStyle::CC_ComboBox, field);
  option.subControls = QStyle::SC_ComboBoxArrow;
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

// --- Status bar -------------------------------------------------------------

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {}

void StatusBarWidget::SetText(const QString& text) {
  text_ = text;
  update();
}

void StatusBarWidget::SetSizeGrip(bool sizeGrip) {
  sizeGrip_ = sizeGrip;
  update();
}

QRect StatusBarWidget::CaptionBox() const {
  return rect().adjusted(3, 2, -(sizeGrip_ ? 15 : 3), -1);
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawBevel(painter, rect().adjusted(0, 2, -1, -1), BevelKind::kLowered, palette());
  DrawCaption(painter, *this, *this);
  if (!sizeGrip_) return;
  for (int i = 0; i < 3; ++i) {
    int d = 4 + 4 * i;
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(width() - d - 1, height() - 1, width() - 1, height() - d - 1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(width() - d, height() - 1, width() - 1, height() - d);
  }
}

}  // namespace zuba::qt
