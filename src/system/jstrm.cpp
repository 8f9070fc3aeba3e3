#include "system/jstrm.h"

#include "system/Errors.h"

namespace zuba::system {

namespace {

constexpr char kSpace = 0x20;
constexpr unsigned char kIdeographicSpaceLead = 0x81;
constexpr unsigned char kIdeographicSpaceTrail = 0x40;

bool IsIdeographicSpace(const std::string& text, std::size_t at) {
  return at + 1 < text.size() && static_cast<unsigned char>(text[at]) == kIdeographicSpaceLead &&
         static_cast<unsigned char>(text[at + 1]) == kIdeographicSpaceTrail;
}

// The lower-case form of one character given as its code (a single byte, or
// lead * 256 + trail): ASCII A-Z, and the full-width Latin, Greek and
// Cyrillic capitals of code page 932.
unsigned FoldCase(unsigned code) {
  if (code >= 'A' && code <= 'Z') return code + ('a' - 'A');
  if (code >= 0x8260 && code <= 0x8279) return code + (0x8281 - 0x8260);  // full-width A-Z
  if (code >= 0x839F && code <= 0x83B6) return code + (0x83BF - 0x839F);  // Greek
  if (code >= 0x8440 && code <= 0x8460) {                                 // Cyrillic
    unsigned lower = code + (0x8470 - 0x8440);
    return lower >= 0x847F ? lower + 1 : lower;  // 0x847F is no character
  }
  return code;
}

}  // namespace

LeadBytes::LeadBytes(platform::System& system) {
  for (int b = 0; b < 256; ++b) bits_[b] = system.IsDbcsLeadByte(static_cast<unsigned char>(b));
}

bool IsTrailByte(const std::string& text, std::ptrdiff_t position, const LeadBytes& lead) {
  if (position < 1 || static_cast<std::size_t>(position) > text.size()) {
    throw Exception("Illegal Index");
  }
  // Every byte that is not a lead byte ends a character, so the byte after it
  // starts one; from there, lead bytes pair off with the byte that follows.
  std::size_t leads = 0;
  for (std::size_t at = static_cast<std::size_t>(position) - 1; at > 0 && lead.IsLead(text[at - 1]);
       --at) {
    ++leads;
  }
  return leads % 2 == 1;
}

std::string TakeToken(std::string& text, const std::string& delimiters, const LeadBytes& lead) {
  std::string token;
  if (delimiters.empty()) {
    token.swap(text);
    return token;
  }
  // Walking forward over whole characters visits exactly the positions
  // that are not trail bytes.
  for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, lead)) {
    if (delimiters.find(text[at]) != std::string::npos) {
      token = text.substr(0, at);
      text.erase(0, at + 1);
      return token;
    }
  }
  token.swap(text);
  return token;
}

void TrimLeadingBlanks(std::string& text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == kSpace) {
      at += 1;
    } else if (IsIdeographicSpace(text, at)) {
      at += 2;
    } else {
      break;
    }
  }
  text.erase(0, at);
}

void TrimTrailingBlanks(std::string& text, const LeadBytes& lead) {
  // One forward walk; the text ends after the last character that is not a
  // blank.
  std::size_t end = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = CharLength(text, at, lead);
    bool blank = length == 1 ? text[at] == kSpace : IsIdeographicSpace(text, at);
    at += length;
    if (!blank) end = at;
  }
  text.resize(end);
}

std::string TrimBlanks(const std::string& text, const LeadBytes& lead) {
  std::string result = text;
  TrimLeadingBlanks(result);
  TrimTrailingBlanks(result, lead);
  return result;
}

bool SplitAtSeparator(std::string& text, std::string& head, const std::string& separator,
                      const LeadBytes& lead) {
  if (!separator.empty()) {
    for (std::size_t at = 0; at < text.size(); at += CharLength(text, at, lead)) {
      if (text.compare(at, separator.size(), separator) == 0) {
        head = text.substr(0, at);
        text.erase(0, at + separator.size());
        return true;
      }
    }
  }
  head = text;
  return false;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b, const LeadBytes& lead) {
  if (a.size() != b.size()) return false;
  for (std::size_t at = 0; at < a.size();) {
    std::size_t length = CharLength(a, at, lead);
    if (CharLength(b, at, lead) != length) return false;
    unsigned codeA = static_cast<unsigned char>(a[at]);
    unsigned codeB = static_cast<unsigned char>(b[at]);
    if (length == 2) {
      codeA = codeA * 256 + static_cast<unsigned char>(a[at + 1]);
      codeB = codeB * 256 + static_cast<unsigned char>(b[at + 1]);
    }
    if (codeA != codeB && FoldCase(codeA) != FoldCase(codeB)) return false;
    at += length;
  }
  return true;
}

}  // namespace zuba::system
