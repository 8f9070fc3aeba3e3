// The byte classes of code page 932 as the code page defines them, and the
// few byte-level operations every layer needs on such text: where a
// character starts, finding a single-byte character, and names compared
// without regard to case, where only ASCII letters fold and never the trail
// byte of a double-byte character. Kept free of non-ASCII literals so the
// parsers that use it build under any compiler.
#ifndef ZUBA_PLATFORM_CP932_H_
#define ZUBA_PLATFORM_CP932_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace zuba::platform {

// The lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A byte that may follow a lead byte: 0x40-0x7E and 0x80-0xFC.
constexpr bool IsCp932TrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The length of the character at `pos`: 2 for a lead byte followed by
// another byte, else 1 (a lead byte at the end of the text stands alone).
inline std::size_t Cp932CharLength(std::string_view text, std::size_t pos) {
  return IsCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// `text` with the ASCII letters a-z upper-cased, trail bytes left alone.
std::string FoldCp932(std::string_view text);

// Whether `a` and `b` are equal when ASCII letters are compared without
// regard to case (trail bytes compare exactly).
bool EqualsNoCaseCp932(std::string_view a, std::string_view b);

// The position of the first `c` in `text` that is not the trail byte of a
// double-byte character, or npos.
std::size_t FindCp932(std::string_view text, char c, std::size_t from = 0);

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_CP932_H_
