#include "ui/qt/ButtonWidget.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

#include "ui/qt/TextFit.h"

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

void ButtonWidget::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton bevel;
  initStyleOption(&bevel);
  bevel.text.clear();
  bevel.icon = QIcon();
  bevel.toolButtonStyle = Qt::ToolButtonIconOnly;
  bevel.state &= ~QStyle::State_HasFocus;
  painter.drawComplexControl(QStyle::CC_ToolButton, bevel);

  QRect content = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
  if (isDown()) content.translate(1, 1);
  const QPixmap& glyph = isEnabled() ? glyph_ : disabledGlyph_;
  QString caption = text();
  int spacing = glyph.isNull() || caption.isEmpty() ? 0 : kSpacing;
  int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
  QRect captionRect;
  if (above_) {
    painter.setFont(FitToWidth(font(), caption, content.width()));
    int lineHeight = caption.isEmpty() ? 0 : painter.fontMetrics().height();
    int top = content.top() + (content.height() - glyph.height() - spacing - lineHeight) / 2;
    painter.drawPixmap(content.left() + (content.width() - glyph.width()) / 2, top, glyph);
    captionRect = QRect(content.left(), top + glyph.height() + spacing, content.width(), lineHeight);
    flags = (flags & ~Qt::AlignLeft) | Qt::AlignHCenter;
  } else {
    int room = content.width() - glyph.width() - spacing;
    painter.setFont(FitToWidth(font(), caption, room));
    int captionWidth = std::min(painter.fontMetrics().horizontalAdvance(caption), room);
    int left = content.left() + (content.width() - glyph.width() - spacing - captionWidth) / 2;
    // The glyph is centred on the whole button, as the caption is.
    int glyphTop = (height() - glyph.height()) / 2 + (isDown() ? 1 : 0);
    painter.drawPixmap(left, glyphTop, glyph);
    captionRect = QRect(left + glyph.width() + spacing, content.top(), captionWidth + 1,
                        content.height());
  }
  if (!caption.isEmpty()) {
    style()->drawItemText(&painter, captionRect, flags, palette(), isEnabled(), caption,
                          QPalette::ButtonText);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(kBorder - 1, kBorder - 1, -(kBorder - 1), -(kBorder - 1));
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace zuba::qt
