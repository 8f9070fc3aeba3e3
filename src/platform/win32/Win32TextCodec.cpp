// platform/TextCodec on the code-page functions of Windows.
#include <algorithm>

#include "platform/TextCodec.h"
#include "platform/win32/Win32Api.h"

namespace zuba::platform {
namespace {

constexpr UINT kCp932 = 932;

// Windows maps the single bytes 0x80, 0xA0 and 0xFD-0xFF of code page 932
// to U+0080 and private-use characters by best fit only; the code page
// itself (and glibc, which converts on Linux) leaves them undefined, and so
// does the program on both.
bool IsBestFitOnly(unsigned char byte) { return byte == 0x80 || byte == 0xA0 || byte >= 0xFD; }

// The length of the character that starts at `pos`: in code page 932 by its
// lead byte, in UTF-8 by its first byte.
std::size_t CharLength(UINT codePage, const std::string& text, std::size_t pos) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  if (codePage == kCp932) return IsDBCSLeadByteEx(kCp932, c) ? 2 : 1;
  return c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

// One character in `to`, or false when `to` has no code for it.
bool ConvertChar(UINT from, UINT to, const char* bytes, int length, std::string* out) {
  wchar_t wide[4];
  int units = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes, length, wide, 4);
  if (units <= 0) return false;
  char converted[8];
  BOOL defaulted = FALSE;
  int n = WideCharToMultiByte(to, 0, wide, units, converted, sizeof converted, nullptr,
                              to == CP_UTF8 ? nullptr : &defaulted);
  if (n <= 0 || defaulted) return false;
  if (to == kCp932 && n == 1 && IsBestFitOnly(static_cast<unsigned char>(converted[0]))) {
    return false;
  }
  out->append(converted, n);
  return true;
}

// Converts character by character: a byte sequence `from` does not define
// (or `to` cannot hold) becomes `replacement`, and `*exact` tells whether
// there was any.
std::string Convert(UINT from, UINT to, const std::string& text, const char* replacement,
                    bool* exact) {
  std::string out;
  bool clean = true;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = CharLength(from, text, pos);
    const bool defined =
        pos + length <= text.size() &&
        !(from == kCp932 && length == 1 && IsBestFitOnly(static_cast<unsigned char>(text[pos]))) &&
        ConvertChar(from, to, text.data() + pos, static_cast<int>(length), &out);
    if (!defined) {
      clean = false;
      out += replacement;
      // An undefined code page 932 byte is skipped alone; a UTF-8 sequence
      // whole, as far as the text goes.
      length = from == kCp932 ? 1 : std::min(length, text.size() - pos);
    }
    pos += length;
  }
  if (exact) *exact = clean;
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& text, bool* exact) {
  return Convert(kCp932, CP_UTF8, text, "\xEF\xBF\xBD", exact);
}

std::string Utf8ToCp932(const std::string& text, bool* exact) {
  return Convert(CP_UTF8, kCp932, text, "?", exact);
}

}  // namespace zuba::platform
