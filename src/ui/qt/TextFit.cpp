#include "ui/qt/TextFit.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace zuba::qt {
namespace {

// The widest stretch from 100 down to kMinStretch at which `fits` holds;
// kMinStretch when none does. Texts are short, so the search steps through
// the percentages from the widest.
QFont Narrowest(const QFont& font, const std::function<bool(const QFont&)>& fits) {
  if (fits(font)) return font;
  QFont narrowed = font;
  for (int stretch = 99; stretch >= kMinStretch; --stretch) {
    narrowed.setStretch(stretch);
    if (fits(narrowed)) return narrowed;
  }
  return narrowed;
}

}  // namespace

QFont FitToWidth(const QFont& font, const QString& text, int width) {
  if (text.isEmpty()) return font;
  QStringList lines = text.split(QLatin1Char('\n'));
  return Narrowest(font, [&](const QFont& f) {
    QFontMetrics metrics(f);
    for (const QString& line : lines) {
      if (metrics.horizontalAdvance(line) > width) return false;
    }
    return true;
  });
}

QFont FitToBox(const QFont& font, const QString& text, const QRect& box, int flags) {
  if (text.isEmpty()) return font;
  return Narrowest(font, [&](const QFont& f) {
    QFontMetrics metrics(f);
    QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 1 << 16), flags, text);
    // The last line's descent may run past the box: Japanese text leaves it
    // empty. A box lower than one line still shows that line.
    int height = std::max(box.height() + metrics.descent(), metrics.height());
    return needed.width() <= box.width() && needed.height() <= height;
  });
}

}  // namespace zuba::qt
