// The pictures of glyph buttons and picture controls as bitmaps, drawn with
// GDI in the sixteen colours of the Windows palette, for the names the
// model gives (Button::Glyph, Picture::ImageName). The names and sizes are
// those of the Qt front-end's pictures (frontend/qt/Glyphs.h), so both
// front-ends show the same windows.
#ifndef ZUBA_FRONTEND_WIN32_WINGLYPHS_H_
#define ZUBA_FRONTEND_WIN32_WINGLYPHS_H_

#include "frontend/win32/WinApi.h"

#include <string>

namespace zuba::winui {

// The size of the picture of `name`; false for a name without one.
bool GlyphSize(const std::string& name, SIZE* size);

// The format of a 32-bit top-down bitmap of `width` x `height` pixels
// (0x00RRGGBB each), for CreateDIBSection and GetDIBits.
BITMAPINFO TopDownDib(int width, int height);

// A bitmap of the picture of `name` on `background` (the caller deletes
// it); nullptr for a name without one. Disabled, it is embossed in grey
// and white as Windows draws a disabled glyph.
HBITMAP GlyphBitmap(const std::string& name, bool enabled, COLORREF background);

// Draws the picture of `name` with its top-left corner at x, y of `dc`
// (stretched to width, height when they are given), on `background`.
void DrawGlyph(HDC dc, const std::string& name, bool enabled, COLORREF background, int x, int y,
               int width = 0, int height = 0);

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINGLYPHS_H_
