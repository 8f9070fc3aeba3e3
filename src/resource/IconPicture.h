// The program's icon as a picture in text, and the files made from it: the
// icon file (.ico) a resource compiler puts into the program, and a PNG of
// it for people to look at. The picture is drawn in the sixteen colours of
// the Windows palette, the colours of the window's own pictures, one
// letter a pixel:
//
//   ; a comment
//   icon 32            a 32 x 32 image follows, one line a row
//   ....kkkkkkkk....
//   icon 16            then a 16 x 16 one
//
//   .  transparent      k black    r maroon  g green   y olive   n navy
//   p  purple           t teal     s silver  d grey    R red     G lime
//   Y  yellow           B blue     M fuchsia C aqua    w white
//
// Windows 95 shows an icon of 16 colours from its file: an image of each
// size as a 4-bit bitmap with the palette, and a 1-bit mask of what is
// transparent.
#ifndef ZUBA_RESOURCE_ICONPICTURE_H_
#define ZUBA_RESOURCE_ICONPICTURE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace zuba::resource {

// The index of the transparent pixel; 0 to 15 are the palette's colours.
constexpr std::uint8_t kTransparent = 16;

struct IconImage {
  int size = 0;                      // width and height
  std::vector<std::uint8_t> pixels;  // size * size, rows top-down
};

// Parses the picture. Throws std::runtime_error "line N: what is wrong" on
// an unknown letter, a row of the wrong length, a wrong row count, or a
// size other than 16, 32 or 48.
std::vector<IconImage> ParseIconPicture(const std::string& text);

// The icon file: its directory, then each image as a BITMAPINFOHEADER
// (height doubled for the mask), the 16-colour palette, the 4-bit rows
// bottom-up and the mask rows bottom-up, each row padded to 32 bits.
std::string IconFile(const std::vector<IconImage>& images);

// A PNG (the palette and a transparent colour, as the icon has them) showing the images side by
// side, each pixel `scale` times as wide and high, `scale` pixels apart.
std::string IconPng(const std::vector<IconImage>& images, int scale);

}  // namespace zuba::resource

#endif  // ZUBA_RESOURCE_ICONPICTURE_H_
