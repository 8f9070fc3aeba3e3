#include "platform/sim/IniText.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Narrows [*begin, *end) of `text` to its part without surrounding blanks.
void TrimBlanks(const std::string& text, std::size_t* begin, std::size_t* end) {
  while (*begin < *end && IsBlank(text[*begin])) ++*begin;
  while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

constexpr char kLineBreak[] = "\r\n";

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

IniText::IniText(std::string content) : content_(std::move(content)) { Parse(); }

void IniText::Parse() {
  const std::string& c = content_;
  const std::size_t n = c.size();
  std::size_t pos = 0;
  Section* current = nullptr;
  // Room for every line at once: a large file is not copied over and over
  // as the table grows (a line ends in LF or in a CR alone).
  lines_.reserve(static_cast<std::size_t>(std::count(c.begin(), c.end(), '\n')) + 1);
  const char* nextLf = static_cast<const char*>(std::memchr(c.data(), '\n', n));
  while (pos < n) {
    Line line;
    line.begin = pos;
    // The line ends at the first CR or LF: the next LF (found again only
    // once passed, so lines ending in CR alone cost no search to the end of
    // the text each), or a CR before it.
    const char* start = c.data() + pos;
    if (nextLf && nextLf < start) {
      nextLf = static_cast<const char*>(std::memchr(start, '\n', n - pos));
    }
    const char* hit = nextLf;
    const char* cr = static_cast<const char*>(
        std::memchr(start, '\r', static_cast<std::size_t>((hit ? hit : c.data() + n) - start)));
    if (cr) hit = cr;
    line.end = hit ? static_cast<std::size_t>(hit - c.data()) : n;
    line.next = line.end;
    if (line.next < n)
      line.next += (c[line.next] == '\r' && line.next + 1 < n && c[line.next + 1] == '\n') ? 2 : 1;
    pos = line.next;

    std::size_t b = line.begin, e = line.end;
    TrimBlanks(c, &b, &e);
    const std::size_t index = lines_.size();
    if (b == e) {
      line.kind = Kind::kBlank;
    } else if (c[b] == ';') {
      line.kind = Kind::kComment;
    } else if (c[b] == '[') {
      line.kind = Kind::kSection;
      std::string_view inner(c.data() + b + 1, e - b - 1);
      std::size_t close = FindCp932(inner, ']');
      line.nameBegin = b + 1;
      line.nameEnd = close == std::string_view::npos ? e : b + 1 + close;
      TrimBlanks(c, &line.nameBegin, &line.nameEnd);
      if (current) current->end = index;
      sections_.emplace_back();
      current = &sections_.back();
      current->header = index;
      if (line.nameEnd > line.nameBegin) {
        sectionIndex_.emplace(FoldCp932(Name(line)), sections_.size() - 1);
      }
    } else {
      std::size_t eq = FindCp932(std::string_view(c.data() + b, e - b), '=');
      if (eq == std::string_view::npos) {
        line.kind = Kind::kText;
      } else {
        line.kind = Kind::kKey;
        line.nameBegin = b;
        line.nameEnd = b + eq;
        TrimBlanks(c, &line.nameBegin, &line.nameEnd);
        line.valueBegin = b + eq + 1;
        line.valueEnd = e;
        TrimBlanks(c, &line.valueBegin, &line.valueEnd);
      }
    }
    lines_.push_back(line);
  }
  if (current) current->end = lines_.size();
}

std::string_view IniText::Name(const Line& line) const {
  return std::string_view(content_.data() + line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view IniText::Value(const Line& line) const {
  return std::string_view(content_.data() + line.valueBegin, line.valueEnd - line.valueBegin);
}

const IniText::Section* IniText::FindSection(std::string_view section) const {
  section = TrimSpaces(section);
  if (section.empty()) return nullptr;
  auto it = sectionIndex_.find(FoldCp932(section));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const IniText::Line* IniText::FindKey(const Section& section, std::string_view key) const {
  key = TrimSpaces(key);
  if (key.empty()) return nullptr;
  if (!section.keysIndexed) {
    // Indexed on first use: most sections of a large file are never looked
    // into between two changes of the file.
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
      const Line& line = lines_[i];
      if (line.kind == Kind::kKey && line.nameEnd > line.nameBegin) {
        section.keys.emplace(FoldCp932(Name(line)), i);
      }
    }
    section.keysIndexed = true;
  }
  auto it = section.keys.find(FoldCp932(key));
  return it == section.keys.end() ? nullptr : &lines_[it->second];
}

bool IniText::Find(std::string_view section, std::string_view key, std::string_view* value) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  const Line* line = FindKey(*s, key);
  if (!line) return false;
  *value = Value(*line);
  return true;
}

bool IniText::KeyNames(std::string_view section, std::vector<std::string_view>* names) const {
  std::vector<std::pair<std::string_view, std::string_view>> entries;
  if (!Entries(section, &entries)) return false;
  names->clear();
  for (const auto& entry : entries) names->push_back(entry.first);
  return true;
}

bool IniText::Entries(std::string_view section,
                      std::vector<std::pair<std::string_view, std::string_view>>* entries) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  entries->clear();
  for (std::size_t i = s->header + 1; i < s->end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kKey && line.nameEnd > line.nameBegin) {
      entries->emplace_back(Name(line), Value(line));
    }
  }
  return true;
}

std::vector<std::string_view> IniText::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Section& s : sections_) {
    const Line& header = lines_[s.header];
    if (header.nameEnd > header.nameBegin) names.push_back(Name(header));
  }
  return names;
}

std::string IniText::WithValue(std::string_view section, std::string_view key,
                               std::string_view value) const {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  const std::string& c = content_;
  const Section* s = FindSection(section);
  if (!s) {
    std::string out = c;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineBreak;
    out.append("[").append(section).append("]").append(kLineBreak);
    out.append(key).append("=").append(value).append(kLineBreak);
    return out;
  }
  if (const Line* line = FindKey(*s, key)) {
    std::string out;
    out.reserve(c.size() + value.size());
    out.append(c, 0, line->begin);
    out.append(Name(*line)).append("=").append(value);
    out.append(c, line->end, std::string::npos);
    return out;
  }
  // After the section's last line that carries text (a key or a line
  // without '='); comments and blank lines after it stay after the new key.
  std::size_t after = s->header;
  for (std::size_t i = s->header + 1; i < s->end; ++i) {
    if (lines_[i].kind == Kind::kKey || lines_[i].kind == Kind::kText) after = i;
  }
  const Line& anchor = lines_[after];
  std::string out;
  out.reserve(c.size() + key.size() + value.size() + 4);
  out.append(c, 0, anchor.next);
  if (anchor.next == anchor.end) out += kLineBreak;  // the anchor had no line break
  out.append(key).append("=").append(value).append(kLineBreak);
  out.append(c, anchor.next, std::string::npos);
  return out;
}

std::string IniText::WithSection(
    std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) const {
  section = TrimSpaces(section);
  const std::string& c = content_;
  std::string out;
  auto appendEntry = [&out](const std::pair<std::string, std::string>& entry) {
    out.append(entry.first).append("=").append(entry.second);
  };
  const Section* s = FindSection(section);
  if (!s) {
    out = c;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineBreak;
    out.append("[").append(section).append("]").append(kLineBreak);
    for (const auto& entry : entries) {
      appendEntry(entry);
      out += kLineBreak;
    }
    return out;
  }
  auto isKey = [](const Line& line) {
    return line.kind == Kind::kKey && line.nameEnd > line.nameBegin;
  };
  std::size_t anchor = s->header;
  for (std::size_t i = s->header + 1; i < s->end; ++i) {
    if (isKey(lines_[i]) || lines_[i].kind == Kind::kText) anchor = i;
  }
  out.reserve(c.size() + 64 * entries.size());
  const Line& header = lines_[s->header];
  out.append(c, 0, header.next);
  std::size_t next = 0;  // the next entry to place
  auto appendRest = [&](const Line& after) {
    if (next >= entries.size()) return;
    if (after.next == after.end) out += kLineBreak;  // the line had no line break
    for (; next < entries.size(); ++next) {
      appendEntry(entries[next]);
      out += kLineBreak;
    }
  };
  if (anchor == s->header) appendRest(header);
  for (std::size_t i = s->header + 1; i < s->end; ++i) {
    const Line& line = lines_[i];
    if (!isKey(line)) {
      out.append(c, line.begin, line.next - line.begin);
    } else if (next < entries.size()) {
      const auto& entry = entries[next++];
      if (entry.first == Name(line) && entry.second == Value(line)) {
        out.append(c, line.begin, line.next - line.begin);  // unchanged: kept as it was
      } else {
        appendEntry(entry);
        out.append(c, line.end, line.next - line.end);
      }
    } else {
      continue;  // a key line left over
    }
    if (i == anchor) appendRest(line);
  }
  const std::size_t rest = s->end < lines_.size() ? lines_[s->end].begin : c.size();
  out.append(c, rest, std::string::npos);
  return out;
}

std::string IniText::WithoutKey(std::string_view section, std::string_view key,
                                bool* changed) const {
  *changed = false;
  const Section* s = FindSection(section);
  const Line* line = s ? FindKey(*s, key) : nullptr;
  if (!line) return content_;
  *changed = true;
  return content_.substr(0, line->begin) + content_.substr(line->next);
}

std::string IniText::WithoutSection(std::string_view section, bool* changed) const {
  *changed = false;
  const Section* s = FindSection(section);
  if (!s) return content_;
  *changed = true;
  const std::string& c = content_;
  std::string out;
  out.reserve(c.size());
  out.append(c, 0, lines_[s->header].begin);
  for (std::size_t i = s->header + 1; i < s->end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kComment) out.append(c, line.begin, line.next - line.begin);
  }
  std::size_t rest = s->end < lines_.size() ? lines_[s->end].begin : c.size();
  out.append(c, rest, std::string::npos);
  return out;
}

}  // namespace zuba::platform::sim
