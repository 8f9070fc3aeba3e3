#include "platform/sim/VfatAlias.h"

#include <algorithm>
#include <unordered_set>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

// Single bytes an alias may hold besides letters, digits and bytes above 127.
bool IsAliasPunctuation(char c) {
  switch (c) {
    case '$':
    case '%':
    case '\'':
    case '-':
    case '_':
    case '@':
    case '~':
    case '`':
    case '!':
    case '(':
    case ')':
    case '^':
    case '#':
    case '&':
      return true;
    default:
      return false;
  }
}

bool IsAliasByte(char c, bool allowLower) {
  unsigned char u = static_cast<unsigned char>(c);
  return u > 127 || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         (allowLower && c >= 'a' && c <= 'z') || IsAliasPunctuation(c);
}

// Whether `name` is an 8.3 name once upper-cased (`allowLower`) or as it
// stands.
bool Is83(std::string_view name, bool allowLower) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = Cp932CharLength(name, i);
    if (n == 1) {
      if (name[i] == '.') {
        if (dot != std::string_view::npos) return false;
        dot = i;
      } else if (!IsAliasByte(name[i], allowLower)) {
        return false;
      }
    }
    i += n;
  }
  std::size_t base = dot == std::string_view::npos ? name.size() : dot;
  std::size_t ext = dot == std::string_view::npos ? 0 : name.size() - dot - 1;
  return base >= 1 && base <= 8 && (dot == std::string_view::npos || (ext >= 1 && ext <= 3));
}

// The first bytes of `text`, at most `limit`, without cutting a double-byte
// character.
std::string Head(const std::string& text, std::size_t limit) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = Cp932CharLength(text, i);
    if (i + n > limit) break;
    i += n;
  }
  return text.substr(0, i);
}

// `part` made of alias characters: spaces and periods dropped, ASCII
// letters upper-cased, and any other byte no alias may hold (+ , ; = [ ],
// or what only a host file name can hold) as '_'.
std::string AliasCharacters(std::string_view part) {
  std::string out;
  for (std::size_t i = 0; i < part.size();) {
    std::size_t n = Cp932CharLength(part, i);
    if (n == 2) {
      out.append(part.substr(i, 2));
    } else {
      char c = part[i];
      if (c == ' ' || c == '.') {
        // dropped
      } else if (c >= 'a' && c <= 'z') {
        out += static_cast<char>(c - 32);
      } else if (IsAliasByte(c, false)) {
        out += c;
      } else {
        // + , ; = [ ] of long names, and what only a host name can hold.
        out += '_';
      }
    }
    i += n;
  }
  return out;
}

// The base and extension a numbered alias is made from.
void Basis(std::string_view name, std::string* base, std::string* ext) {
  // Trailing periods and spaces never make an extension.
  std::size_t end = 0;
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = Cp932CharLength(name, i);
    if (n == 2 || (name[i] != '.' && name[i] != ' ')) end = i + n;
    i += n;
  }
  name = name.substr(0, end);
  std::size_t dot = std::string_view::npos;
  bool onlyDotsBefore = true, seenOther = false;
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = Cp932CharLength(name, i);
    if (n == 1 && name[i] == '.') {
      dot = i;
      onlyDotsBefore = !seenOther;
    } else {
      seenOther = true;
    }
    i += n;
  }
  if (dot == std::string_view::npos || onlyDotsBefore) {
    // No extension; a name of dots and one word takes the word as its base.
    *base = AliasCharacters(name);
    ext->clear();
  } else {
    *base = AliasCharacters(name.substr(0, dot));
    *ext = Head(AliasCharacters(name.substr(dot + 1)), 3);
  }
  if (base->empty()) *base = "_";
}

}  // namespace

bool IsOwnAlias(std::string_view name) { return Is83(name, false); }

std::vector<std::string> AssignAliases(const std::vector<std::string>& names) {
  std::vector<std::string> aliases(names.size());
  std::unordered_set<std::string> taken;
  std::vector<std::size_t> numbered;
  for (const std::string& name : names) {
    if (IsOwnAlias(name)) taken.insert(name);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (IsOwnAlias(names[i])) continue;
    if (Is83(names[i], true)) {
      std::string upper = FoldCp932(names[i]);
      if (taken.insert(upper).second) {
        aliases[i] = upper;
        continue;
      }
    }
    numbered.push_back(i);
  }
  std::vector<std::string> folded(names.size());
  for (std::size_t i : numbered) folded[i] = FoldCp932(names[i]);
  std::sort(numbered.begin(), numbered.end(), [&](std::size_t a, std::size_t b) {
    return folded[a] != folded[b] ? folded[a] < folded[b] : names[a] < names[b];
  });
  for (std::size_t i : numbered) {
    std::string base, ext;
    Basis(names[i], &base, &ext);
    for (unsigned n = 1; n < 1000000; ++n) {
      std::string tail = "~" + std::to_string(n);
      std::string alias = Head(base, 8 - tail.size()) + tail;
      if (!ext.empty()) alias += "." + ext;
      if (taken.insert(alias).second) {
        aliases[i] = alias;
        break;
      }
    }
  }
  return aliases;
}

}  // namespace zuba::platform::sim
