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

// The pieces of a caption that a line cannot break inside when it wraps:
// each double-byte character, and each run of single-byte characters
// between blanks, line breaks and double-byte characters, one piece a line
// ending in CR LF ("DHCPを使う": "DHCP", "を", "使", "う"). A caption that
// wraps fits its width when its widest piece does.
std::string UnbreakableWords(const std::string& caption);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_CP932TEXT_H_
