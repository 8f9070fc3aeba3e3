#include "frontend/win32/WinLook.h"

#include <algorithm>

namespace zuba::winui {

COLORREF ColorRefOf(toolkit::Color color) {
  if (toolkit::IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

GdiCache::~GdiCache() {
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  for (Made& made : fonts_) DeleteObject(made.handle);
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

namespace {

int PixelHeight(const toolkit::Font& font) {
  HDC screen = GetDC(nullptr);
  int pixels = MulDiv(font.size, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

HFONT GdiCache::Make(const toolkit::Font& font, int percent, int pixels) {
  for (const Made& made : fonts_) {
    const toolkit::Font& f = made.font;
    if (made.percent == percent && made.pixels == pixels && f.name == font.name &&
        f.size == font.size && f.bold == font.bold && f.italic == font.italic &&
        f.underline == font.underline && f.charset == font.charset) {
      return made.handle;
    }
  }
  const int height = pixels > 0 ? pixels : PixelHeight(font);
  int width = 0;
  if (percent != 100) {
    // A width of the average character, narrowed from the font's own.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Make(font, 100, pixels));
    TEXTMETRICA metrics;
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    width = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * percent / 100);
  }
  HFONT handle = CreateFontA(-height, width, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                             font.underline, FALSE, static_cast<BYTE>(font.charset),
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
  fonts_.push_back({font, percent, pixels, handle});
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

HFONT GdiCache::FittingListFont(const toolkit::Font& font, const std::vector<std::string>& items,
                                SIZE client) {
  const int full = PixelHeight(font);
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  HDC screen = GetDC(nullptr);
  HFONT chosen = Make(font, 100);
  bool fits = false;
  for (int pixels = full; pixels >= std::max(full * 2 / 3, 1) && !fits; --pixels) {
    for (int percent = 100; percent >= 80 && !fits; percent -= 4) {
      chosen = Make(font, percent, pixels == full ? 0 : pixels);
      HGDIOBJ old = SelectObject(screen, chosen);
      TEXTMETRICA metrics;
      GetTextMetricsA(screen, &metrics);
      int widest = 0;
      for (const std::string& item : items) {
        SIZE size{0, 0};
        GetTextExtentPoint32A(screen, item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
      }
      SelectObject(screen, old);
      // An entry is drawn a pixel in from the left, one a line.
      int rows = client.cy / std::max(static_cast<int>(metrics.tmHeight), 1);
      int room = client.cx - 2 - (static_cast<int>(items.size()) > rows ? scrollBar : 0);
      fits = widest <= room;
    }
  }
  ReleaseDC(nullptr, screen);
  return chosen;
}

}  // namespace zuba::winui
