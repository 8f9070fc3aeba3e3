#include "app/zubanet/Wininit.h"

#include <vector>

#include "platform/Cp932.h"

namespace zuba::app {
namespace {

bool IsSection(const std::string& line) { return !line.empty() && line[0] == '['; }

}  // namespace

bool RemoveAtNextStart(platform::Files& files, const std::string& shortPath) {
  std::string directory = files.WindowsDirectory();
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  const std::string path = directory + "WININIT.INI";
  const std::string entry = "NUL=" + shortPath;
  std::vector<std::string> lines;
  platform::ReadTextLines(files, path, &lines);  // a missing file is an empty one
  std::size_t section = lines.size();
  for (std::size_t i = 0; i < lines.size() && section == lines.size(); ++i) {
    if (platform::EqualsNoCaseCp932(lines[i], "[rename]")) section = i;
  }
  if (section == lines.size()) lines.push_back("[rename]");
  std::size_t end = section + 1;
  for (; end < lines.size() && !IsSection(lines[end]); ++end) {
    if (platform::EqualsNoCaseCp932(lines[end], entry)) return true;
  }
  while (end > section + 1 && lines[end - 1].empty()) --end;  // after its last line
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), entry);
  return platform::WriteTextLines(files, path, lines);
}

}  // namespace zuba::app
