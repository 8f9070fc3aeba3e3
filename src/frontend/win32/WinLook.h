// The model's colours and fonts as GDI objects: a system colour resolves
// to the colour the system scheme gives its index, a font to the GDI font
// of its face, size and character set. The objects are made once and kept
// for as long as the cache lives.
#ifndef ZUBA_FRONTEND_WIN32_WINLOOK_H_
#define ZUBA_FRONTEND_WIN32_WINLOOK_H_

#include "frontend/win32/WinApi.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Graphics.h"

namespace zuba::winui {

// The COLORREF of a model colour.
COLORREF ColorRefOf(toolkit::Color color);

class GdiCache {
 public:
  GdiCache() = default;
  GdiCache(const GdiCache&) = delete;
  GdiCache& operator=(const GdiCache&) = delete;
  ~GdiCache();

  // A solid brush of `color`.
  HBRUSH Brush(toolkit::Color color);
  // The font: `font.size` points at the screen's resolution (9 pt is 12
  // pixels at 96 dpi), in its character set.
  HFONT Font(const toolkit::Font& font);
  // The font narrowed just enough for `text` ("&" marking an access key;
  // of lines ending in CR LF, the widest) to take no more than `width`
  // pixels, never below 80 % of
  // its width: IPAPGothic runs a few pixels wider than the font the windows
  // were laid out with in some captions. Bounds are never changed.
  HFONT FittingFont(const toolkit::Font& font, const std::string& text, int width);

 private:
  std::map<COLORREF, HBRUSH> brushes_;
  HFONT Make(const toolkit::Font& font, int percent);

  // By font and width in percent.
  std::vector<std::pair<std::pair<toolkit::Font, int>, HFONT>> fonts_;
};

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINLOOK_H_
