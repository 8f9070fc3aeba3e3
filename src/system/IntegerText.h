// Decimal text to a 32-bit integer, as the program converts the text of an
// item that holds a number.
#ifndef ZUBA_SYSTEM_INTEGERTEXT_H_
#define ZUBA_SYSTEM_INTEGERTEXT_H_

#include <cstdint>
#include <string>

namespace zuba::system {

// The integer written in `text`: an optional "+" or "-" and one or more ASCII
// digits, nothing before or after, within the range of a signed 32-bit
// integer. Any other text raises Exception with the message
// "'<text>' は整数ではありません" ('<text>' is not an integer).
std::int32_t TextToInteger(const std::string& text);

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_INTEGERTEXT_H_
