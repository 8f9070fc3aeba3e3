#include "platform/sim/Regedit4.h"

#include <cstring>

#include "platform/sim/RegName.h"

namespace zuba::platform::sim {
namespace {

constexpr std::string_view kRootNames[] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

constexpr std::uint32_t kTypeString = 1;
constexpr std::uint32_t kTypeExpandString = 2;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDword = 4;
constexpr std::uint32_t kTypeMultiString = 7;

// The registry editor wraps hex data once a line reaches this many columns.
constexpr std::size_t kHexWrapColumn = 77;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::size_t SkipBlanks(std::string_view line, std::size_t i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
  return i;
}

// True when nothing but blanks or a comment follows position `i`.
bool RestIsEmpty(std::string_view line, std::size_t i) {
  i = SkipBlanks(line, i);
  return i == line.size() || line[i] == ';';
}

class Parser {
 public:
  Parser(std::string_view text, Regedit4Sink& sink) : text_(text), sink_(sink) {}

  bool Run(Regedit4Error* error, bool header = true, int firstLine = 1, bool inKey = false) {
    line_ = firstLine - 1;
    if (inKey) state_ = State::kKey;
    bool ok = Parse(header);
    if (!ok && error) {
      error->line = line_ == 0 ? 1 : line_;
      error->message = error_;
    }
    return ok;
  }

 private:
  enum class State { kNoKey, kKey, kRemovedKey };

  bool Parse(bool header) {
    std::string_view line;
    if (header) {
      if (!NextLine(&line)) return Fail("missing REGEDIT4 header");
      while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
      if (line != "REGEDIT4") return Fail("missing REGEDIT4 header");
    }
    while (NextLine(&line)) {
      std::size_t i = SkipBlanks(line, 0);
      if (i == line.size()) continue;
      line.remove_prefix(i);
      if (line[0] == '[') {
        if (!KeyLine(line)) return false;
      } else if (line[0] == '"' || line[0] == '@') {
        if (!ValueLine(line)) return false;
      }
      // Anything else (a comment, a stray line) is ignored.
    }
    return true;
  }

  bool NextLine(std::string_view* line) {
    lineStart_ = pos_;
    if (pos_ >= text_.size()) return false;
    const char* start = text_.data() + pos_;
    std::size_t left = text_.size() - pos_;
    const void* nl = std::memchr(start, '\n', left);
    std::size_t length = nl ? static_cast<const char*>(nl) - start : left;
    pos_ += nl ? length + 1 : length;
    if (length > 0 && start[length - 1] == '\r') --length;
    *line = std::string_view(start, length);
    ++line_;
    return true;
  }

  bool Fail(const char* message) {
    error_ = message;
    return false;
  }

  bool Deliver(const char* sinkError) { return sinkError ? Fail(sinkError) : true; }

  // Hands the sink the text from `start` through the line just read.
  void SetRaw(std::size_t start) { sink_.rawText = text_.substr(start, pos_ - start); }

  bool KeyLine(std::string_view line) {
    std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
      return Fail("key line without closing bracket");
    }
    std::string_view content = line.substr(1, close - 1);
    bool remove = !content.empty() && content[0] == '-';
    if (remove) content.remove_prefix(1);
    std::size_t rootEnd = content.find('\\');
    RegRoot root;
    if (!FindRegRoot(content.substr(0, rootEnd), &root)) return Fail("unknown root key");
    std::string_view path =
        rootEnd == std::string_view::npos ? std::string_view() : content.substr(rootEnd + 1);
    std::size_t depth = 0;
    if (!ForEachKeyName(path, [&depth](std::string_view name) {
          ++depth;
          return IsValidKeyName(name);
        })) {
      return Fail("invalid key name");
    }
    if (depth > kMaxKeyDepth) return Fail("key path too deep");
    state_ = remove ? State::kRemovedKey : State::kKey;
    SetRaw(lineStart_);
    return Deliver(sink_.OnKey(line_, root, path, remove));
  }

  // Reads a quoted text from just after its opening quote through its
  // closing quote into `*out`, undoing the escapes \\ and \". A backslash
  // before any other character stands for itself.
  static bool ReadQuoted(std::string_view line, std::size_t* pos, std::string* out) {
    out->clear();
    std::size_t i = *pos;
    while (i < line.size()) {
      // A run of plain single bytes is taken whole.
      std::size_t plain = i;
      while (plain < line.size() && line[plain] != '"' && line[plain] != '\\' &&
             !IsCp932LeadByte(static_cast<unsigned char>(line[plain]))) {
        ++plain;
      }
      out->append(line.data() + i, plain - i);
      i = plain;
      if (i == line.size()) break;
      if (CharLength(line, i) == 2) {
        out->append(line.data() + i, 2);
        i += 2;
        continue;
      }
      char c = line[i];
      if (c == '"') {
        *pos = i + 1;
        return true;
      }
      if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
        out->push_back(line[i + 1]);
        i += 2;
        continue;
      }
      out->push_back(c);
      ++i;
    }
    return false;
  }

  bool ValueLine(std::string_view line) {
    if (state_ == State::kNoKey) return Fail("value outside a key");
    if (state_ == State::kRemovedKey) return Fail("value under a deleted key");
    const int valueLine = line_;  // hex data may go on over further lines
    const std::size_t valueStart = lineStart_;
    std::size_t i = 1;
    if (line[0] == '@') {
      name_.clear();
    } else if (!ReadQuoted(line, &i, &name_)) {
      return Fail("unterminated value name");
    }
    if (!IsValidValueName(name_)) return Fail("invalid value name");
    i = SkipBlanks(line, i);
    if (i == line.size() || line[i] != '=') return Fail("expected '=' after the value name");
    i = SkipBlanks(line, i + 1);
    std::string_view rest = line.substr(i);
    if (!rest.empty() && rest[0] == '"') {
      ++i;
      if (!ReadQuoted(line, &i, &data_)) return Fail("unterminated string");
      if (!RestIsEmpty(line, i)) return Fail("unexpected text after the value");
      data_.push_back('\0');
      SetRaw(valueStart);
      return Deliver(sink_.OnValue(valueLine, name_, kTypeString, data_));
    }
    if (!rest.empty() && rest[0] == '-') {
      if (!RestIsEmpty(line, i + 1)) return Fail("unexpected text after the value");
      SetRaw(valueStart);
      return Deliver(sink_.OnRemoveValue(line_, name_));
    }
    if (StartsWithNoCase(rest, "dword:")) {
      i += 6;
      std::uint32_t v = 0;
      std::size_t digits = 0;
      for (; i < line.size() && HexDigit(line[i]) >= 0; ++i, ++digits) {
        v = (v << 4) | static_cast<std::uint32_t>(HexDigit(line[i]));
      }
      if (digits == 0 || digits > 8 || !RestIsEmpty(line, i)) return Fail("invalid dword value");
      char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
      SetRaw(valueStart);
      return Deliver(sink_.OnValue(valueLine, name_, kTypeDword, std::string_view(bytes, 4)));
    }
    std::uint32_t type = kTypeBinary;
    if (StartsWithNoCase(rest, "hex:")) {
      i += 4;
    } else if (StartsWithNoCase(rest, "hex(")) {
      i += 4;
      type = 0;
      std::size_t digits = 0;
      for (; i < line.size() && HexDigit(line[i]) >= 0; ++i, ++digits) {
        type = (type << 4) | static_cast<std::uint32_t>(HexDigit(line[i]));
      }
      if (digits == 0 || digits > 8 || i + 1 >= line.size() || line[i] != ')' ||
          line[i + 1] != ':') {
        return Fail("invalid value type");
      }
      i += 2;
    } else {
      return Fail("unknown value data");
    }
    if (!HexData(line, i)) return false;
    // Text written as bytes gets the terminating zero it lacks.
    if ((type == kTypeExpandString || type == kTypeMultiString) &&
        (data_.empty() || data_.back() != '\0')) {
      data_.push_back('\0');
    }
    SetRaw(valueStart);
    return Deliver(sink_.OnValue(valueLine, name_, type, data_));
  }

  // Comma-separated bytes of one or two hex digits; a backslash at the end
  // of a line continues the data on the next line.
  bool HexData(std::string_view line, std::size_t i) {
    data_.clear();
    for (;;) {
      i = SkipBlanks(line, i);
      if (i == line.size() || line[i] == ';') return true;
      if (line[i] == '\\') {
        if (!RestIsEmpty(line, i + 1)) return Fail("invalid hex data");
        if (!NextLine(&line)) return true;
        i = 0;
        continue;
      }
      int v = HexDigit(line[i++]);
      if (v < 0) return Fail("invalid hex data");
      if (i < line.size() && HexDigit(line[i]) >= 0) v = v * 16 + HexDigit(line[i++]);
      data_.push_back(static_cast<char>(v));
      i = SkipBlanks(line, i);
      if (i == line.size() || line[i] == ';' || line[i] == '\\') continue;
      if (line[i] != ',') return Fail("invalid hex data");
      ++i;
    }
  }

  std::string_view text_;
  Regedit4Sink& sink_;
  std::size_t pos_ = 0;
  std::size_t lineStart_ = 0;  // where the line NextLine read last starts
  int line_ = 0;
  State state_ = State::kNoKey;
  const char* error_ = "";
  std::string name_;
  std::string data_;
};

void AppendQuoted(std::string* out, std::string_view text) {
  out->push_back('"');
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t run = i;
    while (run < text.size() && !IsSpecialNameByte(text[run])) ++run;
    out->append(text.data() + i, run - i);
    i = run;
    if (i == text.size()) break;
    if (CharLength(text, i) == 2) {
      out->append(text.data() + i, 2);
      i += 2;
      continue;
    }
    char c = text[i++];
    if (c == '\\' || c == '"') out->push_back('\\');
    out->push_back(c);
  }
  out->push_back('"');
}

// Appends `"name"=` or `@=`; returns its length.
std::size_t AppendNamePart(std::string* out, std::string_view name) {
  std::size_t start = out->size();
  if (name.empty()) {
    out->push_back('@');
  } else {
    AppendQuoted(out, name);
  }
  out->push_back('=');
  return out->size() - start;
}

void AppendHexData(std::string* out, std::string_view prefix, std::string_view data,
                   std::size_t column) {
  static const char kDigits[] = "0123456789abcdef";
  out->append(prefix);
  column += prefix.size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(data[i]);
    out->push_back(kDigits[b >> 4]);
    out->push_back(kDigits[b & 15]);
    if (i + 1 == data.size()) break;
    out->push_back(',');
    column += 3;
    if (column >= kHexWrapColumn) {
      out->append("\\\r\n  ");
      column = 2;
    }
  }
  out->append("\r\n");
}

}  // namespace

std::string_view RegRootName(RegRoot root) { return kRootNames[static_cast<int>(root)]; }

bool FindRegRoot(std::string_view name, RegRoot* root) {
  for (std::size_t i = 0; i < sizeof kRootNames / sizeof kRootNames[0]; ++i) {
    if (EqualsNoCase(name, kRootNames[i])) {
      *root = static_cast<RegRoot>(i);
      return true;
    }
  }
  return false;
}

bool ParseRegedit4(std::string_view text, Regedit4Sink& sink, Regedit4Error* error) {
  return Parser(text, sink).Run(error);
}

bool ParseRegedit4Part(std::string_view text, int firstLine, Regedit4Sink& sink,
                       Regedit4Error* error, bool inKey) {
  return Parser(text, sink).Run(error, false, firstLine, inKey);
}

void AppendRegedit4Header(std::string* out) { out->append("REGEDIT4\r\n\r\n"); }

void AppendKeyLine(std::string* out, std::string_view path, bool remove) {
  out->append(remove ? "[-" : "[");
  out->append(path);
  out->append("]\r\n");
}

bool AppendValueLine(std::string* out, std::string_view name, std::uint32_t type,
                     std::string_view data) {
  if (!IsValidValueName(name)) return false;
  std::size_t column = AppendNamePart(out, name);
  if (type == kTypeString && !data.empty() && data.back() == '\0' &&
      IsValidValueName(data.substr(0, data.size() - 1))) {
    // The same characters a name may hold fit a quoted string.
    AppendQuoted(out, data.substr(0, data.size() - 1));
    out->append("\r\n");
  } else if (type == kTypeDword && data.size() == 4) {
    static const char kDigits[] = "0123456789abcdef";
    char text[15] = {'d', 'w', 'o', 'r', 'd', ':'};
    for (int i = 0; i < 4; ++i) {
      unsigned char b = static_cast<unsigned char>(data[3 - i]);
      text[6 + 2 * i] = kDigits[b >> 4];
      text[7 + 2 * i] = kDigits[b & 15];
    }
    out->append(text, 14);
    out->append("\r\n");
  } else if (type == kTypeBinary) {
    AppendHexData(out, "hex:", data, column);
  } else {
    char prefix[16];
    int n = 0;
    std::memcpy(prefix, "hex(", 4);
    n = 4;
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
      unsigned digit = (type >> shift) & 15;
      if (digit == 0 && !started && shift > 0) continue;
      started = true;
      prefix[n++] = "0123456789abcdef"[digit];
    }
    prefix[n++] = ')';
    prefix[n++] = ':';
    AppendHexData(out, std::string_view(prefix, n), data, column);
  }
  return true;
}

bool AppendRemoveValueLine(std::string* out, std::string_view name) {
  if (!IsValidValueName(name)) return false;
  AppendNamePart(out, name);
  out->append("-\r\n");
  return true;
}

}  // namespace zuba::platform::sim
