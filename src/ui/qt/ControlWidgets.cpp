#include "ui/qt/ControlWidgets.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "ui/qt/TextFit.h"

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

// Draws `text` in `rect` with the QPainter text `flags`, in the painter's
// font: the window text colour, or etched grey when `widget` is disabled.
void DrawCaption(QPainter& painter, const QWidget& widget, const QRect& rect, int flags,
                 const QString& text) {
  widget.style()->drawItemText(&painter, rect, flags, widget.palette(), widget.isEnabled(), text,
                               QPalette::WindowText);
}

}  // namespace

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

void LabelWidget::paintEvent(QPaintEvent*) {
  if (caption_.isEmpty()) return;
  QPainter painter(this);
  int flags = static_cast<int>(alignment_) | Qt::AlignTop | (wordWrap_ ? Qt::TextWordWrap : 0);
  painter.setFont(wordWrap_ ? FitToBox(font(), caption_, rect(), flags)
                            : FitToWidth(font(), caption_, width()));
  DrawCaption(painter, *this, rect(), flags, caption_);
}

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

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect rect = this->rect().adjusted(0, 0, -1, -1);
  DrawBevel(painter, rect, outer_, palette());
  if (outer_ != BevelKind::kNone) rect.adjust(1, 1, -1, -1);
  DrawBevel(painter, rect, inner_, palette());
  if (inner_ != BevelKind::kNone) rect.adjust(1, 1, -1, -1);
  if (caption_.isEmpty()) return;
  QRect text = rect.adjusted(1, 0, -1, 0);
  painter.setFont(FitToWidth(font(), caption_, text.width()));
  DrawCaption(painter, *this, text, static_cast<int>(alignment_) | Qt::AlignVCenter, caption_);
}

GroupBoxWidget::GroupBoxWidget(QWidget* parent) : QWidget(parent) {}

void GroupBoxWidget::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QFontMetrics metrics(font());
  int top = metrics.height() / 2;
  QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  if (caption_.isEmpty()) return;
  QFont fitted = FitToWidth(font(), caption_, width() - 12);
  painter.setFont(fitted);
  QRect text(8, 0, std::min(QFontMetrics(fitted).horizontalAdvance(caption_), width() - 12) + 2,
             metrics.height());
  painter.fillRect(text, palette().color(QPalette::Window));
  DrawCaption(painter, *this, text.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

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
  QRect text = captionLeft_ ? QRect(0, 0, width() - kBoxSize - kBoxGap, height())
                            : QRect(kBoxSize + kBoxGap, 0, width() - kBoxSize - kBoxGap, height());
  int flags = static_cast<int>(vertical_) | Qt::AlignLeft |
              (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine) | Qt::TextShowMnemonic;
  painter.setFont(wordWrap_ ? FitToBox(font(), caption_, text, flags)
                            : FitToWidth(font(), caption_, text.width()));
  QRect used = painter.boundingRect(text, flags, caption_);
  DrawCaption(painter, *this, text, flags, caption_);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = used.adjusted(-1, 0, 1, 0).intersected(rect());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {}

void StatusBarWidget::SetText(const QString& text) {
  text_ = text;
  update();
}

void StatusBarWidget::SetSizeGrip(bool sizeGrip) {
  sizeGrip_ = sizeGrip;
  update();
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect panel = rect().adjusted(0, 2, -1, -1);
  DrawBevel(painter, panel, BevelKind::kLowered, palette());
  QRect text = panel.adjusted(3, 0, -(sizeGrip_ ? 14 : 2), 0);
  painter.setFont(FitToWidth(font(), text_, text.width()));
  DrawCaption(painter, *this, text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
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
