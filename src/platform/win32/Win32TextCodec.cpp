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

// UTF-8 is read and written here, not by Windows: Windows 95 has no UTF-8
// code page, and Windows 98 converts it only without flags, so it could not
// tell a malformed sequence. Only code page 932 goes through Windows.

// The UTF-16 units of the one UTF-8 sequence `bytes`; 0 when it is not a
// well-formed sequence (overlong, a surrogate, beyond U+10FFFF, cut).
int DecodeUtf8(const char* bytes, int length, wchar_t* wide) {
  const auto byte = [bytes](int i) { return static_cast<unsigned char>(bytes[i]); };
  static const unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (length < 1 || length > 4) return 0;
  if ((length == 1) != (byte(0) < 0x80)) return 0;
  char32_t code = byte(0) & kLeadMask[length];
  for (int i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  if (code < 0x10000) {
    wide[0] = static_cast<wchar_t>(code);
    return 1;
  }
  code -= 0x10000;
  wide[0] = static_cast<wchar_t>(0xD800 + (code >> 10));
  wide[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
  return 2;
}

// `units` UTF-16 units (one character) as UTF-8; false for a lone surrogate.
bool EncodeUtf8(const wchar_t* wide, int units, std::string* out) {
  char32_t code = static_cast<char16_t>(wide[0]);
  if (units == 2) {
    const char32_t low = static_cast<char16_t>(wide[1]);
    if (code < 0xD800 || code > 0xDBFF || low < 0xDC00 || low > 0xDFFF) return false;
    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  } else if (units != 1 || (code >= 0xD800 && code <= 0xDFFF)) {
    return false;
  }
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
  return true;
}

// One character in `to`, or false when `to` has no code for it.
bool ConvertChar(UINT from, UINT to, const char* bytes, int length, std::string* out) {
  wchar_t wide[4];
  const int units = from == CP_UTF8
                        ? DecodeUtf8(bytes, length, wide)
                        : MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes, length, wide, 4);
  if (units <= 0) return false;
  if (to == CP_UTF8) return EncodeUtf8(wide, units, out);
  char converted[8];
  BOOL defaulted = FALSE;
  int n = WideCharToMultiByte(to, 0, wide, units, converted, sizeof converted, nullptr,
                              &defaulted);
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
