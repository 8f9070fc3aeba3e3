#include "frontend/win32/WinLook.h"

namespace zuba::winui {

COLORREF ColorRefOf(toolkit::Color color) {
  if (toolkit::IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

GdiCache::~GdiCache() {
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  for (auto& [font, handle] : fonts_) DeleteObject(handle);
}

HBRUSH GdiCache::Brush(toolkit::Color color) {
  COLORREF rgb = ColorRefOf(color);
  auto it = brushes_.find(rgb);
  if (it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(rgb);
  brushes_[rgb] = brush;
  return brush;
}

HFONT GdiCache::Font(const toolkit::Font& font) {
  for (const auto& [known, handle] : fonts_) {
    if (known.name == font.name && known.size == font.size && known.bold == font.bold &&
        known.italic == font.italic && known.underline == font.underline &&
        known.charset == font.charset) {
      return handle;
    }
  }
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(font.size, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  HFONT handle = CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                             font.underline, FALSE, static_cast<BYTE>(font.charset),
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
  fonts_.emplace_back(font, handle);
  return handle;
}

}  // namespace zuba::winui
