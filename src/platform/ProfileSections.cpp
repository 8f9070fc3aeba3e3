#include "platform/ProfileSections.h"

#include <cstring>

#include "platform/Cp932.h"

namespace zuba::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The start of the first header line at or after `from` (a "[" with only
// blanks before it on its line, which follows a blank or a line break and
// so is never a trail byte); the size of `content` when there is none.
std::size_t NextHeader(std::string_view content, std::size_t from, std::size_t* bracket) {
  const char* data = content.data();
  const std::size_t n = content.size();
  for (std::size_t pos = from; pos < n;) {
    const void* hit = std::memchr(data + pos, '[', n - pos);
    if (!hit) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    std::size_t begin = at;
    while (begin > from && IsBlank(content[begin - 1])) --begin;
    if (begin == 0 || content[begin - 1] == '\r' || content[begin - 1] == '\n') {
      *bracket = at;
      return begin;
    }
    pos = at + 1;
  }
  return n;
}

std::size_t LineEnd(std::string_view content, std::size_t from) {
  while (from < content.size() && content[from] != '\r' && content[from] != '\n') ++from;
  return from;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<SectionSpan> FindProfileSection(std::string_view content, std::string_view section) {
  while (!section.empty() && section.front() == ' ') section.remove_prefix(1);
  while (!section.empty() && section.back() == ' ') section.remove_suffix(1);
  if (section.empty()) return std::nullopt;
  std::size_t bracket = 0;
  for (std::size_t begin = NextHeader(content, 0, &bracket); begin < content.size();) {
    const std::size_t lineEnd = LineEnd(content, bracket);
    const std::string_view inner = content.substr(bracket + 1, lineEnd - bracket - 1);
    const std::size_t close = FindCp932(inner, ']');
    const std::string_view name =
        TrimBlanks(close == std::string_view::npos ? inner : inner.substr(0, close));
    // The next header starts on a later line: after this line's break.
    std::size_t next = lineEnd;
    if (next < content.size()) {
      next += content[next] == '\r' && next + 1 < content.size() && content[next + 1] == '\n' ? 2 : 1;
    }
    std::size_t nextBracket = 0;
    const std::size_t nextBegin = NextHeader(content, next, &nextBracket);
    if (EqualsNoCaseCp932(name, section)) return SectionSpan{begin, nextBegin};
    begin = nextBegin;
    bracket = nextBracket;
  }
  return std::nullopt;
}

}  // namespace zuba::platform
