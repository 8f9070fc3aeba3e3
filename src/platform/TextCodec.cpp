#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace zuba::platform {
namespace {

// Converts with glibc iconv; an unconvertible sequence of `skip` bytes is
// replaced by `replacement` (already in the target encoding).
std::string Convert(const char* to, const char* from, const std::string& text,
                    const std::string& replacement, bool* exact) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert");
  std::string out;
  out.reserve(text.size() * 3 / 2 + 4);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[4096];
  bool clean = true;
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, o - buffer);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a cut sequence at the end): skip one byte, or a
      // whole UTF-8 sequence when reading UTF-8.
      clean = false;
      out += replacement;
      size_t skip = 1;
      if (std::string(from) == "UTF-8") {
        unsigned char c = static_cast<unsigned char>(*in);
        skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (skip > inLeft) skip = inLeft;
      }
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  if (exact) *exact = clean;
  return out;
}

// Bytes below 0x80 are the same characters in both encodings: such a text
// needs no converter (opening one costs more than most texts it converts).
bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& text, bool* exact) {
  if (IsAscii(text)) {
    if (exact) *exact = true;
    return text;
  }
  return Convert("UTF-8", "CP932", text, "\xEF\xBF\xBD", exact);
}

std::string Utf8ToCp932(const std::string& text, bool* exact) {
  if (IsAscii(text)) {
    if (exact) *exact = true;
    return text;
  }
  return Convert("CP932", "UTF-8", text, "?", exact);
}

}  // namespace zuba::platform
