#include "toolkit/Cp932Text.h"

#include <cstddef>

namespace zuba::toolkit {
namespace {

// The character starting at `i` as one comparable number, folded to upper
// case; `*i` moves past it. A lead byte at the very end stands alone.
unsigned NextFolded(const std::string& text, std::size_t* i) {
  unsigned char first = static_cast<unsigned char>(text[*i]);
  ++*i;
  if (IsCp932LeadByte(first) && *i < text.size()) {
    unsigned char second = static_cast<unsigned char>(text[*i]);
    ++*i;
    // Full-width a-z (0x8281-0x829A) fold onto A-Z (0x8260-0x8279).
    if (first == 0x82 && second >= 0x81 && second <= 0x9A) second -= 0x21;
    return (static_cast<unsigned>(first) << 8) | second;
  }
  if (first >= 'a' && first <= 'z') first -= 'a' - 'A';
  return first;
}

}  // namespace

int CompareTextNoCase(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    // Single bytes compare as the byte, double-byte characters by both bytes;
    // compare the lead bytes first so ordering stays bytewise.
    unsigned x = NextFolded(a, &i);
    unsigned y = NextFolded(b, &j);
    unsigned xs = x > 0xFF ? x : x << 8;
    unsigned ys = y > 0xFF ? y : y << 8;
    if (xs != ys) return xs < ys ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

std::string DropLastCharacter(const std::string& text) {
  std::size_t start = 0;
  std::size_t last = 0;
  while (start < text.size()) {
    last = start;
    start += platform::Cp932CharLength(text, start);
  }
  return text.substr(0, last);
}

std::string UnbreakableWords(const std::string& caption) {
  std::string words;
  std::string word;
  auto endWord = [&] {
    if (!word.empty()) words += word + "\r\n";
    word.clear();
  };
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (IsCp932LeadByte(c) && i + 1 < caption.size()) {
      endWord();
      words += caption.substr(i, 2) + "\r\n";  // a double-byte character stands alone
      ++i;
    } else if (c == ' ' || c == '\r' || c == '\n') {
      endWord();
    } else {
      word += caption[i];
    }
  }
  endWord();
  return words;
}

}  // namespace zuba::toolkit
