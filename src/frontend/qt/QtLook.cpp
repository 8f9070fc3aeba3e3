#include "frontend/qt/QtLook.h"

#include <QApplication>
#include <QStyleFactory>
#include <cmath>

#include "frontend/qt/QtText.h"

namespace zuba::qt {
namespace {

// COLOR_* 0 to 24 of the Windows standard scheme.
constexpr QRgb kSystemColors[] = {
    qRgb(192, 192, 192),  // scroll bar
    qRgb(0, 128, 128),    // desktop
    qRgb(0, 0, 128),      // active caption
    qRgb(128, 128, 128),  // inactive caption
    qRgb(192, 192, 192),  // menu
    qRgb(255, 255, 255),  // window
    qRgb(0, 0, 0),        // window frame
    qRgb(0, 0, 0),        // menu text
    qRgb(0, 0, 0),        // window text
    qRgb(255, 255, 255),  // caption text
    qRgb(192, 192, 192),  // active border
    qRgb(192, 192, 192),  // inactive border
    qRgb(128, 128, 128),  // application workspace
    qRgb(0, 0, 128),      // highlight
    qRgb(255, 255, 255),  // highlight text
    qRgb(192, 192, 192),  // button face
    qRgb(128, 128, 128),  // button shadow
    qRgb(128, 128, 128),  // grey text
    qRgb(0, 0, 0),        // button text
    qRgb(192, 192, 192),  // inactive caption text
    qRgb(255, 255, 255),  // button highlight
    qRgb(0, 0, 0),        // 3D dark shadow
    qRgb(223, 223, 223),  // 3D light
    qRgb(0, 0, 0),        // info text
    qRgb(255, 255, 225),  // info background
};

}  // namespace

QString FontFamily(const std::string& windowsName) {
  struct Face {
    const char* windows;
    const char* ipa;
  };
  static const Face kFaces[] = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"ＭＳ 明朝", "IPAMincho"},
      {"MS Sans Serif", "IPAPGothic"},   {"MS Shell Dlg", "IPAPGothic"},
  };
  for (const Face& face : kFaces) {
    if (windowsName == face.windows) return QString::fromLatin1(face.ipa);
  }
  return ToQt(windowsName);
}

QFont FontToQt(const toolkit::Font& font) {
  QFont out(FontFamily(font.name));
  out.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
  out.setBold(font.bold);
  out.setItalic(font.italic);
  out.setUnderline(font.underline);
  return out;
}

QColor ColorToQt(toolkit::Color color) {
  if (toolkit::IsSystemColor(color)) {
    unsigned index = color & 0xFF;
    if (index < sizeof kSystemColors / sizeof kSystemColors[0]) return QColor(kSystemColors[index]);
    return QColor(kSystemColors[15]);
  }
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QPalette ClassicPalette() {
  auto c = [](toolkit::Color color) { return ColorToQt(color); };
  QPalette p;
  p.setColor(QPalette::Window, c(toolkit::kClBtnFace));
  p.setColor(QPalette::WindowText, c(toolkit::kClWindowText));
  p.setColor(QPalette::Base, c(toolkit::kClWindow));
  p.setColor(QPalette::AlternateBase, c(toolkit::kClBtnFace));
  p.setColor(QPalette::Text, c(toolkit::kClWindowText));
  p.setColor(QPalette::Button, c(toolkit::kClBtnFace));
  p.setColor(QPalette::ButtonText, c(toolkit::kClBtnText));
  p.setColor(QPalette::Light, QColor(kSystemColors[20]));
  p.setColor(QPalette::Midlight, QColor(kSystemColors[22]));
  p.setColor(QPalette::Mid, QColor(kSystemColors[16]));
  p.setColor(QPalette::Dark, QColor(kSystemColors[16]));
  p.setColor(QPalette::Shadow, QColor(kSystemColors[21]));
  p.setColor(QPalette::Highlight, QColor(kSystemColors[13]));
  p.setColor(QPalette::HighlightedText, QColor(kSystemColors[14]));
  p.setColor(QPalette::ToolTipBase, c(toolkit::kClInfoBk));
  p.setColor(QPalette::ToolTipText, QColor(kSystemColors[23]));
  QColor grey = c(toolkit::kClGrayText);
  p.setColor(QPalette::Disabled, QPalette::WindowText, grey);
  p.setColor(QPalette::Disabled, QPalette::Text, grey);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
  p.setColor(QPalette::Disabled, QPalette::Base, c(toolkit::kClBtnFace));
  return p;
}

void UseClassicLook() {
  if (QStyle* style = QStyleFactory::create("Windows")) QApplication::setStyle(style);
  QApplication::setPalette(ClassicPalette());
  QApplication::setFont(FontToQt(toolkit::Font()));
}

}  // namespace zuba::qt
