// How the model's fonts, colours and glyphs look in Qt: the window font
// "ＭＳ Ｐゴシック" is drawn with its metric twin IPAPGothic (Debian's
// fonts-ipafont-gothic), sizes in points become pixels at 96 dots per inch
// as on Windows (9 pt is 12 pixels), and the system colours are those of
// the Windows standard scheme.
#ifndef ZUBA_FRONTEND_QT_QTLOOK_H_
#define ZUBA_FRONTEND_QT_QTLOOK_H_

#include <QColor>
#include <QFont>
#include <QPalette>
#include <string>

#include "toolkit/Graphics.h"

namespace zuba::qt {

// The font family Qt draws a Windows font name with (CP932 in, as the model
// keeps it): the MS Gothic and Mincho faces map to the IPA faces, any other
// name is kept.
QString FontFamily(const std::string& windowsName);

// The model's font as a QFont: family, pixel size, bold, italic, underline.
QFont FontToQt(const toolkit::Font& font);

// An explicit colour, or a system colour of the standard scheme.
QColor ColorToQt(toolkit::Color color);

// The palette of the standard scheme (button face, window, texts,
// highlight, tool tips).
QPalette ClassicPalette();

// Makes the running QApplication look like the program's windows: the
// classic Windows style, the standard scheme's palette and the window font.
void UseClassicLook();

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTLOOK_H_
