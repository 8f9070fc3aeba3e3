// The few code page 932 text rules the controls need themselves: where a
// double-byte character starts, and comparing list entries without regard to
// case.
#ifndef ZUBA_UI_TOOLKIT_CP932TEXT_H_
#define ZUBA_UI_TOOLKIT_CP932TEXT_H_

#include <cstddef>
#include <string>

namespace zuba::toolkit {

// The lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Compares two texts as a sorted list does: byte by byte, each character
// taken whole, ASCII letters and full-width Latin letters without regard to
// case. Negative, 0 or positive like strcmp.
int CompareTextNoCase(const std::string& a, const std::string& b);

inline bool SameTextNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareTextNoCase(a, b) == 0;
}

// The position of the first single-byte character `c` in `text` (a trail
// byte of the same value is skipped), or std::string::npos.
std::size_t FindSingleByte(const std::string& text, char c);

// The text without its last character (a double-byte character is removed
// whole); the empty text stays empty.
std::string DropLastCharacter(const std::string& text);

}  // namespace zuba::toolkit

#endif  // ZUBA_UI_TOOLKIT_CP932TEXT_H_
