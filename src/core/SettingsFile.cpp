#include "core/SettingsFile.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/AnsiText.h"
#include "platform/Cp932.h"
#include "system/Errors.h"

namespace zuba::core {

namespace {

// A default no value can be: a line of the file never holds a line feed.
constexpr char kMissing[] = "\n";
// RemoveAdapterEntry removes at most this many entries of one name.
constexpr int kMaxDuplicateEntries = 64;

constexpr const char* kReservedSections[] = {kBoundsSection, kInitializeSection,
                                             kSettingListSection, kAdapterSection};

// The blanks the profile functions trim from a line.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string TrimLineBlanks(const std::string& text) {
  std::string::size_type begin = 0;
  std::string::size_type end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  // A trailing blank is never the second byte of a double-byte character.
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The section named by a header line, read as the profile functions read
// it: blanks around the line and inside the brackets do not count, and the
// name ends at the first "]" that is a character of its own (or at the end
// of the line). False for a line that is no header.
bool SectionHeaderName(std::string_view line, std::string_view* name) {
  const auto trim = [](std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
  };
  const std::string_view text = trim(line);
  if (text.empty() || text[0] != '[') return false;
  const std::size_t end = platform::FindCp932(text, ']', 1);
  *name = trim(text.substr(1, end == std::string_view::npos ? end : end - 1));
  return true;
}

// The text setting names sort by: ASCII letters and full-width Latin
// letters raised, as the toolkit's sorted lists compare them, every other
// byte as it is. Comparing these byte by byte is the lists' order.
std::string SortKey(const std::string& name) {
  std::string key = platform::FoldCp932(name);
  for (std::size_t i = 0; i < key.size(); i += platform::Cp932CharLength(key, i)) {
    const unsigned char lead = static_cast<unsigned char>(key[i]);
    const unsigned char trail = i + 1 < key.size() ? static_cast<unsigned char>(key[i + 1]) : 0;
    // Full-width a-z (0x8281-0x829A) onto A-Z (0x8260-0x8279).
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A)
      key[i + 1] = static_cast<char>(trail - 0x21);
  }
  return key;
}

}  // namespace

std::string OptionKey(int number) { return "Opt" + std::to_string(number); }

bool OptionDefault(int number) { return number != 3 && number != 6 && number != 7; }

const std::vector<std::string>& InitializeKeyNames() {
  // clang-format off
  static const std::vector<std::string> names = {
      "Opt1", "Opt2", "Opt3", "Opt4", "Opt5", "Opt6", "Opt7", "WindowSize.X", "WindowSize.Y",
      kPreviousKey, kIniConvertKey, kFlushLocalMachineKey, kFlushCurrentUserKey,
      kSaveWarningsKey, kTrialSecondsKey};
  // clang-format on
  return names;
}

bool IsReservedSection(const std::string& name) {
  for (const char* reserved : kReservedSections) {
    if (platform::EqualsNoCaseCp932(name, reserved)) return true;
  }
  return false;
}

void SortSettingNames(std::vector<std::string>* names) {
  // Fold each name once, not once per comparison, and move indices while
  // sorting rather than strings.
  std::vector<std::string> keys;
  keys.reserve(names->size());
  for (const std::string& name : *names) keys.push_back(SortKey(name));
  std::vector<std::size_t> order(names->size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::string> sorted;
  sorted.reserve(order.size());
  for (std::size_t i : order) sorted.push_back(std::move((*names)[i]));
  *names = std::move(sorted);
}

SettingsFile::SettingsFile(TIniGT& ini, platform::Files& files) : ini_(ini), files_(files) {}

bool SettingsFile::ReadOption(int number) {
  return ini_.ReadFlag(kInitializeSection, OptionKey(number), OptionDefault(number));
}

void SettingsFile::WriteOption(int number, bool on) {
  ini_.WriteFlag(kInitializeSection, OptionKey(number), on);
}

void SettingsFile::ReadWindowPosition(TPositioned* window) {
  ini_.ReadPosition(kInitializeSection, kWindowSizeName, window);
}

void SettingsFile::WriteWindowPosition(const TPositioned& window) {
  ini_.WritePosition(kInitializeSection, kWindowSizeName, window);
}

namespace {

std::vector<std::pair<std::string, std::string>> MenuChoiceKeys(
    const SettingsFile::MenuChoices& choices) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (int number = 1; number <= kOptionCount; ++number) {
    keys.emplace_back(OptionKey(number), choices.options[number - 1] ? "1" : "0");
  }
  keys.emplace_back(kSaveWarningsKey, choices.saveWarnings ? "1" : "0");
  return keys;
}

}  // namespace

void SettingsFile::WriteWindowState(const TPositioned& window, const MenuChoices& choices) {
  std::vector<std::pair<std::string, std::string>> keys = {
      {std::string(kWindowSizeName) + ".X", std::to_string(window.Left())},
      {std::string(kWindowSizeName) + ".Y", std::to_string(window.Top())}};
  for (auto& key : MenuChoiceKeys(choices)) keys.push_back(std::move(key));
  WriteInitializeKeys(keys);
}

void SettingsFile::WriteMenuChoices(const MenuChoices& choices) {
  WriteInitializeKeys(MenuChoiceKeys(choices));
}

void SettingsFile::WriteInitializeKeys(
    const std::vector<std::pair<std::string, std::string>>& keys) {
  try {
    if (ini_.WriteKeys(kInitializeSection, keys)) return;
  } catch (const system::Exception&) {
    // Refused as one change: key by key, which raises the error again when
    // the file itself refuses the writes.
  }
  // Numbers and flags need no fence (the store has none).
  for (const auto& [key, value] : keys) ini_.WriteText(kInitializeSection, key, value);
}

std::string SettingsFile::ReadPrevious() {
  return ini_.ReadText(kInitializeSection, kPreviousKey, "");
}

void SettingsFile::WritePrevious(const std::string& name) {
  ini_.WriteText(kInitializeSection, kPreviousKey, name);
}

bool SettingsFile::ReadConverted() {
  return ini_.ReadFlag(kInitializeSection, kIniConvertKey, false);
}

void SettingsFile::WriteConverted(bool converted) {
  ini_.WriteFlag(kInitializeSection, kIniConvertKey, converted);
}

bool SettingsFile::StartIfMissing() {
  if (files_.GetAttributes(ListedFilePath()) != platform::kInvalidAttributes) return false;
  WriteConverted(true);
  return true;
}

void SettingsFile::WriteFlushResults(std::int32_t localMachine, std::int32_t currentUser) {
  ini_.WriteNumber(kInitializeSection, kFlushLocalMachineKey, localMachine);
  ini_.WriteNumber(kInitializeSection, kFlushCurrentUserKey, currentUser);
}

bool SettingsFile::ReadSaveWarnings() {
  return ini_.ReadFlag(kInitializeSection, kSaveWarningsKey, true);
}

void SettingsFile::WriteSaveWarnings(bool on) {
  ini_.WriteFlag(kInitializeSection, kSaveWarningsKey, on);
}

int SettingsFile::ReadTrialSeconds() {
  const std::int32_t seconds =
      ini_.ReadNumber(kInitializeSection, kTrialSecondsKey, kDefaultTrialSeconds);
  return seconds < 1 ? kDefaultTrialSeconds : seconds;
}

bool SettingsFile::ReadListEdited() {
  return ini_.ReadFlag(kSettingListSection, kListEditKey, false);
}

void SettingsFile::WriteListEdited(bool edited) {
  ini_.WriteFlag(kSettingListSection, kListEditKey, edited);
}

std::string SettingsFile::ListedFilePath() {
  const std::string program = files_.ProgramPath();
  return ExtractDirectory(program) + ChangeExtension(ExtractFileName(program), ".INI");
}

std::vector<std::string> SettingsFile::RebuildSettingList() {
  std::string content;
  std::vector<std::string> names;
  if (!files_.ReadBytes(ListedFilePath(), &content)) return names;
  // The header lines only: a "[" with nothing but blanks before it on its
  // line (lines end in CR LF, LF or CR alone), found with a search for "["
  // over the bytes. Such a "[" follows a blank or a line break, never a
  // lead byte.
  std::vector<std::string_view> lines;
  const char* data = content.data();
  const std::size_t n = content.size();
  for (std::size_t pos = 0; pos < n;) {
    const char* bracket = static_cast<const char*>(std::memchr(data + pos, '[', n - pos));
    if (!bracket) break;
    std::size_t begin = static_cast<std::size_t>(bracket - data);
    pos = begin + 1;
    while (begin > 0 && IsBlank(content[begin - 1])) --begin;
    if (begin > 0 && content[begin - 1] != '\r' && content[begin - 1] != '\n') continue;
    std::size_t end = pos;
    while (end < n && content[end] != '\r' && content[end] != '\n') ++end;
    lines.emplace_back(data + begin, end - begin);
    pos = end;
  }
  std::unordered_map<std::string, std::size_t> known;  // folded name -> index in names
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    std::string_view header;
    if (!SectionHeaderName(*line, &header) || header.empty()) continue;
    std::string name(header);
    if (IsReservedSection(name)) continue;
    // The profile functions reach only the first of sections that differ in
    // case alone: list the name once, spelled as that first section.
    auto [at, added] = known.emplace(platform::FoldCp932(name), names.size());
    if (added) {
      names.push_back(std::move(name));
    } else {
      names[at->second] = std::move(name);
    }
  }
  SortSettingNames(&names);
  return names;
}

std::vector<std::string> SettingsFile::ReadSettingList() {
  std::vector<std::string> names;
  ini_.ReadTextList(kSettingListSection, kSettingsListName, &names);
  return names;
}

void SettingsFile::WriteSettingList(const std::vector<std::string>& names) {
  const auto keys = ini_.TextListKeys(kSettingsListName, names);
  try {
    if (ini_.WriteKeys(kSettingListSection, keys)) return;
    std::vector<std::string> entries;
    entries.reserve(keys.size() + 1);
    for (const auto& [key, value] : keys) entries.push_back(key + "=" + value);
    const std::string listEdit = ini_.ReadText(kSettingListSection, kListEditKey, kMissing);
    if (listEdit != kMissing) entries.push_back(std::string(kListEditKey) + "=" + listEdit);
    ini_.WriteSection(kSettingListSection, entries);
  } catch (const system::Exception&) {
    // Windows may refuse a section larger than it takes in one call
    // (65,535 bytes): the list then goes key by key, which raises the
    // error again when the file itself refuses the writes.
    ini_.WriteTextList(kSettingListSection, kSettingsListName, names);
  }
}

std::vector<std::string> SettingsFile::LoadSettingList() {
  return ReadListEdited() ? ReadSettingList() : RebuildSettingList();
}

std::string SettingsFile::ReadAdapter(const std::string& name) {
  return ini_.ReadText(kAdapterSection, name, "");
}

void SettingsFile::WriteAdapter(const std::string& name, const std::string& subkey) {
  ini_.WriteText(kAdapterSection, name, subkey);
}

std::vector<std::pair<std::string, std::string>> SettingsFile::ReadAdapterEntries() {
  std::vector<std::string> lines;
  ini_.ReadSection(kAdapterSection, &lines);
  std::vector<std::pair<std::string, std::string>> entries;
  std::unordered_set<std::string> named;  // folded names
  for (const std::string& line : lines) {
    const std::string::size_type equal = platform::FindCp932(line, '=', 0);
    if (equal == std::string::npos) continue;
    std::string name = TrimLineBlanks(line.substr(0, equal));
    std::string value = TrimLineBlanks(line.substr(equal + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (named.insert(platform::FoldCp932(name)).second) {
      entries.emplace_back(std::move(name), std::move(value));
    }
  }
  return entries;
}

void SettingsFile::RemoveAdapterEntry(const std::string& name) {
  // The profile functions reach the first of keys that differ in case
  // alone; each removal uncovers the next.
  for (int i = 0; i < kMaxDuplicateEntries; ++i) {
    if (ini_.ReadText(kAdapterSection, name, kMissing) == kMissing) return;
    ini_.DeleteKey(kAdapterSection, name);
  }
}

bool SettingsFile::SettingExists(const std::string& name) {
  std::vector<std::string> keys;
  ini_.ReadKeyNames(name, &keys);
  return !keys.empty();
}

void SettingsFile::RecallSetting(const std::string& name, TRegList* setting) {
  std::vector<std::string> keys;
  ini_.ReadKeyNames(name, &keys);
  for (const std::string& key : keys) {
    const int index = FindItemIndex(key);
    if (index >= kItemCount) continue;
    (*setting)[index].Value = ini_.ReadText(name, key, "");
    (*setting)[index].IsSet = true;
  }
}

std::string SettingsFile::ReadSettingText(const std::string& name, const std::string& keyCode) {
  return ini_.ReadText(name, keyCode, "");
}

std::vector<int> SettingsFile::SaveSetting(const std::string& name, const TRegList& setting) {
  std::vector<int> skipped;
  std::vector<std::string> entries;
  for (int i = 0; i < kItemCount; ++i) {
    const TNetReg& item = setting[i];
    if (!item.IsSet) continue;
    switch (item.Vtype) {
      case 's':
        entries.push_back(item.KeyCode + "=" + ini_.Wrapped(item.Value));
        break;
      case 'b':
      case 'x':
        entries.push_back(item.KeyCode + (item.Value != "0" ? "=1" : "=0"));
        break;
      default:
        skipped.push_back(i);
        break;
    }
  }
  if (!entries.empty()) ini_.WriteSection(name, entries);
  return skipped;
}

void SettingsFile::DeleteSetting(const std::string& name) { ini_.DeleteSection(name); }

std::vector<std::string> SettingsFile::ReadSettingEntries(const std::string& name) {
  std::vector<std::string> entries;
  ini_.ReadSection(name, &entries);
  return entries;
}

void SettingsFile::WriteSettingEntries(const std::string& name,
                                       const std::vector<std::string>& entries) {
  ini_.WriteSection(name, entries);
}

void SettingsFile::Flush() { ini_.Flush(); }

SettingsFile::Change::Change(SettingsFile& file) : file_(file) { file_.ini_.HoldWrites(); }

SettingsFile::Change::~Change() {
  if (!committed_) file_.ini_.DropHeldWrites();
}

void SettingsFile::Change::Commit() {
  committed_ = true;  // a failed flush has made or dropped the writes itself
  file_.Flush();
}

}  // namespace zuba::core
