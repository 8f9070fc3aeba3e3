#include "frontend/qt/TextFit.h"

#include <QFontMetrics>
#include <algorithm>

namespace zuba::qt {

bool Fits(const QFont& font, const QString& text, const QRect& box, int flags) {
  if (text.isEmpty()) return true;
  QFontMetrics metrics(font);
  QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 1 << 16),
                                      flags & ~Qt::AlignVertical_Mask, text);
  int height = std::max(box.height() + metrics.descent(), metrics.height());
  return needed.width() <= box.width() && needed.height() <= height;
}

QFont FitToBox(const QFont& font, const QString& text, const QRect& box, int flags) {
  if (Fits(font, text, box, flags)) return font;
  // Captions are short: the search steps through the percentages from the
  // widest.
  QFont narrowed = font;
  for (int stretch = 99; stretch >= kMinStretch; --stretch) {
    narrowed.setStretch(stretch);
    if (Fits(narrowed, text, box, flags)) break;
  }
  return narrowed;
}

QFont Captioned::CaptionFont() const {
  return FitToBox(BaseFont(), CaptionText(), CaptionBox(), CaptionFlags());
}

bool Captioned::CaptionFits() const {
  return Fits(CaptionFont(), CaptionText(), CaptionBox(), CaptionFlags());
}

}  // namespace zuba::qt
