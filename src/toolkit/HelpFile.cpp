#include "toolkit/HelpFile.h"

#include <cstdlib>

#include "platform/Cp932.h"

namespace zuba::toolkit {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

enum class Header { kNone, kHelp, kTopic };

// Whether `line` is a section header, and of which kind.
Header HeaderOf(const std::string& line, int* number) {
  std::string t = Trimmed(line);
  if (t.size() < 3 || t.front() != '[' || t.back() != ']') return Header::kNone;
  std::string name = t.substr(1, t.size() - 2);
  if (platform::EqualsNoCaseCp932(name, "Help")) return Header::kHelp;
  if (name.empty() || name.size() > 9) return Header::kNone;
  for (char c : name) {
    if (c < '0' || c > '9') return Header::kNone;
  }
  *number = std::atoi(name.c_str());
  return Header::kTopic;
}

}  // namespace

HelpFile HelpFile::Parse(const std::string& text) {
  HelpFile file;
  Header section = Header::kNone;
  HelpTopic* topic = nullptr;
  HelpTopic ignored;
  for (const std::string& line : SplitLines(text)) {
    if (!line.empty() && line[0] == ';') continue;
    int number = 0;
    Header header = HeaderOf(line, &number);
    if (header != Header::kNone) {
      section = header;
      if (header == Header::kTopic) {
        bool fresh = file.topics_.count(number) == 0;
        topic = fresh ? &file.topics_[number] : &ignored;
        if (!fresh) ignored = HelpTopic();
      }
      continue;
    }
    if (section == Header::kHelp) {
      std::size_t equals = platform::FindCp932(line, '=');
      if (equals != std::string::npos &&
          platform::EqualsNoCaseCp932(Trimmed(line.substr(0, equals)), "Title")) {
        file.title_ = Trimmed(line.substr(equals + 1));
      }
    } else if (section == Header::kTopic) {
      if (topic->title.empty() && topic->lines.empty()) {
        topic->title = Trimmed(line);
      } else if (!topic->lines.empty() || !Trimmed(line).empty()) {
        topic->lines.push_back(line);
      }
    }
  }
  for (auto& [number, t] : file.topics_) {
    while (!t.lines.empty() && Trimmed(t.lines.back()).empty()) t.lines.pop_back();
  }
  return file;
}

const HelpTopic* HelpFile::Topic(int context) const {
  auto it = topics_.find(context);
  return it == topics_.end() ? nullptr : &it->second;
}

std::vector<int> HelpFile::Contexts() const {
  std::vector<int> contexts;
  for (const auto& [number, topic] : topics_) contexts.push_back(number);
  return contexts;
}

}  // namespace zuba::toolkit
