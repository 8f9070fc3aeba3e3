#include "frontend/qt/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

#include "toolkit/GlyphNames.h"

namespace zuba::qt {
namespace {

// The sixteen colours of the Windows palette that the pictures use.
const QColor kBlack(0, 0, 0);
const QColor kMaroon(128, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kOlive(128, 128, 0);
const QColor kNavy(0, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);

// A rectangle filled with `fill` and outlined in black, covering the pixels
// x .. x + w - 1 and y .. y + h - 1.
void Box(QPainter& p, int x, int y, int w, int h, const QColor& fill,
         const QColor& line = kBlack) {
  p.fillRect(x, y, w, h, line);
  if (w > 2 && h > 2) p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void Shape(QPainter& p, const QPolygonF& shape, const QColor& fill, const QColor& line = kBlack) {
  p.setPen(QPen(line, 1));
  p.setBrush(fill);
  p.drawPolygon(shape);
}

void OkMark(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(2.5, 8.5);
  tick.lineTo(6.5, 12.5);
  tick.lineTo(13.5, 3.5);
  p.drawPath(tick);
}

void CancelMark(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(192, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// A sheet with lines of text and a pencil across it.
void Config(QPainter& p) {
  Box(p, 1, 1, 10, 14, kWhite);
  for (int y = 4; y <= 10; y += 2) p.fillRect(3, y, 6, 1, kNavy);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(10.5, 8.5);
  p.rotate(-45);
  Shape(p, QPolygonF({{-3, -1.5}, {6, -1.5}, {6, 1.5}, {-3, 1.5}}), kYellow);
  Shape(p, QPolygonF({{6, -1.5}, {8, -1.5}, {8, 1.5}, {6, 1.5}}), kRed);
  Shape(p, QPolygonF({{-3, -1.5}, {-6.5, 0}, {-3, 1.5}}), QColor(255, 224, 160));
  p.resetTransform();
}

// A green arrow pointing into a computer screen.
void Apply(QPainter& p) {
  Box(p, 6, 1, 10, 10, kSilver);
  Box(p, 8, 3, 6, 6, kTeal, kGrey);
  p.fillRect(9, 11, 4, 2, kGrey);
  Box(p, 7, 13, 8, 2, kSilver);
  p.setRenderHint(QPainter::Antialiasing);
  Shape(p, QPolygonF({{0.5, 4.5}, {4.5, 4.5}, {4.5, 1.5}, {9.5, 6.5}, {4.5, 11.5}, {4.5, 8.5},
                      {0.5, 8.5}}),
        kLime, kGreen);
}

// A waste bin with its lid.
void Delete(QPainter& p) {
  Box(p, 8, 1, 5, 3, kSilver);
  Box(p, 3, 3, 15, 3, kSilver);
  p.setRenderHint(QPainter::Antialiasing);
  Shape(p, QPolygonF({{4.5, 6.5}, {16.5, 6.5}, {15.5, 18.5}, {5.5, 18.5}}), kSilver);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int x = 7; x <= 13; x += 3) p.fillRect(x, 8, 1, 9, kGrey);
  for (int x = 8; x <= 14; x += 3) p.fillRect(x, 8, 1, 9, kWhite);
}

// A floppy disk.
void Save(QPainter& p) {
  Box(p, 1, 1, 14, 14, kNavy);
  Box(p, 4, 1, 8, 7, kWhite);
  p.fillRect(5, 3, 6, 1, kSilver);
  p.fillRect(5, 5, 6, 1, kSilver);
  Box(p, 4, 10, 8, 5, kSilver);
  p.fillRect(9, 11, 2, 3, kNavy);
}

// A check list with a gear in front of it.
void Options(QPainter& p) {
  Box(p, 2, 1, 19, 25, kWhite);
  for (int i = 0; i < 4; ++i) {
    int y = 5 + 5 * i;
    Box(p, 5, y, 5, 5, kWhite);
    p.fillRect(12, y + 2, 6, 1, kNavy);
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kGreen, 1.5));
  for (int i = 0; i < 2; ++i) {
    double y = 5 + 5 * i;
    p.drawPolyline(QPolygonF({{6, y + 2.5}, {7.2, y + 3.8}, {9.5, y + 0.5}}));
  }
  // The gear: twelve teeth around a ring, a hole in the middle.
  const QPointF centre(21.5, 21.5);
  QPolygonF gear;
  for (int i = 0; i < 48; ++i) {
    double angle = i * M_PI / 24;
    double radius = (i / 2) % 2 == 0 ? 10 : 7.5;
    gear << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  }
  Shape(p, gear, kSilver);
  p.setBrush(kGrey);
  p.drawEllipse(centre, 5, 5);
  p.setBrush(kWhite);
  p.drawEllipse(centre, 2.5, 2.5);
}

// A folder (browse for a file).
void Browse(QPainter& p) {
  Box(p, 1, 0, 5, 3, kYellow);
  Box(p, 0, 2, 12, 9, kYellow);
  p.fillRect(1, 3, 10, 1, kWhite);
}

// A printer with a sheet in it and one coming out.
void Printer(QPainter& p) {
  Box(p, 5, 1, 10, 8, kWhite);
  p.fillRect(7, 3, 6, 1, kNavy);
  p.fillRect(7, 5, 5, 1, kNavy);
  Box(p, 1, 8, 18, 8, kSilver);
  p.fillRect(2, 9, 16, 1, kWhite);
  p.fillRect(3, 12, 11, 1, kBlack);
  p.fillRect(15, 10, 2, 2, kLime);
  Box(p, 4, 15, 12, 4, kWhite);
}

// A network card: the board, its chips, the contacts and the bracket.
void Network(QPainter& p) {
  Box(p, 1, 3, 13, 9, kGreen);
  p.fillRect(3, 5, 3, 3, kBlack);
  p.fillRect(7, 5, 4, 4, kBlack);
  for (int x = 3; x <= 11; x += 2) p.fillRect(x, 12, 1, 2, kOlive);
  Box(p, 13, 1, 3, 14, kSilver);
  p.fillRect(14, 5, 1, 4, kBlack);
}

// A telephone: the handset on its base, the dial.
void Telephone(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  Shape(p, QPolygonF({{3.5, 8.5}, {13.5, 8.5}, {16.5, 15.5}, {0.5, 15.5}}), kMaroon);
  p.setBrush(kSilver);
  p.setPen(QPen(kBlack, 1));
  p.drawEllipse(QPointF(8.5, 12), 2.5, 2.2);
  QPainterPath handset;
  handset.moveTo(2.5, 7);
  handset.lineTo(2.5, 4.5);
  handset.cubicTo(5, 1.5, 12, 1.5, 14.5, 4.5);
  handset.lineTo(14.5, 7);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlack, 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(handset);
}

// A computer and the telephone line it dials out on.
void DialUp(QPainter& p) {
  Box(p, 0, 0, 12, 10, kSilver);
  Box(p, 2, 2, 8, 6, kTeal, kGrey);
  Box(p, 3, 10, 6, 2, kSilver);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kBlack, 1));
  p.drawPolyline(QPolygonF({{6, 12.5}, {6, 14.5}, {10, 14.5}}));
  p.setPen(QPen(kMaroon, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11.5, 14.5), QPointF(15.5, 14.5));
  p.drawLine(QPointF(11.5, 14.5), QPointF(11.5, 12.5));
  p.drawLine(QPointF(15.5, 14.5), QPointF(15.5, 12.5));
}

// A door standing open in its frame (closing the window).
void Close(QPainter& p) {
  Box(p, 3, 1, 10, 14, kYellow);
  p.setRenderHint(QPainter::Antialiasing);
  Shape(p, QPolygonF({{3.5, 1.5}, {8.5, 3.5}, {8.5, 15.5}, {3.5, 14.5}}), kMaroon);
  p.setPen(Qt::NoPen);
  p.setBrush(kYellow);
  p.drawEllipse(QPointF(7.2, 9), 0.8, 0.8);
}

// A screen showing three sliders, on its stand.
void ControlPanel(QPainter& p) {
  Box(p, 1, 0, 30, 21, kSilver);
  p.fillRect(2, 1, 28, 1, kWhite);
  p.fillRect(2, 1, 1, 19, kWhite);
  Box(p, 4, 3, 24, 15, kTeal, kGrey);
  const int knobs[] = {6, 12, 9};
  for (int i = 0; i < 3; ++i) {
    int x = 9 + 7 * i;
    p.fillRect(x, 5, 1, 11, kBlack);
    Box(p, x - 2, 5 + knobs[i] - 3, 5, 3, kSilver);
  }
  p.fillRect(13, 21, 6, 3, kGrey);
  Box(p, 8, 24, 16, 4, kSilver);
}

// In the order of toolkit::kGlyphNames.
void (*const kDraw[])(QPainter&) = {OkMark, CancelMark, Config, Apply, Delete, Save, Close,
                                    Options, Browse, Printer, Network, DialUp, Telephone,
                                    ControlPanel};
static_assert(sizeof kDraw / sizeof kDraw[0] == toolkit::kGlyphCount);

// `picture` in one colour, keeping its shape.
QPixmap Tinted(const QPixmap& picture, const QColor& color) {
  QPixmap out(picture.size());
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.drawPixmap(0, 0, picture);
  p.setCompositionMode(QPainter::CompositionMode_SourceIn);
  p.fillRect(out.rect(), color);
  return out;
}

}  // namespace

QPixmap GlyphPixmap(const std::string& name, bool enabled) {
  const std::size_t index = toolkit::GlyphIndex(name);
  if (index < toolkit::kGlyphCount) {
    const toolkit::GlyphName& picture = toolkit::kGlyphNames[index];
    QPixmap pixmap(picture.width, picture.height);
    pixmap.fill(Qt::transparent);
    {
      QPainter p(&pixmap);
      kDraw[index](p);
    }
    if (enabled) return pixmap;
    // Embossed: the shape in white one pixel down and right, in grey on top.
    QPixmap embossed(pixmap.size());
    embossed.fill(Qt::transparent);
    QPainter p(&embossed);
    p.drawPixmap(1, 1, Tinted(pixmap, kWhite));
    p.drawPixmap(0, 0, Tinted(pixmap, kGrey));
    return embossed;
  }
  return QPixmap();
}

}  // namespace zuba::qt
