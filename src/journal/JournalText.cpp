#include "journal/JournalText.h"

#include <array>
#include <cstdio>
#include <limits>
#include <vector>

#include "platform/Cp932.h"

namespace zuba::journal {
namespace {

constexpr char kMagic[] = "ZBJNL ";
constexpr int kVersion = 4;

// The header lines after the first, by version: each "name value".
const std::vector<std::string_view>& HeaderNames(int version) {
  static const std::vector<std::string_view> v1 = {"setting", "state", "restart"};
  static const std::vector<std::string_view> v2 = {"setting", "state", "run", "restart"};
  // Version 4 changed what a profile change carries, not the header.
  static const std::vector<std::string_view> v3 = {"setting", "state", "run", "restart", "trial"};
  return version == 1 ? v1 : version == 2 ? v2 : v3;
}
constexpr char kHex[] = "0123456789ABCDEF";

std::string Bytes(std::string_view bytes) {
  std::string out = "x";
  out.reserve(1 + bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

std::string Text(const TextState& state) { return state ? Bytes(*state) : "-"; }

std::string Value(const ValueState& state) {
  return state ? std::to_string(state->type) + Bytes(state->data) : "-";
}

std::string Root(platform::RegKey root) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(root));
  return buffer;
}

std::string KeyValues(const std::optional<std::vector<NamedValue>>& values) {
  if (!values) return "-";
  std::string out = std::to_string(values->size());
  for (const NamedValue& v : *values) out += " " + Bytes(v.name) + " " + Value(v.value);
  return out;
}

constexpr std::string_view kFileEnds[] = {"closed", "open", "missing"};

std::string FileEnd(ProfileFileEnd end) { return std::string(kFileEnds[static_cast<int>(end)]); }

bool ParseFileEnd(std::string_view token, ProfileFileEnd* end) {
  for (int i = 0; i < 3; ++i) {
    if (token == kFileEnds[i]) {
      *end = static_cast<ProfileFileEnd>(i);
      return true;
    }
  }
  return false;
}

std::string FormatChange(const Change& c) {
  const std::string done = c.done ? "1" : "0";
  switch (c.kind) {
    case ChangeKind::kRegistryKey:
      return "key " + Root(c.root) + " " + Bytes(c.keyPath) + " " + Text(c.textBefore) + " " +
             Text(c.textAfter) + " " + done;
    case ChangeKind::kRegistryValue:
      return "value " + Root(c.root) + " " + Bytes(c.keyPath) + " " + Bytes(c.valueName) + " " +
             Value(c.valueBefore) + " " + Value(c.valueAfter) + " " + done + " " +
             KeyValues(c.keyBefore);
    case ChangeKind::kFile:
      return "file " + Bytes(c.path) + " " + Text(c.textBefore) + " " + Text(c.textAfter) + " " +
             done;
    case ChangeKind::kProfileKey:
      return "profile " + Bytes(c.path) + " " + Bytes(c.section) + " " + Bytes(c.key) + " " +
             Text(c.textBefore) + " " + Text(c.textAfter) + " " + done + " " +
             (c.sectionBefore ? Text(*c.sectionBefore) + " " + FileEnd(c.fileEnd) : "* *");
    case ChangeKind::kProfileSection:
      return "section " + Bytes(c.path) + " " + Bytes(c.section) + " " + Text(c.textBefore) + " " +
             Text(c.textAfter) + " " + done + " " + FileEnd(c.fileEnd);
  }
  return "";
}

// Reads blank-separated tokens off one line.
class Tokens {
 public:
  explicit Tokens(std::string_view line) : line_(line) {}

  bool Next(std::string_view* token) {
    if (pos_ >= line_.size()) return false;
    std::size_t end = line_.find(' ', pos_);
    if (end == std::string_view::npos) end = line_.size();
    *token = line_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return !token->empty();
  }
  bool AtEnd() const { return pos_ >= line_.size(); }

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseBytes(std::string_view token, std::string* out) {
  if (token.empty() || token[0] != 'x' || token.size() % 2 != 1) return false;
  out->clear();
  out->reserve(token.size() / 2);
  for (std::size_t i = 1; i < token.size(); i += 2) {
    const int high = HexValue(token[i]), low = HexValue(token[i + 1]);
    if (high < 0 || low < 0) return false;
    *out += static_cast<char>(high * 16 + low);
  }
  return true;
}

bool ParseText(std::string_view token, TextState* out) {
  if (token == "-") {
    out->reset();
    return true;
  }
  std::string bytes;
  if (!ParseBytes(token, &bytes)) return false;
  *out = std::move(bytes);
  return true;
}

bool ParseUnsigned(std::string_view token, int base, std::uint64_t limit, std::uint64_t* out) {
  if (token.empty() || token.size() > 20) return false;
  std::uint64_t value = 0;
  for (char c : token) {
    const int digit = base == 16 ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return false;
    value = value * base + digit;
    if (value > limit) return false;
  }
  *out = value;
  return true;
}

bool ParseValue(std::string_view token, ValueState* out) {
  if (token == "-") {
    out->reset();
    return true;
  }
  const std::size_t x = token.find('x');
  std::uint64_t type;
  platform::RegValue value;
  if (x == std::string_view::npos ||
      !ParseUnsigned(token.substr(0, x), 10, std::numeric_limits<std::uint32_t>::max(), &type) ||
      !ParseBytes(token.substr(x), &value.data)) {
    return false;
  }
  value.type = static_cast<std::uint32_t>(type);
  *out = std::move(value);
  return true;
}

bool ParseRoot(std::string_view token, platform::RegKey* root) {
  std::uint64_t value;
  if (token.size() != 8 || !ParseUnsigned(token, 16, 0xFFFFFFFF, &value)) return false;
  *root = static_cast<platform::RegKey>(value);
  return *root == platform::kHkeyLocalMachine || *root == platform::kHkeyCurrentUser;
}

bool ParseDone(std::string_view token, bool* done) {
  if (token != "0" && token != "1") return false;
  *done = token == "1";
  return true;
}

bool ParseKeyValues(Tokens& tokens, std::optional<std::vector<NamedValue>>* out) {
  std::string_view token;
  if (!tokens.Next(&token)) return false;
  if (token == "-") {
    out->reset();
    return true;
  }
  std::uint64_t count;
  // Each value takes at least two tokens of two bytes: the line bounds it.
  if (!ParseUnsigned(token, 10, kMaxJournalBytes, &count)) return false;
  std::vector<NamedValue> values;
  for (std::uint64_t i = 0; i < count; ++i) {
    NamedValue v;
    ValueState state;
    std::string_view name, value;
    if (!tokens.Next(&name) || !tokens.Next(&value) || !ParseBytes(name, &v.name) ||
        !ParseValue(value, &state) || !state) {
      return false;
    }
    v.value = std::move(*state);
    values.push_back(std::move(v));
  }
  *out = std::move(values);
  return true;
}

bool ParseChange(std::string_view line, int version, Change* c) {
  Tokens tokens(line);
  std::string_view kind, a, b, d, e, f, g;
  if (!tokens.Next(&kind)) return false;
  bool ok = false;
  if (kind == "key" && version == 1) {
    // Version 1 kept no states of a key: its journals are read as the
    // apply creating the key, the key change its recorder wrote most.
    c->kind = ChangeKind::kRegistryKey;
    c->textAfter = "";
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && ParseRoot(a, &c->root) &&
         ParseBytes(b, &c->keyPath) && ParseDone(d, &c->done);
  } else if (kind == "key") {
    c->kind = ChangeKind::kRegistryKey;
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && tokens.Next(&e) &&
         tokens.Next(&f) && ParseRoot(a, &c->root) && ParseBytes(b, &c->keyPath) &&
         ParseText(d, &c->textBefore) && ParseText(e, &c->textAfter) &&
         (!c->textBefore || c->textBefore->empty()) && (!c->textAfter || c->textAfter->empty()) &&
         ParseDone(f, &c->done);
  } else if (kind == "value") {
    c->kind = ChangeKind::kRegistryValue;
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && tokens.Next(&e) &&
         tokens.Next(&f) && tokens.Next(&g) && ParseRoot(a, &c->root) &&
         ParseBytes(b, &c->keyPath) && ParseBytes(d, &c->valueName) &&
         ParseValue(e, &c->valueBefore) && ParseValue(f, &c->valueAfter) &&
         ParseDone(g, &c->done) && ParseKeyValues(tokens, &c->keyBefore);
  } else if (kind == "file") {
    c->kind = ChangeKind::kFile;
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && tokens.Next(&e) &&
         ParseBytes(a, &c->path) && ParseText(b, &c->textBefore) &&
         ParseText(d, &c->textAfter) && ParseDone(e, &c->done);
  } else if (kind == "profile") {
    std::string_view h;
    c->kind = ChangeKind::kProfileKey;
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && tokens.Next(&e) &&
         tokens.Next(&f) && tokens.Next(&g) && tokens.Next(&h) && ParseBytes(a, &c->path) &&
         ParseBytes(b, &c->section) && ParseBytes(d, &c->key) && ParseText(e, &c->textBefore) &&
         ParseText(f, &c->textAfter) && ParseDone(g, &c->done);
    if (ok && version <= 3) {
      // The whole file before the first change to it.
      ok = ParseText(h, &c->fileBefore);
    } else if (ok) {
      // The section's bytes before the first change to it, and the file's
      // end; "* *" on the later changes.
      std::string_view end;
      ok = tokens.Next(&end);
      if (ok && h == "*") {
        ok = end == "*";
      } else if (ok) {
        TextState section;
        ok = ParseText(h, &section) && ParseFileEnd(end, &c->fileEnd);
        c->sectionBefore = std::move(section);
      }
    }
  } else if (kind == "section" && version >= 4) {
    c->kind = ChangeKind::kProfileSection;
    ok = tokens.Next(&a) && tokens.Next(&b) && tokens.Next(&d) && tokens.Next(&e) &&
         tokens.Next(&f) && tokens.Next(&g) && ParseBytes(a, &c->path) &&
         ParseBytes(b, &c->section) && ParseText(d, &c->textBefore) &&
         ParseText(e, &c->textAfter) && ParseDone(f, &c->done) && ParseFileEnd(g, &c->fileEnd);
  }
  return ok && tokens.AtEnd();
}

// Splits `text` into CR LF lines; false when a line ends otherwise.
bool SplitLines(std::string_view text, std::vector<std::string_view>* lines) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string_view::npos) return false;
    lines->push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return true;
}

bool Field(std::string_view line, std::string_view name, std::string_view* value) {
  if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
      line[name.size()] != ' ') {
    return false;
  }
  *value = line.substr(name.size() + 1);
  return true;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string FormatJournal(const Journal& journal) {
  std::string text = kMagic + std::to_string(kVersion) + "\r\n";
  text += "setting " + Bytes(journal.settingName) + "\r\n";
  text += journal.state == JournalState::kDone ? "state done\r\n" : "state pending\r\n";
  text += journal.run == JournalRun::kUndo ? "run undo\r\n" : "run apply\r\n";
  text += journal.restartNeeded ? "restart 1\r\n" : "restart 0\r\n";
  text += journal.trial ? "trial 1\r\n" : "trial 0\r\n";
  text += "changes " + std::to_string(journal.changes.size()) + "\r\n";
  for (const Change& c : journal.changes) text += FormatChange(c) + "\r\n";
  text += "end " + Root(Crc32(text)) + "\r\n";
  return text;
}

bool ParseJournal(std::string_view text, Journal* journal, std::string* error) {
  auto fail = [&](const std::string& why) {
    *error = why;
    return false;
  };
  if (text.size() > kMaxJournalBytes) return fail("the journal is larger than any apply writes");
  std::vector<std::string_view> lines;
  if (!SplitLines(text, &lines) || lines.size() < 6) return fail("the journal is cut short");
  std::string_view crc;
  const std::string_view body = text.substr(0, text.size() - lines.back().size() - 2);
  if (!Field(lines.back(), "end", &crc) || crc != Root(Crc32(body))) {
    return fail("the journal's check sum does not match its contents");
  }
  int version = 0;
  for (int v = 1; v <= kVersion; ++v) {
    if (lines[0] == kMagic + std::to_string(v)) version = v;
  }
  if (version == 0) return fail("the file is no journal of this program");
  const std::vector<std::string_view>& names = HeaderNames(version);
  const std::size_t first = 1 + names.size();  // the "changes" line
  if (lines.size() < first + 2) return fail("the journal is cut short");
  Journal parsed;
  std::string_view value;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    bool ok = Field(lines[1 + i], name, &value);
    if (ok && name == "setting") {
      ok = ParseBytes(value, &parsed.settingName);
    } else if (ok && name == "state") {
      ok = value == "pending" || value == "done";
      parsed.state = value == "done" ? JournalState::kDone : JournalState::kPending;
    } else if (ok && name == "run") {
      ok = value == "apply" || value == "undo";
      parsed.run = value == "undo" ? JournalRun::kUndo : JournalRun::kApply;
    } else if (ok && name == "restart") {
      ok = value == "0" || value == "1";
      parsed.restartNeeded = value == "1";
    } else if (ok && name == "trial") {
      ok = value == "0" || value == "1";
      parsed.trial = value == "1";
    }
    if (!ok) return fail("the journal's header is damaged");
  }
  std::uint64_t count;
  if (!Field(lines[first], "changes", &value) || !ParseUnsigned(value, 10, lines.size(), &count) ||
      count != lines.size() - first - 2) {
    return fail("the journal's list of changes is damaged");
  }
  for (std::size_t i = first + 1; i + 1 < lines.size(); ++i) {
    Change c;
    if (!ParseChange(lines[i], version, &c)) {
      return fail("change " + std::to_string(i - first) + " of the journal is damaged");
    }
    parsed.changes.push_back(std::move(c));
  }
  *journal = std::move(parsed);
  return true;
}

bool SameTarget(const Change& a, const Change& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case ChangeKind::kRegistryKey:
      return a.root == b.root && platform::EqualsNoCaseCp932(a.keyPath, b.keyPath);
    case ChangeKind::kRegistryValue:
      return a.root == b.root && platform::EqualsNoCaseCp932(a.keyPath, b.keyPath) &&
             platform::EqualsNoCaseCp932(a.valueName, b.valueName);
    case ChangeKind::kFile:
      return platform::EqualsNoCaseCp932(a.path, b.path);
    case ChangeKind::kProfileKey:
      return platform::EqualsNoCaseCp932(a.path, b.path) &&
             platform::EqualsNoCaseCp932(a.section, b.section) &&
             platform::EqualsNoCaseCp932(a.key, b.key);
    case ChangeKind::kProfileSection:
      return platform::EqualsNoCaseCp932(a.path, b.path) &&
             platform::EqualsNoCaseCp932(a.section, b.section);
  }
  return false;
}

bool ChangesNothing(const Change& c) {
  if (c.kind == ChangeKind::kRegistryValue) {
    if (c.valueBefore.has_value() != c.valueAfter.has_value()) return false;
    return !c.valueBefore ||
           (c.valueBefore->type == c.valueAfter->type && c.valueBefore->data == c.valueAfter->data);
  }
  return c.textBefore == c.textAfter;
}

bool ChangesFormOnly(const Change& c) {
  auto isString = [](std::uint32_t type) {
    return type == platform::kRegSz || type == platform::kRegExpandSz;
  };
  // A string's data with its one terminating zero byte, if it has one, left off.
  auto text = [&](const platform::RegValue& v) {
    std::string data = v.data;
    if (isString(v.type) && !data.empty() && data.back() == '\0') data.pop_back();
    return data;
  };
  if (c.kind == ChangeKind::kRegistryValue) {
    if (!c.valueAfter) return false;
    if (!c.valueBefore) return isString(c.valueAfter->type) && text(*c.valueAfter).empty();
    return c.valueBefore->type != c.valueAfter->type &&
           (c.valueBefore->data == c.valueAfter->data || text(*c.valueBefore) == text(*c.valueAfter));
  }
  return c.kind == ChangeKind::kProfileKey && !c.textBefore && c.textAfter && c.textAfter->empty();
}

}  // namespace zuba::journal
