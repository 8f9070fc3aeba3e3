#include "frontend/qt/ButtonWidget.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

namespace zuba::qt {
namespace {

constexpr int kBorder = 4;   // the bevel and the focus rectangle
constexpr int kSpacing = 4;  // between glyph and caption

}  // namespace

ButtonWidget::ButtonWidget(QWidget* parent) : QToolButton(parent) {}

void ButtonWidget::SetGlyph(const QPixmap& enabled, const QPixmap& disabled, bool above) {
  glyph_ = enabled;
  disabledGlyph_ = disabled;
  above_ = above;
  update();
}

QRect ButtonWidget::Content() const {
  return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

int ButtonWidget::Spacing() const { return glyph_.isNull() || text().isEmpty() ? 0 : kSpacing; }

QRect ButtonWidget::CaptionBox() const {
  QRect content = Content();
  if (above_) {
    int line = fontMetrics().height();
    int top = content.top() + (content.height() - glyph_.height() - Spacing() - line) / 2;
    return QRect(content.left(), top + glyph_.height() + Spacing(), content.width(), line);
  }
  int beside = glyph_.width() + Spacing();
  return QRect(content.left() + beside, content.top(), std::max(content.width() - beside, 0),
               content.height());
}

int ButtonWidget::CaptionFlags() const {
  return Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
}

void ButtonWidget::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton bevel;
  initStyleOption(&bevel);
  bevel.text.clear();
  bevel.icon = QIcon();
  bevel.toolButtonStyle = Qt::ToolButtonIconOnly;
  bevel.state &= ~QStyle::State_HasFocus;
  painter.drawComplexControl(QStyle::CC_ToolButton, bevel);

  // The glyph and the caption as one group, centred; a pressed button
  // shows them a pixel down and right.
  QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
  const QPixmap& glyph = isEnabled() ? glyph_ : disabledGlyph_;
  QString caption = text();
  QRect box = CaptionBox();
  painter.setFont(CaptionFont());
  if (above_) {
    painter.drawPixmap(QPoint(Content().left() + (Content().width() - glyph.width()) / 2,
                              box.top() - Spacing() - glyph.height()) +
                           shift,
                       glyph);
  } else {
    int captionWidth = std::min(painter.fontMetrics().horizontalAdvance(caption), box.width());
    int group = glyph.width() + Spacing() + captionWidth;
    int left = Content().left() + (Content().width() - group) / 2;
    painter.drawPixmap(QPoint(left, (height() - glyph.height()) / 2) + shift, glyph);
    box = QRect(left + glyph.width() + Spacing(), box.top(), captionWidth, box.height());
  }
  if (!caption.isEmpty()) {
    style()->drawItemText(&painter, box.translated(shift), CaptionFlags(), palette(),
                          isEnabled(), caption, QPalette::ButtonText);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(kBorder - 1, kBorder - 1, -(kBorder - 1), -(kBorder - 1));
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace zuba::qt
