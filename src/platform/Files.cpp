#include "platform/Files.h"

namespace zuba::platform {

bool ReadTextLines(Files& files, const std::string& path, std::vector<std::string>* lines) {
  std::string content;
  if (!files.ReadBytes(path, &content)) return false;
  lines->clear();
  std::string::size_type start = 0;
  const std::string::size_type n = content.size();
  while (start < n) {
    std::string::size_type end = content.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines->push_back(content.substr(start));
      break;
    }
    lines->push_back(content.substr(start, end - start));
    start = end + ((content[end] == '\r' && end + 1 < n && content[end + 1] == '\n') ? 2 : 1);
  }
  return true;
}

bool WriteTextLines(Files& files, const std::string& path, const std::vector<std::string>& lines) {
  std::string content;
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }
  return files.WriteBytes(path, content);
}

}  // namespace zuba::platform
