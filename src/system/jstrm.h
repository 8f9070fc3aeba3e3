// Splitting, trimming and comparing Shift-JIS (code page 932) byte strings
// without cutting a double-byte character in two.
//
// A double-byte character is a lead byte followed by one trail byte. Trail
// bytes overlap ASCII (0x40 '@', 0x5C '\' and others), so every scan walks
// the text from its start and steps over whole characters. A lead byte at the
// very end of a text (with no byte after it) counts as a character of its
// own; nothing here reads past the end of a text.
//
// Positions are 1-based byte positions. Blanks are the ASCII space 0x20 and
// the ideographic space 0x81 0x40.
#ifndef ZUBA_SYSTEM_JSTRM_H_
#define ZUBA_SYSTEM_JSTRM_H_

#include <bitset>
#include <cstddef>
#include <string>

#include "platform/System.h"

namespace zuba::system {

// The lead bytes of the system code page, asked of the platform once
// (IsDBCSLeadByte for each of the 256 byte values) and then looked up in a
// table. Build one per component and keep it; copying is cheap.
class LeadBytes {
 public:
  explicit LeadBytes(platform::System& system);

  // Any predicate `bool(unsigned char)`; for code that already knows its
  // code page.
  template <typename Predicate>
  static LeadBytes FromPredicate(Predicate isLead) {
    LeadBytes table;
    for (int b = 0; b < 256; ++b) table.bits_[b] = isLead(static_cast<unsigned char>(b));
    return table;
  }

  bool IsLead(unsigned char byte) const { return bits_[byte]; }
  bool IsLead(char byte) const { return bits_[static_cast<unsigned char>(byte)]; }

 private:
  LeadBytes() = default;
  std::bitset<256> bits_;
};

// The length in bytes (1 or 2) of the character that starts at the 0-based
// offset `at` of `text` (`at` < text.size()).
inline std::size_t CharLength(const std::string& text, std::size_t at, const LeadBytes& lead) {
  return (lead.IsLead(text[at]) && at + 1 < text.size()) ? 2 : 1;
}

// True when the byte at `position` is the trail byte of a double-byte
// character; false for position 1. Throws Exception("Illegal Index") when
// `position` is below 1 or beyond the text's length.
bool IsTrailByte(const std::string& text, std::ptrdiff_t position, const LeadBytes& lead);

// Removes the first token and the delimiter that ends it from `text` and
// returns the token. The token ends at the first byte that is not a trail
// byte and is one of `delimiters`. Without such a byte (or with no
// delimiters) the token is the whole text and `text` becomes empty; an empty
// text gives the empty token. Two delimiters in a row give an empty token.
std::string TakeToken(std::string& text, const std::string& delimiters, const LeadBytes& lead);

// Removes all blanks at the start of `text`.
void TrimLeadingBlanks(std::string& text);

// Removes all blanks at the end of `text`. A double-byte character whose
// trail byte is 0x40 (such as 0x83 0x40) is not a blank and stays.
void TrimTrailingBlanks(std::string& text, const LeadBytes& lead);

// `text` without its leading and trailing blanks; blanks inside stay.
std::string TrimBlanks(const std::string& text, const LeadBytes& lead);

// Finds the first occurrence of `separator` in `text` that starts on a
// character boundary. When found: `head` := the text before it, `text` loses
// everything up to and including the whole separator (not just its first
// byte, which would leave the rest of a longer separator at the front of the
// text), and the result is true. Otherwise (also for an empty separator):
// `head` := the whole text, `text` stays as it is and the result is false, so
// a loop must stop on false.
bool SplitAtSeparator(std::string& text, std::string& head, const std::string& separator,
                      const LeadBytes& lead);

// Equality without regard to letter case, character by character: ASCII
// letters and the double-byte Latin, Greek and Cyrillic letters of code
// page 932 fold to one case. Trail bytes never fold, so two different
// double-byte characters never compare equal.
bool SameTextIgnoringCase(const std::string& a, const std::string& b, const LeadBytes& lead);

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_JSTRM_H_
