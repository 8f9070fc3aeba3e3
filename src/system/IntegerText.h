// Text to a 32-bit integer: the one parser of numbers written as text.
#ifndef ZUBA_SYSTEM_INTEGERTEXT_H_
#define ZUBA_SYSTEM_INTEGERTEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace zuba::system {

// An optional "+" or "-" and one or more digits of `base` (10, or 16 with
// letters in either case), nothing before or after, within the range of a
// signed 32-bit integer: true with the number in `*value`; false, and
// `*value` untouched, for any other text.
bool ParseInteger32(std::string_view text, int base, std::int32_t* value);

// The integer written in `text`: an optional "+" or "-" and one or more ASCII
// digits, nothing before or after, within the range of a signed 32-bit
// integer. Any other text raises Exception with the message
// "'<text>' は整数ではありません" ('<text>' is not an integer).
std::int32_t TextToInteger(const std::string& text);

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_INTEGERTEXT_H_
