// The pictures of glyph buttons and picture controls. The model names a
// picture (Button::Glyph, Picture::ImageName); the front-end draws its own
// small pictures for these names, in the sixteen colours of the Windows
// palette:
//
//   BtnOk         a green check mark, 16 x 16
//   BtnCancel     a red cross, 16 x 16
//   Config        a sheet with a pencil (edit a setting), 16 x 16
//   Apply         an arrow into a computer (apply a setting), 16 x 16
//   Delete        a waste bin, 20 x 20
//   Save          a floppy disk, 16 x 16
//   Close         a door standing open, 16 x 16
//   Options       a check list with a gear, 32 x 32
//   Browse        a folder (the browse button of a file-name edit), 12 x 11
//   Printer       a printer, 20 x 20
//   Network       a network card, 16 x 16
//   DialUp        a computer on a telephone line, 16 x 16
//   Telephone     a telephone (a dialling location), 17 x 16
//   ControlPanel  a screen with sliders (the control panel), 32 x 28
//
// A name not in the list has no picture.
#ifndef ZUBA_FRONTEND_QT_GLYPHS_H_
#define ZUBA_FRONTEND_QT_GLYPHS_H_

#include <QPixmap>
#include <string>

namespace zuba::qt {

// The picture of `name`; a null pixmap for a name without one. Disabled,
// it is drawn embossed in grey as Windows draws a disabled glyph.
QPixmap GlyphPixmap(const std::string& name, bool enabled = true);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_GLYPHS_H_
