#include "frontend/qt/screenshots/WindowFrame.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

#include "frontend/qt/QtLook.h"

namespace zuba::qt {
namespace {

constexpr int kBorder = 3;
constexpr int kCaption = 18;

void Bevel(QPainter& p, QRect r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(bottomRight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

// One caption box (16 x 14) with its sign drawn by `sign`.
void CaptionBox(QPainter& p, int left, int top, bool enabled, void (*sign)(QPainter&, QRect)) {
  QRect box(left, top, 16, 14);
  p.fillRect(box, QColor(192, 192, 192));
  Bevel(p, box.adjusted(0, 0, -1, -1), Qt::white, Qt::black);
  Bevel(p, box.adjusted(1, 1, -2, -2), QColor(223, 223, 223), QColor(128, 128, 128));
  if (!enabled) {
    p.save();
    p.translate(1, 1);
    p.setPen(Qt::white);
    sign(p, box);
    p.restore();
  }
  p.setPen(enabled ? Qt::black : QColor(128, 128, 128));
  sign(p, box);
}

void MinimiseSign(QPainter& p, QRect b) {
  p.fillRect(b.left() + 4, b.top() + 9, 6, 2, p.pen().color());
}

void MaximiseSign(QPainter& p, QRect b) {
  QColor ink = p.pen().color();
  p.fillRect(b.left() + 3, b.top() + 2, 9, 2, ink);
  p.drawRect(b.left() + 3, b.top() + 2, 8, 8);
}

void CloseSign(QPainter& p, QRect b) {
  QPen pen(p.pen().color(), 1);
  p.setPen(pen);
  for (int d = 0; d < 2; ++d) {
    p.drawLine(b.left() + 4 + d, b.top() + 3, b.left() + 10 + d, b.top() + 9);
    p.drawLine(b.left() + 10 + d, b.top() + 3, b.left() + 4 + d, b.top() + 9);
  }
}

}  // namespace

QPixmap Framed(QWidget* window, const QString& caption, CaptionBoxes boxes) {
  QPixmap client = window->grab();
  QSize size(client.width() + 2 * kBorder, client.height() + 2 * kBorder + kCaption);
  QPixmap out(size);
  out.fill(QColor(192, 192, 192));
  QPainter p(&out);
  QRect outer(0, 0, size.width() - 1, size.height() - 1);
  Bevel(p, outer, QColor(192, 192, 192), Qt::black);
  Bevel(p, outer.adjusted(1, 1, -1, -1), Qt::white, QColor(128, 128, 128));
  QRect bar(kBorder, kBorder, client.width(), kCaption - 1);
  QLinearGradient shade(bar.topLeft(), bar.topRight());
  shade.setColorAt(0, QColor(0, 0, 128));
  shade.setColorAt(1, QColor(16, 132, 208));
  p.fillRect(bar, shade);
  QFont font = FontToQt(toolkit::Font());
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(bar.adjusted(3, 0, -56, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
  int right = bar.right() - 1;
  int top = bar.top() + 2;
  CaptionBox(p, right - 15, top, true, CloseSign);
  if (boxes == CaptionBoxes::kMinimiseAndClose) {
    CaptionBox(p, right - 15 - 18, top, false, MaximiseSign);
    CaptionBox(p, right - 15 - 34, top, true, MinimiseSign);
  }
  p.drawPixmap(kBorder, kBorder + kCaption, client);
  return out;
}

QPixmap WithFloating(const QPixmap& picture, QWidget* window, QWidget* floating) {
  // Where the window's client area starts in the picture, and where the
  // floating window lies relative to that.
  QPoint client(kBorder, kBorder + kCaption);
  QPoint at = client + (floating->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)));
  QPixmap top = floating->grab();
  QRect whole = QRect(QPoint(0, 0), picture.size()).united(QRect(at, top.size()));
  QPixmap out(whole.size());
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.drawPixmap(-whole.topLeft(), picture);
  p.drawPixmap(at - whole.topLeft(), top);
  return out;
}

}  // namespace zuba::qt
