#include "platform/sim/DosBatch.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

constexpr char kBadCommand[] = "Bad command or file name";
constexpr char kLabelNotFound[] = "Label not found";
constexpr char kSyntaxError[] = "Syntax error";
constexpr char kNote[] = "(zubanet-machine: ";
constexpr char kOutOfEnvironment[] = "Out of environment space";
constexpr std::size_t kLabelLength = 8;
// The largest environment MS-DOS keeps (COMMAND.COM /E:32768), in bytes of
// its NAME=VALUE entries; it also bounds what % adds to one line.
constexpr std::size_t kMaxEnvironment = 32768;
constexpr int kMaxErrorLevel = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The characters that end a command's name or a parameter.
bool IsDelimiter(char c) { return IsBlank(c) || c == ';' || c == ',' || c == '='; }

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::string_view TrimBlanks(std::string_view text) {
  text.remove_prefix(SkipBlanks(text, 0));
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether `text` starts with the word `name` (letter case ignored) followed
// by its end or a delimiter; `*rest` is what follows the word.
bool StartsWithWord(std::string_view text, std::string_view name, std::string_view* rest) {
  if (text.size() < name.size() || !EqualsNoCaseCp932(text.substr(0, name.size()), name)) {
    return false;
  }
  if (text.size() > name.size() && !IsDelimiter(text[name.size()])) return false;
  *rest = text.substr(name.size());
  return true;
}

// A word at `*pos`: up to the next delimiter, or a quoted text with its
// quotes (removed when `unquote`). Moves `*pos` past it.
std::string NextWord(std::string_view text, std::size_t* pos, bool unquote) {
  std::size_t i = *pos;
  std::string word;
  if (i < text.size() && text[i] == '"') {
    std::size_t close = FindCp932(text, '"', i + 1);
    std::size_t end = close == std::string_view::npos ? text.size() : close + 1;
    word.assign(text.substr(i, end - i));
    *pos = end;
    if (unquote) {
      word.erase(0, 1);
      if (close != std::string_view::npos) word.pop_back();
    }
    return word;
  }
  while (i < text.size() && !IsDelimiter(text[i])) {
    std::size_t n = Cp932CharLength(text, i);
    word.append(text.substr(i, n));
    i += n;
  }
  *pos = i;
  return word;
}

// The position just after the last "\" or ":" of a path (0 when none).
std::size_t NameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += Cp932CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == ':') start = i + 1;
  }
  return start;
}

bool HasRedirection(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); i += Cp932CharLength(line, i)) {
    char c = line[i];
    if (Cp932CharLength(line, i) == 1 && (c == '<' || c == '>' || c == '|')) return true;
  }
  return false;
}

// The lines of a batch file: it ends at its first Ctrl+Z; CR LF, LF and CR
// each end a line.
std::vector<std::string> SplitBatchLines(std::string_view content) {
  std::size_t eof = content.find('\x1A');
  if (eof != std::string_view::npos) content = content.substr(0, eof);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r' && content[i] != '\n') continue;
    lines.emplace_back(content.substr(start, i - start));
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < content.size()) lines.emplace_back(content.substr(start));
  return lines;
}

// The name a label line or a GOTO gives, folded and cut to 8 bytes.
std::string LabelKey(std::string_view text) {
  std::size_t pos = 0;
  std::string name = NextWord(text, &pos, false);
  if (name.size() > kLabelLength) name.resize(kLabelLength);
  return FoldCp932(name);
}

// A batch file read and split once per run: nothing a batch does can change
// a file (there is no redirection), so a file CALLed in a loop is not read
// again each time.
struct BatchFile {
  std::vector<std::string> lines;
  std::unordered_map<std::string, std::size_t> labels;  // key -> first line with it
};

struct Frame {
  std::shared_ptr<const BatchFile> file;
  std::vector<std::string> parameters;  // %0 to %9
  std::size_t next = 0;
};

class Interpreter {
 public:
  Interpreter(DosHost& host, const DosBatchOptions& options) : host_(host), options_(options) {
    for (const auto& [name, value] : options.environment) {
      environment_.emplace_back(FoldCp932(name), value);
    }
  }

  DosBatchResult Run(const std::string& path) {
    std::shared_ptr<const BatchFile> autoexec = Load(path);
    if (!autoexec) return std::move(result_);
    Push(std::move(autoexec), {path});
    while (!frames_.empty() && result_.completed) {
      Frame& frame = frames_.back();
      if (frame.next >= frame.file->lines.size()) {
        frames_.pop_back();
        continue;
      }
      if (++steps_ > options_.maxSteps) {
        Stop("batch stopped after " + std::to_string(options_.maxSteps) + " lines; a GOTO loop?)");
        break;
      }
      const std::string line = frame.file->lines[frame.next++];
      RunLine(line);
      for (; counted_ < result_.screen.size(); ++counted_) {
        shownBytes_ += result_.screen[counted_].size() + 1;
      }
      if (shownBytes_ > options_.maxScreenBytes && result_.completed) {
        Stop("batch stopped after " + std::to_string(shownBytes_) + " bytes shown)");
      }
    }
    return std::move(result_);
  }

 private:
  void Show(std::string line) { result_.screen.push_back(std::move(line)); }
  void Stop(const std::string& why) {
    Show(kNote + why);
    result_.completed = false;
  }

  // The file at `path`, or nullptr when there is none.
  std::shared_ptr<const BatchFile> Load(const std::string& path) {
    const std::string key = FoldCp932(path);
    auto cached = loaded_.find(key);
    if (cached != loaded_.end()) return cached->second;
    std::shared_ptr<BatchFile> file;
    std::string content;
    if (host_.ReadFile(path, &content)) {
      file = std::make_shared<BatchFile>();
      file->lines = SplitBatchLines(content);
      for (std::size_t i = 0; i < file->lines.size(); ++i) {
        std::string_view line = file->lines[i];
        std::size_t start = SkipBlanks(line, 0);
        if (start < line.size() && line[start] == ':') {
          file->labels.emplace(LabelKey(line.substr(start + 1)), i);
        }
      }
    }
    loaded_.emplace(key, file);
    return file;
  }

  void Push(std::shared_ptr<const BatchFile> file, std::vector<std::string> parameters) {
    frames_.push_back(Frame{std::move(file), std::move(parameters), 0});
  }

  std::string Variable(std::string_view name) const {
    const std::string folded = FoldCp932(name);
    for (const auto& [key, value] : environment_) {
      if (key == folded) return value;
    }
    return "";
  }

  std::string Expand(std::string_view line) const {
    const std::vector<std::string>& parameters = frames_.back().parameters;
    std::string out;
    // What the expansions add is cut at the environment's size, so no line
    // grows without bound (a GOTO loop doubling a variable, CALLs passing
    // %1%1 on).
    const std::size_t limit = line.size() + kMaxEnvironment;
    auto substitute = [&out, limit](std::string_view text) {
      out.append(text.substr(0, limit - std::min(limit, out.size())));
    };
    for (std::size_t i = 0; i < line.size();) {
      std::size_t n = Cp932CharLength(line, i);
      if (n == 2 || line[i] != '%') {
        out.append(line.substr(i, n));
        i += n;
        continue;
      }
      if (i + 1 < line.size() && line[i + 1] == '%') {
        out.push_back('%');
        i += 2;
      } else if (i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9') {
        std::size_t index = static_cast<std::size_t>(line[i + 1] - '0');
        if (index < parameters.size()) substitute(parameters[index]);
        i += 2;
      } else {
        std::size_t close = line.find('%', i + 1);
        if (close == std::string_view::npos) {
          ++i;  // a lone % is dropped
        } else {
          substitute(Variable(line.substr(i + 1, close - i - 1)));
          i = close + 1;
        }
      }
    }
    return out;
  }

  void RunLine(std::string_view line) {
    std::size_t i = SkipBlanks(line, 0);
    bool hidden = false;
    if (i < line.size() && line[i] == '@') {
      hidden = true;
      i = SkipBlanks(line, i + 1);
    }
    if (i == line.size() || line[i] == ':') return;
    const std::string command = Expand(line.substr(i));
    if (echo_ && !hidden) Show(options_.currentDirectory + ">" + command);
    std::string_view rest;
    if (StartsWithWord(command, "REM", &rest)) return;
    if (HasRedirection(command)) {
      Show(std::string(kNote) + "pipes and redirection are not simulated; the line is skipped)");
      return;
    }
    Execute(command, false);
  }

  void Execute(std::string_view command, bool call) {
    command.remove_prefix(SkipBlanks(command, 0));
    if (command.empty()) return;
    std::string_view rest;
    if (StartsWithWord(command, "ECHO", &rest) ||
        (command.size() >= 5 && EqualsNoCaseCp932(command.substr(0, 4), "ECHO") &&
         command[4] == '.')) {
      Echo(command.substr(4));
    } else if (StartsWithWord(command, "REM", &rest) || StartsWithWord(command, "CLS", &rest)) {
      // nothing to show: the transcript keeps what was on the screen
    } else if (StartsWithWord(command, "SET", &rest)) {
      Set(rest);
    } else if (StartsWithWord(command, "CALL", &rest)) {
      Execute(rest, true);
    } else if (StartsWithWord(command, "GOTO", &rest)) {
      Goto(rest);
    } else if (StartsWithWord(command, "IF", &rest)) {
      If(rest, call);
    } else {
      External(command, call);
    }
  }

  void Echo(std::string_view rest) {
    if (!rest.empty() && rest[0] == '.') {
      Show(std::string(rest.substr(1)));
      return;
    }
    std::string_view text = rest.empty() ? rest : rest.substr(1);
    std::string_view word = TrimBlanks(text);
    if (word.empty()) {
      Show(echo_ ? "ECHO is on" : "ECHO is off");
    } else if (EqualsNoCaseCp932(word, "ON") || EqualsNoCaseCp932(word, "OFF")) {
      echo_ = EqualsNoCaseCp932(word, "ON");
    } else {
      Show(std::string(text));
    }
  }

  void Set(std::string_view rest) {
    rest.remove_prefix(SkipBlanks(rest, 0));
    if (rest.empty()) {
      for (const auto& [name, value] : environment_) Show(name + "=" + value);
      return;
    }
    std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      Show(kSyntaxError);
      return;
    }
    const std::string name = FoldCp932(rest.substr(0, equals));
    const std::string value(rest.substr(equals + 1));
    std::size_t size = value.empty() ? 0 : name.size() + value.size() + 2;
    auto found = environment_.end();
    for (auto it = environment_.begin(); it != environment_.end(); ++it) {
      if (it->first == name) {
        found = it;
      } else {
        size += it->first.size() + it->second.size() + 2;
      }
    }
    if (size > kMaxEnvironment) {
      Show(kOutOfEnvironment);
    } else if (found != environment_.end()) {
      if (value.empty()) {
        environment_.erase(found);
      } else {
        found->second = value;
      }
    } else if (!value.empty()) {
      environment_.emplace_back(name, value);
    }
  }

  void Goto(std::string_view rest) {
    std::size_t i = SkipBlanks(rest, 0);
    if (i < rest.size() && rest[i] == ':') ++i;
    Frame& frame = frames_.back();
    auto found = frame.file->labels.find(LabelKey(rest.substr(i)));
    if (found == frame.file->labels.end()) {
      Show(kLabelNotFound);
      frames_.pop_back();
      return;
    }
    frame.next = found->second + 1;
  }

  void If(std::string_view rest, bool call) {
    std::size_t i = SkipBlanks(rest, 0);
    std::string_view text = rest.substr(i);
    bool negate = false;
    std::string_view after;
    if (StartsWithWord(text, "NOT", &after)) {
      negate = true;
      text = after.substr(SkipBlanks(after, 0));
    }
    bool condition = false;
    std::size_t pos = 0;
    if (StartsWithWord(text, "ERRORLEVEL", &after)) {
      pos = SkipBlanks(after, 0);
      std::string number = NextWord(after, &pos, false);
      int level = 0;
      if (number.empty()) return Show(kSyntaxError);
      for (char c : number) {
        if (c < '0' || c > '9') return Show(kSyntaxError);
        if (level <= kMaxErrorLevel) level = level * 10 + (c - '0');
      }
      condition = result_.errorLevel >= level;
      text = after;
    } else if (StartsWithWord(text, "EXIST", &after)) {
      pos = SkipBlanks(after, 0);
      std::string file = NextWord(after, &pos, true);
      if (file.empty()) return Show(kSyntaxError);
      condition = host_.FileExists(Resolve(file));
      text = after;
    } else {
      std::size_t equals = text.find("==");
      if (equals == std::string_view::npos) return Show(kSyntaxError);
      std::string_view left = text.substr(0, equals);
      pos = equals + 2;
      std::string right = NextWord(text, &pos, false);
      condition = left == right;
    }
    std::string_view command = text.substr(pos);
    command.remove_prefix(SkipBlanks(command, 0));
    if (command.empty()) return Show(kSyntaxError);
    if (condition != negate) Execute(command, call);
  }

  // A path as the current directory reads it.
  std::string Resolve(const std::string& path) const {
    const std::string& current = options_.currentDirectory;
    if (path.size() >= 2 && path[1] == ':') {
      if (path.size() >= 3 && path[2] == '\\') return path;
      return path.substr(0, 2) + "\\" + path.substr(2);
    }
    if (!path.empty() && path[0] == '\\') return current.substr(0, 2) + path;
    return current + path;
  }

  // The batch file a command names: as given when it holds a path, else in
  // the current directory and then along PATH. ".BAT" is added to a name
  // without extension; a name with another extension is no batch file.
  std::shared_ptr<const BatchFile> FindBatch(const std::string& name) {
    const std::size_t start = NameStart(name);
    const std::size_t dot = name.find('.', start);
    std::string file = name;
    if (dot == std::string::npos) {
      file += ".BAT";
    } else if (!EqualsNoCaseCp932(std::string_view(name).substr(dot), ".BAT")) {
      return nullptr;
    }
    std::vector<std::string> candidates;
    if (start > 0) {
      candidates.push_back(Resolve(file));
    } else {
      candidates.push_back(options_.currentDirectory + file);
      const std::string search = Variable("PATH");
      std::size_t from = 0;
      while (from <= search.size()) {
        std::size_t end = search.find(';', from);
        if (end == std::string::npos) end = search.size();
        std::string directory = search.substr(from, end - from);
        if (!directory.empty()) {
          if (directory.back() != '\\') directory.push_back('\\');
          candidates.push_back(Resolve(directory + file));
        }
        from = end + 1;
      }
    }
    for (const std::string& candidate : candidates) {
      if (std::shared_ptr<const BatchFile> file = Load(candidate)) return file;
    }
    return nullptr;
  }

  void External(std::string_view command, bool call) {
    std::size_t pos = 0;
    const std::string program = NextWord(command, &pos, true);
    std::string_view arguments = command.substr(pos);
    const std::string base = FoldCp932(std::string_view(program).substr(NameStart(program)));
    if (base == "CHOICE" || base == "CHOICE.COM" || base == "CHOICE.EXE") return Choice(arguments);
    if (base == "REGEDIT" || base == "REGEDIT.EXE") return Regedit(arguments);
    std::shared_ptr<const BatchFile> file = program.empty() ? nullptr : FindBatch(program);
    if (!file) return Show(kBadCommand);
    std::vector<std::string> parameters = {program};
    for (std::size_t i = SkipBlanks(arguments, 0); i < arguments.size();) {
      while (i < arguments.size() && IsDelimiter(arguments[i])) ++i;
      if (i == arguments.size()) break;
      parameters.push_back(NextWord(arguments, &i, false));
    }
    if (!call) {
      frames_.pop_back();  // a batch file run by its name does not come back
    } else if (frames_.size() >= options_.maxCallDepth) {
      return Stop("CALL nested more than " + std::to_string(options_.maxCallDepth) +
                  " deep; the batch stops)");
    }
    Push(std::move(file), std::move(parameters));
  }

  void Choice(std::string_view arguments) {
    std::string keys = "YN";
    bool showKeys = true, caseSensitive = false, timeout = false;
    char fallback = 0;
    std::string_view text;
    std::size_t i = SkipBlanks(arguments, 0);
    while (i < arguments.size() && arguments[i] == '/') {
      std::size_t end = i;
      std::string word = NextWord(arguments, &end, false);
      char option = word.size() > 1 ? static_cast<char>(word[1] & ~0x20) : 0;
      std::string value = word.size() > 2 ? word.substr(word[2] == ':' ? 3 : 2) : "";
      if (option == 'C' && !value.empty()) {
        keys = value;
      } else if (option == 'N' && word.size() == 2) {
        showKeys = false;
      } else if (option == 'S' && word.size() == 2) {
        caseSensitive = true;
      } else if (option == 'T') {
        // NextWord stopped at the comma: the seconds follow it.
        std::size_t seconds = end;
        std::string count;
        if (seconds < arguments.size() && arguments[seconds] == ',') {
          ++seconds;
          count = NextWord(arguments, &seconds, false);
        }
        if (value.size() != 1 || count.empty() || count.size() > 2 ||
            count.find_first_not_of("0123456789") != std::string::npos) {
          result_.errorLevel = kMaxErrorLevel;
          return Show("CHOICE: invalid time-out syntax.  Expected form Tc,nn or T:c,nn");
        }
        timeout = true;
        fallback = value[0];
        end = seconds;
      } else {
        result_.errorLevel = kMaxErrorLevel;
        return Show("CHOICE: invalid switch - " + word);
      }
      i = SkipBlanks(arguments, end);
    }
    text = arguments.substr(i);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
      text = text.substr(1, text.size() - 2);
    }
    if (!caseSensitive) keys = FoldCp932(keys);
    auto indexOf = [&](char key) {
      if (!caseSensitive && key >= 'a' && key <= 'z') key = static_cast<char>(key - 32);
      return keys.find(key);
    };
    if (timeout && indexOf(fallback) == std::string::npos) {
      result_.errorLevel = kMaxErrorLevel;
      return Show("CHOICE: timeout default not in specified (or default) choices.");
    }
    std::string prompt(text);
    if (showKeys) {
      prompt += "[";
      for (std::size_t k = 0; k < keys.size(); ++k) {
        if (k > 0) prompt += ",";
        prompt += keys[k];
      }
      prompt += "]?";
    }
    std::size_t answer = options_.choiceKey ? indexOf(options_.choiceKey) : std::string::npos;
    if (answer == std::string::npos && timeout) answer = indexOf(fallback);
    if (answer == std::string::npos) {
      Show(prompt);
      return Stop("CHOICE waits for a key and none was given; the batch stops)");
    }
    Show(prompt + keys[answer]);
    result_.errorLevel = static_cast<int>(answer + 1);
  }

  void Regedit(std::string_view arguments) {
    std::size_t i = SkipBlanks(arguments, 0);
    if (i < arguments.size() && arguments[i] == '/') {
      return Show(std::string(kNote) + "only REGEDIT FILE is simulated; nothing imported)");
    }
    const std::string file = NextWord(arguments, &i, true);
    if (file.empty()) {
      return Show(std::string(kNote) + "REGEDIT without a file; nothing imported)");
    }
    host_.ImportRegistry(Resolve(file), &result_.screen);
    result_.errorLevel = 0;
  }

  DosHost& host_;
  const DosBatchOptions& options_;
  std::vector<std::pair<std::string, std::string>> environment_;
  std::vector<Frame> frames_;
  std::unordered_map<std::string, std::shared_ptr<const BatchFile>> loaded_;  // by folded path
  DosBatchResult result_;
  bool echo_ = true;
  std::size_t steps_ = 0;
  std::size_t counted_ = 0;     // screen lines counted in shownBytes_
  std::size_t shownBytes_ = 0;  // with a line end each
};

}  // namespace

DosBatchResult RunDosBatch(DosHost& host, const std::string& path, const DosBatchOptions& options) {
  return Interpreter(host, options).Run(path);
}

}  // namespace zuba::platform::sim
