#include "ui/ZubaSelFiles.h"

#include <string_view>

#include "platform/Cp932.h"
#include "system/Errors.h"

namespace zuba::ui {
namespace {

constexpr char kBatchName[] = "zubaset.bat";
constexpr char kSeparator[] = "echo ----------------";
constexpr char kRunOnceKey[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]";
constexpr char kEndOfFile = '\x1A';

[[noreturn]] void WriteFailed(const std::string& path) {
  throw system::Exception(path + " に書き込めません");
}

void Write(platform::Files& files, const std::string& path, const std::vector<std::string>& lines) {
  if (!platform::WriteTextLines(files, path, lines)) WriteFailed(path);
}

std::string Letter(std::size_t index) { return std::string(1, static_cast<char>('A' + index)); }

std::size_t Count(const std::vector<std::string>& names) {
  return names.size() < kMaxBootSettings ? names.size() : kMaxBootSettings;
}

bool CanCarry(const std::string& name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  bool wordStart = true;
  for (std::size_t i = 0; i < name.size(); i += platform::Cp932CharLength(name, i)) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (platform::IsCp932LeadByte(byte)) {
      if (i + 1 == name.size() || !platform::IsCp932TrailByte(name[i + 1])) return false;
      // Before Windows starts, COMMAND.COM may have no double-byte tables:
      // a trail byte '|' (as in "ポ", 83 7C) would be a pipe in its ECHO.
      if (name[i + 1] == '|') return false;
      wordStart = false;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F) return false;
    if (byte == '<' || byte == '>' || byte == '|' || byte == '%' || byte == '"') return false;
    if (byte == ' ' && wordStart) return false;  // two blanks in a row
    if (byte == '/' && wordStart) return false;  // a switch
    wordStart = byte == ' ';
  }
  return true;
}

// Every single-byte backslash doubled, as a REGEDIT4 string holds it.
std::string EscapeBackslashes(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = platform::Cp932CharLength(text, i);
    if (n == 1 && text[i] == '\\') out.push_back('\\');
    out.append(text, i, n);
    i += n;
  }
  return out;
}

}  // namespace

std::vector<std::string> BootMenuNames(const std::vector<std::string>& names,
                                       std::vector<std::string>* skipped) {
  std::vector<std::string> taken;
  for (const std::string& name : names) {
    if (!CanCarry(name)) {
      skipped->push_back(name);
    } else if (taken.size() < kMaxBootSettings) {
      taken.push_back(name);
    }
  }
  return taken;
}

std::string BootDirectory(platform::Files& files, const std::string& programDir) {
  if (programDir.size() < 3 || programDir[1] != ':' || programDir[2] != '\\') return programDir;
  std::string result = programDir.substr(0, 3);
  std::size_t start = 3;
  while (start < programDir.size()) {
    std::size_t end = platform::FindCp932(programDir, '\\', start);
    if (end == std::string::npos) end = programDir.size();
    const std::string name = programDir.substr(start, end - start);
    std::vector<platform::FindData> found;
    if (!name.empty()) {
      if (!files.FindFiles(result + name, &found) || found.size() != 1) return programDir;
      const platform::FindData& entry = found.front();
      const bool is83 =
          entry.shortName.empty() || platform::EqualsNoCaseCp932(entry.shortName, entry.longName);
      result += (is83 ? name : entry.shortName) + "\\";
    }
    start = end + 1;
  }
  return result;
}

void MakeSwitchBatch(platform::Files& files, const std::string& programDir,
                     const std::vector<std::string>& names) {
  const std::size_t n = Count(names);
  std::vector<std::string> lines = {"@echo off", "cls", "echo ZubaNet 設定選択", kSeparator};
  std::string keys = "X";
  for (std::size_t i = 0; i < n; ++i) {
    lines.push_back("echo " + Letter(i) + ":" + names[i]);
    keys += Letter(i);
  }
  lines.insert(lines.end(), {"echo.", "echo X:キャンセル", kSeparator});
  lines.push_back("choice /c:" + keys + " /t:X,10 選択してください（デフォルト:X）");
  for (std::size_t i = n; i-- > 0;) {
    lines.push_back("if errorlevel " + std::to_string(i + 2) + " goto ZUBA_" + Letter(i));
  }
  lines.insert(lines.end(), {"echo キャンセルされました", "goto QUIT"});
  for (std::size_t i = n; i-- > 0;) {
    lines.push_back(":ZUBA_" + Letter(i));
    lines.push_back("regedit \"" + programDir + Letter(i) + ".reg\"");
    lines.push_back("goto QUIT");
  }
  lines.push_back(":QUIT");
  Write(files, programDir + kBatchName, lines);
}

bool AddAutoexecCall(platform::Files& files, const std::string& autoexecDir,
                     const std::string& programDir) {
  const std::string path = autoexecDir + "autoexec.bat";
  const std::string call = "call \"" + programDir + kBatchName + "\"";
  std::vector<std::string> lines;
  if (!platform::ReadTextLines(files, path, &lines)) {
    throw system::Exception(path + " を読み込めません");
  }
  for (const std::string& line : lines) {
    if (platform::EqualsNoCaseCp932(line, call)) return false;
  }
  Write(files, autoexecDir + "autoexec.zb", lines);
  const bool endMark = !lines.empty() && lines.back() == std::string(1, kEndOfFile);
  lines.insert(endMark ? lines.end() - 1 : lines.end(), call);
  Write(files, path, lines);
  return true;
}

bool RemoveAutoexecCall(platform::Files& files, const std::string& autoexecDir,
                        const std::string& programDir) {
  const std::string path = autoexecDir + "autoexec.bat";
  const std::string call = "call \"" + programDir + kBatchName + "\"";
  std::vector<std::string> lines;
  if (!platform::ReadTextLines(files, path, &lines)) return false;
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (!platform::EqualsNoCaseCp932(line, call)) kept.push_back(line);
  }
  if (kept.size() == lines.size()) return false;
  Write(files, path, kept);
  return true;
}

std::vector<std::string> BootFileNames() {
  std::vector<std::string> names{kBatchName};
  for (std::size_t i = 0; i < kMaxBootSettings; ++i) names.push_back(Letter(i) + ".reg");
  return names;
}

void MakeRegFiles(platform::Files& files, const std::string& programDir,
                  const std::vector<std::string>& names, bool withSwitchC) {
  const std::string program = EscapeBackslashes(programDir + "zubanet.exe");
  for (std::size_t i = 0; i < Count(names); ++i) {
    const std::string value =
        program + " " + EscapeBackslashes(names[i]) + (withSwitchC ? " /c" : "");
    Write(files, programDir + Letter(i) + ".reg",
          {"REGEDIT4", "", kRunOnceKey, "\"ZubaNet\"=\"" + value + "\""});
  }
}

}  // namespace zuba::ui
