#include "platform/sim/SimShell.h"

#include "platform/Cp932.h"
#include "platform/Files.h"
#include "platform/WinError.h"

namespace zuba::platform::sim {
namespace {

constexpr char kHeader[] = "[ShellLink]";

struct Field {
  const char* key;
  std::string ShellLink::*member;
};
constexpr Field kFields[] = {
    {"Target", &ShellLink::target},
    {"Arguments", &ShellLink::arguments},
    {"WorkingDirectory", &ShellLink::workingDirectory},
    {"Description", &ShellLink::description},
};

bool Keepable(const std::string& value) {
  return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

// The position of the last backslash that is not a trail byte, or npos.
std::size_t LastBackslash(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t at = FindCp932(path, '\\'); at != std::string::npos;
       at = FindCp932(path, '\\', at + 1)) {
    last = at;
  }
  return last;
}

// Makes `path` and the directories above it.
bool MakeDirectories(Files& files, const std::string& path) {
  if (files.GetAttributes(path) != kInvalidAttributes) return true;
  const std::size_t slash = LastBackslash(path);
  if (slash != std::string::npos && slash > 2 && !MakeDirectories(files, path.substr(0, slash))) {
    return false;
  }
  return files.MakeDirectory(path);
}

}  // namespace

std::string ShellLinkText(const ShellLink& link) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const Field& field : kFields) text += std::string(field.key) + "=" + link.*field.member + "\r\n";
  return text;
}

bool ParseShellLinkText(const std::string& text, ShellLink* link) {
  ShellLink read;
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (first) {
      if (line != kHeader) return false;
      first = false;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    for (const Field& field : kFields) {
      if (line.compare(0, equals, field.key) == 0) read.*field.member = line.substr(equals + 1);
    }
  }
  if (first) return false;
  *link = std::move(read);
  return true;
}

bool SimShell::GetSpecialFolder(ShellFolder folder, std::string* path) {
  if (std::uint32_t code = context_.config.FailCode("SHGetSpecialFolderLocation")) {
    context_.Fail(code);
    return false;
  }
  const bool desktop = folder == kCsidlDesktopDirectory;
  if (!desktop && folder != kCsidlPrograms) return false;
  std::string found = context_.config.Get("Shell", desktop ? "Desktop" : "Programs");
  if (found.empty()) {
    found = context_.config.WindowsDirectory() +
            (desktop ? "\\ﾃﾞｽｸﾄｯﾌﾟ" : "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ");
  }
  while (found.size() > 3 && LastBackslash(found) == found.size() - 1) found.pop_back();
  if (!MakeDirectories(context_.files, found)) return false;
  *path = found;
  return true;
}

bool SimShell::WriteLink(const std::string& path, const ShellLink& link) {
  for (const Field& field : kFields) {
    if (!Keepable(link.*field.member)) {
      context_.Fail(kErrorInvalidParameter);
      return false;
    }
  }
  return context_.files.WriteBytes(path, ShellLinkText(link));
}

bool SimShell::ReadLink(const std::string& path, ShellLink* link) {
  std::string text;
  return context_.files.ReadBytes(path, &text) && ParseShellLinkText(text, link);
}

}  // namespace zuba::platform::sim
