#include "core/IniGT.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <optional>
#include <unordered_map>

#include "core/AnsiText.h"
#include "system/Errors.h"
#include "system/IntegerText.h"

namespace zuba::core {

namespace {

constexpr char kWriteErrorFormat[] = "%s に書き込めません";
constexpr char kVer11Warning[] =
    "fnVer11Mode以外の値にすると、TIniGTのVer1.0とVer1."
    "1で書き込んだﾌｧｲﾙを正しく読めない事があります。";

// The halfwidth corner brackets of code page 932.
constexpr char kOpenBracket = '\xA2';
constexpr char kCloseBracket = '\xA3';

std::string FormatWithText(const char* format, const std::string& text) {
  std::string result = format;
  const std::string::size_type at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, text);
  return result;
}

bool IsSign(char c) { return c == '+' || c == '-'; }

// An optional sign, then decimal digits or "$" and hexadecimal digits, and
// nothing else; false when the text is not such a number or leaves the
// 32-bit signed range. A sign after the "$" makes the text malformed.
bool ParseSignedNumber(const std::string& text, std::int32_t* result) {
  const std::string::size_type sign = !text.empty() && IsSign(text[0]) ? 1 : 0;
  if (text.size() > sign && text[sign] == '$') {
    if (text.size() > sign + 1 && IsSign(text[sign + 1])) return false;
    return system::ParseInteger32(text.substr(0, sign) + text.substr(sign + 1), 16, result);
  }
  return system::ParseInteger32(text, 10, result);
}

}  // namespace

TIniGT::TIniGT(platform::Profiles& profiles, platform::Files& files, TIniGTDesigner* designer)
    : profiles_(profiles), files_(files), designer_(designer) {}

void TIniGT::SetDefaultDir(TIniGTDefaultDir defaultDir) {
  defaultDir_ = defaultDir;
  SetFileName(fileName_);
}

void TIniGT::SetFileName(const std::string& fileName) {
  fileName_ = fileName;
  ResolvePath();
}

void TIniGT::ResolvePath() {
  path_ = fileName_;
  if (!ExtractDirectory(fileName_).empty()) return;
  switch (defaultDir_) {
    case ddApplication:
      path_ = ExtractDirectory(files_.ProgramPath()) + fileName_;
      break;
    case ddWindows: {
      // GetWindowsDirectoryA fills a 150-byte buffer only when the directory
      // and its terminating zero fit; a longer one leaves the bare name,
      // which the platform itself places in the Windows directory.
      const std::string windowsDir = files_.WindowsDirectory();
      if (!windowsDir.empty() && windowsDir.size() < kWindowsDirBufferSize) {
        // A drive root ("C:\") already ends with its backslash.
        path_ = windowsDir + (EndsWithSingleByte(windowsDir, '\\') ? "" : "\\") + fileName_;
      }
      break;
    }
    case ddNone:
      break;
  }
}

void TIniGT::SetFence(TIniGTFence fence) {
  if (fence != fence_ && Designing() && fence_ == fnVer11Mode) {
    designer_->ShowWarning(kVer11Warning);
  }
  fence_ = fence;
  fenceNotStreamed_ = false;
}

void TIniGT::Loaded() {
  if (fileName_.empty() && !Designing()) SetFileName(DefaultFileName(files_.ProgramPath()));
  if (Designing() && fenceNotStreamed_) fence_ = fnVer11Mode;
}

std::string TIniGT::DefaultFileName(const std::string& programPath) {
  std::string name = LowerAscii(ChangeExtension(ExtractFileName(programPath), ".INI"));
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 32);
  return name;
}

std::string TIniGT::Wrap(const std::string& text) const {
  switch (fence_) {
    case fnDoubleQuote:
      return "\"" + text + "\"";
    case fnParenthesis:
    case fnVer11Mode:
      return kOpenBracket + text + kCloseBracket;
    case fnNone:
      break;
  }
  return text;
}

std::string TIniGT::Unwrap(const std::string& text) const {
  if (text.size() < 2) return text;
  const char first = text.front();
  const char last = text.back();
  const bool quotes = fence_ == fnDoubleQuote || fence_ == fnVer11Mode;
  const bool brackets = fence_ == fnParenthesis || fence_ == fnVer11Mode;
  if ((quotes && first == '"' && last == '"') ||
      (brackets && first == kOpenBracket && last == kCloseBracket)) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::string TIniGT::ReadRaw(const std::string& section, const std::string& key,
                            const std::string& def) {
  std::string value;
  profiles_.GetString(section, key, def, &value, kValueBufferSize, path_);
  return value;
}

void TIniGT::WriteRaw(const std::string& section, const std::string& key,
                      const std::string& value) {
  // The platform writes a line break as it stands, and the text after it
  // would read back as lines of their own: keys, even sections, that nobody
  // wrote. A line of an INI file cannot hold such a text, so it is refused.
  for (const std::string* text : {&section, &key, &value}) RefuseLineBreaks(*text);
  if (!profiles_.WriteString(section, key, value, path_)) RaiseWriteError();
}

void TIniGT::RefuseLineBreaks(const std::string& text) const {
  // CR and LF are never the second byte of a double-byte character.
  if (text.find_first_of("\r\n") != std::string::npos) RaiseWriteError();
}

void TIniGT::RaiseWriteError() const {
  throw system::Exception(FormatWithText(kWriteErrorFormat, path_));
}

std::string TIniGT::ReadText(const std::string& section, const std::string& key,
                             const std::string& def) {
  return Unwrap(ReadRaw(section, key, Wrap(def)));
}

void TIniGT::WriteText(const std::string& section, const std::string& key,
                       const std::string& text) {
  WriteRaw(section, key, Wrap(text));
}

std::int32_t TIniGT::ReadNumber(const std::string& section, const std::string& key,
                                std::int32_t def) {
  const std::string text = ReadRaw(section, key, "");
  std::int32_t value = def;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (!ParseSignedNumber("$" + text.substr(2), &value)) value = def;
  } else if (!ParseSignedNumber(text, &value)) {
    value = def;
  }
  return value;
}

void TIniGT::WriteNumber(const std::string& section, const std::string& key, std::int32_t value) {
  WriteRaw(section, key, std::to_string(value));
}

bool TIniGT::ReadFlag(const std::string& section, const std::string& key, bool def) {
  return ReadNumber(section, key, def ? 1 : 0) != 0;
}

void TIniGT::WriteFlag(const std::string& section, const std::string& key, bool value) {
  WriteRaw(section, key, value ? "1" : "0");
}

void TIniGT::ReadTextList(const std::string& section, const std::string& name,
                          std::vector<std::string>* list) {
  const std::int32_t own = static_cast<std::int32_t>(
      std::min<std::size_t>(list->size(), std::numeric_limits<std::int32_t>::max()));
  std::int32_t count = ReadNumber(section, name + ".Count", own);
  if (count > kMaxListCount) count = kMaxListCount;
  std::vector<std::string> items;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::string def = i < own ? (*list)[i] : std::string();
    items.push_back(ReadText(section, name + "." + std::to_string(i), def));
  }
  *list = std::move(items);
}

void TIniGT::WriteTextList(const std::string& section, const std::string& name,
                           const std::vector<std::string>& list) {
  for (const auto& [key, value] : TextListKeys(name, list)) WriteRaw(section, key, value);
}

std::vector<std::pair<std::string, std::string>> TIniGT::TextListKeys(
    const std::string& name, const std::vector<std::string>& list) const {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.reserve(list.size() + 1);
  keys.emplace_back(name + ".Count", std::to_string(static_cast<std::int32_t>(list.size())));
  for (std::size_t i = 0; i < list.size(); ++i) {
    keys.emplace_back(name + "." + std::to_string(i), Wrap(list[i]));
  }
  return keys;
}

void TIniGT::ReadPosition(const std::string& section, const std::string& name,
                          TPositioned* control) {
  control->SetLeft(ReadNumber(section, name + ".X", control->Left()));
  control->SetTop(ReadNumber(section, name + ".Y", control->Top()));
}

void TIniGT::WritePosition(const std::string& section, const std::string& name,
                           const TPositioned& control) {
  WriteNumber(section, name + ".X", control.Left());
  WriteNumber(section, name + ".Y", control.Top());
}

bool TIniGT::ReadKeyNames(const std::string& section, std::vector<std::string>* names) {
  // Listed whole (the buffer grows past its first size), so that callers
  // which rewrite a section from its listing do not lose keys.
  return platform::ListKeyNames(profiles_, section, path_, kKeyNamesBufferSize, names);
}

bool TIniGT::ReadKeyValues(const std::string& section, std::vector<std::string>* lines) {
  std::vector<std::string> names;
  const bool complete = ReadKeyNames(section, &names);
  // The entries by folded name, each name's positions in list order, so
  // that every key finds the first entry of its name at once. Removed
  // entries are left empty until the end.
  std::vector<std::optional<std::string>> entries(lines->begin(), lines->end());
  std::unordered_map<std::string, std::deque<std::size_t>> byName;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    // An entry without "=" has no name and is never replaced or removed.
    // "=" is never the second byte of a double-byte character.
    const std::string::size_type equal = entries[i]->find('=');
    if (equal != std::string::npos)
      byName[platform::FoldCp932(entries[i]->substr(0, equal))].push_back(i);
  }
  for (const std::string& name : names) {
    const std::string value = ReadRaw(section, name, "");
    std::deque<std::size_t>& positions = byName[platform::FoldCp932(name)];
    if (value.empty()) {
      if (positions.empty()) continue;
      entries[positions.front()].reset();
      positions.pop_front();
    } else if (!positions.empty()) {
      entries[positions.front()] = name + "=" + value;
    } else {
      positions.push_back(entries.size());
      entries.push_back(name + "=" + value);
    }
  }
  lines->clear();
  for (std::optional<std::string>& entry : entries) {
    if (entry) lines->push_back(std::move(*entry));
  }
  return complete;
}

bool TIniGT::ReadSection(const std::string& section, std::vector<std::string>* entries) {
  return platform::ListSection(profiles_, section, path_, kKeyNamesBufferSize, entries);
}

void TIniGT::WriteSection(const std::string& section, const std::vector<std::string>& entries) {
  RefuseLineBreaks(section);
  for (const std::string& entry : entries) {
    // An empty entry would end the platform's list: the entries after it
    // would be lost without a word.
    if (entry.empty()) RaiseWriteError();
    RefuseLineBreaks(entry);
  }
  if (!profiles_.WriteSection(section, entries, path_)) RaiseWriteError();
}

bool TIniGT::WriteKeys(const std::string& section,
                       const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<std::string> entries;
  if (!ReadSection(section, &entries)) return false;
  // The first entry of each name, by folded name; "=" is never the second
  // byte of a double-byte character.
  std::unordered_map<std::string, std::size_t> byName;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    byName.emplace(platform::FoldCp932(entries[i].substr(0, entries[i].find('='))), i);
  }
  for (const auto& [key, value] : keys) {
    RefuseLineBreaks(key);
    RefuseLineBreaks(value);
    auto [at, added] = byName.emplace(platform::FoldCp932(key), entries.size());
    if (added) {
      entries.push_back(key + "=" + value);
    } else {
      std::string& entry = entries[at->second];
      entry = entry.substr(0, entry.find('=')) + "=" + value;
    }
  }
  WriteSection(section, entries);
  return true;
}

void TIniGT::DeleteKey(const std::string& section, const std::string& key) {
  if (!profiles_.RemoveKey(section, key, path_)) RaiseWriteError();
}

void TIniGT::DeleteSection(const std::string& section) {
  if (!profiles_.RemoveSection(section, path_)) RaiseWriteError();
}

void TIniGT::Flush() {
  if (!profiles_.Flush(path_)) RaiseWriteError();
}

void TIniGT::HoldWrites() { profiles_.HoldWrites(path_); }

void TIniGT::DropHeldWrites() { profiles_.DropHeldWrites(path_); }

}  // namespace zuba::core
