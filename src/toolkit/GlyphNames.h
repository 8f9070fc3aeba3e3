// The small pictures the model names (Button::Glyph, Picture::ImageName)
// and their sizes in pixels. Each front-end draws them in its own way, in
// this order (frontend/qt/Glyphs.h describes them); a name not listed has
// no picture.
#ifndef ZUBA_TOOLKIT_GLYPHNAMES_H_
#define ZUBA_TOOLKIT_GLYPHNAMES_H_

#include <cstddef>
#include <string>

namespace zuba::toolkit {

struct GlyphName {
  const char* name;
  int width;
  int height;
};

inline constexpr GlyphName kGlyphNames[] = {
    {"BtnOk", 16, 16},   {"BtnCancel", 16, 16}, {"Config", 16, 16},    {"Apply", 16, 16},
    {"Delete", 20, 20},  {"Save", 16, 16},      {"Close", 16, 16},     {"Options", 32, 32},
    {"Browse", 12, 11},  {"Printer", 20, 20},   {"Network", 16, 16},   {"DialUp", 16, 16},
    {"Telephone", 17, 16}, {"ControlPanel", 32, 28},
};
inline constexpr std::size_t kGlyphCount = sizeof kGlyphNames / sizeof kGlyphNames[0];

// The index of `name` in kGlyphNames; kGlyphCount for a name without one.
inline std::size_t GlyphIndex(const std::string& name) {
  std::size_t i = 0;
  while (i < kGlyphCount && name != kGlyphNames[i].name) ++i;
  return i;
}

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_GLYPHNAMES_H_
