#include "frontend/win32/WinLook.h"

#include <algorithm>

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

HFONT GdiCache::Font(const toolkit::Font& font) { return Make(font, 100); }

HFONT GdiCache::Make(const toolkit::Font& font, int percent) {
  for (const auto& [known, handle] : fonts_) {
    const toolkit::Font& f = known.first;
    if (known.second == percent && f.name == font.name && f.size == font.size &&
        f.bold == font.bold && f.italic == font.italic && f.underline == font.underline &&
        f.charset == font.charset) {
      return handle;
    }
  }
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(font.size, GetDeviceCaps(screen, LOGPIXELSY), 72);
  int width = 0;
  if (percent != 100) {
    // A width of the average character, narrowed from the font's own.
    HGDIOBJ old = SelectObject(screen, Make(font, 100));
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    width = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * percent / 100);
  }
  ReleaseDC(nullptr, screen);
  HFONT handle = CreateFontA(height, width, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                             font.underline, FALSE, static_cast<BYTE>(font.charset),
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
  fonts_.emplace_back(std::make_pair(font, percent), handle);
  return handle;
}

HFONT GdiCache::FittingFont(const toolkit::Font& font, const std::string& text, int width) {
  HDC screen = GetDC(nullptr);
  HFONT chosen = Make(font, 100);
  for (int percent = 100; percent >= 80; percent -= 1) {
    HFONT candidate = Make(font, percent);
    HGDIOBJ old = SelectObject(screen, candidate);
    // The widest line, each measured alone.
    int widest = 0;
    for (std::size_t start = 0; start < text.size() || start == 0;) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      RECT box{0, 0, 0, 0};
      DrawTextA(screen, text.c_str() + start, static_cast<int>(end - start), &box,
                DT_SINGLELINE | DT_CALCRECT);
      widest = std::max(widest, static_cast<int>(box.right));
      start = end + 2;
    }
    SelectObject(screen, old);
    chosen = candidate;
    if (widest <= width) break;
  }
  ReleaseDC(nullptr, screen);
  return chosen;
}

}  // namespace zuba::winui
