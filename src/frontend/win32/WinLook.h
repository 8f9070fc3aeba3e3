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
  // The font for the entries of a list box whose client area is `client`
  // (its vertical scroll bar not taken off): the font itself when every
  // entry fits beside the scroll bar that the entries need, else the
  // largest smaller size (narrowed too, down to 80 %) at which they do,
  // never below two thirds of the font's height. Narrowing alone gains too
  // little (IPAPGothic under Wine narrows by about 16 % at the most).
  HFONT FittingListFont(const toolkit::Font& font, const std::vector<std::string>& items,
                        SIZE client);

 private:
  std::map<COLORREF, HBRUSH> brushes_;
  // `font` `pixels` high (0: its own size), its width in percent.
  HFONT Make(const toolkit::Font& font, int percent, int pixels = 0);

  struct Made {
    toolkit::Font font;
    int percent;
    int pixels;  // 0: the font's own size
    HFONT handle;
  };
  std::vector<Made> fonts_;
};

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINLOOK_H_
