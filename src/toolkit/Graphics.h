// Colours, fonts, alignments and rectangles of the control model, as the
// window toolkit of Windows keeps them. The renderer maps them to its own.
#ifndef ZUBA_TOOLKIT_GRAPHICS_H_
#define ZUBA_TOOLKIT_GRAPHICS_H_

#include <cstdint>
#include <string>

namespace zuba::toolkit {

// A colour: 0x00BBGGRR for an explicit colour, or a system colour (high bit
// set, the low byte the Windows COLOR_* index) that the renderer resolves.
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr Color kClBlack = Rgb(0, 0, 0);
constexpr Color kClBlue = Rgb(0, 0, 255);
constexpr Color kClRed = Rgb(255, 0, 0);
constexpr Color kClWhite = Rgb(255, 255, 255);
constexpr Color kClScrollBar = 0x80000000;
constexpr Color kClWindow = 0x80000005;
constexpr Color kClWindowText = 0x80000008;
constexpr Color kClBtnFace = 0x8000000F;
constexpr Color kClGrayText = 0x80000011;
constexpr Color kClBtnText = 0x80000012;
constexpr Color kClInfoBk = 0x80000018;

constexpr bool IsSystemColor(Color color) { return (color & 0x80000000u) != 0; }

// Character set of a font (the Windows *_CHARSET values).
constexpr int kDefaultCharset = 1;
constexpr int kShiftJisCharset = 128;

struct Font {
  std::string name = "ＭＳ Ｐゴシック";
  int size = 9;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = kClWindowText;
  int charset = kShiftJisCharset;

  bool operator==(const Font& other) const {
    return name == other.name && size == other.size && bold == other.bold &&
           italic == other.italic && underline == other.underline && color == other.color &&
           charset == other.charset;
  }
  bool operator!=(const Font& other) const { return !(*this == other); }
};

// Horizontal placement of a caption or text.
enum class Alignment { kLeftJustify, kRightJustify, kCenter };

// Vertical placement of a caption.
enum class VerticalPlacement { kTop, kCenter, kBottom };

// Left, top, width and height in pixels; a control's bounds are relative to
// its parent's client area, a form's to the screen.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
  bool operator!=(const Rect& other) const { return !(*this == other); }
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_GRAPHICS_H_
