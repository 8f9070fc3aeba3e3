#include "platform/sim/WinPath.h"

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

constexpr std::size_t kMaxComponent = 255;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Splits `text` at separators that are not trail bytes.
std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = Cp932CharLength(text, i);
    if (n == 1 && IsSeparator(text[i])) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
    i += n;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Checks one component's characters; false for a forbidden one.
bool ValidCharacters(std::string_view name, bool allowWildcards) {
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = Cp932CharLength(name, i);
    if (n == 1) {
      unsigned char c = static_cast<unsigned char>(name[i]);
      if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|') return false;
      if ((c == '*' || c == '?') && !allowWildcards) return false;
    }
    i += n;
  }
  return true;
}

// Drops trailing dots and spaces, never a trail byte.
std::string_view DropTrailingDots(std::string_view name) {
  std::size_t keep = 0;  // one past the last character that stays
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = Cp932CharLength(name, i);
    if (n == 2 || (name[i] != '.' && name[i] != ' ')) keep = i + n;
    i += n;
  }
  return name.substr(0, keep);
}

// Applies the components of `rest` to `out`.
bool Apply(std::string_view rest, Wildcards wildcards, WinPath* out) {
  std::vector<std::string_view> parts = Split(rest);
  for (std::size_t k = 0; k < parts.size(); ++k) {
    std::string_view part = parts[k];
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (out->components.empty()) return false;
      out->components.pop_back();
      continue;
    }
    bool pattern = k + 1 == parts.size() && wildcards == Wildcards::kAllowInLast;
    if (!ValidCharacters(part, pattern)) return false;
    // A pattern keeps its dots: "*." asks for names without an extension.
    std::string_view name = pattern && HasWildcards(part) ? part : DropTrailingDots(part);
    if (name.empty() || name.size() > kMaxComponent) return false;
    out->components.emplace_back(name);
  }
  return true;
}

}  // namespace

std::string WinPath::ToString() const {
  std::string s(1, drive);
  s += ":\\";
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i) s += '\\';
    s += components[i];
  }
  return s;
}

bool HasWildcards(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) {
    if (Cp932CharLength(name, i) == 1 && (name[i] == '*' || name[i] == '?')) return true;
  }
  return false;
}

bool ResolveWinPath(std::string_view path, std::string_view currentDirectory, Wildcards wildcards,
                    WinPath* out) {
  if (path.empty()) return false;
  WinPath result;
  // A current directory that is not absolute itself resolves nothing.
  auto current = [&](WinPath* base) {
    return ResolveWinPath(currentDirectory, "", Wildcards::kRefuse, base);
  };
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
    result.drive = static_cast<char>(path[0] & ~0x20);
    std::string_view rest = path.substr(2);
    if (rest.empty() || !IsSeparator(rest[0])) {
      WinPath base;
      if (current(&base) && base.drive == result.drive) result = base;
    }
    if (!Apply(rest, wildcards, &result)) return false;
  } else if (IsSeparator(path[0])) {
    if (path.size() >= 2 && IsSeparator(path[1])) return false;  // \\server\share
    if (!current(&result)) return false;
    result.components.clear();
    if (!Apply(path, wildcards, &result)) return false;
  } else {
    if (!current(&result)) return false;
    if (!Apply(path, wildcards, &result)) return false;
  }
  if (result.ToString().size() >= kMaxPath) return false;
  *out = std::move(result);
  return true;
}

}  // namespace zuba::platform::sim
