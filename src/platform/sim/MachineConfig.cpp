#include "platform/sim/MachineConfig.h"

#include <cerrno>
#include <cstdlib>

#include "platform/Cp932.h"
#include "platform/sim/HostFile.h"
#include "platform/sim/IniText.h"

namespace zuba::platform::sim {
namespace {

constexpr char kDefaultProgram[] = "C:\\ZUBANET\\ZUBANET.EXE";
constexpr char kDefaultWindows[] = "C:\\WINDOWS";

struct KeyName {
  const char* name;
  int key;
};
constexpr KeyName kKeyNames[] = {
    {"CTRL", kVkControl}, {"CONTROL", kVkControl}, {"ALT", kVkMenu},     {"MENU", kVkMenu},
    {"SHIFT", kVkShift},  {"RETURN", kVkReturn},   {"ENTER", kVkReturn},
};

std::string TrimmedToken(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool ParseConfigNumber(const std::string& text, std::uint32_t* number) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  errno = 0;
  char* end = nullptr;
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  unsigned long long v = std::strtoull(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || end == text.c_str() + (hex ? 2 : 0) || v > 0xFFFFFFFFull) {
    return false;
  }
  *number = static_cast<std::uint32_t>(v);
  return true;
}

MachineConfig::MachineConfig(const std::string& machineDirectory)
    : path_(machineDirectory + "/machine.ini") {}

MachineConfig::~MachineConfig() = default;

const IniText& MachineConfig::Text() {
  HostStamp stamp = StatHostFile(path_);
  if (text_ && stamp.exists && stamp.settled && stamp.value == stamp_) return *text_;
  std::string content;
  if (!ReadHostFile(path_, &content)) content.clear();
  stamp_ = stamp.exists && stamp.settled ? stamp.value : 0;
  if (text_ && text_->content() == content) return *text_;  // read again, but unchanged
  text_ = std::make_unique<IniText>(std::move(content));
  fails_.clear();
  std::vector<std::pair<std::string_view, std::string_view>> entries;
  text_->Entries("Fail", &entries);
  for (const auto& [key, value] : entries) {
    std::uint32_t code;
    if (!ParseConfigNumber(std::string(StripQuotes(value)), &code) || code == 0) continue;
    std::size_t colon = key.find(':');
    FailSwitch fail;
    fail.name = FoldCp932(key.substr(0, colon));
    if (colon != std::string_view::npos) {
      fail.path = std::string(key.substr(colon + 1));
      if (fail.path.empty()) continue;
    }
    fail.code = code;
    fails_.push_back(std::move(fail));
  }
  return *text_;
}

std::string MachineConfig::Get(const std::string& section, const std::string& key,
                               const std::string& def) {
  std::string_view value;
  if (!Text().Find(section, key, &value)) return def;
  return std::string(StripQuotes(value));
}

std::vector<std::pair<std::string, std::string>> MachineConfig::Entries(
    const std::string& section) {
  std::vector<std::pair<std::string_view, std::string_view>> raw;
  std::vector<std::pair<std::string, std::string>> entries;
  if (!Text().Entries(section, &raw)) return entries;
  for (const auto& [name, value] : raw) {
    entries.emplace_back(std::string(name), std::string(StripQuotes(value)));
  }
  return entries;
}

bool MachineConfig::Set(const std::string& section, const std::string& key,
                        const std::string& value) {
  std::string content;
  if (!ReadHostFile(path_, &content)) content.clear();
  IniText text(std::move(content));
  bool ok = WriteHostFileAtomic(path_, text.WithValue(section, key, value));
  text_.reset();
  return ok;
}

OsVersion MachineConfig::Version() {
  OsVersion v;
  auto number = [this](const char* key, std::uint32_t def) {
    std::uint32_t n;
    return ParseConfigNumber(Get("Version", key), &n) ? n : def;
  };
  v.platformId = number("PlatformId", 1);
  v.major = number("Major", 4);
  v.minor = number("Minor", 10);
  v.build = number("Build", 2222);
  v.csdVersion = Get("Version", "CSDVersion", " A ");
  return v;
}

std::string MachineConfig::ProgramPath() { return Get("Program", "Path", kDefaultProgram); }

std::string MachineConfig::CurrentDirectory() {
  std::string dir = Get("Program", "CurrentDirectory");
  if (!dir.empty()) return dir;
  std::string program = ProgramPath();
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < program.size(); i += Cp932CharLength(program, i)) {
    if (program[i] == '\\') cut = i;
  }
  if (cut == std::string::npos) return program;
  return program.substr(0, cut == 2 ? 3 : cut);  // "C:\X.EXE" lies in the root "C:\"
}

std::string MachineConfig::WindowsDirectory() {
  return Get("Windows", "Directory", kDefaultWindows);
}

bool MachineConfig::IsKeyDown(int virtualKey) {
  const std::string down = Get("Keyboard", "Down");
  std::size_t begin = 0;
  while (begin <= down.size()) {
    std::size_t comma = down.find(',', begin);
    if (comma == std::string::npos) comma = down.size();
    std::string token = FoldCp932(TrimmedToken(down, begin, comma));
    begin = comma + 1;
    if (token.empty()) continue;
    for (const KeyName& k : kKeyNames) {
      if (token == k.name && k.key == virtualKey) return true;
    }
    std::uint32_t n;
    if (ParseConfigNumber(token, &n) && n == static_cast<std::uint32_t>(virtualKey)) return true;
  }
  return false;
}

std::uint32_t MachineConfig::TickOffset() {
  std::uint32_t n;
  return ParseConfigNumber(Get("Clock", "TickOffset"), &n) ? n : 0;
}

std::uint32_t MachineConfig::FailCode(const std::string& name) {
  return FailCodeAndPaths(name, nullptr);
}

std::uint32_t MachineConfig::FailCodeAndPaths(
    const std::string& name, std::vector<std::pair<std::string, std::uint32_t>>* paths) {
  Text();
  const std::string folded = FoldCp932(name);
  std::uint32_t code = 0;
  if (paths) paths->clear();
  for (const FailSwitch& fail : fails_) {
    if (fail.name != folded) continue;
    if (fail.path.empty()) {
      if (code == 0) code = fail.code;
    } else if (paths) {
      paths->emplace_back(fail.path, fail.code);
    }
  }
  return code;
}

}  // namespace zuba::platform::sim
