#include "platform/sim/WinCommandLine.h"

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<ProgramGuess> ProgramGuesses(std::string_view line) {
  std::vector<ProgramGuess> guesses;
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  if (begin == line.size()) return guesses;
  if (line[begin] == '"') {
    std::size_t close = line.find('"', begin + 1);  // never a trail byte in code page 932
    std::size_t end = close == std::string_view::npos ? line.size() : close;
    std::size_t rest = close == std::string_view::npos ? line.size() : close + 1;
    guesses.push_back(
        {std::string(line.substr(begin + 1, end - begin - 1)), std::string(line.substr(rest))});
    return guesses;
  }
  for (std::size_t i = begin; i <= line.size(); ++i) {
    if (i < line.size() && !IsBlank(line[i])) continue;
    if (i > begin && !IsBlank(line[i - 1])) {
      guesses.push_back({std::string(line.substr(begin, i - begin)), std::string(line.substr(i))});
    }
  }
  return guesses;
}

bool HasPathPart(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) {
    if (name[i] == '\\' || name[i] == '/' || name[i] == ':') return true;
  }
  return false;
}

std::string WithDefaultExtension(const std::string& name) {
  bool dot = false;
  for (std::size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) {
    if (name[i] == '\\' || name[i] == '/' || name[i] == ':') dot = false;
    if (name[i] == '.') dot = true;
  }
  return dot ? name : name + ".exe";
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
      std::size_t backslashes = 0;
      while (i < text.size() && text[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < text.size() && text[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument.push_back('"');
        } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          argument.push_back('"');
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
        continue;
      }
      argument.append(backslashes, '\\');
      if (i == text.size() || (!quoted && IsBlank(text[i]))) break;
      std::size_t length = Cp932CharLength(text, i);
      argument.append(text.substr(i, length));
      i += length;
    }
    arguments.push_back(std::move(argument));
  }
}

}  // namespace zuba::platform::sim
