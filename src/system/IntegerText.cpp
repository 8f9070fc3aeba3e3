#include "system/IntegerText.h"

#include "system/Errors.h"

namespace zuba::system {

std::int32_t TextToInteger(const std::string& text) {
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // The magnitude may reach 2^31 only for a negative number.
  constexpr std::int64_t kLimit = 2147483648;  // -INT32_MIN
  std::int64_t magnitude = 0;
  const std::size_t firstDigit = at;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c < '0' || c > '9') break;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) break;
  }
  if (at == firstDigit || at != text.size() || magnitude > kLimit ||
      (!negative && magnitude == kLimit)) {
    throw Exception("'" + text + "' は整数ではありません");
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace zuba::system
