// The few code page 932 text rules the controls need themselves: where a
// double-byte character starts, and comparing list entries without regard to
// case.
#ifndef ZUBA_TOOLKIT_CP932TEXT_H_
#define ZUBA_TOOLKIT_CP932TEXT_H_

#include <cstddef>
#include <string>

#include "platform/Cp932.h"

namespace zuba::toolkit {

using platform::IsCp932LeadByte;

// Compares two texts as a sorted list does: byte by byte, each character
// taken whole, ASCII letters and full-width Latin letters without regard to
// case. Negative, 0 or positive like strcmp.
int CompareTextNoCase(const std::string& a, const std::string& b);

inline bool SameTextNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && CompareTextNoCase(a, b) == 0;
}

// The text without its last character (a double-byte character is removed
// whole); the empty text stays empty.
std::string DropLastCharacter(const std::string& text);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_CP932TEXT_H_
